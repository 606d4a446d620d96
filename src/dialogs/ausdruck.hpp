// The window Ausdruck: which printout, then the print dialog; and what a printout takes from the open capture form.
#pragma once

#include <string>

#include "anmeldung/register.hpp"
#include "dialogs/ausdruck_angaben.hpp"
#include "druck/druckdaten.hpp"
#include "state/programm.hpp"
#include "ui/formular.hpp"

namespace karmo {

extern const ui::Formular k_Ausdruck;

// The open event as the capture form `form` holds it now, saved or not;
// with its registration list `r`, each participant it knows with a name.
druck::Druckdaten Druckdaten_lesen(const Zustand& z, const ui::Fenster& form,
                                   const anmeldung::Anmelderegister* r = nullptr);
// The door list: every registration in the window Anmeldeliste's order, and the counts under it.
void Tuerliste_fuellen(druck::Druckdaten& d, const anmeldung::Anmelderegister& r);
// The table's proposed name: "<VNR>.csv", for report type 2 "<VNR>_<Datum von>.csv".
std::string Tabellenname(const druck::Druckdaten& d);

class Ausdruck final : public ui::Formularlogik {
public:
    Ausdruck(Programm& p, ui::Fenster& fenster) : p_(p), f_(fenster) {}

    void click(ui::Ctl c) override;
    void keypress(ui::Ctl c, int& taste) override;
    void form_activate() override;
    // The close box is Abbrechen: the window stays loaded for the next time.
    bool query_unload() override;
    // Opened in the capture form's place: a card scanned meanwhile goes to its list.
    std::optional<ui::FormId> vertritt_erfassung() const override;

    void Weiter_Click();
    void CancelButton_Click();

private:
    // The capture form of the open event, shown again with the focus in EFN.
    ui::Fenster& zurueck();
    Ausdruck_Angaben angaben_merken();
    void tabelle_speichern(const druck::Druckdaten& d, const anmeldung::Anmelderegister* r);

    Programm& p_;
    ui::Fenster& f_;
    Ausdruck_Angaben gemerkt_; // as the file holds them
};

} // namespace karmo
