// The capture form of report type 1: event number, points and participants.
#pragma once

#include <string>

#include "capture/erfassungsmaske.hpp"
#include "ui/steuerelemente.hpp"

namespace karmo {

extern const ui::Formular k_MA1_Maske;

class MA1_Maske final : public Erfassungsmaske {
public:
    MA1_Maske(Programm& p, ui::Fenster& f) : Erfassungsmaske(p, f) {}

    void click(ui::Ctl c) override;
    void keypress(ui::Ctl c, int& taste) override;
    void lostfocus(ui::Ctl c) override;
    bool query_unload() override;

    void Speichern_Click();
    void Senden_Click();
    void Hauptmenue_Click();
    void Ende_Click();
    void Liste_hinzuladen_Click();
    void Auf_Datentraeger_Click();
    // This form's number box can be edited: a number that passes the check
    // becomes the event's number (Aktuelle_VNR).
    void VNR_LostFocus();

private:
    std::string einfacher_name();
    // Before a save: the number the file will be named after and hold must
    // have passed the check. The box's digits when it holds more than the
    // prefix (the close box comes without the box's own check), else the
    // event's number. False after the check's message, with the focus in VNR.
    bool nummer_bereit();
};

} // namespace karmo
