// Fuzz target: the recovery journal's reader on arbitrary bytes, and its agreement with the writer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "sicherung/leser.hpp"

namespace {

void pruefen(bool bedingung) {
    if (!bedingung) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    using namespace karmo::sicherung;
    const std::string_view bytes(reinterpret_cast<const char*>(daten), groesse);
    const Gelesen g = lesen(bytes);
    if (!g.lesbar) {
        pruefen(g.stand.zeilen.empty() || g.gueltig == 0);
        return 0;
    }
    pruefen(g.gueltig <= bytes.size());
    pruefen(g.rest == (g.gueltig < bytes.size()));
    pruefen(g.stand.zeilen.size() <= k_hoechstzeilen);
    for (std::size_t i = g.stand.feldzahl(); i < g.stand.felder.size(); ++i) pruefen(!g.stand.felder[i]);

    // Only the complete entries count: reading them alone gives the same.
    const Gelesen vorne = lesen(bytes.substr(0, g.gueltig));
    pruefen(vorne.lesbar && !vorne.rest && vorne.stand == g.stand);

    // What was read, written as a snapshot, reads back the same.
    const std::string neu = schnappschuss(g.stand);
    const Gelesen wieder = lesen(neu);
    pruefen(wieder.lesbar && !wieder.rest && wieder.gueltig == neu.size() && wieder.stand == g.stand);
    return 0;
}
