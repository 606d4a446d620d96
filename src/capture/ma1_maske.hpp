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

private:
    std::string einfacher_name();
    // The only name taken from the VNR box rather than the open event.
    std::string name_aus_vnr_feld();
};

} // namespace karmo
