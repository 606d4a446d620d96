// The start-up decision: which first window each state of the disk leads to.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/fake/fake_plattform.hpp"
#include "start/start.hpp"
#include "ui/fake/fake_fenster.hpp"

namespace karmo {
namespace {

const ui::Formular& keine_fenster(ui::FormId) { throw std::logic_error("kein Fenster erwartet"); }

struct Startentscheidung_ : ::testing::Test {
    FakePlattform pl;
    ui::FakeHost host;
    ui::Formularsammlung sammlung{host, keine_fenster};
    Programm p{pl, sammlung};
};

TEST_F(Startentscheidung_, SetztKatalogUndBasisverzeichnis) {
    Startentscheidung(p);
    const Zustand& z = p.zustand();
    EXPECT_EQ(z.Basisverzeichnis, "c:\\zelva\\");
    EXPECT_EQ(z.Kammeranzahl, 2);
    EXPECT_EQ(z.Kammerkatalog[1].VNR_Praefix, "276750");
}

TEST_F(Startentscheidung_, OhneProgrammdateiDieEinrichtung) {
    EXPECT_EQ(Startentscheidung(p), Erstes_Fenster::Einrichtung);

    std::filesystem::create_directories(pl.echt("c:\\zelva\\Daten"));
    pl.datei_ablegen("c:\\zelva\\Daten\\2760123456789012344.XML", "x");
    EXPECT_EQ(Startentscheidung(p), Erstes_Fenster::Einrichtung);

    pl.datei_ablegen("c:\\zelva\\config.ini", "1.051\r\n");
    EXPECT_EQ(Startentscheidung(p), Erstes_Fenster::Einrichtung);

    // A hidden program file does not count.
    pl.datei_ablegen("c:\\zelva\\Karmo.exe", "Programm");
    pl.versteckt.insert("c:\\zelva\\Karmo.exe");
    EXPECT_EQ(Startentscheidung(p), Erstes_Fenster::Einrichtung);
    EXPECT_TRUE(pl.meldungen.empty());
}

TEST_F(Startentscheidung_, AktuelleVersionDasHauptmenue) {
    pl.datei_ablegen("c:\\zelva\\KARMO.EXE", "Programm");
    pl.datei_ablegen("c:\\zelva\\config.ini", "1.051\r\n");
    EXPECT_EQ(Startentscheidung(p), Erstes_Fenster::Auswahl);
}

TEST_F(Startentscheidung_, FehlendeEinstellungenWerdenGeschrieben) {
    pl.datei_ablegen("c:\\zelva\\Karmo.exe", "altes Programm");
    pl.datei_ablegen(pl.exe, "neues Programm");
    EXPECT_EQ(Startentscheidung(p), Erstes_Fenster::Auswahl);
    EXPECT_EQ(pl.datei_lesen("c:\\zelva\\config.ini"), "1.051\r\n");

    pl.datei_ablegen("c:\\zelva\\config.ini", "");
    EXPECT_EQ(Startentscheidung(p), Erstes_Fenster::Auswahl);
    EXPECT_EQ(pl.datei_lesen("c:\\zelva\\config.ini"), "1.051\r\n");
    EXPECT_EQ(pl.datei_lesen("c:\\zelva\\Karmo.exe"), "altes Programm");
    EXPECT_TRUE(pl.meldungen.empty());
}

TEST_F(Startentscheidung_, AndereVersionDasUpdate) {
    pl.datei_ablegen("c:\\zelva\\Karmo.exe", "Programm");
    pl.datei_ablegen("c:\\zelva\\config.ini", "1.050\r\n");
    EXPECT_EQ(Startentscheidung(p), Erstes_Fenster::Update);
    EXPECT_EQ(pl.datei_lesen("c:\\zelva\\config.ini"), "1.050\r\n");
}

TEST_F(Startentscheidung_, NichtSchreibbareEinstellungenMeldenUndKeinFenster) {
    pl.datei_ablegen("c:\\zelva\\Karmo.exe", "Programm");
    pl.schreibgeschuetzt.insert("c:\\zelva\\config.ini");
    EXPECT_EQ(Startentscheidung(p), Erstes_Fenster::Keines);
    EXPECT_EQ(pl.meldungen, std::vector<std::string>{"Es ist ein Problem beim lesen der Einstellungen aufgetreten!"});
}

} // namespace
} // namespace karmo
