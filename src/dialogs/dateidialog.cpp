// The file dialog's window and handlers.
#include "dialogs/dateidialog.hpp"

#include <array>

#include "eventfile/dateizugriff.hpp"
#include "sicherung/sicherung.hpp"

namespace karmo {

using ui::Art;
using ui::Ctl;

namespace {

constexpr std::array<ui::Steuerelement, 4> k_elemente{{
    {Art::Label, Ctl::Label1, -1, "Folgende Veranstaltungsdaten wurden gefunden:", Ctl::Keiner, 300, 120, 5190, 300, 0,
     -1, ui::k_ms_sans_serif},
    {Art::Liste, Ctl::Dateiliste, -1, "", Ctl::Keiner, 270, 480, 5235, 3960, 0, 0, ui::k_stil_keiner},
    {Art::Label, Ctl::Label2, -1,
     "Die Daten der links aufgeführten VNR wurden gefunden. Bitte wählen Sie die Veranstaltung, welche Sie laden "
     "möchten durch einen Klick mit der linken Maustaste aus oder wählen Sie Abbrechen, um zurück zur Hauptansicht zu "
     "gelangen.",
     Ctl::Keiner, 5640, 1200, 1965, 2355, 0, -1, ui::k_stil_keiner},
    {Art::Schaltflaeche, Ctl::CancelButton, -1, "Abbrechen", Ctl::Keiner, 5670, 4080, 1995, 375, 0, 1,
     ui::k_stil_keiner},
}};

} // namespace

const ui::Formular k_Dateidialog{ui::FormId::Dateidialog, "Dateidialog", "Veranstaltungsdaten laden", 7740, 4785,
                                 ui::k_stil_keiner,       k_elemente};

Dateidialog::Dateidialog(Programm& p, ui::Fenster& fenster) : p_(p), f_(fenster) {}

void Dateidialog::click(Ctl c) {
    switch (c) {
        case Ctl::Dateiliste:
            Dateiliste_Click();
            break;
        case Ctl::CancelButton:
            CancelButton_Click();
            break;
        default:
            break;
    }
}

void Dateidialog::Dateiliste_Click() {
    const int zeile = f_.listenindex(Ctl::Dateiliste);
    if (zeile < 0) return;
    f_.verbergen();
    // The loader shows the capture form, or after a failure the main menu.
    // A loaded event is saved as it stands: nothing to journal yet.
    Sicherung_neu_beginnen(p_, [&] { Veranstaltung_laden(p_, zeile); });
}

void Dateidialog::CancelButton_Click() {
    f_.verbergen();
    p_.form(ui::FormId::Auswahl).zeigen();
}

void Dateidialog::Form_Unload() { p_.form(ui::FormId::Auswahl).zeigen(); }

} // namespace karmo
