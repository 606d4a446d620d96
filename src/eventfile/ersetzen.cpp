// A whole file written beside the old one and moved over it; a copy elsewhere the same way.
#include "eventfile/ersetzen.hpp"

#include "common/fehler.hpp"
#include "platform/ablegen.hpp"

namespace karmo {

void Datei_ersetzen(Plattform& pl, const std::string& pfad, std::string_view inhalt, const char* quelle) {
    const Ergebnis e = Datei_ablegen(pl, pfad, inhalt);
    if (!e.ok()) throw Fehler(e.nummer, quelle, e.text);
}

Ergebnis Kopie_ablegen(Plattform& pl, const std::string& quelle, const std::string& ziel) {
    Ergebnis e;
    const auto datei = pl.oeffnen(quelle, e);
    if (!datei) return e.ok() ? Ergebnis{53, "Datei nicht gefunden"} : e;
    std::string bytes;
    std::string block(1 << 16, '\0');
    for (;;) {
        const std::size_t n = datei->lesen(block.data(), block.size(), e);
        if (!e.ok()) return e;
        if (n == 0) break;
        bytes.append(block.data(), n);
    }
    return Datei_ablegen(pl, ziel, bytes);
}

} // namespace karmo
