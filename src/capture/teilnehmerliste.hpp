// The participant-list group that both capture forms share: its controls and its handlers.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "capture/efn_verzeichnis.hpp"
#include "state/programm.hpp"
#include "ui/fenster.hpp"
#include "ui/steuerelemente.hpp"

namespace karmo {

// --- declaration -------------------------------------------------------------

// Position and size in twips, relative to the inside of the container.
struct Lage {
    int links;
    int oben;
    int breite;
    int hoehe;
};

// What differs between the two forms: where the group's controls sit, the
// initial points text, the frame that holds Punkte and Teilnehmer, and the
// tab positions of Punkte and EFN (the rest of the group follows EFN).
struct Teilnehmerliste_Lage {
    std::string_view punkte_anfang;
    ui::Ctl rahmen;
    Lage punkte, punkte_lbl, label8, teilnehmer, label11, efn, label13, liste;
    Lage frame2, pkt_neu, pkt_korrektur, frame1, referent, ref_pkt, loeschen;
    Lage teilnehmerzahl;
    int tab_punkte;
    int tab_efn;
};

// Most lines the participant list holds (list positions are 16-bit).
inline constexpr int k_listenhoechstzahl = 32767;

inline constexpr std::size_t k_teilnehmerliste_elemente = 16;
// Tab positions taken by the group from EFN on: EFN, the list and the five
// controls of the correction frames.
inline constexpr int k_teilnehmerliste_tabs_ab_efn = 7;

// The group's rows, containers before their contents. Names, kinds, texts and
// limits are the same in both forms.
constexpr std::array<ui::Steuerelement, k_teilnehmerliste_elemente>
Teilnehmerliste_Elemente(const Teilnehmerliste_Lage& l) {
    using ui::Art;
    using ui::Ctl;
    const auto zeile = [](Art art, Ctl name, std::string_view text, Ctl container, Lage g, int max, int tab) {
        return ui::Steuerelement{art, name, -1, text, container, g.links, g.oben, g.breite, g.hoehe, max, tab,
                                 ui::k_stil_keiner};
    };
    const int t = l.tab_efn;
    return {{
        zeile(Art::Textfeld, Ctl::Punkte, l.punkte_anfang, l.rahmen, l.punkte, 3, l.tab_punkte),
        zeile(Art::Label, Ctl::Punkte_lbl, "Punkte", l.rahmen, l.punkte_lbl, 0, -1),
        zeile(Art::Label, Ctl::Label8, "Fortbildungspunkte laut Akkreditierungs-/Anerkennungsbescheid", l.rahmen,
              l.label8, 0, -1),
        zeile(Art::Rahmen, Ctl::Teilnehmer, "Teilnehmer", l.rahmen, l.teilnehmer, 0, -1),
        zeile(Art::Label, Ctl::Label11, "EFN Erfassung (Barcode des Teilnehmers):", Ctl::Teilnehmer, l.label11, 0, -1),
        zeile(Art::Textfeld, Ctl::EFN, "", Ctl::Teilnehmer, l.efn, 15, t),
        zeile(Art::Label, Ctl::Label13, "Erfasste EFN (Basis-/Referentenpunkte)", Ctl::Teilnehmer, l.label13, 0, -1),
        zeile(Art::Liste, Ctl::Teilnehmerliste, "", Ctl::Teilnehmer, l.liste, 0, t + 1),
        zeile(Art::Rahmen, Ctl::Frame2, "Basispunktekorrektur", Ctl::Teilnehmer, l.frame2, 0, -1),
        zeile(Art::Textfeld, Ctl::PKT_neu, "", Ctl::Frame2, l.pkt_neu, 3, t + 2),
        zeile(Art::Schaltflaeche, Ctl::PKT_Korrektur, "Korrektur", Ctl::Frame2, l.pkt_korrektur, 0, t + 3),
        zeile(Art::Rahmen, Ctl::Frame1, "Referentenpunkte", Ctl::Teilnehmer, l.frame1, 0, -1),
        zeile(Art::Textfeld, Ctl::referent, "", Ctl::Frame1, l.referent, 2, t + 4),
        zeile(Art::Schaltflaeche, Ctl::Ref_PKT, "Hinzufügen", Ctl::Frame1, l.ref_pkt, 0, t + 5),
        zeile(Art::Schaltflaeche, Ctl::Loeschen, "EFN löschen", Ctl::Teilnehmer, l.loeschen, 0, t + 6),
        zeile(Art::Label, Ctl::Teilnehmerzahl, "Erfasste Teilnehmer: 0", Ctl::Teilnehmer, l.teilnehmerzahl, 0, -1),
    }};
}

// --- handlers ------------------------------------------------------------------

class Gelesene_Liste;
struct Hinzuladebilanz;

// The group's event handlers, owned by the capture form whose window holds
// the controls. The list box is the only store of the participants.
class Teilnehmerliste {
public:
    Teilnehmerliste(Programm& p, ui::Fenster& f) : p_(p), f_(f) {}

    // Forward the form's events; false when the event is none of the group's.
    bool click(ui::Ctl c);
    bool keypress(ui::Ctl c, int& taste);
    bool lostfocus(ui::Ctl c);

    void EFN_KeyPress(int& KeyAscii);
    void EFN_LostFocus();
    // A scan typed elsewhere: captured exactly as if typed into an empty EFN.
    // A number the list holds already gets its message; a new one finds the
    // list full at k_listenhoechstzahl lines and is refused with a message
    // (EFN emptied, nothing journaled).
    void scannen(std::string_view ziffern);
    void Teilnehmerliste_Click();
    void Punkte_LostFocus();
    void PKT_Korrektur_Click();
    void Ref_PKT_Click();
    void Loeschen_Click();

    // Whether a line of the list has exactly `EFN` as its first 15 characters.
    bool test_vorhanden(const std::string& EFN);

    // Takes the participants of another list of the same event in, in one
    // pass over its lines (hinzuladen.cpp): a new one is appended, and every
    // line is counted in `bilanz`. Journaled as scans are.
    void hinzuladen(const Gelesene_Liste& andere, Hinzuladebilanz& bilanz);

private:
    // Rewrites the selected line with new base or speaker points; the shared
    // steps of the two correction buttons.
    enum class Haelfte { Basis, Referent };
    void korrigieren(Haelfte h, ui::Ctl feld, std::string_view ohne_auswahl, std::string_view ohne_wert);
    void melden(std::string_view text);
    // Captures what EFN holds; the focus stays there for the next scan.
    void erfassen();

    Programm& p_;
    ui::Fenster& f_;
    EFN_Verzeichnis verzeichnis_;
    std::string zuletzt_; // the label under the list, its room kept from scan to scan
};

} // namespace karmo
