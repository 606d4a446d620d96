// The capture form of report type 1: its window and its handlers.
#include "capture/ma1_maske.hpp"

#include <array>

#include "capture/ereignisbindung.hpp"
#include "capture/fensterbau.hpp"
#include "checks/nummern.hpp"
#include "common/text.hpp"
#include "eventfile/dateizugriff.hpp"

namespace karmo {

using ui::Art;
using ui::Ctl;
using fensterbau::element;
using fensterbau::hilfe;

namespace {

constexpr Ctl k_fenster = Ctl::Keiner;
constexpr Ctl k_daten = Ctl::Veranstaltungsdaten;
constexpr int k_tab_efn = 2;
constexpr int k_tab_knoepfe = k_tab_efn + k_teilnehmerliste_tabs_ab_efn;

constexpr std::array<ui::Steuerelement, 12> k_maske{{
    element(Art::Schaltflaeche, Ctl::Hauptmenue, " Hauptmenü", k_fenster, {180, 210, 1575, 555}, 0, k_tab_knoepfe),
    element(Art::Schaltflaeche, Ctl::Speichern, "Eingegebene Daten speichern", k_fenster, {1800, 210, 1845, 555}, 0,
            k_tab_knoepfe + 1),
    element(Art::Schaltflaeche, Ctl::Senden, "Diese Daten zur Kammer übertragen", k_fenster, {3720, 210, 2070, 555},
            0, k_tab_knoepfe + 2),
    element(Art::Schaltflaeche, Ctl::Einsehen, "Schon übertragene Daten einsehen", k_fenster, {5910, 210, 1830, 555},
            0, k_tab_knoepfe + 3),
    element(Art::Schaltflaeche, Ctl::Ende, "Programm beenden", k_fenster, {7800, 210, 1320, 555}, 0,
            k_tab_knoepfe + 4),
    element(Art::Label, Ctl::Lumo, "Karmo", k_fenster, {9180, 210, 1065, 525}, 0, -1, ui::k_arial_black),
    element(Art::Rahmen, Ctl::Veranstaltungsdaten, "Daten Ihrer Veranstaltung", k_fenster, {180, 990, 9990, 7410}),
    // Editable here, but left out of the tab order (tab index 0, no tab stop).
    element(Art::Textfeld, Ctl::VNR, "276", k_fenster, {1170, 1440, 2676, 300}, 19, -1, ui::k_grund_224),
    element(Art::Label, Ctl::Label1, "VNR", k_daten, {450, 480, 510, 270}),
    element(Art::Label, Ctl::Label3,
            "Veranstaltungsnummer, 19-stellig. Diese Nummer wurde Ihnen von Ihrer Kammer auf dem "
            "Anerkennungs-/Akkreditierungsbescheid mitgeteilt",
            k_daten, {3840, 270, 5970, 750}),
    // Below the frame, under the first two buttons of the top row.
    element(Art::Schaltflaeche, Ctl::Liste_hinzuladen, "Liste hinzuladen", k_fenster, {180, 8460, 1575, 555}, 0,
            k_tab_knoepfe + 6),
    element(Art::Schaltflaeche, Ctl::Auf_Datentraeger, "Auf Datenträger speichern", k_fenster,
            {1800, 8460, 2400, 555}, 0, k_tab_knoepfe + 7),
}};

constexpr Teilnehmerliste_Lage k_liste{
    .punkte_anfang = "0",
    .rahmen = k_daten,
    .punkte = {990, 870, 1056, 336},
    .punkte_lbl = {360, 930, 660, 300},
    .label8 = {2250, 990, 5880, 270},
    .teilnehmer = {120, 1320, 9780, 5940},
    .label11 = {300, 210, 3540, 270},
    .efn = {240, 420, 3045, 336},
    .label13 = {270, 870, 3645, 225},
    .liste = {180, 1110, 4590, 4140},
    .frame2 = {4890, 270, 1770, 660},
    .pkt_neu = {180, 240, 570, 336},
    .pkt_korrektur = {780, 240, 885, 336},
    .frame1 = {6750, 270, 1740, 660},
    .referent = {90, 240, 444, 336},
    .ref_pkt = {570, 240, 1056, 336},
    .loeschen = {8640, 360, 876, 540},
    // Two lines: with a registration list the count goes on "(angemeldet: M von R)".
    .teilnehmerzahl = {180, 5280, 3330, 510},
    .tab_punkte = 1,
    .tab_efn = k_tab_efn,
};

constexpr std::array<ui::Steuerelement, 4> k_hilfetexte{{
    hilfe(0,
          "Bevor Sie den ersten Teilnehmer-Barcode mit dem Barcodeleser einlesen, klicken Sie bitte mit der Maus auf "
          "das EFN - Erfassungs-Feld. Nach dem Scannen des Ausweises wird die EFN des Teilnehmers mit der oben "
          "angegebenen Punktezahl zur Teilnehmerliste links hinzugefügt. ",
          {4920, 1110, 4695, 1470}),
    hilfe(1,
          "Hat ein Teilnehmer nicht von Anfang bis Ende an dem Termin teilgenommen, so ist die Punktzahl anteilig zu "
          "reduzieren. Klicken Sie hierzu auf die EFN in der Liste und tragen Sie die neue Punktzahl in das Feld "
          "\"Basispunktekorrektur\" ein. Mit \"Korrektur\" wird dem Teilnehmer die Punktzahl zugewiesen.",
          {4920, 2580, 4695, 1500}),
    hilfe(2, "Genauso können Sie einer EFN Referentenpunkte zuweisen oder aus der Liste löschen.",
          {4890, 4080, 4725, 525}),
    hilfe(4, fensterbau::k_hilfe_speichern, {4890, 4740, 4725, 465}),
}};

// Printing, beside the count under the list; in the tab order after the top row.
constexpr std::array<ui::Steuerelement, 1> k_druck{{
    element(Art::Schaltflaeche, Ctl::Drucken, "Drucken", Ctl::Teilnehmer, {3570, 5490, 1200, 345}, 0, k_tab_knoepfe + 5),
}};

// The registration list: its button beside the two for several entrances, and
// under it all the name of the last card (empty without a list).
constexpr std::array<ui::Steuerelement, 2> k_anmeldung{{
    element(Art::Schaltflaeche, Ctl::Anmeldeliste, "Anmeldeliste", k_fenster, {4245, 8460, 1575, 555}, 0,
            k_tab_knoepfe + 8),
    element(Art::Label, Ctl::Zuletzt, "", k_fenster, {5925, 8580, 4275, 300}),
}};

constexpr auto k_elemente =
    fensterbau::verbinden(k_maske, Teilnehmerliste_Elemente(k_liste), k_hilfetexte, k_druck, k_anmeldung);

constexpr std::array<Ereignisbindung<MA1_Maske>, 9> k_klicks{{
    {Ctl::Speichern, &MA1_Maske::Speichern_Click},
    {Ctl::Senden, &MA1_Maske::Senden_Click},
    {Ctl::Einsehen, &MA1_Maske::Einsehen_Click},
    {Ctl::Hauptmenue, &MA1_Maske::Hauptmenue_Click},
    {Ctl::Ende, &MA1_Maske::Ende_Click},
    {Ctl::Drucken, &MA1_Maske::Drucken_Click},
    {Ctl::Liste_hinzuladen, &MA1_Maske::Liste_hinzuladen_Click},
    {Ctl::Auf_Datentraeger, &MA1_Maske::Auf_Datentraeger_Click},
    {Ctl::Anmeldeliste, &MA1_Maske::Anmeldeliste_Click},
}};

constexpr std::array<Ereignisbindung<MA1_Maske>, 1> k_fokusverluste{{
    {Ctl::VNR, &MA1_Maske::VNR_LostFocus},
}};

} // namespace

constinit const ui::Formular k_MA1_Maske{
    ui::FormId::MA1_Maske, "MA1_Maske", "Karmo Teilnehmererfassung", 10350, fensterbau::k_hoehe_mit_zweiter_reihe, 0, k_elemente};

// --- events ------------------------------------------------------------------------

void MA1_Maske::click(Ctl c) {
    if (!ausloesen<MA1_Maske>(k_klicks, *this, c)) liste_.click(c);
}

void MA1_Maske::keypress(Ctl c, int& taste) { liste_.keypress(c, taste); }

void MA1_Maske::lostfocus(Ctl c) {
    if (!ausloesen<MA1_Maske>(k_fokusverluste, *this, c)) liste_.lostfocus(c);
}

bool MA1_Maske::query_unload() {
    if (mehr_als_praefix() && !nummer_bereit()) return false;
    return schliessen_erlaubt(einfacher_name(), "Verlassen1");
}

// --- file names ------------------------------------------------------------------------

// Every save names the file after the event's number, which is also the
// number the file holds.
std::string MA1_Maske::einfacher_name() { return Dateiname_einfach(zustand(), zustand().Aktuelle_VNR); }

// --- buttons -----------------------------------------------------------------------------

void MA1_Maske::Speichern_Click() {
    if (nummer_bereit()) speichern(einfacher_name(), "Speichern1");
}

void MA1_Maske::Senden_Click() {
    if (nummer_bereit()) uebertragen(einfacher_name(), "Upload1");
}

void MA1_Maske::Auf_Datentraeger_Click() {
    if (nummer_bereit()) auf_datentraeger(einfacher_name(), "Speichern1");
}

void MA1_Maske::Liste_hinzuladen_Click() {
    if (nummer_bereit()) liste_hinzuladen(zustand().Aktuelle_VNR);
}

void MA1_Maske::Hauptmenue_Click() {
    if (nummer_bereit()) zum_hauptmenue(einfacher_name(), "Verlassen1");
}

// With no more than the prefix in the box nothing is saved, as before.
void MA1_Maske::Ende_Click() {
    if (mehr_als_praefix() && !nummer_bereit()) return;
    beenden(einfacher_name(), "Verlassen1");
}

// --- event number ----------------------------------------------------------------------

void MA1_Maske::VNR_LostFocus() {
    const std::string vnr = Nur_Ziffern(f_.text(Ctl::VNR));
    f_.setze_text(Ctl::VNR, vnr);
    // The bare prefix "276" is what a new form shows: not a number to check.
    if (text::zeichenzahl(vnr) == 3) return;
    if (Nummer_pruefen(p_.plattform(), vnr, "VNR")) {
        zustand().Aktuelle_VNR = vnr;
    } else {
        f_.fokus(Ctl::VNR);
    }
}

bool MA1_Maske::nummer_bereit() {
    std::string vnr = Nur_Ziffern(f_.text(Ctl::VNR));
    if (vnr.size() > 3) {
        f_.setze_text(Ctl::VNR, vnr);
    } else {
        vnr = zustand().Aktuelle_VNR;
    }
    if (!Nummer_pruefen(p_.plattform(), vnr, "VNR")) {
        f_.fokus(Ctl::VNR);
        return false;
    }
    zustand().Aktuelle_VNR = vnr;
    return true;
}

} // namespace karmo
