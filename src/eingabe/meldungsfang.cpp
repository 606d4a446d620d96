// The keys of an open message box: which belong to a card, and what the card does to the box.
#include "eingabe/meldungsfang.hpp"

namespace karmo::eingabe {

Boxschritt Meldungsfang::taste(Taste t, char ziffer, std::uint32_t zeit) {
    const Entscheidung e = erkennung_.taste(t, ziffer, zeit);
    if (t == Taste::Ziffer) return Boxschritt::Schlucken;
    if (e != Entscheidung::Scan) return Boxschritt::Weiter;
    if (!nimmt_karten_) return Boxschritt::Schlucken;
    karten_.push_back(erkennung_.ziffern());
    return art_ == Boxart::Hinweis ? Boxschritt::Schliessen : Boxschritt::Schlucken;
}

} // namespace karmo::eingabe
