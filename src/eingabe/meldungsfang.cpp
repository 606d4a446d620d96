// The keys of an open window while a capture form is open: which belong to a card, and what the card does there.
#include "eingabe/meldungsfang.hpp"

namespace karmo::eingabe {

Boxschritt Meldungsfang::taste(Taste t, char ziffer, std::uint32_t zeit) {
    if (art_ == Boxart::Fenster && !nimmt_karten_) return Boxschritt::Weiter;
    const Entscheidung e = erkennung_.taste(t, ziffer, zeit);
    switch (e) {
        case Entscheidung::Halten:
            return art_ == Boxart::Fenster ? Boxschritt::Halten : Boxschritt::Schlucken;
        case Entscheidung::Neu:
            return art_ == Boxart::Fenster ? Boxschritt::Neu : Boxschritt::Schlucken;
        case Entscheidung::Freigeben:
            // A digit let go at once only follows a run that was no card; a
            // box has no use for it either.
            return art_ != Boxart::Fenster && t == Taste::Ziffer ? Boxschritt::Schlucken : Boxschritt::Weiter;
        case Entscheidung::Ueberlang:
            return Boxschritt::Schlucken;
        case Entscheidung::Scan:
            break;
    }
    if (!nimmt_karten_) return Boxschritt::Schlucken;
    karten_.push_back(erkennung_.ziffern());
    return art_ == Boxart::Hinweis ? Boxschritt::Schliessen : Boxschritt::Schlucken;
}

} // namespace karmo::eingabe
