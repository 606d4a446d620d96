// Names of windows and controls, and the data a window is declared with.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace karmo::ui {

// Every window of the program.
enum class FormId : std::uint8_t {
    Einrichtung,
    Update,
    Auswahl,
    VNR_Eingabe,
    Kat_Auswahl,
    Dateidialog,
    MA1_Maske,
    MA2_Maske,
    Ausdruck,
    Anmeldeliste,
};
inline constexpr int k_formzahl = 10;

// Every control name used by any window. A handler names a control by one of
// these, so a misspelt name does not compile.
enum class Ctl : std::uint8_t {
    Keiner, // the window itself, as a container
    // capture forms
    Lumo, Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9,
    Label10, Label11, Label13, VNR, Veranstaltungsdaten, DVONlab, Datum_von,
    DATUM_BIS, Uhrzeit_s, Uhrzeit_e, Lab_Dauer, Dauer, Inhalt, Einsehen,
    Speichern, Senden_web, Senden, Auswahl_BTN, Hauptmenue, Ende,
    Liste_hinzuladen, Auf_Datentraeger, // several entrances, one event
    // participant-list group
    Punkte, Punkte_lbl, Teilnehmer, EFN, Teilnehmerliste, Frame2, PKT_neu,
    PKT_Korrektur, Frame1, referent, Ref_PKT, Loeschen,
    Teilnehmerzahl,
    // setup and update
    Ueberschrift, Text1, Startmenue, Desktop, Anlegen, neindanke,
    // navigation dialogs
    Neu, Laden, Uebertragen, VNR_FELD, Weiter, CancelButton, Kategorie,
    Akkred_VA, Dateiliste,
    // printing
    Drucken, Anwesenheitsliste, Bescheinigungen,
    // the registration list: the capture forms' button and label, and its window
    Anmeldeliste, Zuletzt, Suchlabel, Suche, Treffer, Trefferzahl, Nur_offene, Erfassen, Entfernen,
    Schliessen,
    // Ausdruck's choices and boxes for the names
    Tuerliste, Tabelle, Veranstalter_lbl, Veranstalter, Ort_lbl, Ort,
};

enum class Art : std::uint8_t {
    Label,
    Rahmen,           // frame (group box)
    Textfeld,         // text box
    Liste,            // list box: single selection, unsorted
    Kontrollkaestchen, // check box
    Schaltflaeche,    // command button
};

// Style bits of a control (or of a window, for its default font).
enum Stil : std::uint32_t {
    k_stil_keiner = 0,
    k_fett = 1U << 0,          // bold
    k_arial = 1U << 1,         // font Arial
    k_arial_black = 1U << 2,   // font Arial Black, large (the logo)
    k_ms_sans_serif = 1U << 3, // font MS Sans Serif
    k_mehrzeilig = 1U << 4,    // multi-line text box
    k_gesperrt = 1U << 5,      // locked (read-only) text box
    k_grund_knopf = 1U << 6,   // background: the system's button-face colour
    k_grund_224 = 1U << 7,     // background: light grey (224, 224, 224)
    k_markiert = 1U << 8,      // check box checked at start
    k_option = 1U << 9,        // check box drawn as an option button: one of the window's options is chosen
    k_vorgabe = 1U << 10,      // the button that Enter clicks wherever the focus is
    k_abbruch = 1U << 11,      // the button that Escape clicks
    k_doppelklick = 1U << 12,  // list box: a double click on a line presses the default button
};

// One control as declared: kind, name (with index for control arrays and
// same-named labels, else -1), caption or initial text, container, position
// and size in twips relative to the inside of its container, maximum length
// (0 = none), tab index (-1 = not a tab stop), style bits.
struct Steuerelement {
    Art art;
    Ctl name;
    std::int8_t index;
    std::string_view text;
    Ctl container;
    int links;
    int oben;
    int breite;
    int hoehe;
    int maxlaenge;
    int tabindex;
    std::uint32_t stil;
};

struct Formular {
    FormId id;
    std::string_view name;  // "MA2_Maske"
    std::string_view titel; // caption
    int breite;             // client area, twips
    int hoehe;
    std::uint32_t stil;     // default font of the window's controls
    std::span<const Steuerelement> elemente;
};

// Twips to pixels at the screen's resolution.
constexpr int pixel(int twips, int dpi) { return (twips * dpi + 720) / 1440; }

} // namespace karmo::ui
