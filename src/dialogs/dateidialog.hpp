// The list of saved events: a click on a row loads that event.
#pragma once

#include "state/programm.hpp"
#include "ui/formular.hpp"

namespace karmo {

extern const ui::Formular k_Dateidialog;

class Dateidialog final : public ui::Formularlogik {
public:
    Dateidialog(Programm& p, ui::Fenster& fenster);

    void click(ui::Ctl c) override;
    void form_unload() override { Form_Unload(); }

    void Dateiliste_Click();
    void CancelButton_Click();
    void Form_Unload();

private:
    Programm& p_;
    ui::Fenster& f_;
};

} // namespace karmo
