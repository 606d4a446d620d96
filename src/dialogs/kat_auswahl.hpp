// Second step of a new event: the category fixes the report type and the capture form.
#pragma once

#include "state/programm.hpp"
#include "ui/formular.hpp"

namespace karmo {

extern const ui::Formular k_Kat_Auswahl;

class Kat_Auswahl final : public ui::Formularlogik {
public:
    Kat_Auswahl(Programm& p, ui::Fenster& fenster);

    void click(ui::Ctl c) override;
    void form_unload() override { Form_Unload(); }

    void Weiter_Click();
    void Form_Unload();

private:
    void ma2_vorbereiten();
    void ma1_vorbereiten();

    Programm& p_;
    ui::Fenster& f_;
};

} // namespace karmo
