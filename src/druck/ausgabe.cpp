// Running a print job: dialog, pages, progress, errors.
#include "druck/ausgabe.hpp"

#include <algorithm>
#include <memory>

#include "druck/anmeldeliste.hpp"
#include "druck/anwesenheitsliste.hpp"
#include "druck/bescheinigungen.hpp"
#include "druck/code39.hpp"
#include "druck/strichcode.hpp"

namespace karmo::druck {
namespace {

// Hundredths of a millimetre to pixels.
int pixel(int v, int dpi) { return static_cast<int>((static_cast<long long>(v) * dpi + 1270) / 2540); }

Druckschrift schrift(Schrift s, int dpi) { return {std::max(1, pixel(s.hoehe, dpi)), s.fett}; }

std::string mit_grund(std::string satz, const Ergebnis& e) {
    if (e.text.empty()) return satz + " (Fehler " + std::to_string(e.nummer) + ")";
    return satz + " " + e.text;
}

std::string dokumentname(const Druckdaten& d, Druckart art) {
    switch (art) {
        case Druckart::Anwesenheitsliste:
            return "Anwesenheitsliste " + d.vnr;
        case Druckart::Bescheinigungen:
            return "Teilnahmebescheinigungen " + d.vnr;
        case Druckart::Anmeldeliste:
            break;
    }
    return "Anmeldeliste " + d.vnr;
}

} // namespace

// Rounded up, and a pixel more: text placed against an edge stays inside it
// however its left edge rounds to pixels.
int Druckermass::breite(std::string_view text, Schrift s) const {
    if (s.hoehe != zuletzt_.hoehe || s.fett != zuletzt_.fett) {
        zuletzt_ = s;
        zuletzt_px_ = schrift(s, dpi_y_);
    }
    const long long px = a_.textbreite(text, zuletzt_px_) + 1;
    // In 32 bits where they do (a line's width does): a list measures every row.
    if (px >= 0 && px < 800000) {
        return static_cast<int>((static_cast<unsigned>(px) * 2540U + static_cast<unsigned>(dpi_x_) - 1U) /
                                static_cast<unsigned>(dpi_x_));
    }
    return static_cast<int>((px * 2540 + dpi_x_ - 1) / dpi_x_);
}

void zeichnen(const Seite& s, Druckauftrag& a) {
    const int dx = a.dpi_x();
    const int dy = a.dpi_y();
    // Edges, not sizes, are converted: touching lines still touch.
    for (const Balken& b : s.balken) {
        const int x0 = pixel(b.x, dx);
        const int y0 = pixel(b.y, dy);
        a.balken(x0, y0, std::max(1, pixel(b.x + b.breite, dx) - x0), std::max(1, pixel(b.y + b.hoehe, dy) - y0));
    }
    const Strichmass sm = Strichmass::fuer(dx);
    for (const Strichcode& c : s.codes) {
        const int x0 = pixel(c.x, dx);
        const int y0 = pixel(c.y, dy);
        const int h = pixel(c.y + c.hoehe, dy) - y0;
        for (const code39::Strich& st : code39::striche(c.text, sm.schmal, sm.breit)) a.balken(x0 + st.anfang, y0, st.breite, h);
    }
    for (const Textstueck& t : s.texte) a.text(pixel(t.x, dx), pixel(t.y, dy), t.text, schrift(t.schrift, dy));
}

std::string Meldung_dialog(const Ergebnis& e) {
    return mit_grund("Der Druckdialog konnte nicht geöffnet werden:", e);
}
std::string Meldung_beginn(const Ergebnis& e) {
    return mit_grund("Der Ausdruck konnte nicht begonnen werden:", e);
}
std::string Meldung_seite(int seite, const Ergebnis& e) {
    return mit_grund("Der Ausdruck wurde abgebrochen, weil Seite " + std::to_string(seite) +
                         " nicht an den Drucker gesendet werden konnte:",
                     e);
}
std::string Meldung_ende(const Ergebnis& e) {
    return mit_grund("Der Ausdruck konnte nicht abgeschlossen werden:", e);
}
std::string Meldung_keine_seiten(int von, int seiten) {
    return "Es wurde nichts gedruckt: Der Ausdruck hat " + std::to_string(seiten) + (seiten == 1 ? " Seite" : " Seiten") +
           ", gewählt war ab Seite " + std::to_string(von) + ".";
}

Druckausgang Drucken(Plattform& p, const Druckdaten& d, Druckart art) {
    if (art == Druckart::Bescheinigungen && d.teilnehmer.empty()) {
        p.meldung(k_keine_bescheinigungen);
        return Druckausgang::Nicht_gedruckt;
    }
    Drucker* drucker = p.drucker();
    if (!drucker) {
        p.meldung(k_kein_drucker);
        return Druckausgang::Nicht_gedruckt;
    }
    Druckwahl wahl = drucker->dialog();
    switch (wahl.ausgang) {
        case Druckwahl::Ausgang::Abgebrochen:
            return Druckausgang::Abgebrochen;
        case Druckwahl::Ausgang::Kein_Drucker:
            p.meldung(k_kein_drucker);
            return Druckausgang::Nicht_gedruckt;
        case Druckwahl::Ausgang::Fehler:
            p.meldung(Meldung_dialog(wahl.fehler));
            return Druckausgang::Nicht_gedruckt;
        case Druckwahl::Ausgang::Drucken:
            break;
    }
    Druckauftrag& a = *wahl.auftrag;
    const Druckermass mass(a);
    const Strichmass sm = Strichmass::fuer(a.dpi_x());
    std::unique_ptr<Druckwerk> werk;
    if (art == Druckart::Anwesenheitsliste) {
        werk = std::make_unique<Anwesenheitsliste>(d, mass, sm);
    } else if (art == Druckart::Bescheinigungen) {
        werk = std::make_unique<Bescheinigungen>(d, mass, sm);
    } else {
        werk = std::make_unique<Anmeldeliste>(d, mass, sm);
    }
    const int seiten = werk->seitenzahl();
    const int von = wahl.von > 0 ? wahl.von : 1;
    const int bis = wahl.bis > 0 ? std::min(wahl.bis, seiten) : seiten;
    if (von > bis) {
        p.meldung(Meldung_keine_seiten(von, seiten));
        return Druckausgang::Nicht_gedruckt;
    }

    if (Ergebnis e = a.beginnen(dokumentname(d, art)); !e.ok()) {
        p.meldung(Meldung_beginn(e));
        return Druckausgang::Nicht_gedruckt;
    }
    const int anzahl = bis - von + 1;
    const bool lang = anzahl >= k_fortschritt_ab;
    const auto abbrechen = [&] {
        a.abbrechen();
        if (lang) a.fortschritt_schliessen();
    };
    for (int k = von; k <= bis; ++k) {
        if (lang && !a.fortschritt(k - von + 1, anzahl)) {
            abbrechen();
            return Druckausgang::Abgebrochen;
        }
        Ergebnis e = a.seite_beginnen();
        if (e.ok()) {
            zeichnen(werk->seite(k), a);
            e = a.seite_beenden();
        }
        if (!e.ok()) {
            abbrechen();
            p.meldung(Meldung_seite(k, e));
            return Druckausgang::Nicht_gedruckt;
        }
    }
    if (lang) a.fortschritt_schliessen();
    if (Ergebnis e = a.beenden(); !e.ok()) {
        p.meldung(Meldung_ende(e));
        return Druckausgang::Nicht_gedruckt;
    }
    return Druckausgang::Gedruckt;
}

} // namespace karmo::druck
