// First step of a new event: the event number is entered and its chamber found.
#pragma once

#include "state/programm.hpp"
#include "ui/formular.hpp"

namespace karmo {

extern const ui::Formular k_VNR_Eingabe;

class VNR_Eingabe final : public ui::Formularlogik {
public:
    VNR_Eingabe(Programm& p, ui::Fenster& fenster);

    void click(ui::Ctl c) override;
    void keypress(ui::Ctl c, int& taste) override;
    void form_unload() override { Form_Unload(); }

    void VNR_FELD_KeyPress(int& KeyAscii);
    void Weiter_Click();
    void CancelButton_Click();
    void Form_Unload();

private:
    Programm& p_;
    ui::Fenster& f_;
};

} // namespace karmo
