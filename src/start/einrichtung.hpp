// The first-time setup window: base directory, program file, settings and shortcuts.
#pragma once

#include "state/programm.hpp"
#include "ui/formular.hpp"

namespace karmo {

extern const ui::Formular k_Einrichtung;

class Einrichtung final : public ui::Formularlogik {
public:
    Einrichtung(Programm& p, ui::Fenster& fenster);

    void click(ui::Ctl c) override;
    void form_unload() override { Form_Unload(); }

    void Anlegen_Click();
    void neindanke_Click();
    void Form_Unload();

private:
    // Raises karmo::Fehler for every failure; Anlegen_Click reports it.
    void einrichten();

    Programm& p_;
    ui::Fenster& f_;
};

} // namespace karmo
