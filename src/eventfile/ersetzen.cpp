// A whole file written beside the old one and moved over it.
#include "eventfile/ersetzen.hpp"

#include "common/fehler.hpp"

namespace karmo {

void Datei_ersetzen(Plattform& pl, const std::string& pfad, std::string_view inhalt, const char* quelle) {
    const std::string zwischendatei = pfad + ".tmp";
    Ergebnis e = pl.schreiben(zwischendatei, inhalt);
    if (e.ok()) e = pl.ersetzen(zwischendatei, pfad);
    if (!e.ok()) {
        pl.loeschen(zwischendatei);
        throw Fehler(e.nummer, quelle, e.text);
    }
}

} // namespace karmo
