// Whole program runs over one disk, for the journal's tests: each run is torn down as a killed process would be.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "platform/fake/fake_plattform.hpp"
#include "sicherung/sicherung.hpp"
#include "start/start.hpp"
#include "ui/fake/fake_fenster.hpp"

namespace karmo::neustart {

namespace fs = std::filesystem;
using ui::Ctl;
using ui::FormId;

inline constexpr const char* k_vnr = "2767701234567890123"; // chamber slot 2
inline constexpr const char* k_efn1 = "123456789012347";
inline constexpr const char* k_efn2 = "100000000000009";
inline constexpr const char* k_efn3 = "987654321098767";
inline constexpr const char* k_journal = "c:\\zelva\\Sicherung\\Erfassung.jnl";
inline constexpr const char* k_verworfen = "c:\\zelva\\Sicherung\\verworfen\\";

inline std::string frage_text(std::size_t n) {
    return "Karmo wurde beendet, ohne die Teilnehmerliste der Veranstaltung " + std::string(k_vnr) + " zu speichern (" +
           std::to_string(n) + " Teilnehmer erfasst). Soll sie wiederhergestellt werden?";
}

// One run of the whole program (window registry, journal, Main) on the disk
// at `wurzel`. Destroying it unloads nothing: the process is simply gone.
struct Lauf {
    FakePlattform pl;
    ui::FakeHost host;
    ui::Formularsammlung sammlung{host, Deklaration};
    Programm p{pl, sammlung};

    // `karten`: cards scanned into the first boxes of the run (the restore question's among them).
    Lauf(const fs::path& wurzel, bool ja, std::deque<std::string> karten = {}) : pl(wurzel) {
        pl.frage_antwort = ja;
        pl.scans_in_meldungen = std::move(karten);
        Programm_einrichten(p);
        Main(p);
    }
    ui::FakeFenster& f(FormId id) { return dynamic_cast<ui::FakeFenster&>(p.form(id)); }
    bool sichtbar(FormId id) { return sammlung.geladen(id) && p.form(id).sichtbar(); }

    // A new event through the dialogs: category 0 gives report type 1, 3 type 2.
    ui::FakeFenster& neu(int kategorie) {
        f(FormId::Auswahl).klicken(Ctl::Neu);
        f(FormId::VNR_Eingabe).tippen(Ctl::VNR_FELD, std::string(k_vnr) + "\r");
        auto& kat = f(FormId::Kat_Auswahl);
        kat.zeile_klicken(Ctl::Kategorie, kategorie);
        kat.klicken(Ctl::Weiter);
        return f(kategorie >= 3 ? FormId::MA2_Maske : FormId::MA1_Maske);
    }
};

inline void scannen(ui::FakeFenster& m, std::string_view efn) { m.tippen(Ctl::EFN, std::string(efn) + "\r"); }

// Everything of the open event that a restore must bring back.
struct Abbild {
    FormId form;
    std::vector<std::string> felder, zeilen;
    std::string vnr, datei, zahl; // zahl: the count label under the list
    int art, kammer;
    bool operator==(const Abbild&) const = default;
};

inline std::ostream& operator<<(std::ostream& o, const Abbild& a) {
    o << "form " << static_cast<int>(a.form) << " vnr " << a.vnr << " art " << a.art << " kammer " << a.kammer
      << " datei " << a.datei << " zahl " << a.zahl << " felder";
    for (const auto& t : a.felder) o << " [" << t << "]";
    o << " zeilen";
    for (const auto& t : a.zeilen) o << " [" << t << "]";
    return o;
}

inline Abbild abbild(Lauf& l, FormId id) {
    auto& m = l.f(id);
    Abbild a{id, {}, {}, l.p.zustand().Aktuelle_VNR, l.p.zustand().Aktuelle_Datei, m.text(Ctl::Teilnehmerzahl),
             l.p.zustand().Aktuelle_Meldungsart, l.p.zustand().Aktuelle_Kammer};
    const std::size_t n = id == FormId::MA1_Maske ? sicherung::k_felder_typ1 : sicherung::k_felder.size();
    for (std::size_t i = 0; i < n; ++i) a.felder.push_back(m.text(sicherung::k_felder[i].ctl));
    for (int i = 0; i < m.zeilenzahl(Ctl::Teilnehmerliste); ++i) a.zeilen.push_back(m.zeile(Ctl::Teilnehmerliste, i));
    return a;
}

// A machine with Karmo installed; the disk outlives every run on it.
struct Neustart : ::testing::Test {
    fs::path wurzel = fs::temp_directory_path() / ("karmo-neustart-" + std::to_string(std::random_device{}()));
    std::unique_ptr<Lauf> lauf;

    Neustart() {
        FakePlattform pl(wurzel);
        pl.datei_ablegen("c:\\zelva\\Karmo.exe", "Programm");
        pl.datei_ablegen("c:\\zelva\\config.ini", "1.051\r\n");
    }
    ~Neustart() override {
        lauf.reset();
        std::error_code ec;
        fs::remove_all(wurzel, ec);
    }
    Lauf& starten(bool ja = true) {
        lauf.reset();
        lauf = std::make_unique<Lauf>(wurzel, ja);
        return *lauf;
    }
    FakePlattform& pl() { return lauf->pl; }
    std::vector<std::string> verworfene() {
        std::vector<std::string> namen = pl().dateien(std::string(k_verworfen) + "*");
        std::sort(namen.begin(), namen.end());
        return namen;
    }
};

} // namespace karmo::neustart
