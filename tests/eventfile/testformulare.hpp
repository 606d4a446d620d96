// Small stand-ins for the capture forms, the main menu and the file dialog, holding the controls the event file uses.
#pragma once

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/fake/fake_plattform.hpp"
#include "state/programm.hpp"
#include "ui/fake/fake_fenster.hpp"
#include "ui/formular.hpp"

namespace karmo::testformulare {

using ui::Art;
using ui::Ctl;

inline constexpr std::array<ui::Steuerelement, 4> k_ma1{{
    {Art::Textfeld, Ctl::VNR, -1, "", Ctl::Keiner, 0, 0, 100, 100, 19, 0, ui::k_stil_keiner},
    {Art::Textfeld, Ctl::Punkte, -1, "0", Ctl::Keiner, 0, 0, 100, 100, 3, 1, ui::k_stil_keiner},
    {Art::Liste, Ctl::Teilnehmerliste, -1, "", Ctl::Keiner, 0, 0, 100, 100, 0, 2, ui::k_stil_keiner},
    {Art::Label, Ctl::Teilnehmerzahl, -1, "", Ctl::Keiner, 0, 0, 100, 100, 0, -1, ui::k_stil_keiner},
}};

inline constexpr std::array<ui::Steuerelement, 10> k_ma2{{
    {Art::Textfeld, Ctl::VNR, -1, "", Ctl::Keiner, 0, 0, 100, 100, 19, 0, ui::k_stil_keiner},
    {Art::Textfeld, Ctl::Datum_von, -1, "", Ctl::Keiner, 0, 0, 100, 100, 10, 1, ui::k_stil_keiner},
    {Art::Textfeld, Ctl::DATUM_BIS, -1, "", Ctl::Keiner, 0, 0, 100, 100, 10, 2, ui::k_stil_keiner},
    {Art::Textfeld, Ctl::Uhrzeit_s, -1, "", Ctl::Keiner, 0, 0, 100, 100, 5, 3, ui::k_stil_keiner},
    {Art::Textfeld, Ctl::Uhrzeit_e, -1, "", Ctl::Keiner, 0, 0, 100, 100, 5, 4, ui::k_stil_keiner},
    {Art::Textfeld, Ctl::Dauer, -1, "", Ctl::Keiner, 0, 0, 100, 100, 4, 5, ui::k_stil_keiner},
    {Art::Textfeld, Ctl::Inhalt, -1, "", Ctl::Keiner, 0, 0, 100, 100, 0, 6, ui::k_mehrzeilig},
    {Art::Textfeld, Ctl::Punkte, -1, "", Ctl::Keiner, 0, 0, 100, 100, 3, 7, ui::k_stil_keiner},
    {Art::Liste, Ctl::Teilnehmerliste, -1, "", Ctl::Keiner, 0, 0, 100, 100, 0, 8, ui::k_stil_keiner},
    {Art::Label, Ctl::Teilnehmerzahl, -1, "", Ctl::Keiner, 0, 0, 100, 100, 0, -1, ui::k_stil_keiner},
}};

inline constexpr std::array<ui::Steuerelement, 1> k_auswahl{{
    {Art::Schaltflaeche, Ctl::Neu, -1, "Neu", Ctl::Keiner, 0, 0, 100, 100, 0, 0, ui::k_stil_keiner},
}};

inline constexpr std::array<ui::Steuerelement, 1> k_dateidialog{{
    {Art::Liste, Ctl::Dateiliste, -1, "", Ctl::Keiner, 0, 0, 100, 100, 0, 0, ui::k_stil_keiner},
}};

inline const ui::Formular& deklaration(ui::FormId id) {
    static const ui::Formular ma1{ui::FormId::MA1_Maske, "MA1_Maske", "Test", 1000, 1000, 0, k_ma1};
    static const ui::Formular ma2{ui::FormId::MA2_Maske, "MA2_Maske", "Test", 1000, 1000, 0, k_ma2};
    static const ui::Formular dialog{ui::FormId::Dateidialog, "Dateidialog", "Test", 1000, 1000, 0, k_dateidialog};
    static const ui::Formular auswahl{ui::FormId::Auswahl, "Auswahl", "Test", 1000, 1000, 0, k_auswahl};
    switch (id) {
    case ui::FormId::MA1_Maske: return ma1;
    case ui::FormId::MA2_Maske: return ma2;
    case ui::FormId::Dateidialog: return dialog;
    default: return auswahl;
    }
}

// A program on the fake platform and headless windows, base directory set.
struct Umgebung {
    FakePlattform pl;
    ui::FakeHost host;
    ui::Formularsammlung formulare{host, &deklaration};
    Programm p{pl, formulare};

    Umgebung() { p.zustand().Basisverzeichnis = "c:\\zelva\\"; }

    ui::FakeFenster& form(ui::FormId id) { return dynamic_cast<ui::FakeFenster&>(p.form(id)); }
    ui::FakeFenster& ma1() { return form(ui::FormId::MA1_Maske); }
    ui::FakeFenster& ma2() { return form(ui::FormId::MA2_Maske); }
};

} // namespace karmo::testformulare
