// Program update: replacing the installed program, and the failures that end the program.
#include <gtest/gtest.h>

#include "start/fenster_umgebung.hpp"
#include "start/installation.hpp"
#include "start/start.hpp"

namespace karmo {
namespace {

using ui::Ctl;
using ui::FormId;

// An installed older program and one saved event.
struct Installiert : test::FensterUmgebung {
    Installiert() {
        pl.datei_ablegen("c:\\zelva\\karmo.exe", "altes Programm");
        pl.datei_ablegen("c:\\zelva\\config.ini", "1.050\r\n");
        pl.datei_ablegen("c:\\zelva\\Daten\\2760123456789012344.XML", "Veranstaltung");
    }
};

struct Update_ : ::testing::Test, Installiert {};

TEST_F(Update_, ErsetztProgrammUndEinstellungen) {
    zeigen(FormId::Update).klicken(Ctl::Anlegen);
    EXPECT_EQ(pl.datei_lesen("c:\\zelva\\Karmo.exe"), "neues Programm");
    EXPECT_EQ(pl.datei_lesen("c:\\zelva\\config.ini"), "1.051\r\n");
    EXPECT_EQ(pl.datei_lesen("c:\\zelva\\Daten\\2760123456789012344.XML"), "Veranstaltung");
    EXPECT_TRUE(pl.meldungen.empty());
    EXPECT_TRUE(sichtbar(FormId::Auswahl));
    EXPECT_FALSE(sichtbar(FormId::Update));
    EXPECT_EQ(Startentscheidung(p), Erstes_Fenster::Auswahl);
}

// The installed file is in use by another process: the message as before,
// then the running program's main menu instead of the end.
TEST_F(Update_, InstallierteDateiInBenutzungMeldetUndZeigtDasHauptmenue) {
    pl.in_benutzung.insert("c:\\zelva\\Karmo.exe");
    zeigen(FormId::Update).klicken(Ctl::Anlegen);
    EXPECT_EQ(pl.meldungen, std::vector<std::string>{
                                "Bei dem Update ist ein Fehler aufgetreten : \r\nFehler: 32 Der Prozess kann nicht auf "
                                "die Datei zugreifen, da sie von einem anderen Prozess verwendet wird."});
    EXPECT_EQ(pl.datei_lesen("c:\\zelva\\Karmo.exe"), "altes Programm");
    EXPECT_EQ(pl.datei_lesen("c:\\zelva\\config.ini"), "1.050\r\n");
    EXPECT_FALSE(beendet());
    EXPECT_TRUE(sichtbar(FormId::Auswahl));
    EXPECT_FALSE(sichtbar(FormId::Update));
}

// The installed program itself was started while config.ini names another
// version (a trailing empty line, an older copy's settings): only config.ini
// is rewritten, and the next start goes straight to the main menu.
TEST_F(Update_, InstalliertesProgrammSchreibtNurDieEinstellungen) {
    for (const char* exe : {"c:\\zelva\\Karmo.exe", "C:\\ZELVA\\KARMO.EXE"}) {
        SCOPED_TRACE(exe);
        Installiert u;
        u.pl.exe = exe;
        u.pl.in_benutzung.insert("c:\\zelva\\Karmo.exe"); // it runs
        u.zeigen(FormId::Update).klicken(Ctl::Anlegen);
        EXPECT_TRUE(u.pl.meldungen.empty());
        EXPECT_EQ(u.pl.datei_lesen("c:\\zelva\\Karmo.exe"), "altes Programm");
        EXPECT_EQ(u.pl.datei_lesen("c:\\zelva\\config.ini"), "1.051\r\n");
        EXPECT_TRUE(u.sichtbar(FormId::Auswahl));
        EXPECT_FALSE(u.sichtbar(FormId::Update));
        EXPECT_EQ(Startentscheidung(u.p), Erstes_Fenster::Auswahl);
    }
}

TEST_F(Update_, InstalliertesProgrammMitSchreibgeschuetztenEinstellungen) {
    pl.exe = "c:\\zelva\\Karmo.exe";
    pl.schreibgeschuetzt.insert("c:\\zelva\\config.ini");
    zeigen(FormId::Update).klicken(Ctl::Anlegen);
    EXPECT_EQ(pl.meldungen, std::vector<std::string>{"Bei dem Update ist ein Fehler aufgetreten : \r\n"
                                                     "Fehler: 5 Die Einstellungen konnten nicht gespeichert werden."});
    EXPECT_EQ(pl.datei_lesen("c:\\zelva\\Karmo.exe"), "altes Programm");
    EXPECT_TRUE(sichtbar(FormId::Auswahl));
    EXPECT_FALSE(beendet());
}

TEST_F(Update_, EinstellungenSchreibgeschuetzt) {
    pl.schreibgeschuetzt.insert("c:\\zelva\\config.ini");
    zeigen(FormId::Update).klicken(Ctl::Anlegen);
    EXPECT_EQ(pl.meldungen, std::vector<std::string>{"Bei dem Update ist ein Fehler aufgetreten : \r\n"
                                                     "Fehler: 5 Die Einstellungen konnten nicht gespeichert werden."});
    EXPECT_EQ(pl.datei_lesen("c:\\zelva\\Karmo.exe"), "neues Programm");
    EXPECT_TRUE(sichtbar(FormId::Auswahl));
    EXPECT_FALSE(sichtbar(FormId::Update));
    EXPECT_EQ(Installation_pruefen(p), 2);
}

TEST_F(Update_, KopierfehlerNachDemLoeschenFuehrtZurEinrichtung) {
    pl.exe = "c:\\gibt\\es\\nicht.exe";
    zeigen(FormId::Update).klicken(Ctl::Anlegen);
    EXPECT_EQ(pl.meldungen, std::vector<std::string>{"Bei dem Update ist ein Fehler aufgetreten : \r\n"
                                                     "Fehler: 1003 Das Programm Karmo.exe konnte nicht in das "
                                                     "Verzeichnis c:\\zelva\\ kopiert werden!"});
    EXPECT_TRUE(sichtbar(FormId::Auswahl));
    EXPECT_EQ(Startentscheidung(p), Erstes_Fenster::Einrichtung);
}

// Declining still ends the program, changing nothing.
TEST_F(Update_, AbbrechenAendertNichts) {
    zeigen(FormId::Update).klicken(Ctl::neindanke);
    EXPECT_TRUE(beendet());
    EXPECT_EQ(pl.datei_lesen("c:\\zelva\\Karmo.exe"), "altes Programm");
    EXPECT_EQ(Installation_pruefen(p), 2);
}

} // namespace
} // namespace karmo
