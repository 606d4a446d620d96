// The main menu's window and handlers.
#include "dialogs/auswahl.hpp"

#include <array>

#include "eventfile/dateizugriff.hpp"

namespace karmo {

using ui::Art;
using ui::Ctl;

namespace {

constexpr std::array<ui::Steuerelement, 5> k_elemente{{
    {Art::Label, Ctl::Label1, -1, "Sie haben folgende Auswahlmöglichkeiten:", Ctl::Keiner, 780, 330, 6855, 435, 0, -1,
     ui::k_stil_keiner},
    {Art::Schaltflaeche, Ctl::Neu, -1, "Eine neue Teilnehmerliste anlegen", Ctl::Keiner, 1350, 1050, 5775, 555, 0, 0,
     ui::k_stil_keiner},
    {Art::Schaltflaeche, Ctl::Laden, -1, "Bereits erfasste Teilnehmerliste öffnen", Ctl::Keiner, 1350, 1710, 5775, 495,
     0, 1, ui::k_stil_keiner},
    {Art::Schaltflaeche, Ctl::Uebertragen, -1, "Eine bereits erfasste Teilnehmerliste übertragen", Ctl::Keiner, 1350,
     2340, 5775, 525, 0, 2, ui::k_stil_keiner},
    {Art::Schaltflaeche, Ctl::Ende, -1, "Programm schließen", Ctl::Keiner, 2610, 3180, 3405, 525, 0, 3,
     ui::k_stil_keiner},
}};

} // namespace

const ui::Formular k_Auswahl{ui::FormId::Auswahl, "Auswahl", "Karmo Version 1.05", 8520, 4095, ui::k_arial, k_elemente};

Auswahl::Auswahl(Programm& p, ui::Fenster& fenster) : p_(p), f_(fenster) {}

void Auswahl::click(Ctl c) {
    switch (c) {
        case Ctl::Neu:
            Neu_Click();
            break;
        case Ctl::Laden:
            Laden_Click();
            break;
        case Ctl::Uebertragen:
            Uebertragen_Click();
            break;
        case Ctl::Ende:
            Ende_Click();
            break;
        default:
            break;
    }
}

void Auswahl::Neu_Click() {
    ui::Fenster& eingabe = p_.form(ui::FormId::VNR_Eingabe);
    eingabe.setze_text(Ctl::VNR_FELD, "");
    eingabe.zeigen();
    f_.verbergen();
}

void Auswahl::Laden_Click() { dateiliste_zeigen(1); }

void Auswahl::Uebertragen_Click() { dateiliste_zeigen(2); }

void Auswahl::dateiliste_zeigen(std::uint8_t zweck) {
    Zustand& z = p_.zustand();
    z.Lade_Zweck = zweck;
    ui::Fenster& dialog = p_.form(ui::FormId::Dateidialog);
    // Every event file of the data folder, row r and path r together; files
    // that are not event files leave no gap.
    Dateiliste_aufbauen(p_, dialog);
    dialog.zeigen();
    f_.verbergen();
}

void Auswahl::Ende_Click() { p_.Programm_beenden(); }

void Auswahl::Form_Unload() { p_.Programm_beenden(); }

} // namespace karmo
