// The main menu: new event, open or transfer a saved event, end the program.
#pragma once

#include <cstdint>

#include "state/programm.hpp"
#include "ui/formular.hpp"

namespace karmo {

extern const ui::Formular k_Auswahl;

class Auswahl final : public ui::Formularlogik {
public:
    Auswahl(Programm& p, ui::Fenster& fenster);

    void click(ui::Ctl c) override;
    void form_unload() override { Form_Unload(); }

    void Neu_Click();
    void Laden_Click();
    void Uebertragen_Click();
    void Ende_Click();
    void Form_Unload();

private:
    // Lists the saved events in the file dialog for the given purpose
    // (1 open, 2 transfer) and moves on to it.
    void dateiliste_zeigen(std::uint8_t zweck);

    Programm& p_;
    ui::Fenster& f_;
};

} // namespace karmo
