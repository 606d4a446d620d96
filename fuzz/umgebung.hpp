// What every fuzz target shares: a program on the in-memory platform, and the checks that stop a run.
#pragma once

#include <cstdlib>
#include <cstdio>
#include <string>

#include "platform/fake/speicher_plattform.hpp"
#include "state/programm.hpp"
#include "ui/fake/fake_fenster.hpp"
#include "ui/formular.hpp"

namespace karmo::fuzz {

// A property that does not hold: say which one, and stop the run so that
// libFuzzer keeps the input.
#define KARMO_PRUEFEN(bedingung)                                                                   \
    do {                                                                                           \
        if (!(bedingung)) {                                                                        \
            std::fprintf(stderr, "Eigenschaft verletzt: %s (%s:%d)\n", #bedingung, __FILE__, __LINE__); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// A program on the in-memory platform with headless windows, base directory
// set. No input touches the disk.
struct Programmumgebung {
    SpeicherPlattform pl;
    ui::FakeHost host;
    ui::Formularsammlung formulare;
    Programm p{pl, formulare};

    explicit Programmumgebung(ui::Formularsammlung::Deklarationen deklarationen)
        : formulare(host, std::move(deklarationen)) {
        p.zustand().Basisverzeichnis = "c:\\zelva\\";
    }

    ui::FakeFenster& form(ui::FormId id) { return dynamic_cast<ui::FakeFenster&>(p.form(id)); }
};

} // namespace karmo::fuzz
