// The event-number dialog: filter, check, chamber look-up, category list.
#include "dialogs/vnr_eingabe.hpp"

#include <array>
#include <cstdint>
#include <string>

#include "checks/nummern.hpp"

namespace karmo {

using ui::Art;
using ui::Ctl;

namespace {

constexpr std::array<ui::Steuerelement, 5> k_elemente{{
    {Art::Label, Ctl::Label1, -1, "Bitte tragen Sie die Veranstaltungsnummer(VNR) in das folgende Feld ein:",
     Ctl::Keiner, 270, 240, 7155, 405, 0, -1, ui::k_stil_keiner},
    {Art::Textfeld, Ctl::VNR_FELD, -1, "", Ctl::Keiner, 1800, 900, 4065, 405, 19, 0, ui::k_stil_keiner},
    {Art::Label, Ctl::Label2, -1,
     "Die VNR ist 19-stellig und beginnt mit 276. Sie finden diese auf dem Akkreditierungsbescheid der "
     "akkreditierenden Kammer. Tipp: Manche Kammern drucken die VNR auch als Barcode auf das Schreiben. Wenn Sie "
     "einen Barcodescanner besitzen, können Sie die Nummer schnell und bequem von dort in das Feld einlesen!",
     Ctl::Keiner, 510, 1500, 6855, 1245, 0, -1, ui::k_stil_keiner},
    {Art::Schaltflaeche, Ctl::CancelButton, -1, "Abbrechen", Ctl::Keiner, 570, 2910, 2355, 525, 0, 2,
     ui::k_stil_keiner},
    {Art::Schaltflaeche, Ctl::Weiter, -1, "Weiter zur Eingabe", Ctl::Keiner, 4680, 2880, 2565, 525, 0, 1,
     ui::k_stil_keiner},
}};

} // namespace

const ui::Formular k_VNR_Eingabe{
    ui::FormId::VNR_Eingabe, "VNR_Eingabe", "Eingabe der VNR", 7590, 3615, ui::k_arial, k_elemente};

VNR_Eingabe::VNR_Eingabe(Programm& p, ui::Fenster& fenster) : p_(p), f_(fenster) {}

void VNR_Eingabe::click(Ctl c) {
    switch (c) {
        case Ctl::Weiter:
            Weiter_Click();
            break;
        case Ctl::CancelButton:
            CancelButton_Click();
            break;
        default:
            break;
    }
}

void VNR_Eingabe::keypress(Ctl c, int& taste) {
    if (c == Ctl::VNR_FELD) VNR_FELD_KeyPress(taste);
}

// A barcode scanner ends its digits with Enter, which submits the number.
void VNR_Eingabe::VNR_FELD_KeyPress(int& KeyAscii) {
    if (KeyAscii == 13) Weiter_Click();
}

void VNR_Eingabe::Weiter_Click() {
    const std::string vnr = Nur_Ziffern(f_.text(Ctl::VNR_FELD));
    f_.setze_text(Ctl::VNR_FELD, vnr);
    if (vnr.empty()) return;
    if (!Nummer_pruefen(p_.plattform(), vnr, "VNR")) {
        f_.fokus(Ctl::VNR_FELD);
        return;
    }

    Zustand& z = p_.zustand();
    const int slot = Kammer_suchen(z, vnr);
    if (slot == 0) {
        // The current event's values stay as they were.
        p_.plattform().meldung("Die akkreditierende Kammer dieser Veranstaltung unterstützt ZELVA noch nicht.");
        p_.form(ui::FormId::Auswahl).zeigen();
        f_.verbergen();
        return;
    }

    z.Aktuelle_Kammer = static_cast<std::uint8_t>(slot);
    z.Aktuelle_VNR = vnr;
    const Kammer& kammer = z.Kammerkatalog.at(static_cast<std::size_t>(slot));
    ui::Fenster& kat = p_.form(ui::FormId::Kat_Auswahl);
    kat.liste_leeren(Ctl::Kategorie);
    for (std::size_t k = 1; k <= kammer.Kategorienanzahl; ++k) {
        kat.zeile_anfuegen(Ctl::Kategorie, kammer.Kategorien.at(k).Bezeichnung);
    }
    // The tick itself is kept for the next event; only the offer changes.
    kat.setze_aktiviert(Ctl::Akkred_VA, kammer.Akkred_VA_erlaubt);
    kat.zeigen();
    f_.verbergen();
}

void VNR_Eingabe::CancelButton_Click() {
    f_.verbergen();
    p_.form(ui::FormId::Auswahl).zeigen();
}

void VNR_Eingabe::Form_Unload() { p_.form(ui::FormId::Auswahl).zeigen(); }

} // namespace karmo
