// A whole file written beside its place, flushed, and moved over it in one step.
#include "platform/ablegen.hpp"

#include <string>

namespace karmo {

Ergebnis Datei_ablegen(Plattform& pl, std::string_view ziel, std::string_view bytes) {
    const std::string zwischendatei = std::string(ziel) + ".tmp";
    Ergebnis e = pl.schreiben(zwischendatei, bytes);
    if (e.ok()) e = pl.ersetzen(zwischendatei, ziel);
    if (!e.ok()) pl.loeschen(zwischendatei);
    return e;
}

} // namespace karmo
