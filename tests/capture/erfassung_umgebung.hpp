// Test bed for the capture forms: headless windows, the platform double and a running program.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "capture/ma1_maske.hpp"
#include "capture/ma2_maske.hpp"
#include "platform/fake/fake_plattform.hpp"
#include "state/programm.hpp"
#include "ui/fake/fake_fenster.hpp"

namespace karmo::test {

inline constexpr const char* k_vnr = "2760123456789012344";
inline constexpr const char* k_efn = "123456789012347";
inline constexpr const char* k_efn2 = "100000000000009"; // another valid EFN
inline constexpr const char* k_efn3 = "987654321098767";
// Where a save of k_vnr goes: the plain name, and the dated one of a type-2
// event on its first day.
inline constexpr const char* k_einfach = "c:\\zelva\\Daten\\2760123456789012344.XML";
inline constexpr const char* k_datiert = "c:\\zelva\\Daten\\2760123456789012344_21.12.2006.XML";

// The user enters the field, replaces its text and leaves it for `nach`.
inline void verlassen(ui::FakeFenster& f, ui::Ctl feld, std::string_view text, ui::Ctl nach) {
    f.benutzer_fokus(feld);
    f.setze_text(feld, "");
    f.tippen(feld, text);
    f.benutzer_fokus(nach);
}

// Every window other than the capture forms is a plain stand-in.
inline const ui::Formular& erfassung_deklaration(ui::FormId id) {
    static constexpr std::array<ui::Steuerelement, 1> k_leer{{
        {ui::Art::Label, ui::Ctl::Text1, -1, "", ui::Ctl::Keiner, 0, 0, 100, 100, 0, -1, ui::k_stil_keiner},
    }};
    static const std::array<ui::Formular, ui::k_formzahl> andere = [] {
        std::array<ui::Formular, ui::k_formzahl> a{};
        for (int i = 0; i < ui::k_formzahl; ++i) {
            a[static_cast<std::size_t>(i)] = {static_cast<ui::FormId>(i), "Andere", "", 1000, 1000, 0, k_leer};
        }
        return a;
    }();
    if (id == ui::FormId::MA1_Maske) return k_MA1_Maske;
    if (id == ui::FormId::MA2_Maske) return k_MA2_Maske;
    return andere[static_cast<std::size_t>(id)];
}

struct Erfassung {
    FakePlattform pl;
    ui::FakeHost host;
    ui::Formularsammlung sammlung{host, erfassung_deklaration};
    Programm p{pl, sammlung};
    // Errors that escaped a handler to the program's top level.
    std::vector<std::string> entkommen;

    Erfassung() {
        sammlung.setze_fabrik([this](ui::FormId id, ui::Fenster& f) -> std::unique_ptr<ui::Formularlogik> {
            if (id == ui::FormId::MA1_Maske) return std::make_unique<MA1_Maske>(p, f);
            if (id == ui::FormId::MA2_Maske) return std::make_unique<MA2_Maske>(p, f);
            return std::make_unique<ui::Formularlogik>();
        });
        sammlung.setze_fehlerbehandlung([this](const std::exception& e) {
            entkommen.emplace_back(e.what());
            p.Programm_beenden();
        });
        Zustand& z = p.zustand();
        Kammern_initialisieren(z);
        z.Basisverzeichnis = "c:\\zelva\\";
        z.Aktuelle_VNR = k_vnr;
    }

    // The form as the new-event dialog leaves it: the number shown, the form
    // visible, the focus in Punkte.
    ui::FakeFenster& oeffnen(ui::FormId id) {
        p.zustand().Aktuelle_Meldungsart = id == ui::FormId::MA1_Maske ? 1 : 2;
        auto& f = fenster(id);
        f.setze_text(ui::Ctl::VNR, k_vnr);
        f.zeigen();
        f.fokus(ui::Ctl::Punkte);
        return f;
    }
    // A type-2 event whose required fields are all filled.
    ui::FakeFenster& ma2_vollstaendig() {
        auto& f = oeffnen(ui::FormId::MA2_Maske);
        f.setze_text(ui::Ctl::Punkte, "8");
        f.setze_text(ui::Ctl::Datum_von, "21.12.2006");
        f.setze_text(ui::Ctl::DATUM_BIS, "21.12.2006");
        f.setze_text(ui::Ctl::Uhrzeit_s, "13:22");
        f.setze_text(ui::Ctl::Uhrzeit_e, "17:00");
        f.setze_text(ui::Ctl::Dauer, "180");
        return f;
    }

    ui::FakeFenster& fenster(ui::FormId id) { return dynamic_cast<ui::FakeFenster&>(p.form(id)); }
    bool existiert(const std::string& pfad) { return pl.datei_existiert(pfad); }
    bool geladen(ui::FormId id) const { return sammlung.geladen(id); }
};

} // namespace karmo::test
