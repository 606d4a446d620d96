// Whether a control's caption fits the room its control gives it, and the
// largest font size that lets it fit.
#include "ui/beschriftung.hpp"

#include <algorithm>

namespace karmo::ui {
namespace {

// Pixels at `dpi` for a length of `px96` pixels at 96 dpi, rounded up: a
// margin must not shrink below what the system draws.
int skaliert(int px96, int dpi) { return (px96 * dpi + 95) / 96; }

} // namespace

std::optional<Beschriftungsraum> beschriftungsraum(Art art, int breite, int hoehe, int dpi) {
    switch (art) {
        case Art::Label:
            return Beschriftungsraum{breite, hoehe, true, false};
        case Art::Schaltflaeche: {
            // The raised edge (2 px) and the focus rectangle inside it.
            const int rand = skaliert(3, dpi);
            return Beschriftungsraum{breite - 2 * rand, hoehe - 2 * rand, true, true};
        }
        case Art::Kontrollkaestchen: {
            // The mark (13 px) and the gap to the text, which the system takes
            // from the font; 7 px covers it up to a 14 px wide digit.
            const int marke = skaliert(13 + 7, dpi);
            return Beschriftungsraum{breite - marke, hoehe, true, true};
        }
        case Art::Rahmen: {
            // The caption starts a little in from the left corner and must end
            // before the right one.
            const int ecke = skaliert(9, dpi);
            return Beschriftungsraum{breite - 2 * ecke, hoehe, false, false};
        }
        case Art::Textfeld:
        case Art::Liste:
            break;
    }
    return std::nullopt;
}

bool passt(const Beschriftungsraum& raum, int schrifthoehe, const Messung& messen) {
    const Textmass mass = messen(schrifthoehe, raum.breite);
    if (mass.breite > raum.breite || mass.hoehe > raum.hoehe) return false;
    if (!raum.umbruch || !raum.nachumbruch) return true;
    // Drawn into a box as wide as its widest line: the lines must stay.
    const Textmass nochmal = messen(schrifthoehe, mass.breite);
    return nochmal.hoehe <= mass.hoehe && nochmal.breite <= raum.breite;
}

int passende_schrifthoehe(int hoehe, int kleinste, const Beschriftungsraum& raum, const Messung& messen) {
    kleinste = std::max(1, kleinste);
    for (int h = hoehe; h > kleinste; --h) {
        if (passt(raum, h, messen)) return h;
    }
    return std::min(hoehe, kleinste);
}

Rechteck frei_von(const Rechteck& label, const Rechteck& feld) {
    const bool ueberlappt = feld.links < label.rechts && label.links < feld.rechts && feld.oben < label.unten &&
                            label.oben < feld.unten;
    Rechteck frei = label;
    if (!ueberlappt) return frei;
    if (feld.oben > label.oben) {
        frei.unten = feld.oben;
    } else if (feld.links > label.links) {
        frei.rechts = feld.links;
    }
    return frei;
}

int kleinste_schrifthoehe(int dpi) { return std::max(1, (5 * dpi + 36) / 72); }

} // namespace karmo::ui
