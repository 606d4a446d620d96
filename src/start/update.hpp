// The update window: replaces an installed program file of another version by the running one.
#pragma once

#include "state/programm.hpp"
#include "ui/formular.hpp"

namespace karmo {

extern const ui::Formular k_Update;

class Update final : public ui::Formularlogik {
public:
    Update(Programm& p, ui::Fenster& fenster);

    void click(ui::Ctl c) override;
    void form_unload() override { Form_Unload(); }

    void Anlegen_Click();
    void neindanke_Click();
    void Form_Unload();

private:
    // Raises karmo::Fehler for every failure; Anlegen_Click reports it.
    void aktualisieren();
    void zum_hauptmenue();

    Programm& p_;
    ui::Fenster& f_;
};

} // namespace karmo
