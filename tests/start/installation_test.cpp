// Installation state: which line of config.ini decides, the exact bytes written, copying the program file.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/fake/fake_plattform.hpp"
#include "start/installation.hpp"
#include "ui/fake/fake_fenster.hpp"

namespace karmo {
namespace {

const ui::Formular& keine_fenster(ui::FormId) { throw std::logic_error("kein Fenster erwartet"); }

struct Installation : ::testing::Test {
    FakePlattform pl;
    ui::FakeHost host;
    ui::Formularsammlung sammlung{host, keine_fenster};
    Programm p{pl, sammlung};
    Installation() { p.zustand().Basisverzeichnis = "c:\\zelva\\"; }

    std::uint8_t pruefen_mit(std::string_view inhalt) {
        pl.datei_ablegen("c:\\zelva\\config.ini", inhalt);
        return Installation_pruefen(p);
    }
};

TEST_F(Installation, FehlendeOderLeereEinstellungenGebenEins) {
    EXPECT_EQ(Installation_pruefen(p), 1);
    EXPECT_EQ(p.zustand().Aktuelle_Datei, "c:\\zelva\\config.ini");
    EXPECT_EQ(pruefen_mit(""), 1);
    pl.in_benutzung.insert("c:\\zelva\\config.ini");
    EXPECT_EQ(pruefen_mit("1.051\r\n"), 1);
}

TEST_F(Installation, DieLetzteZeileEntscheidet) {
    EXPECT_EQ(pruefen_mit("1.051\r\n"), 0);
    EXPECT_EQ(pruefen_mit("1.051"), 0);
    EXPECT_EQ(pruefen_mit("1.050\r\n"), 2);
    EXPECT_EQ(pruefen_mit("2.0\r\n"), 2);
    EXPECT_EQ(pruefen_mit("1.051\r\n1.050\r\n"), 2);
    EXPECT_EQ(pruefen_mit("1.050\r\n1.051\r\n"), 0);
    EXPECT_EQ(pruefen_mit("1.051\r\n\r\n"), 2);
    // A bare CR ends a line as well.
    EXPECT_EQ(pruefen_mit("1.051\r1.050"), 2);
    EXPECT_EQ(pruefen_mit("1.050\r1.051\r"), 0);
}

TEST_F(Installation, TeiltextGenuegt) {
    EXPECT_EQ(pruefen_mit("Version 1.051 installiert\r\n"), 0);
    EXPECT_EQ(pruefen_mit("1.0512\r\n"), 0);
    EXPECT_EQ(pruefen_mit("1,051\r\n"), 2);
}

TEST_F(Installation, SchreibenErsetztDurchGenauSiebenBytes) {
    pl.datei_ablegen("c:\\zelva\\config.ini", "alter Inhalt\r\nzweite Zeile\r\n");
    p.zustand().Aktuelle_Datei = "c:\\zelva\\Daten\\x.XML";
    EXPECT_EQ(Einstellungen_schreiben(p), 0);
    EXPECT_EQ(pl.datei_lesen("c:\\zelva\\config.ini"), "1.051\r\n");
    EXPECT_EQ(p.zustand().Aktuelle_Datei, "c:\\zelva\\config.ini");
    EXPECT_EQ(Installation_pruefen(p), 0);
}

TEST_F(Installation, SchreibfehlerGebenEineNummerVonEinsBis255) {
    // No base directory: nothing is written.
    const std::uint8_t ohne_ordner = Einstellungen_schreiben(p);
    EXPECT_NE(ohne_ordner, 0);
    EXPECT_FALSE(std::filesystem::exists(pl.echt("c:\\zelva\\config.ini")));

    pl.datei_ablegen("c:\\zelva\\config.ini", "1.050\r\n");
    pl.schreibgeschuetzt.insert("c:\\zelva\\config.ini");
    EXPECT_EQ(Einstellungen_schreiben(p), 5);
    EXPECT_EQ(pl.datei_lesen("c:\\zelva\\config.ini"), "1.050\r\n");
}

TEST_F(Installation, KopiertDasLaufendeProgramm) {
    pl.datei_ablegen(pl.exe, "neues Programm");
    pl.datei_ablegen("c:\\zelva\\Karmo.exe", "altes Programm");
    EXPECT_TRUE(Programm_kopieren(p));
    EXPECT_EQ(pl.datei_lesen("c:\\zelva\\Karmo.exe"), "neues Programm");
}

TEST_F(Installation, KopierenScheitertOhneMeldung) {
    // The running program is the target itself, in another spelling.
    pl.exe = "C:\\ZELVA\\karmo.EXE";
    pl.datei_ablegen(pl.exe, "Programm");
    EXPECT_FALSE(Programm_kopieren(p));

    pl.exe = "c:\\Downloads\\Karmo.exe";
    pl.datei_ablegen(pl.exe, "Programm");
    pl.in_benutzung.insert("c:\\zelva\\Karmo.exe");
    EXPECT_FALSE(Programm_kopieren(p));

    p.zustand().Basisverzeichnis = "c:\\fehlt\\";
    EXPECT_FALSE(Programm_kopieren(p));
    EXPECT_TRUE(pl.meldungen.empty());
}

} // namespace
} // namespace karmo
