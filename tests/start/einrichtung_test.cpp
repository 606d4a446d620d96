// First-time setup: what each choice creates, the messages, and every failure ending the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "start/fenster_umgebung.hpp"
#include "start/installation.hpp"
#include "start/start.hpp"

namespace karmo {
namespace {

using ui::Ctl;
using ui::FormId;
namespace fs = std::filesystem;

struct Einrichtung_ : ::testing::Test, test::FensterUmgebung {
    std::string lnk_desktop() const { return pl.desktop + "\\Karmo.lnk"; }
    std::string lnk_programm() const { return pl.startmenue_programme + "\\ZELVA\\Karmo.lnk"; }
    std::string lnk_daten() const { return pl.startmenue_programme + "\\ZELVA\\Erfasste Daten.lnk"; }
    bool gibt(const std::string& pfad) const { return fs::exists(pl.echt(pfad)); }
};

TEST_F(Einrichtung_, TabfolgeUndAnfangszustand) {
    std::vector<const ui::Steuerelement*> tabstopps;
    for (const auto& s : k_Einrichtung.elemente) {
        if (s.tabindex >= 0) tabstopps.push_back(&s);
    }
    std::sort(tabstopps.begin(), tabstopps.end(), [](auto* a, auto* b) { return a->tabindex < b->tabindex; });
    std::vector<Ctl> namen;
    for (auto* s : tabstopps) namen.push_back(s->name);
    EXPECT_EQ(namen, (std::vector<Ctl>{Ctl::Startmenue, Ctl::Desktop, Ctl::Anlegen, Ctl::neindanke}));

    auto& f = zeigen(FormId::Einrichtung);
    EXPECT_TRUE(f.markiert(Ctl::Startmenue));
    EXPECT_TRUE(f.markiert(Ctl::Desktop));
    EXPECT_EQ(f.text(Ctl::Text1), "c:\\zelva\\");
    // Text1 only shows the base directory: nothing can be typed into it.
    f.tippen(Ctl::Text1, "x");
    EXPECT_EQ(f.text(Ctl::Text1), "c:\\zelva\\");
}

TEST_F(Einrichtung_, BeideVerknuepfungsarten) {
    p.zustand().Basisverzeichnis = "d:\\anderswo\\";
    zeigen(FormId::Einrichtung).klicken(Ctl::Anlegen);

    EXPECT_EQ(p.zustand().Basisverzeichnis, "c:\\zelva\\");
    EXPECT_TRUE(fs::is_directory(pl.echt("c:\\zelva\\Daten")));
    EXPECT_EQ(pl.datei_lesen("c:\\zelva\\Karmo.exe"), "neues Programm");
    EXPECT_EQ(pl.datei_lesen("c:\\zelva\\config.ini"), "1.051\r\n");
    EXPECT_EQ(pl.verknuepfungsziel(lnk_desktop()), "c:\\zelva\\Karmo.exe");
    EXPECT_EQ(pl.verknuepfungsziel(lnk_programm()), "c:\\zelva\\Karmo.exe");
    EXPECT_EQ(pl.verknuepfungsziel(lnk_daten()), "c:\\zelva\\DATEN");
    // All three show the installed program's icon, the data folder's too.
    for (const std::string& lnk : {lnk_desktop(), lnk_programm(), lnk_daten()}) {
        EXPECT_EQ(pl.verknuepfungssymbol(lnk), "c:\\zelva\\Karmo.exe") << lnk;
    }
    EXPECT_EQ(pl.meldungen, std::vector<std::string>{"Die Verknüpfung wurde angelegt. Sie können nun die "
                                                     "Desktop/Startmenüeintrag - Verknüpfungen nutzen!"});
    EXPECT_FALSE(sichtbar(FormId::Einrichtung));
    EXPECT_TRUE(sichtbar(FormId::Auswahl));
    EXPECT_FALSE(sammlung.endet());
    // The next start goes straight to the main menu.
    EXPECT_EQ(Startentscheidung(p), Erstes_Fenster::Auswahl);
}

TEST_F(Einrichtung_, NurDesktop) {
    auto& f = zeigen(FormId::Einrichtung);
    f.klicken(Ctl::Startmenue);
    f.klicken(Ctl::Anlegen);
    EXPECT_EQ(pl.verknuepfungsziel(lnk_desktop()), "c:\\zelva\\Karmo.exe");
    EXPECT_FALSE(gibt(pl.startmenue_programme + "\\ZELVA"));
    EXPECT_EQ(pl.meldungen, std::vector<std::string>{
                                "Die Verknüpfung wurde angelegt. Sie können nun die Desktop - Verknüpfungen nutzen!"});
}

TEST_F(Einrichtung_, NurStartmenueInDessenProgrammordner) {
    auto& f = zeigen(FormId::Einrichtung);
    f.klicken(Ctl::Desktop);
    f.klicken(Ctl::Anlegen);
    EXPECT_FALSE(gibt(lnk_desktop()));
    EXPECT_EQ(pl.verknuepfungsziel(lnk_programm()), "c:\\zelva\\Karmo.exe");
    EXPECT_EQ(pl.verknuepfungsziel(lnk_daten()), "c:\\zelva\\DATEN");
    EXPECT_EQ(pl.meldungen,
              std::vector<std::string>{
                  "Die Verknüpfung wurde angelegt. Sie können nun die Startmenüeintrag - Verknüpfungen nutzen!"});
    EXPECT_TRUE(sichtbar(FormId::Auswahl));
}

TEST_F(Einrichtung_, KeineVerknuepfung) {
    auto& f = zeigen(FormId::Einrichtung);
    f.klicken(Ctl::Desktop);
    f.klicken(Ctl::Startmenue);
    f.klicken(Ctl::Anlegen);
    EXPECT_FALSE(gibt(lnk_desktop()));
    EXPECT_FALSE(gibt(pl.startmenue_programme + "\\ZELVA"));
    EXPECT_EQ(pl.meldungen, std::vector<std::string>{
                                "Keine Verknüpfungen angelegt. Sie finden die ZELVA-Dateien unter c:\\zelva\\."});
    EXPECT_EQ(pl.datei_lesen("c:\\zelva\\config.ini"), "1.051\r\n");
    EXPECT_TRUE(sichtbar(FormId::Auswahl));
}

TEST_F(Einrichtung_, VorhandeneProgrammdateiUndStartmenueordnerBleiben) {
    pl.datei_ablegen("c:\\zelva\\KARMO.exe", "schon da");
    pl.datei_ablegen(lnk_programm(), "[Verknuepfung]\nZiel=c:\\alt\\Karmo.exe");
    zeigen(FormId::Einrichtung).klicken(Ctl::Anlegen);
    EXPECT_EQ(pl.datei_lesen("c:\\zelva\\Karmo.exe"), "schon da");
    EXPECT_EQ(pl.verknuepfungsziel(lnk_programm()), "c:\\zelva\\Karmo.exe");
    EXPECT_EQ(pl.meldungen.size(), 1U);
    EXPECT_TRUE(sichtbar(FormId::Auswahl));
}

TEST_F(Einrichtung_, EinstellungenNichtSchreibbar) {
    pl.schreibgeschuetzt.insert("c:\\zelva\\config.ini");
    zeigen(FormId::Einrichtung).klicken(Ctl::Anlegen);
    EXPECT_EQ(pl.meldungen, std::vector<std::string>{"Bei der Installation ist ein Fehler aufgetreten : \r\n"
                                                     "Fehler: 5 Die Einstellungen konnten nicht gespeichert werden."});
    EXPECT_EQ(pl.datei_lesen("c:\\zelva\\Karmo.exe"), "neues Programm");
    EXPECT_FALSE(gibt(lnk_desktop()));
    EXPECT_TRUE(beendet());
}

TEST_F(Einrichtung_, OrdnerNichtAnlegbar) {
    pl.ordner_verweigert.insert("c:\\zelva");
    zeigen(FormId::Einrichtung).klicken(Ctl::Anlegen);
    // The folder creation reports first, then the setup.
    ASSERT_EQ(pl.meldungen.size(), 2U);
    EXPECT_TRUE(pl.meldungen[0].starts_with("Fehler bei der Pfaderstellung: "));
    EXPECT_EQ(pl.meldungen[1], "Bei der Installation ist ein Fehler aufgetreten : \r\n"
                               "Fehler: 1002 Das Verzeichnis c:\\zelva\\ konnte nicht angelegt werden.");
    EXPECT_FALSE(gibt("c:\\zelva\\Karmo.exe"));
    EXPECT_TRUE(beendet());
}

TEST_F(Einrichtung_, ProgrammNichtKopierbar) {
    pl.exe = "c:\\gibt\\es\\nicht.exe";
    zeigen(FormId::Einrichtung).klicken(Ctl::Anlegen);
    EXPECT_EQ(pl.meldungen, std::vector<std::string>{
                                "Bei der Installation ist ein Fehler aufgetreten : \r\n"
                                "Fehler: 1003 Das Programm Karmo.exe konnte nicht in das Verzeichnis c:\\zelva\\ "
                                "kopiert werden!"});
    EXPECT_FALSE(gibt("c:\\zelva\\config.ini"));
    EXPECT_TRUE(beendet());
}

TEST_F(Einrichtung_, VerknuepfungNichtSpeicherbar) {
    pl.schreibgeschuetzt.insert(lnk_programm());
    zeigen(FormId::Einrichtung).klicken(Ctl::Anlegen);
    EXPECT_EQ(pl.meldungen, std::vector<std::string>{
                                "Bei der Installation ist ein Fehler aufgetreten : \r\nFehler: 5 Zugriff verweigert"});
    // What was made before the failure stays.
    EXPECT_EQ(pl.verknuepfungsziel(lnk_desktop()), "c:\\zelva\\Karmo.exe");
    EXPECT_TRUE(beendet());
}

TEST_F(Einrichtung_, AbbrechenUndSchliessenBeendenOhneAnlegen) {
    zeigen(FormId::Einrichtung).klicken(Ctl::neindanke);
    EXPECT_TRUE(beendet());

    test::FensterUmgebung zweite;
    zweite.zeigen(FormId::Einrichtung).schliessen();
    EXPECT_TRUE(zweite.beendet());
    EXPECT_FALSE(fs::exists(zweite.pl.echt("c:\\zelva")));
    EXPECT_FALSE(gibt("c:\\zelva"));
    EXPECT_TRUE(pl.meldungen.empty());
}

} // namespace
} // namespace karmo
