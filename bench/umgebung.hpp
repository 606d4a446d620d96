// The headless program over a real folder, shared by the benchmark and the command-line program it starts.
#pragma once

#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include "direkt_plattform.hpp"

#include "platform/fake/fake_plattform.hpp"
#include "state/programm.hpp"
#include "ui/fake/fake_fenster.hpp"

// The code under measurement is written alongside this program; a piece
// that is not there yet makes its rows "pending" instead of breaking the build.
#if __has_include("eventfile/dateizugriff.hpp")
#include "eventfile/dateizugriff.hpp"
#define KARMO_BENCH_DATEI 1
#else
#define KARMO_BENCH_DATEI 0
#endif
#if __has_include("capture/ma2_maske.hpp")
#include "capture/ma2_maske.hpp"
#define KARMO_BENCH_MASKE 1
#else
#define KARMO_BENCH_MASKE 0
#endif
#if __has_include("capture/hinzuladen.hpp")
#include "capture/hinzuladen.hpp"
#include "sicherung/sicherung.hpp"
#define KARMO_BENCH_HINZULADEN 1
#else
#define KARMO_BENCH_HINZULADEN 0
#endif
#if __has_include("capture/ma1_maske.hpp")
#include "capture/ma1_maske.hpp"
#define KARMO_BENCH_MASKE1 1
#else
#define KARMO_BENCH_MASKE1 0
#endif

namespace bench {

namespace fs = std::filesystem;
namespace ui = karmo::ui;

// --- the program, headless, over a real folder -------------------------------------------------

// Stand-ins for the windows the measured paths may touch but do not use
// (the main menu after a failed load, the file dialog's list).
inline constexpr ui::Steuerelement k_dateiliste_elemente[] = {
    {ui::Art::Liste, ui::Ctl::Dateiliste, -1, "", ui::Ctl::Keiner, 120, 120, 6000, 4000, 0, 0, 0},
};

inline const ui::Formular& deklaration(ui::FormId id) {
#if KARMO_BENCH_MASKE
    if (id == ui::FormId::MA2_Maske) return karmo::k_MA2_Maske;
#endif
#if KARMO_BENCH_MASKE1
    if (id == ui::FormId::MA1_Maske) return karmo::k_MA1_Maske;
#endif
    static const auto leere = [] {
        std::array<ui::Formular, ui::k_formzahl> f{};
        for (int i = 0; i < ui::k_formzahl; ++i) {
            f[static_cast<std::size_t>(i)] = ui::Formular{static_cast<ui::FormId>(i), "Stellvertreter", "Karmo", 7000, 5000, 0, {}};
        }
        f[static_cast<std::size_t>(ui::FormId::Dateidialog)].elemente = k_dateiliste_elemente;
        return f;
    }();
    return leere[static_cast<std::size_t>(id)];
}

template <class P>
struct UmgebungMit {
    explicit UmgebungMit(const fs::path& wurzel) : plattform(wurzel), formulare(host, deklaration), programm(plattform, formulare) {
        formulare.setze_fabrik([this](ui::FormId id, ui::Fenster& f) -> std::unique_ptr<ui::Formularlogik> {
#if KARMO_BENCH_MASKE
            if (id == ui::FormId::MA2_Maske) return std::make_unique<karmo::MA2_Maske>(programm, f);
#endif
#if KARMO_BENCH_MASKE1
            if (id == ui::FormId::MA1_Maske) return std::make_unique<karmo::MA1_Maske>(programm, f);
#endif
            (void)id;
            (void)f;
            return std::make_unique<ui::Formularlogik>();
        });
        formulare.setze_fehlerbehandlung([](const std::exception& e) {
            throw std::runtime_error(std::string("Fehler im Handler: ") + e.what());
        });
        programm.zustand().Basisverzeichnis = std::string(karmo::k_basisverzeichnis);
        programm.zustand().Lade_Zweck = 1;
    }

    ui::FakeFenster& fenster(ui::FormId id) { return dynamic_cast<ui::FakeFenster&>(programm.form(id)); }

    P plattform;
    ui::FakeHost host;
    ui::Formularsammlung formulare;
    karmo::Programm programm;
};
using Umgebung = UmgebungMit<karmo::FakePlattform>;
// Diagnosis: the same program over a lean platform instead of the test double.
using DirektUmgebung = UmgebungMit<DirektPlattform>;

[[noreturn]] inline void abbruch(const std::string& text) {
    throw std::runtime_error(text);
}

#if KARMO_BENCH_DATEI && KARMO_BENCH_MASKE
// Loads "c:\<name>" as the file dialog would, row 0 of the list.
template <class U>
void laden(U& u, const std::string& windows_pfad) {
    u.programm.zustand().Dateiliste_Pfade.assign(1, windows_pfad);
    karmo::Veranstaltung_laden(u.programm, 0);
    if (!u.plattform.meldungen.empty()) abbruch("Laden meldet: " + u.plattform.meldungen.back());
}
#endif

// Peak resident set of this process since its start (this address space
// only, unlike ru_maxrss, which also counts the parent's image before exec).
inline long spitze_kib() {
    std::ifstream status("/proc/self/status");
    std::string zeile;
    while (std::getline(status, zeile)) {
        if (zeile.rfind("VmHWM:", 0) == 0) return std::stol(zeile.substr(6));
    }
    return -1;
}

} // namespace bench
