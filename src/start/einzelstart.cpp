// The decision of a start that found another program holding the single-start lock.
#include "start/einzelstart.hpp"

namespace karmo {

Zweiter_Start Einzelstart_entscheiden(const Laufendes_Programm& l, std::chrono::milliseconds frist,
                                      std::chrono::milliseconds takt) {
    if (l.fenster_nach_vorne()) return Zweiter_Start::Fenster_gezeigt;
    if (takt <= std::chrono::milliseconds{0}) takt = std::chrono::milliseconds{1};
    for (std::chrono::milliseconds gewartet{0}; gewartet < frist; gewartet += takt) {
        l.warten(takt);
        // The lock first: a program that has ended may still show its window for a moment.
        if (l.sperre_nehmen()) return Zweiter_Start::Starten;
        if (l.fenster_nach_vorne()) return Zweiter_Start::Fenster_gezeigt;
    }
    return Zweiter_Start::Melden;
}

} // namespace karmo
