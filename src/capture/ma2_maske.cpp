// The capture form of report type 2: its window and its handlers.
#include "capture/ma2_maske.hpp"

#include <array>

#include "capture/ereignisbindung.hpp"
#include "capture/fensterbau.hpp"
#include "checks/datum.hpp"
#include "checks/eingabegrenzen.hpp"
#include "checks/nummern.hpp"
#include "common/text.hpp"
#include "eventfile/dateizugriff.hpp"
#include "eventfile/speicherbarkeit.hpp"

namespace karmo {

using ui::Art;
using ui::Ctl;
using fensterbau::element;
using fensterbau::hilfe;

namespace {

constexpr Ctl k_fenster = Ctl::Keiner;
constexpr Ctl k_daten = Ctl::Veranstaltungsdaten;
// The group's tab positions run from EFN to Loeschen; the buttons follow.
constexpr int k_tab_efn = 8;
constexpr int k_tab_knoepfe = k_tab_efn + k_teilnehmerliste_tabs_ab_efn;

// The window's own controls: the button row, the frame of the event data and
// the event fields in it.
constexpr std::array<ui::Steuerelement, 25> k_maske{{
    element(Art::Schaltflaeche, Ctl::Auswahl_BTN, " Hauptmenü", k_fenster, {180, 180, 1665, 555}, 0, k_tab_knoepfe),
    element(Art::Schaltflaeche, Ctl::Speichern, "Eingegebene Daten speichern", k_fenster, {1890, 180, 1755, 555}, 0,
            k_tab_knoepfe + 1),
    element(Art::Schaltflaeche, Ctl::Senden_web, "Diese Daten zur Kammer übertragen", k_fenster,
            {3720, 180, 1950, 555}, 0, k_tab_knoepfe + 2),
    element(Art::Schaltflaeche, Ctl::Einsehen, "Schon übertragene Daten einsehen", k_fenster, {5730, 180, 1830, 555},
            0, k_tab_knoepfe + 3),
    element(Art::Schaltflaeche, Ctl::Ende, "Programm beenden", k_fenster, {7620, 180, 1290, 555}, 0,
            k_tab_knoepfe + 4),
    element(Art::Label, Ctl::Lumo, "Karmo", k_fenster, {9150, 180, 1065, 525}, 0, -1, ui::k_arial_black),
    element(Art::Rahmen, Ctl::Veranstaltungsdaten, "Daten Ihrer Veranstaltung", k_fenster, {180, 990, 10020, 7410}),
    // The number sits on the window, level with its caption inside the frame;
    // it only shows the event's number (tab index 0, but no tab stop).
    element(Art::Textfeld, Ctl::VNR, "276", k_fenster, {1170, 1470, 2676, 300}, 19, -1,
            ui::k_gesperrt | ui::k_grund_knopf),
    element(Art::Label, Ctl::Label1, "VNR", k_daten, {450, 480, 510, 270}),
    element(Art::Label, Ctl::DVONlab, "Datum von", k_daten, {120, 1305, 870, 300}),
    element(Art::Textfeld, Ctl::Datum_von, "", k_daten, {990, 1260, 1092, 336}, 10, 2),
    element(Art::Label, Ctl::Label2, "bis", k_daten, {2130, 1275, 375, 330}),
    element(Art::Textfeld, Ctl::DATUM_BIS, "", k_daten, {2520, 1260, 1128, 336}, 10, 3),
    element(Art::Label, Ctl::Lab_Dauer, "Dauer (Min)", k_daten, {3855, 1305, 960, 270}),
    element(Art::Textfeld, Ctl::Dauer, "", k_daten, {4980, 1260, 696, 336}, 4, 4),
    element(Art::Label, Ctl::Label6,
            "Erstes Datum der Veranstaltung und letztes Datum der Veranstaltung-Dauer ohne Pausen", k_daten,
            {5760, 1200, 3540, 450}),
    element(Art::Label, Ctl::Label4, "Uhrzeit von", k_daten, {75, 1665, 915, 405}),
    element(Art::Textfeld, Ctl::Uhrzeit_s, "", k_daten, {990, 1620, 1092, 336}, 5, 5),
    element(Art::Label, Ctl::Label5, "bis", k_daten, {2130, 1680, 330, 285}),
    element(Art::Textfeld, Ctl::Uhrzeit_e, "", k_daten, {2520, 1650, 1128, 336}, 5, 6),
    element(Art::Label, Ctl::Label7, "Startuhrzeit am ersten Tag und Enduhrzeit am letzten Tag", k_daten,
            {3750, 1695, 4830, 330}),
    element(Art::Label, Ctl::Label9, "Inhalt", k_daten, {450, 2160, 495, 375}),
    // Multi-line: the file format carries the content over several lines.
    element(Art::Textfeld, Ctl::Inhalt, "Inhalt der Veranstaltung. Überschrift/Schlagwörter", k_daten,
            {990, 2100, 8760, 552}, 250, 7, ui::k_mehrzeilig),
    // Below the frame, under the first two buttons of the top row.
    element(Art::Schaltflaeche, Ctl::Liste_hinzuladen, "Liste hinzuladen", k_fenster, {180, 8460, 1665, 555}, 0,
            k_tab_knoepfe + 6),
    element(Art::Schaltflaeche, Ctl::Auf_Datentraeger, "Auf Datenträger speichern", k_fenster,
            {1890, 8460, 2400, 555}, 0, k_tab_knoepfe + 7),
}};

constexpr Teilnehmerliste_Lage k_liste{
    .punkte_anfang = "",
    .rahmen = k_daten,
    .punkte = {990, 870, 1056, 336},
    .punkte_lbl = {360, 930, 660, 300},
    .label8 = {2220, 870, 5880, 270},
    .teilnehmer = {120, 2640, 9780, 4650},
    // As wide as its box: at 1710 twips the caption needs two lines, and the
    // box below leaves it room for one at no legible size.
    .label11 = {240, 240, 4335, 270},
    .efn = {240, 450, 4335, 336},
    .label13 = {270, 870, 3645, 225},
    .liste = {240, 1110, 4305, 2940},
    .frame2 = {4920, 330, 1770, 660},
    .pkt_neu = {180, 240, 570, 336},
    .pkt_korrektur = {780, 240, 885, 336},
    .frame1 = {6780, 330, 1740, 660},
    .referent = {75, 240, 444, 336},
    .ref_pkt = {570, 240, 1056, 336},
    .loeschen = {8610, 420, 876, 540},
    // Two lines: with a registration list the count goes on "(angemeldet: M von R)".
    .teilnehmerzahl = {240, 4080, 3045, 510},
    .tab_punkte = 1,
    .tab_efn = k_tab_efn,
};

// The help texts in a column right of the list.
constexpr std::array<ui::Steuerelement, 4> k_hilfetexte{{
    hilfe(0,
          "Bevor Sie die erste EFN mit dem Barcodeleser einlesen, klicken Sie bitte mit der Maus auf das Feld EFN - "
          "Erfassungs. Nach dem Scannen des Ausweises wird die EFN des Teilnehmers mit der oben angegebenen "
          "Punktezahl zur Teilnehmerliste links hinzugefügt. ",
          {4950, 1140, 4695, 1050}),
    hilfe(1,
          "Hat ein Teilnehmer nicht durchgehend an der Veranstaltung teilgenommen, kann die Punktzahl reduziert "
          "werden. Erfassen Sie diesen Teilnehmer zunächst mit dem Barcodescanner, dann Klicken Sie auf die EFN in "
          "der Liste.  Tragen Sie die neue Punktzahl in das Feld \"Basispunktekorrektur\" ein. Mit \"Korrektur\" "
          "wird dem markierten Teilnehmer die Punktzahl zugewiesen.",
          {4950, 2220, 4695, 1350}),
    hilfe(2, "Genauso können Sie einer EFN Referentenpunkte zuweisen oder eine EFN ganz aus der Liste löschen.",
          {4950, 3570, 4725, 405}),
    hilfe(4, fensterbau::k_hilfe_speichern, {4950, 4020, 4725, 405}),
}};

// Printing, beside the count under the list; in the tab order after the top row.
constexpr std::array<ui::Steuerelement, 1> k_druck{{
    element(Art::Schaltflaeche, Ctl::Drucken, "Drucken", Ctl::Teilnehmer, {3345, 4290, 1200, 345}, 0, k_tab_knoepfe + 5),
}};

// The registration list: its button beside the two for several entrances, and
// under it all the name of the last card (empty without a list).
constexpr std::array<ui::Steuerelement, 2> k_anmeldung{{
    element(Art::Schaltflaeche, Ctl::Anmeldeliste, "Anmeldeliste", k_fenster, {4335, 8460, 1575, 555}, 0,
            k_tab_knoepfe + 8),
    element(Art::Label, Ctl::Zuletzt, "", k_fenster, {6015, 8580, 4185, 300}),
}};

constexpr auto k_elemente =
    fensterbau::verbinden(k_maske, Teilnehmerliste_Elemente(k_liste), k_hilfetexte, k_druck, k_anmeldung);

constexpr std::array<Ereignisbindung<MA2_Maske>, 9> k_klicks{{
    {Ctl::Speichern, &MA2_Maske::Speichern_Click},
    {Ctl::Senden_web, &MA2_Maske::Senden_web_Click},
    {Ctl::Einsehen, &MA2_Maske::Einsehen_Click},
    {Ctl::Auswahl_BTN, &MA2_Maske::Auswahl_BTN_Click},
    {Ctl::Ende, &MA2_Maske::Ende_Click},
    {Ctl::Drucken, &MA2_Maske::Drucken_Click},
    {Ctl::Liste_hinzuladen, &MA2_Maske::Liste_hinzuladen_Click},
    {Ctl::Auf_Datentraeger, &MA2_Maske::Auf_Datentraeger_Click},
    {Ctl::Anmeldeliste, &MA2_Maske::Anmeldeliste_Click},
}};

constexpr std::array<Ereignisbindung<MA2_Maske>, 7> k_fokusverluste{{
    {Ctl::Datum_von, &MA2_Maske::Datum_von_LostFocus},
    {Ctl::DATUM_BIS, &MA2_Maske::DATUM_BIS_LostFocus},
    {Ctl::Uhrzeit_s, &MA2_Maske::Uhrzeit_s_LostFocus},
    {Ctl::Uhrzeit_e, &MA2_Maske::Uhrzeit_e_LostFocus},
    {Ctl::Dauer, &MA2_Maske::Dauer_LostFocus},
    {Ctl::VNR, &MA2_Maske::VNR_LostFocus},
    {Ctl::Inhalt, &MA2_Maske::Inhalt_LostFocus},
}};

} // namespace

constinit const ui::Formular k_MA2_Maske{
    ui::FormId::MA2_Maske, "MA2_Maske", "Karmo - Teilnehmererfassung", 10350, fensterbau::k_hoehe_mit_zweiter_reihe, 0, k_elemente};

// --- events ------------------------------------------------------------------------

void MA2_Maske::click(Ctl c) {
    if (!ausloesen<MA2_Maske>(k_klicks, *this, c)) liste_.click(c);
}

void MA2_Maske::keypress(Ctl c, int& taste) { liste_.keypress(c, taste); }

void MA2_Maske::lostfocus(Ctl c) {
    if (!ausloesen<MA2_Maske>(k_fokusverluste, *this, c)) liste_.lostfocus(c);
}

bool MA2_Maske::query_unload() { return schliessen_erlaubt(datierter_name(), "Verlassen2"); }

// --- file names ------------------------------------------------------------------------

std::string MA2_Maske::einfacher_name() { return Dateiname_einfach(zustand(), zustand().Aktuelle_VNR); }

std::string MA2_Maske::datierter_name() {
    return Dateiname_datiert(zustand(), zustand().Aktuelle_VNR, f_.text(Ctl::Datum_von));
}

// --- buttons -----------------------------------------------------------------------------

std::string MA2_Maske::speichername() {
    return zustand().Aktuelle_Meldungsart == 1 ? einfacher_name() : datierter_name();
}

void MA2_Maske::Speichern_Click() { speichern(speichername(), "Speichern2"); }

void MA2_Maske::Auf_Datentraeger_Click() { auf_datentraeger(speichername(), "Speichern2"); }

void MA2_Maske::Liste_hinzuladen_Click() { liste_hinzuladen(zustand().Aktuelle_VNR); }

void MA2_Maske::Senden_web_Click() { uebertragen(datierter_name(), "Upload2"); }

void MA2_Maske::Auswahl_BTN_Click() { zum_hauptmenue(einfacher_name(), "Verlassen2"); }

void MA2_Maske::Ende_Click() { beenden(datierter_name(), "Verlassen2"); }

// --- field checks -------------------------------------------------------------------------

void MA2_Maske::Datum_von_LostFocus() {
    if (!datum_pruefen(Ctl::Datum_von,
                       "Das Datum ist ungültig! Bitte geben Sie das Datum im Format 21.12.2006 an!")) {
        return;
    }
    // A one-day event needs its date only once.
    if (f_.text(Ctl::DATUM_BIS).empty()) f_.setze_text(Ctl::DATUM_BIS, f_.text(Ctl::Datum_von));
}

void MA2_Maske::DATUM_BIS_LostFocus() {
    if (!datum_pruefen(Ctl::DATUM_BIS, "Das Datum it ungültig! Bitte geben Sie das Datum im Format 21.12.2006 an!")) {
        return;
    }
    // Checked here only: leaving the first day after a later end date is
    // still part of correcting both.
    if (Enddatum_moeglich(f_.text(Ctl::Datum_von), f_.text(Ctl::DATUM_BIS))) return;
    p_.plattform().meldung("Das Enddatum liegt vor dem ersten Datum der Veranstaltung!");
    f_.fokus(Ctl::DATUM_BIS);
}

void MA2_Maske::Uhrzeit_s_LostFocus() { uhrzeit_pruefen(Ctl::Uhrzeit_s); }

void MA2_Maske::Uhrzeit_e_LostFocus() { uhrzeit_pruefen(Ctl::Uhrzeit_e); }

void MA2_Maske::Dauer_LostFocus() { f_.setze_text(Ctl::Dauer, Nur_Ziffern(f_.text(Ctl::Dauer))); }

// A content the event file cannot carry back is said at once; saving refuses
// it as well, so it never reaches a file.
void MA2_Maske::Inhalt_LostFocus() {
    const std::string hindernis = Wert_Hindernis(f_.text(Ctl::Inhalt), "Inhalt");
    if (hindernis.empty()) return;
    p_.plattform().meldung(hindernis);
    f_.fokus(Ctl::Inhalt);
}

bool MA2_Maske::datum_pruefen(Ctl feld, std::string_view meldung) {
    const std::string datum = Nur_Datumszeichen(f_.text(feld));
    f_.setze_text(feld, datum);
    // A single character is not taken for an attempt at a date.
    if (text::zeichenzahl(datum) < 2 || Datum_gueltig(datum)) return true;
    p_.plattform().meldung(meldung);
    f_.fokus(feld);
    return false;
}

// The colon must follow at least one digit, and the time must lie within a
// day (00:00 to 23:59).
void MA2_Maske::uhrzeit_pruefen(Ctl feld) {
    const std::string zeit = Nur_Zeitzeichen(f_.text(feld));
    f_.setze_text(feld, zeit);
    if (text::zeichenzahl(zeit) < 2) return;
    if (Uhrzeit_im_Bereich(zeit)) return;
    p_.plattform().meldung("Die Uhrzeit ist ungültig! Bitte geben Sie die Uhrzeit im Format 13:22 an!");
    f_.fokus(feld);
}

} // namespace karmo
