// Test surroundings for the setup and update windows: fake platform, headless windows, a stand-in main menu.
#pragma once

#include <memory>

#include "platform/fake/fake_plattform.hpp"
#include "start/einrichtung.hpp"
#include "start/update.hpp"
#include "ui/fake/fake_fenster.hpp"

namespace karmo::test {

// The main menu without controls: these tests only look at whether it is shown.
inline const ui::Formular& fenster_deklaration(ui::FormId id) {
    static const ui::Formular k_leer{ui::FormId::Auswahl, "Auswahl", "Karmo", 1000, 1000, 0, {}};
    if (id == ui::FormId::Einrichtung) return k_Einrichtung;
    if (id == ui::FormId::Update) return k_Update;
    return k_leer;
}

struct FensterUmgebung {
    FakePlattform pl;
    ui::FakeHost host;
    ui::Formularsammlung sammlung{host, fenster_deklaration};
    Programm p{pl, sammlung};

    FensterUmgebung() {
        sammlung.setze_fabrik([this](ui::FormId id, ui::Fenster& f) -> std::unique_ptr<ui::Formularlogik> {
            if (id == ui::FormId::Einrichtung) return std::make_unique<Einrichtung>(p, f);
            if (id == ui::FormId::Update) return std::make_unique<Update>(p, f);
            return nullptr;
        });
        Kammern_initialisieren(p.zustand());
        p.zustand().Basisverzeichnis = "c:\\zelva\\";
        pl.datei_ablegen(pl.exe, "neues Programm");
    }

    ui::FakeFenster& zeigen(ui::FormId id) {
        auto& f = dynamic_cast<ui::FakeFenster&>(p.form(id));
        f.zeigen();
        return f;
    }
    bool sichtbar(ui::FormId id) { return sammlung.geladen(id) && p.form(id).sichtbar(); }
    bool beendet() const { return sammlung.endet() && sammlung.leer(); }
};

} // namespace karmo::test
