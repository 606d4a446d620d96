// Headless surroundings for the navigation dialogs: fake platform, headless windows, catalogue filled.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "dialogs/auswahl.hpp"
#include "dialogs/dateidialog.hpp"
#include "dialogs/kat_auswahl.hpp"
#include "dialogs/vnr_eingabe.hpp"
#include "platform/fake/fake_plattform.hpp"
#include "state/programm.hpp"
#include "ui/fake/fake_fenster.hpp"

namespace karmo::dialogtest {

using ui::Art;
using ui::Ctl;
using ui::FormId;

// Stand-ins for the capture forms with just the controls the dialogs and the
// loader address. The type-1 form lacks the type-2 fields on purpose: the
// headless window refuses a control it does not have.
inline constexpr std::array<ui::Steuerelement, 4> k_ma1_elemente{{
    {Art::Textfeld, Ctl::VNR, -1, "alt", Ctl::Keiner, 0, 0, 100, 100, 0, 0, ui::k_stil_keiner},
    {Art::Textfeld, Ctl::Punkte, -1, "alt", Ctl::Keiner, 0, 0, 100, 100, 0, 1, ui::k_stil_keiner},
    {Art::Liste, Ctl::Teilnehmerliste, -1, "", Ctl::Keiner, 0, 0, 100, 100, 0, 2, ui::k_stil_keiner},
    {Art::Label, Ctl::Teilnehmerzahl, -1, "", Ctl::Keiner, 0, 0, 100, 100, 0, -1, ui::k_stil_keiner},
}};
inline constexpr std::array<ui::Steuerelement, 10> k_ma2_elemente{{
    {Art::Textfeld, Ctl::VNR, -1, "alt", Ctl::Keiner, 0, 0, 100, 100, 0, 0, ui::k_stil_keiner},
    {Art::Textfeld, Ctl::Punkte, -1, "alt", Ctl::Keiner, 0, 0, 100, 100, 0, 1, ui::k_stil_keiner},
    {Art::Textfeld, Ctl::Datum_von, -1, "alt", Ctl::Keiner, 0, 0, 100, 100, 0, 2, ui::k_stil_keiner},
    {Art::Textfeld, Ctl::DATUM_BIS, -1, "alt", Ctl::Keiner, 0, 0, 100, 100, 0, 3, ui::k_stil_keiner},
    {Art::Textfeld, Ctl::Uhrzeit_s, -1, "alt", Ctl::Keiner, 0, 0, 100, 100, 0, 4, ui::k_stil_keiner},
    {Art::Textfeld, Ctl::Uhrzeit_e, -1, "alt", Ctl::Keiner, 0, 0, 100, 100, 0, 5, ui::k_stil_keiner},
    {Art::Textfeld, Ctl::Dauer, -1, "alt", Ctl::Keiner, 0, 0, 100, 100, 0, 6, ui::k_stil_keiner},
    {Art::Textfeld, Ctl::Inhalt, -1, "alt", Ctl::Keiner, 0, 0, 100, 100, 0, 7, ui::k_mehrzeilig},
    {Art::Liste, Ctl::Teilnehmerliste, -1, "", Ctl::Keiner, 0, 0, 100, 100, 0, 8, ui::k_stil_keiner},
    {Art::Label, Ctl::Teilnehmerzahl, -1, "", Ctl::Keiner, 0, 0, 100, 100, 0, -1, ui::k_stil_keiner},
}};
inline const ui::Formular k_ma1_ersatz{FormId::MA1_Maske, "MA1_Maske", "MA1", 1000, 1000, ui::k_arial, k_ma1_elemente};
inline const ui::Formular k_ma2_ersatz{FormId::MA2_Maske, "MA2_Maske", "MA2", 1000, 1000, ui::k_arial, k_ma2_elemente};
inline const ui::Formular k_leer_einrichtung{FormId::Einrichtung, "Einrichtung", "", 1000, 1000, 0, {}};
inline const ui::Formular k_leer_update{FormId::Update, "Update", "", 1000, 1000, 0, {}};

inline const ui::Formular& deklaration(FormId id) {
    switch (id) {
        case FormId::Auswahl:
            return k_Auswahl;
        case FormId::VNR_Eingabe:
            return k_VNR_Eingabe;
        case FormId::Kat_Auswahl:
            return k_Kat_Auswahl;
        case FormId::Dateidialog:
            return k_Dateidialog;
        case FormId::MA1_Maske:
            return k_ma1_ersatz;
        case FormId::MA2_Maske:
            return k_ma2_ersatz;
        case FormId::Einrichtung:
            return k_leer_einrichtung;
        case FormId::Update:
        case FormId::Ausdruck:
        case FormId::Anmeldeliste:
            return k_leer_update;
    }
    return k_leer_update;
}

// The capture forms get no handlers here: the dialogs only fill their boxes.
inline std::unique_ptr<ui::Formularlogik> logik(Programm& p, FormId id, ui::Fenster& f) {
    switch (id) {
        case FormId::Auswahl:
            return std::make_unique<Auswahl>(p, f);
        case FormId::VNR_Eingabe:
            return std::make_unique<VNR_Eingabe>(p, f);
        case FormId::Kat_Auswahl:
            return std::make_unique<Kat_Auswahl>(p, f);
        case FormId::Dateidialog:
            return std::make_unique<Dateidialog>(p, f);
        default:
            return nullptr;
    }
}

// Valid event numbers (check digit correct) of the two chambers and of an
// unsupported one.
inline constexpr std::string_view k_vnr_norvia = "2767501234567890125";
inline constexpr std::string_view k_vnr_seltavia = "2767701234567890123";
inline constexpr std::string_view k_vnr_seltavia_2 = "2767700000000000013";
inline constexpr std::string_view k_vnr_fremd = "2767601234567890124";

struct DialogUmgebung {
    FakePlattform pl;
    ui::FakeHost host;
    ui::Formularsammlung formulare{host, deklaration};
    Programm p{pl, formulare};

    DialogUmgebung() {
        Kammern_initialisieren(p.zustand());
        p.zustand().Basisverzeichnis = "c:\\zelva\\";
        formulare.setze_fabrik([this](FormId id, ui::Fenster& f) { return logik(p, id, f); });
    }

    ui::FakeFenster& fenster(FormId id) { return dynamic_cast<ui::FakeFenster&>(p.form(id)); }

    // The main menu on screen, as after start-up.
    ui::FakeFenster& hauptmenue() {
        ui::FakeFenster& a = fenster(FormId::Auswahl);
        a.zeigen();
        return a;
    }

    // Main menu → Neu → number typed and Enter (as a scanner sends it).
    void vnr_eingeben(std::string_view eingabe) {
        hauptmenue().klicken(Ctl::Neu);
        fenster(FormId::VNR_Eingabe).tippen(Ctl::VNR_FELD, std::string(eingabe) + "\r");
    }
};

} // namespace karmo::dialogtest
