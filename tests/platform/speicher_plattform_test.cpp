// The in-memory platform double: Windows' rules for names, folders and the errors of the file operations.
#include <gtest/gtest.h>

#include "platform/fake/speicher_plattform.hpp"

namespace karmo {
namespace {

std::string lesen_ganz(SpeicherPlattform& pl, std::string_view pfad) {
    Ergebnis fehler;
    auto datei = pl.oeffnen(pfad, fehler);
    if (!datei) return "<" + std::to_string(fehler.nummer) + ">";
    std::string out;
    char puffer[3];
    while (const std::size_t n = datei->lesen(puffer, sizeof puffer, fehler)) out.append(puffer, n);
    return out;
}

TEST(SpeicherPlattform, NamenOhneRuecksichtAufGrossUndKleinUndMitPunktePunkt) {
    SpeicherPlattform pl;
    pl.datei_ablegen("c:\\zelva\\Daten\\Über.XML", "eins");
    EXPECT_TRUE(pl.ordner_existiert("C:\\ZELVA\\daten\\"));
    EXPECT_TRUE(pl.datei_existiert("c:/Zelva/DATEN/über.xml"));
    EXPECT_TRUE(pl.datei_existiert("c:\\zelva\\x\\..\\Daten\\.\\ÜBER.XML"));
    EXPECT_EQ(lesen_ganz(pl, "C:\\ZELVA\\DATEN\\ÜBER.XML"), "eins");
    // Written again under another spelling: one file, still its first name.
    ASSERT_TRUE(pl.schreiben("C:\\Zelva\\Daten\\ÜBER.xml", "zwei").ok());
    EXPECT_EQ(pl.dateien("c:\\zelva\\Daten\\*.XML"), (std::vector<std::string>{"Über.XML"}));
    EXPECT_EQ(pl.datei_lesen("c:\\zelva\\daten\\über.xml"), "zwei");
    EXPECT_EQ(pl.dateizahl(), 1U);
}

// Keys of every length: one that outgrows the key kept in place on the
// stack, one that ".." brings back below it, each found under any spelling.
TEST(SpeicherPlattform, LangeNamenUndPunktePunktUeberDieGrenze) {
    SpeicherPlattform pl;
    const std::string ordner = "c:\\" + std::string(200, 'O') + "\\" + std::string(150, 'p');
    pl.datei_ablegen(ordner + "\\Lang.XML", "lang");
    std::string klein = ordner + "\\lang.xml";
    for (char& c : klein) c = c == 'O' ? 'o' : c;
    EXPECT_EQ(pl.datei_ansehen(klein), "lang");
    EXPECT_EQ(pl.dateien(ordner + "\\*.xml"), (std::vector<std::string>{"Lang.XML"}));
    // Over the limit and back: the key shrinks below it again.
    const std::string zurueck = ordner + "\\" + std::string(100, 'x') + "\\..\\..\\Kurz.XML";
    ASSERT_TRUE(pl.ordner_existiert(ordner + "\\.."));
    ASSERT_TRUE(pl.schreiben(zurueck, "kurz").ok());
    EXPECT_EQ(pl.datei_lesen("c:\\" + std::string(200, 'o') + "\\KURZ.xml"), "kurz");
    EXPECT_EQ(pl.datei_ansehen("c:\\fehlt.XML"), "");
}

TEST(SpeicherPlattform, OrdnerEineEbeneNachDerAnderen) {
    SpeicherPlattform pl;
    EXPECT_TRUE(pl.ordner_existiert("c:\\"));
    EXPECT_EQ(pl.ordner_anlegen("c:\\zelva\\Daten\\").nummer, 3); // the parent is missing
    EXPECT_TRUE(pl.ordner_anlegen("c:\\zelva\\").ok());
    EXPECT_TRUE(pl.ordner_anlegen("c:\\zelva\\Daten").ok());
    EXPECT_EQ(pl.ordner_anlegen("C:\\ZELVA").nummer, 183);
    EXPECT_EQ(pl.schreiben("c:\\anderswo\\x.XML", "x").nummer, 3);
    EXPECT_EQ(pl.schreiben("c:\\zelva\\Daten", "x").nummer, 5); // a folder is no file
    EXPECT_FALSE(pl.datei_existiert("c:\\zelva\\Daten"));
    EXPECT_EQ(pl.erste_datei("c:\\zelva\\Daten\\"), std::nullopt);
}

TEST(SpeicherPlattform, DateienNachMusterNurImOrdnerSelbst) {
    SpeicherPlattform pl;
    pl.datei_ablegen("c:\\zelva\\Daten\\a.XML", "");
    pl.datei_ablegen("c:\\zelva\\Daten\\b.XML.tmp", "");
    pl.datei_ablegen("c:\\zelva\\Daten\\c.txt", "");
    pl.datei_ablegen("c:\\zelva\\Daten\\unter\\d.XML", "");
    pl.datei_ablegen("c:\\zelva\\Daten2\\e.XML", "");
    EXPECT_EQ(pl.dateien("c:\\zelva\\Daten\\*.XML"), (std::vector<std::string>{"a.XML"}));
    EXPECT_EQ(pl.dateien("c:\\zelva\\Daten\\*.XML*"), (std::vector<std::string>{"a.XML", "b.XML.tmp"}));
    EXPECT_EQ(pl.dateien("c:\\zelva\\Daten\\?.txt"), (std::vector<std::string>{"c.txt"}));
    EXPECT_TRUE(pl.dateien("c:\\fehlt\\*.XML").empty());
    EXPECT_EQ(pl.erste_datei("c:\\zelva\\Daten\\unter"), std::optional<std::string>("d.XML"));
}

TEST(SpeicherPlattform, KopierenErsetzenLoeschenMitIhrenFehlern) {
    SpeicherPlattform pl;
    pl.datei_ablegen("c:\\a\\quelle.XML", "neu");
    pl.datei_ablegen("c:\\a\\ziel.XML", "alt");
    EXPECT_EQ(pl.kopieren("c:\\a\\fehlt.XML", "c:\\a\\x.XML").nummer, 2);
    EXPECT_EQ(pl.kopieren("c:\\a\\quelle.XML", "C:\\A\\QUELLE.xml").nummer, 32);
    EXPECT_EQ(pl.kopieren("c:\\a\\quelle.XML", "c:\\b\\x.XML").nummer, 3);
    ASSERT_TRUE(pl.kopieren("c:\\a\\quelle.XML", "c:\\a\\kopie.XML").ok());
    EXPECT_EQ(pl.datei_lesen("c:\\a\\kopie.XML"), "neu");

    // A reader keeps what it opened, while the file is replaced under it.
    Ergebnis fehler;
    auto offen = pl.oeffnen("c:\\a\\ziel.XML", fehler);
    ASSERT_TRUE(offen);
    ASSERT_TRUE(pl.ersetzen("c:\\a\\quelle.XML", "c:\\a\\ziel.XML").ok());
    char puffer[8];
    EXPECT_EQ(std::string(puffer, offen->lesen(puffer, sizeof puffer, fehler)), "alt");
    EXPECT_FALSE(pl.datei_existiert("c:\\a\\quelle.XML"));
    EXPECT_EQ(pl.datei_lesen("c:\\a\\ziel.XML"), "neu");
    EXPECT_EQ(pl.ersetzen("c:\\a\\quelle.XML", "c:\\a\\ziel.XML").nummer, 2);

    EXPECT_TRUE(pl.loeschen("c:\\a\\KOPIE.xml").ok());
    EXPECT_EQ(pl.loeschen("c:\\a\\kopie.XML").nummer, 2);
    EXPECT_EQ(lesen_ganz(pl, "c:\\a\\kopie.XML"), "<2>");
    EXPECT_EQ(lesen_ganz(pl, "c:\\fehlt\\kopie.XML"), "<3>");
}

// A removed file's entry is used again for the next new file: nothing of
// the old one shows through, and a reader of the old one keeps its bytes.
TEST(SpeicherPlattform, NeueDateiNachGeloeschterBeginntLeer) {
    SpeicherPlattform pl;
    pl.datei_ablegen("c:\\a\\alt.jnl", "alter Inhalt");
    Ergebnis fehler;
    auto offen = pl.oeffnen("c:\\a\\alt.jnl", fehler);
    ASSERT_TRUE(pl.loeschen("c:\\a\\alt.jnl").ok());
    ASSERT_TRUE(pl.anhaengen("c:\\a\\Neu.jnl", "neu").ok());
    EXPECT_EQ(pl.datei_lesen("c:\\a\\neu.jnl"), "neu");
    EXPECT_EQ(pl.dateien("c:\\a\\*.jnl"), (std::vector<std::string>{"Neu.jnl"}));
    char puffer[32];
    EXPECT_EQ(std::string(puffer, offen->lesen(puffer, sizeof puffer, fehler)), "alter Inhalt");

    // The same with nobody reading, and through a rename onto a name that
    // was never there: the moved file is named as the rename says.
    ASSERT_TRUE(pl.loeschen("c:\\a\\neu.jnl").ok());
    ASSERT_TRUE(pl.anhaengen("c:\\a\\leer.jnl", "").ok());
    EXPECT_EQ(pl.datei_lesen("c:\\a\\leer.jnl"), "");
    ASSERT_TRUE(pl.schreiben("c:\\a\\Z.XML.tmp", "z").ok());
    ASSERT_TRUE(pl.ersetzen("c:\\a\\Z.XML.tmp", "c:\\a\\Z.XML").ok());
    EXPECT_EQ(pl.dateien("c:\\a\\*"), (std::vector<std::string>{"leer.jnl", "Z.XML"}));
    EXPECT_EQ(pl.datei_lesen("c:\\a\\z.xml"), "z");
}

TEST(SpeicherPlattform, SchreibschutzUndVollerDatentraeger) {
    SpeicherPlattform pl;
    pl.datei_ablegen("c:\\a\\x.XML", "alt");
    pl.schreibschutz("C:\\A\\X.xml");
    EXPECT_EQ(pl.schreiben("c:\\a\\x.XML", "neu").nummer, 5);
    EXPECT_EQ(pl.loeschen("c:\\a\\x.XML").nummer, 5);
    pl.datei_ablegen("c:\\a\\y.XML", "neu");
    EXPECT_EQ(pl.ersetzen("c:\\a\\y.XML", "c:\\a\\x.XML").nummer, 5);
    EXPECT_EQ(pl.datei_lesen("c:\\a\\x.XML"), "alt");
    pl.datentraeger_voll = true;
    EXPECT_EQ(pl.schreiben("c:\\a\\z.XML", "z").nummer, 112);
    EXPECT_FALSE(pl.datei_existiert("c:\\a\\z.XML"));
}

TEST(SpeicherPlattform, AnhaengenFrageUndDateimanager) {
    SpeicherPlattform pl;
    EXPECT_EQ(pl.anhaengen("c:\\fehlt\\j.jnl", "x").nummer, 3);
    pl.datei_ablegen("c:\\a\\j.jnl", "eins\n");
    Ergebnis fehler;
    auto offen = pl.oeffnen("c:\\a\\j.jnl", fehler);
    ASSERT_TRUE(pl.anhaengen("C:\\A\\J.JNL", "zwei\n").ok());
    ASSERT_TRUE(pl.anhaengen("c:\\a\\neu.jnl", "drei").ok()); // created when missing
    EXPECT_EQ(pl.datei_lesen("c:\\a\\j.jnl"), "eins\nzwei\n");
    EXPECT_EQ(pl.datei_lesen("c:\\a\\neu.jnl"), "drei");
    char puffer[16];
    EXPECT_EQ(std::string(puffer, offen->lesen(puffer, sizeof puffer, fehler)), "eins\n"); // what it opened
    pl.datentraeger_voll = true;
    EXPECT_EQ(pl.anhaengen("c:\\a\\j.jnl", "vier").nummer, 112);

    pl.frage_antwort = false;
    EXPECT_FALSE(pl.frage("Wiederherstellen?"));
    EXPECT_EQ(pl.fragen, (std::vector<std::string>{"Wiederherstellen?"}));
    pl.fragen.clear();
    // A card into a box is kept only where a list takes it, and handed out once.
    pl.scan_nach_meldung = "123456789012347";
    pl.meldung("ohne Liste");
    EXPECT_EQ(pl.scan_aus_meldung(), "");
    pl.setze_kartenannahme([] { return true; });
    pl.scan_nach_meldung = "123456789012347";
    pl.meldung("mit Liste");
    pl.scan_nach_meldung = "100000000000009";
    EXPECT_FALSE(pl.frage("Trotzdem?"));
    EXPECT_EQ(pl.scan_aus_meldung(), "123456789012347");
    EXPECT_EQ(pl.scan_aus_meldung(), "100000000000009");
    EXPECT_EQ(pl.scan_aus_meldung(), "");
    pl.setze_kartenannahme({});
    EXPECT_TRUE(pl.im_ordner_zeigen("c:\\a\\j.jnl").ok());
    EXPECT_EQ(pl.im_ordner_zeigen("c:\\a\\fehlt.jnl").nummer, 2);
    EXPECT_EQ(pl.gezeigte_dateien.size(), 2U);
}

TEST(SpeicherPlattform, MeldungenShellUndLeeren) {
    SpeicherPlattform pl;
    pl.meldung("Hallo");
    EXPECT_EQ(pl.shell_ausfuehren("open", "http://x", 3), 42);
    EXPECT_EQ(pl.meldungen, (std::vector<std::string>{"Hallo"}));
    ASSERT_EQ(pl.shell_aufrufe.size(), 1U);
    EXPECT_EQ(pl.shell_aufrufe[0].ziel, "http://x");
    EXPECT_TRUE(pl.ordner_existiert(pl.spezialordner(Spezialordner::Desktop)));
    pl.datei_ablegen("c:\\a\\x.XML", "x");
    pl.leeren();
    EXPECT_EQ(pl.dateizahl(), 0U);
    EXPECT_FALSE(pl.ordner_existiert("c:\\a"));
}

} // namespace
} // namespace karmo
