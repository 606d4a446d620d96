// The capture form of report type 2: event number, points, dates, times, duration, content and participants.
#pragma once

#include <string>
#include <string_view>

#include "capture/erfassungsmaske.hpp"
#include "ui/steuerelemente.hpp"

namespace karmo {

extern const ui::Formular k_MA2_Maske;

class MA2_Maske final : public Erfassungsmaske {
public:
    MA2_Maske(Programm& p, ui::Fenster& f) : Erfassungsmaske(p, f) {}

    void click(ui::Ctl c) override;
    void keypress(ui::Ctl c, int& taste) override;
    void lostfocus(ui::Ctl c) override;
    bool query_unload() override;

    void Datum_von_LostFocus();
    void DATUM_BIS_LostFocus();
    void Uhrzeit_s_LostFocus();
    void Uhrzeit_e_LostFocus();
    void Dauer_LostFocus();
    void Inhalt_LostFocus();
    void Speichern_Click();
    void Senden_web_Click();
    void Auswahl_BTN_Click();
    void Ende_Click();
    void Liste_hinzuladen_Click();
    void Auf_Datentraeger_Click();

private:
    // Filters the field and checks it; on a fault shows `meldung` and keeps
    // the focus in the field. True when the text passes.
    bool datum_pruefen(ui::Ctl feld, std::string_view meldung);
    void uhrzeit_pruefen(ui::Ctl feld);
    std::string einfacher_name();
    std::string datierter_name();
    // Where "Eingegebene Daten speichern" saves.
    std::string speichername();
};

} // namespace karmo
