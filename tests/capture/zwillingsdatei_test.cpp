// A type-2 event's plain and dated files: a save under one name brings the other along, and nothing else.
#include <gtest/gtest.h>

#include "capture/erfassung_umgebung.hpp"
#include "eventfile/dateizugriff.hpp"
#include "eventfile/zwillingsdatei.hpp"

namespace karmo::test {
namespace {

using ui::Ctl;
using ui::FormId;

constexpr const char* k_anderer_tag = "c:\\zelva\\Daten\\2760123456789012344_20.12.2006.XML";

class Zwilling : public ::testing::Test {
protected:
    Erfassung u;
    ui::FakeFenster& f = u.ma2_vollstaendig();

    void scannen(const char* efn) { f.tippen(Ctl::EFN, std::string(efn) + "\r"); }
    std::string lesen(const char* pfad) { return u.pl.datei_lesen(pfad); }
    bool haelt(const char* pfad, const char* efn) { return lesen(pfad).find(efn) != std::string::npos; }

    // Opens `pfad` the way the file dialog does, from its row.
    void laden(const char* pfad) {
        f.verbergen();
        u.p.zustand().Dateiliste_Pfade = {pfad};
        Veranstaltung_laden(u.p, 0);
        ASSERT_TRUE(f.sichtbar());
    }

    // Another session of the same number on 20.12.2006, saved under its
    // dated name and (last to go to the main menu) under the plain name.
    void andere_sitzung_ablegen() {
        const std::string datei = u.pl.datei_lesen(k_datiert);
        std::string anders = datei;
        anders.replace(anders.find("21.12.2006"), 10, "20.12.2006");
        u.pl.datei_ablegen(k_anderer_tag, anders);
        u.pl.datei_ablegen(k_einfach, anders);
    }
};

// The sequence that lost a participant: save, main menu, open one of the two
// rows, scan another card, save again. Both files end up with both cards.
TEST_F(Zwilling, ZweiteKarteErreichtBeideDateienGleichWelcheZeileGeoeffnetWird) {
    for (const char* zeile : {k_einfach, k_datiert}) {
        SCOPED_TRACE(zeile);
        Erfassung v;
        auto& g = v.ma2_vollstaendig();
        g.tippen(Ctl::EFN, std::string(k_efn) + "\r");
        g.klicken(Ctl::Speichern);
        g.klicken(Ctl::Auswahl_BTN);
        ASSERT_EQ(v.pl.datei_lesen(k_einfach), v.pl.datei_lesen(k_datiert));
        // The two rows of the file list read alike, as before.
        std::string a = "2760123456789012344.XML", b = "2760123456789012344_21.12.2006.XML";
        EXPECT_EQ(Get_VNR(v.p, a), Get_VNR(v.p, b));

        g.liste_leeren(Ctl::Teilnehmerliste);
        v.p.zustand().Dateiliste_Pfade = {zeile};
        Veranstaltung_laden(v.p, 0);
        ASSERT_EQ(g.zeilenzahl(Ctl::Teilnehmerliste), 1);
        g.tippen(Ctl::EFN, std::string(k_efn2) + "\r");
        v.pl.meldungen.clear();
        g.klicken(Ctl::Speichern);

        const std::string datiert = v.pl.datei_lesen(k_datiert);
        EXPECT_EQ(v.pl.datei_lesen(k_einfach), datiert);
        EXPECT_NE(datiert.find(k_efn), std::string::npos);
        EXPECT_NE(datiert.find(k_efn2), std::string::npos);
        // One confirmation, naming the file the button saves, and no file
        // left over beside the two.
        EXPECT_EQ(v.pl.meldungen,
                  (std::vector<std::string>{
                      std::string("Datei erfolgreich gespeichert! Sie finden die Datei unter:\r\n") + k_datiert}));
        EXPECT_EQ(v.pl.dateien("c:\\zelva\\Daten\\*").size(), 2U);
    }
}

// The main-menu button writes the plain name; the dated file follows it too.
TEST_F(Zwilling, HauptmenueNimmtDieDatierteDateiMit) {
    scannen(k_efn);
    f.klicken(Ctl::Speichern);
    scannen(k_efn2);
    f.klicken(Ctl::Auswahl_BTN);
    EXPECT_TRUE(haelt(k_datiert, k_efn2));
    EXPECT_EQ(lesen(k_einfach), lesen(k_datiert));
    EXPECT_TRUE(u.fenster(FormId::Auswahl).sichtbar());
}

// The transfer and "Programm beenden" save the dated name and bring the plain
// file along as well.
TEST_F(Zwilling, UebertragenUndBeendenNehmenDieEinfacheDateiMit) {
    scannen(k_efn);
    f.klicken(Ctl::Auswahl_BTN);
    scannen(k_efn2);
    f.klicken(Ctl::Senden_web);
    EXPECT_TRUE(u.existiert(k_datiert));
    EXPECT_EQ(lesen(k_einfach), lesen(k_datiert));
    scannen(k_efn3);
    f.klicken(Ctl::Ende);
    EXPECT_TRUE(u.sammlung.leer());
    EXPECT_TRUE(haelt(k_einfach, k_efn3));
    EXPECT_EQ(lesen(k_einfach), lesen(k_datiert));
}

// Without a second file nothing but the one named file appears.
TEST_F(Zwilling, OhneZweiteDateiEntstehtKeine) {
    scannen(k_efn);
    f.klicken(Ctl::Speichern);
    EXPECT_TRUE(u.existiert(k_datiert));
    EXPECT_FALSE(u.existiert(k_einfach));
}

// The plain name is shared by every session of the number: a plain file
// holding another day, and that day's own file, stay exactly as they are.
TEST_F(Zwilling, DateiEinesAnderenTagesBleibtUnberuehrt) {
    scannen(k_efn);
    f.klicken(Ctl::Speichern);
    andere_sitzung_ablegen();
    const std::string anders = lesen(k_anderer_tag);

    scannen(k_efn2);
    f.klicken(Ctl::Speichern);
    EXPECT_TRUE(haelt(k_datiert, k_efn2));
    EXPECT_EQ(lesen(k_einfach), anders);
    EXPECT_EQ(lesen(k_anderer_tag), anders);

    // The main-menu button still writes the plain name as it always has; the
    // other day's dated file is not its partner.
    f.klicken(Ctl::Auswahl_BTN);
    EXPECT_EQ(lesen(k_einfach), lesen(k_datiert));
    EXPECT_EQ(lesen(k_anderer_tag), anders);
}

// A file under the other name that holds another number, or is no event
// file, is not this event's.
TEST_F(Zwilling, FremderInhaltUnterDemAnderenNamenBleibt) {
    scannen(k_efn);
    f.klicken(Ctl::Speichern);
    std::string fremd = lesen(k_datiert);
    fremd.replace(fremd.find(k_vnr), 19, "2767000000000000008");
    for (const std::string& inhalt : {fremd, std::string("keine Veranstaltung\r\n"), std::string()}) {
        u.pl.datei_ablegen(k_einfach, inhalt);
        f.klicken(Ctl::Speichern);
        EXPECT_EQ(lesen(k_einfach), inhalt);
    }
}

// A partner that cannot be replaced: one error message as for any failed
// save, no confirmation, the form stays with its event, and neither file is
// lost or left half written.
TEST_F(Zwilling, SchreibgeschuetzteZweiteDateiGibtEinenFehlerUndDieMaskeBleibt) {
    scannen(k_efn);
    f.klicken(Ctl::Speichern);
    f.klicken(Ctl::Auswahl_BTN);
    const std::string alt = lesen(k_einfach);
    u.fenster(FormId::Auswahl).verbergen();
    f.zeigen();
    u.pl.schreibgeschuetzt.insert(k_einfach);

    scannen(k_efn2);
    u.pl.meldungen.clear();
    f.klicken(Ctl::Speichern);
    ASSERT_EQ(u.pl.meldungen.size(), 1U);
    EXPECT_EQ(u.pl.meldungen[0].rfind("Fehler:5 : ", 0), 0U) << u.pl.meldungen[0];
    EXPECT_EQ(lesen(k_einfach), alt);
    EXPECT_TRUE(haelt(k_datiert, k_efn2));
    EXPECT_EQ(u.pl.dateien("c:\\zelva\\Daten\\*").size(), 2U);

    // Leaving needs a whole save: the form stays; the close box asks
    // whether to end anyway, and Nein keeps it too.
    f.klicken(Ctl::Auswahl_BTN);
    EXPECT_EQ(u.pl.meldungen.size(), 2U);
    EXPECT_TRUE(f.sichtbar());
    EXPECT_FALSE(u.fenster(FormId::Auswahl).sichtbar());
    EXPECT_TRUE(u.pl.fragen.empty());
    u.pl.frage_antwort = false;
    f.schliessen();
    EXPECT_EQ(u.pl.meldungen.size(), 3U);
    EXPECT_EQ(u.pl.fragen, std::vector<std::string>{k_frage_beenden_ohne_sicherung});
    EXPECT_TRUE(u.geladen(FormId::MA2_Maske));
    EXPECT_FALSE(u.sammlung.endet());
    EXPECT_EQ(f.zeilenzahl(Ctl::Teilnehmerliste), 2);
    EXPECT_TRUE(u.entkommen.empty());
}

// A type-1 event has one name: a dated file of the same number is not its.
TEST_F(Zwilling, Typ1BleibtBeiSeinerEinenDatei) {
    scannen(k_efn);
    f.klicken(Ctl::Speichern);
    const std::string datiert = lesen(k_datiert);

    auto& g = u.oeffnen(FormId::MA1_Maske);
    g.setze_text(Ctl::Punkte, "8");
    g.tippen(Ctl::EFN, std::string(k_efn3) + "\r");
    g.klicken(Ctl::Speichern);
    g.klicken(Ctl::Hauptmenue);
    EXPECT_TRUE(haelt(k_einfach, k_efn3));
    EXPECT_EQ(lesen(k_datiert), datiert);
}

TEST(Kopfwerte_lesen, NummerUndErsterTagBisZumErstenTeilnehmer) {
    FakePlattform pl;
    pl.datei_ablegen("c:\\a.XML", "<?xml version=\"1.0\" ?>\r\n<Veranstaltung>\r\n<VNR>123</VNR>\r\n"
                                  "<Datum_von>1.2.2003</Datum_von>\r\n<Teilnehmer>\r\n<VNR>9</VNR>\r\n");
    const auto k = Kopfwerte_lesen(pl, "c:\\a.XML");
    ASSERT_TRUE(k);
    EXPECT_EQ(k->vnr, "123");
    EXPECT_EQ(k->datum_von, "1.2.2003");

    pl.datei_ablegen("c:\\b.XML", "<?xml version=\"1.0\" ?>\r\n<Teilnehmer>\r\n");
    EXPECT_FALSE(Kopfwerte_lesen(pl, "c:\\b.XML"));
    EXPECT_THROW(Kopfwerte_lesen(pl, "c:\\fehlt.XML"), Fehler);
}

} // namespace
} // namespace karmo::test
