// The stored list: its path and bytes, read back as the same list, written so that a failure leaves the old one; a chosen file read.
#include <gtest/gtest.h>

#include <string>

#include "anmeldung/ablage.hpp"
#include "anmeldung_daten.hpp"
#include "platform/fake/fake_plattform.hpp"

namespace karmo::test {
namespace {

using anmeldung::Anmeldeliste;

constexpr const char* k_daten = "c:\\zelva\\Daten\\";
constexpr const char* k_vnr = "2760100000000000016";
const std::string A = gueltige_efn(1), B = gueltige_efn(2);

void gleich(const Anmeldeliste& a, const Anmeldeliste& b) {
    ASSERT_EQ(a.zeilen.size(), b.zeilen.size());
    for (std::size_t i = 0; i < a.zeilen.size(); ++i) {
        EXPECT_EQ(a.zeilen[i].nachname, b.zeilen[i].nachname) << i;
        EXPECT_EQ(a.zeilen[i].vorname, b.zeilen[i].vorname) << i;
        EXPECT_EQ(a.zeilen[i].titel, b.zeilen[i].titel) << i;
        EXPECT_EQ(a.zeilen[i].efn_zelle, b.zeilen[i].efn_zelle) << i;
        EXPECT_EQ(a.zeilen[i].anzeigename, b.zeilen[i].anzeigename) << i;
        EXPECT_EQ(a.zeilen[i].stand, b.zeilen[i].stand) << i;
    }
    EXPECT_EQ(anmeldung::Zusammenfassung(a).substr(0, 60), anmeldung::Zusammenfassung(b).substr(0, 60));
}

TEST(AnmeldelisteAblage, Pfad) {
    EXPECT_EQ(anmeldung::Anmeldeliste_pfad(k_daten, k_vnr), "c:\\zelva\\Daten\\2760100000000000016.Anmeldeliste.csv");
}

TEST(AnmeldelisteAblage, BytesDerAblage) {
    const Anmeldeliste l = gelesen("Name;EFN;Vorname\r\nWeiß;" + A + ";Jürgen\r\n\"Semi;kolon\";\"1,23457E+14\";\"Zeile\nzwei\"\r\n"
                                   "\"Zitat \"\"x\"\"\";;\r\n\"=\"\"=\"\"\"\"y\"\"\"\"\"\"\";;  Blank  \r\n");
    EXPECT_EQ(anmeldung::Ablagetext(l), "\xEF\xBB\xBFNachname;Vorname;Titel;EFN\r\n"
                                        "Weiß;Jürgen;;" + A + "\r\n"
                                        "\"Semi;kolon\";\"Zeile\nzwei\";;1,23457E+14\r\n"
                                        "\"Zitat \"\"x\"\"\";;;\r\n"
                                        // The cell ="y" (from Excel's text formula ="=""y""") as a formula itself.
                                        "=\"=\"\"y\"\"\";  Blank  ;;\r\n");
}

TEST(AnmeldelisteAblage, WiedergelesenDieselbeListe) {
    const Anmeldeliste l = gelesen("Titel\tName\tVorname\tBarcode\r\nDr.\tWeiß\tJürgen\t" + A + "\r\n\tOhne\t\t\r\n"
                                   "\tDoppelt\t\t" + A + "\r\n\t\"a;b\r\nc\"\t=\"=\"\"q\"\"\"\t 1.23E+14 \r\n\t=\"x\"&y\t\t" + B + "\r\n");
    const Anmeldeliste wieder = gelesen(anmeldung::Ablagetext(l));
    gleich(l, wieder);
    EXPECT_EQ(anmeldung::Ablagetext(wieder), anmeldung::Ablagetext(l));
}

TEST(AnmeldelisteAblage, AblegenUndLaden) {
    FakePlattform pl;
    pl.ordner_anlegen("c:\\zelva");
    pl.ordner_anlegen(k_daten);
    EXPECT_FALSE(anmeldung::Anmeldeliste_laden(pl, k_daten, k_vnr).liste); // none yet
    EXPECT_EQ(anmeldung::Anmeldeliste_laden(pl, k_daten, k_vnr).meldung, "");
    const Anmeldeliste l = gelesen("Nachname;EFN\r\nWeiß;" + A + "\r\n");
    ASSERT_TRUE(anmeldung::Anmeldeliste_ablegen(pl, k_daten, k_vnr, l).ok());
    const std::string pfad = anmeldung::Anmeldeliste_pfad(k_daten, k_vnr);
    EXPECT_EQ(pl.datei_lesen(pfad), anmeldung::Ablagetext(l));
    EXPECT_FALSE(pl.datei_existiert(pfad + ".tmp"));
    // The file list of events does not show it.
    EXPECT_TRUE(pl.dateien("c:\\zelva\\Daten\\*.XML").empty());

    const anmeldung::Einlesung e = anmeldung::Anmeldeliste_laden(pl, k_daten, k_vnr);
    ASSERT_TRUE(e.liste);
    EXPECT_EQ(e.meldung, "");
    gleich(*e.liste, l);

    ASSERT_TRUE(anmeldung::Anmeldeliste_entfernen(pl, k_daten, k_vnr).ok());
    EXPECT_FALSE(pl.datei_existiert(pfad));

    // A stored file that is no list any more: no list, and the refusal.
    pl.datei_ablegen(pfad, "Nachname;Vorname\r\n");
    const anmeldung::Einlesung kaputt = anmeldung::Anmeldeliste_laden(pl, k_daten, k_vnr);
    EXPECT_FALSE(kaputt.liste);
    EXPECT_EQ(kaputt.meldung, anmeldung::Ablehnungstext(anmeldung::Ablehnung::Kein_Kopf, pfad));
}

TEST(AnmeldelisteAblage, FehlschlagLaesstDieAlteListe) {
    FakePlattform pl;
    pl.ordner_anlegen("c:\\zelva");
    pl.ordner_anlegen(k_daten);
    const Anmeldeliste alt = gelesen("Nachname;EFN\r\nAlt;" + A + "\r\n");
    const Anmeldeliste neu = gelesen("Nachname;EFN\r\nNeu;" + B + "\r\n");
    ASSERT_TRUE(anmeldung::Anmeldeliste_ablegen(pl, k_daten, k_vnr, alt).ok());
    const std::string pfad = anmeldung::Anmeldeliste_pfad(k_daten, k_vnr);

    // The temporary file cannot be written: a full disk.
    pl.datentraeger_voll = true;
    const Ergebnis voll = anmeldung::Anmeldeliste_ablegen(pl, k_daten, k_vnr, neu);
    EXPECT_FALSE(voll.ok());
    pl.datentraeger_voll = false;
    EXPECT_EQ(pl.datei_lesen(pfad), anmeldung::Ablagetext(alt));

    // Written, but the old file cannot be replaced: the temporary one is removed again.
    pl.in_benutzung.insert(pfad);
    const Ergebnis benutzt = anmeldung::Anmeldeliste_ablegen(pl, k_daten, k_vnr, neu);
    EXPECT_FALSE(benutzt.ok());
    pl.in_benutzung.clear();
    EXPECT_EQ(pl.datei_lesen(pfad), anmeldung::Ablagetext(alt));
    EXPECT_FALSE(pl.datei_existiert(pfad + ".tmp"));
    EXPECT_EQ(anmeldung::Ablagefehler_Text(pfad, benutzt), "Die Anmeldeliste konnte nicht gespeichert werden:\r\n" + pfad + "\r\n" + benutzt.text);
}

TEST(AnmeldelisteAblage, GewaehlteDateiEinlesen) {
    FakePlattform pl;
    pl.datei_ablegen("e:\\Anmeldungen.csv", "Nachname;EFN\r\nWeiß;" + A + "\r\nOhne;\r\n");
    const anmeldung::Einlesung e = anmeldung::Anmeldeliste_einlesen(pl, "e:\\Anmeldungen.csv");
    ASSERT_TRUE(e.liste);
    EXPECT_EQ(e.meldung, "Anmeldeliste geladen: 2 Anmeldungen, 1 davon mit gültiger EFN.\r\n1 ohne EFN.");

    pl.datei_ablegen("e:\\Anmeldungen.xlsx", std::string("PK\x03\x04\x14\0\x06\0", 8));
    const anmeldung::Einlesung x = anmeldung::Anmeldeliste_einlesen(pl, "e:\\Anmeldungen.xlsx");
    EXPECT_FALSE(x.liste);
    EXPECT_EQ(x.meldung, anmeldung::Ablehnungstext(anmeldung::Ablehnung::Arbeitsmappe, "e:\\Anmeldungen.xlsx"));

    pl.in_benutzung.insert("e:\\Anmeldungen.csv");
    const anmeldung::Einlesung u = anmeldung::Anmeldeliste_einlesen(pl, "e:\\Anmeldungen.csv");
    EXPECT_FALSE(u.liste);
    EXPECT_EQ(u.meldung, "Die Datei e:\\Anmeldungen.csv konnte nicht gelesen werden: Der Prozess kann nicht auf die Datei "
                         "zugreifen, da sie von einem anderen Prozess verwendet wird.");
    EXPECT_EQ(anmeldung::Anmeldeliste_einlesen(pl, "e:\\fehlt.csv").meldung.rfind("Die Datei e:\\fehlt.csv konnte nicht gelesen werden: ", 0), 0u);
}

TEST(AnmeldelisteAblage, GespeicherteFormZuGrossWirdAbgelehnt) {
    // Within 16 MiB as read, beyond it as stored: each quote in a cell is doubled there.
    FakePlattform pl;
    std::string t = "Name;EFN\r\n";
    const std::string zitate = "x" + std::string(999, '"');
    while (t.size() + zitate.size() + 2 < anmeldung::k_hoechstgroesse) t += zitate + "\r\n";
    pl.datei_ablegen("e:\\euro.csv", t);
    const anmeldung::Einlesung e = anmeldung::Anmeldeliste_einlesen(pl, "e:\\euro.csv");
    EXPECT_FALSE(e.liste);
    EXPECT_EQ(e.meldung, anmeldung::Ablehnungstext(anmeldung::Ablehnung::Zu_gross, "e:\\euro.csv"));
}

} // namespace
} // namespace karmo::test
