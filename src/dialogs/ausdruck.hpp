// The window Ausdruck: which printout, then the print dialog; and what a printout takes from the open capture form.
#pragma once

#include "druck/druckdaten.hpp"
#include "state/programm.hpp"
#include "ui/formular.hpp"

namespace karmo {

extern const ui::Formular k_Ausdruck;

// The open event as the capture form `form` holds it now, saved or not.
druck::Druckdaten Druckdaten_lesen(const Zustand& z, const ui::Fenster& form);

class Ausdruck final : public ui::Formularlogik {
public:
    Ausdruck(Programm& p, ui::Fenster& fenster) : p_(p), f_(fenster) {}

    void click(ui::Ctl c) override;
    // The close box is Abbrechen: the window stays loaded for the next time.
    bool query_unload() override;
    // Opened in the capture form's place: a card scanned meanwhile goes to its list.
    std::optional<ui::FormId> vertritt_erfassung() const override;

    void Weiter_Click();
    void CancelButton_Click();

private:
    // The capture form of the open event, shown again with the focus in EFN.
    ui::Fenster& zurueck();

    Programm& p_;
    ui::Fenster& f_;
};

} // namespace karmo
