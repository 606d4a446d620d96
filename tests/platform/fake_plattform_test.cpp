// The test double's file rules: names without regard to case, "..", hidden files, open errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/fake/fake_plattform.hpp"

namespace karmo {
namespace {

std::string alles_lesen(Lesedatei& d) {
    std::string out;
    char puffer[3];
    Ergebnis e;
    while (const std::size_t n = d.lesen(puffer, sizeof puffer, e)) out.append(puffer, n);
    EXPECT_TRUE(e.ok());
    return out;
}

TEST(FakePlattform, FindetNamenOhneRuecksichtAufGrossUndKleinUndLoestPunktePunktAuf) {
    FakePlattform pl;
    pl.datei_ablegen("c:\\zelva\\Daten\\A.XML", "inhalt");
    Ergebnis e;
    for (const char* pfad : {"c:\\zelva\\Daten\\A.XML", "C:\\ZELVA\\daten\\a.xml", "c:\\zelva\\x\\..\\Daten\\.\\a.XML",
                             "c:\\zelva\\Daten\\..\\Daten\\A.XML"}) {
        SCOPED_TRACE(pfad);
        auto d = pl.oeffnen(pfad, e);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(alles_lesen(*d), "inhalt");
        EXPECT_TRUE(pl.datei_existiert(pfad));
        EXPECT_EQ(pl.echt(pfad), pl.wurzel() / "zelva" / "Daten" / "A.XML");
    }
    // Another drive lies beside c: under the root.
    pl.datei_ablegen("d:\\b.txt", "d");
    EXPECT_EQ(pl.echt("D:\\B.TXT"), pl.wurzel() / "_d" / "b.txt");
    EXPECT_EQ(pl.datei_lesen("d:\\B.txt"), "d");
}

TEST(FakePlattform, OeffnenMeldetWarumEsNichtGeht) {
    FakePlattform pl;
    pl.datei_ablegen("c:\\Daten\\a.XML", "x");
    Ergebnis e;
    EXPECT_EQ(pl.oeffnen("c:\\Daten\\fehlt.XML", e), nullptr);
    EXPECT_EQ(e.nummer, 2);
    e = {};
    EXPECT_EQ(pl.oeffnen("c:\\Fehlt\\a.XML", e), nullptr);
    EXPECT_EQ(e.nummer, 3);
    e = {};
    // A folder is no file to read.
    EXPECT_EQ(pl.oeffnen("c:\\Daten", e), nullptr);
    EXPECT_EQ(e.nummer, 2);
    e = {};
    pl.in_benutzung.insert("C:\\DATEN\\A.xml");
    EXPECT_EQ(pl.oeffnen("c:\\Daten\\a.XML", e), nullptr);
    EXPECT_EQ(e.nummer, 32);
}

TEST(FakePlattform, DateienPasstMusterUndLaesstVersteckteUndOrdnerAus) {
    FakePlattform pl;
    pl.datei_ablegen("c:\\D\\eins.XML", "");
    pl.datei_ablegen("c:\\D\\zwei.xml", "");
    pl.datei_ablegen("c:\\D\\drei.XML.tmp", "");
    pl.datei_ablegen("c:\\D\\vier.txt", "");
    pl.datei_ablegen("c:\\D\\versteckt.XML", "");
    pl.datei_ablegen("c:\\D\\ordner.XML\\innen.txt", "");
    std::filesystem::create_symlink(pl.echt("c:\\D\\eins.XML"), pl.wurzel() / "D" / "verweis.XML");
    pl.versteckt.insert("c:\\d\\VERSTECKT.xml");
    auto namen = pl.dateien("C:\\d\\*.XML");
    std::sort(namen.begin(), namen.end());
    // A link to a file counts as the file; the folder and the hidden file do not.
    EXPECT_EQ(namen, (std::vector<std::string>{"eins.XML", "verweis.XML", "zwei.xml"}));
    EXPECT_TRUE(pl.dateien("c:\\fehlt\\*.XML").empty());
}

TEST(FakePlattform, VerknuepfungUndDateimanagerWerdenFestgehalten) {
    FakePlattform pl;
    pl.datei_ablegen("c:\\zelva\\Karmo.exe", "MZ");
    ASSERT_TRUE(pl.verknuepfung_anlegen("c:\\Karmo.lnk", "c:\\zelva\\Karmo.exe", "c:\\zelva\\Karmo.exe").ok());
    ASSERT_TRUE(pl.verknuepfung_anlegen("c:\\Daten.lnk", "c:\\zelva\\DATEN", "").ok());
    EXPECT_EQ(pl.verknuepfungsziel("c:\\Karmo.lnk"), "c:\\zelva\\Karmo.exe");
    EXPECT_EQ(pl.verknuepfungssymbol("c:\\Karmo.lnk"), "c:\\zelva\\Karmo.exe");
    EXPECT_EQ(pl.verknuepfungsziel("c:\\Daten.lnk"), "c:\\zelva\\DATEN");
    EXPECT_EQ(pl.verknuepfungssymbol("c:\\Daten.lnk"), "");
    EXPECT_EQ(pl.verknuepfungsziel("c:\\zelva\\Karmo.exe"), ""); // not a shortcut

    // Only an existing file can be selected; every call is recorded.
    EXPECT_TRUE(pl.im_ordner_zeigen("C:\\ZELVA\\karmo.exe").ok());
    EXPECT_EQ(pl.im_ordner_zeigen("c:\\zelva\\fehlt.XML").nummer, 2);
    pl.kein_dateimanager = true;
    EXPECT_FALSE(pl.im_ordner_zeigen("c:\\zelva\\Karmo.exe").ok());
    EXPECT_EQ(pl.gezeigte_dateien, (std::vector<std::string>{"C:\\ZELVA\\karmo.exe", "c:\\zelva\\fehlt.XML",
                                                             "c:\\zelva\\Karmo.exe"}));
}

} // namespace
} // namespace karmo
