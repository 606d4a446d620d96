// The Win32 platform's file operations on the real API (run under Wine).
#include <algorithm>

#include "common/text.hpp"
#include "win32/win32_test_ordner.hpp"

namespace karmo::test {
namespace {

using Dateisystem = Win32Ordner;

std::vector<std::string> sortiert(std::vector<std::string> namen) {
    std::sort(namen.begin(), namen.end());
    return namen;
}

std::string alles_lesen(Plattform& p, const std::string& pfad) {
    Ergebnis fehler;
    auto datei = p.oeffnen(pfad, fehler);
    if (!datei) return "<" + fehler.text + ">";
    std::string inhalt;
    char puffer[3]; // small on purpose: the reader must continue where it stopped
    while (std::size_t n = datei->lesen(puffer, sizeof puffer, fehler)) inhalt.append(puffer, n);
    EXPECT_TRUE(fehler.ok()) << fehler.text;
    return inhalt;
}

TEST_F(Dateisystem, SchreibenLegtAnUndKuerztVorhandeneDatei) {
    ASSERT_TRUE(p.schreiben(pfad("a.txt"), "ein langer Inhalt\r\n").ok());
    ASSERT_TRUE(p.schreiben(pfad("a.txt"), "kurz").ok());
    EXPECT_EQ(roh_lesen(pfad("a.txt")), "kurz");
    ASSERT_TRUE(p.schreiben(pfad("leer.txt"), "").ok());
    EXPECT_TRUE(p.datei_existiert(pfad("leer.txt")));
    EXPECT_EQ(alles_lesen(p, pfad("leer.txt")), "");
}

TEST_F(Dateisystem, KopierenUeberschreibtDasZiel) {
    ASSERT_TRUE(p.schreiben(pfad("quelle.exe"), "neu").ok());
    ASSERT_TRUE(p.schreiben(pfad("ziel.exe"), "alter, laengerer Inhalt").ok());
    const Ergebnis e = p.kopieren(pfad("quelle.exe"), pfad("ziel.exe"));
    ASSERT_TRUE(e.ok()) << e.text;
    EXPECT_EQ(roh_lesen(pfad("ziel.exe")), "neu");
    EXPECT_EQ(roh_lesen(pfad("quelle.exe")), "neu");
}

TEST_F(Dateisystem, KopierenOhneQuelleMeldetDenFehler) {
    const Ergebnis e = p.kopieren(pfad("fehlt.exe"), pfad("ziel.exe"));
    EXPECT_EQ(e.nummer, static_cast<int>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(p.datei_existiert(pfad("ziel.exe")));
}

TEST_F(Dateisystem, ErsetzenTauschtEineVorhandeneDateiAus) {
    ASSERT_TRUE(p.schreiben(pfad("x.tmp"), "neue Fassung").ok());
    ASSERT_TRUE(p.schreiben(pfad("x.XML"), "alte Fassung, die verschwinden muss").ok());
    const Ergebnis e = p.ersetzen(pfad("x.tmp"), pfad("x.XML"));
    ASSERT_TRUE(e.ok()) << e.text;
    EXPECT_EQ(roh_lesen(pfad("x.XML")), "neue Fassung");
    EXPECT_FALSE(p.datei_existiert(pfad("x.tmp")));
}

TEST_F(Dateisystem, DateinamenOhneRuecksichtAufGrossKlein) {
    ASSERT_TRUE(p.schreiben(pfad("Daten.XML"), "x").ok());
    EXPECT_TRUE(p.datei_existiert(pfad("daten.xml")));
    EXPECT_TRUE(p.datei_existiert(pfad("DATEN.Xml")));
    EXPECT_FALSE(p.datei_existiert(pfad("Daten.XM")));
    EXPECT_EQ(p.dateien(pfad("*.xml")), std::vector<std::string>{"Daten.XML"});
    EXPECT_EQ(roh_lesen(pfad("dAtEn.xMl")), "x");
}

TEST_F(Dateisystem, VersteckteSystemdateienUndOrdnerZaehlenNicht) {
    EXPECT_EQ(p.erste_datei(ordner()), std::nullopt) << "leerer Ordner";

    ASSERT_TRUE(p.schreiben(pfad("versteckt.txt"), "v").ok());
    ASSERT_TRUE(SetFileAttributesW(win32::breit(pfad("versteckt.txt")).c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(p.schreiben(pfad("system.txt"), "s").ok());
    ASSERT_TRUE(SetFileAttributesW(win32::breit(pfad("system.txt")).c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(p.ordner_anlegen(pfad("unterordner")).ok());

    EXPECT_EQ(p.erste_datei(ordner()), std::nullopt);
    EXPECT_TRUE(p.dateien(pfad("*")).empty());
    EXPECT_FALSE(p.datei_existiert(pfad("versteckt.txt")));
    EXPECT_FALSE(p.datei_existiert(pfad("system.txt")));
    EXPECT_FALSE(p.datei_existiert(pfad("unterordner")));

    ASSERT_TRUE(p.schreiben(pfad("Karmo.exe"), "k").ok());
    ASSERT_TRUE(SetFileAttributesW(win32::breit(pfad("Karmo.exe")).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(p.erste_datei(ordner()), std::optional<std::string>("Karmo.exe"));
    EXPECT_EQ(p.dateien(pfad("*")), std::vector<std::string>{"Karmo.exe"});
    EXPECT_TRUE(p.datei_existiert(pfad("Karmo.exe"))) << "schreibgeschuetzt ist gewoehnlich";
}

TEST_F(Dateisystem, PlatzhalterImLetztenNamensteil) {
    for (const char* name : {"a.XML", "b.xml", "c.txt", "ab.XML", "config.ini"})
        ASSERT_TRUE(p.schreiben(pfad(name), name).ok());
    EXPECT_EQ(sortiert(p.dateien(pfad("*.XML"))), (std::vector<std::string>{"a.XML", "ab.XML", "b.xml"}));
    EXPECT_EQ(sortiert(p.dateien(pfad("?.XML"))), (std::vector<std::string>{"a.XML", "b.xml"}));
    EXPECT_EQ(sortiert(p.dateien(pfad("c*"))), (std::vector<std::string>{"c.txt", "config.ini"}));
    EXPECT_EQ(p.dateien(pfad("config.ini")), std::vector<std::string>{"config.ini"});
    EXPECT_TRUE(p.dateien(pfad("*.dat")).empty());
    EXPECT_TRUE(p.dateien(pfad("fehlt\\*.XML")).empty()) << "fehlender Ordner";
}

TEST_F(Dateisystem, OrdnerEineEbeneAnlegen) {
    ASSERT_TRUE(p.ordner_anlegen(pfad("Daten")).ok());
    EXPECT_TRUE(p.ordner_existiert(pfad("Daten")));
    EXPECT_TRUE(p.ordner_existiert(pfad("daten\\")));
    EXPECT_FALSE(p.ordner_existiert(pfad("Daten2")));

    const Ergebnis doppelt = p.ordner_anlegen(pfad("Daten"));
    EXPECT_EQ(doppelt.nummer, static_cast<int>(ERROR_ALREADY_EXISTS));

    const Ergebnis tief = p.ordner_anlegen(pfad("gibts\\nicht"));
    EXPECT_EQ(tief.nummer, static_cast<int>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(p.ordner_existiert(pfad("gibts")));

    ASSERT_TRUE(p.schreiben(pfad("datei"), "").ok());
    EXPECT_FALSE(p.ordner_existiert(pfad("datei")));
}

TEST_F(Dateisystem, Windows1252UndUmlauteImNamen) {
    const std::string text = "Grüße aus der Straße: 5 € für Ärzte\r\n";
    const std::string erwartet = "Gr\xFC\xDF"
                                 "e aus der Stra\xDF"
                                 "e: 5 \x80 f\xFCr \xC4rzte\r\n";
    const std::string datei = pfad("Prüfung_€.XML");

    ASSERT_TRUE(p.schreiben(datei, text::utf8_zu_cp1252(text)).ok());
    EXPECT_EQ(roh_lesen(datei), erwartet);
    const std::string gelesen = alles_lesen(p, datei);
    EXPECT_EQ(gelesen, erwartet);
    EXPECT_EQ(text::cp1252_zu_utf8(gelesen), text);

    EXPECT_TRUE(p.datei_existiert(pfad("PRÜFUNG_€.xml"))) << "Umlaute ohne Ruecksicht auf Gross/Klein";
    EXPECT_EQ(p.dateien(pfad("*.XML")), std::vector<std::string>{"Prüfung_€.XML"});
}

TEST_F(Dateisystem, FehlerTragenNummerUndText) {
    const Ergebnis weg = p.loeschen(pfad("gibt_es_nicht.txt"));
    EXPECT_EQ(weg.nummer, static_cast<int>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(weg.text.empty());
    EXPECT_NE(weg.text.back(), '\n');
    EXPECT_NE(weg.text.back(), '\r');

    const Ergebnis schreiben = p.schreiben(pfad("fehlt\\x.txt"), "x");
    EXPECT_EQ(schreiben.nummer, static_cast<int>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(schreiben.text.empty());

    Ergebnis oeffnen;
    EXPECT_EQ(p.oeffnen(pfad("fehlt.txt"), oeffnen), nullptr);
    EXPECT_EQ(oeffnen.nummer, static_cast<int>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(oeffnen.text.empty());

    ASSERT_TRUE(p.schreiben(pfad("da.txt"), "x").ok());
    ASSERT_TRUE(p.loeschen(pfad("da.txt")).ok());
    EXPECT_FALSE(p.datei_existiert(pfad("da.txt")));
}

TEST_F(Dateisystem, GeoeffneteDateiBleibtLesbarFuerAndere) {
    ASSERT_TRUE(p.schreiben(pfad("offen.XML"), "Zeile 1\r\nZeile 2\r\n").ok());
    Ergebnis fehler;
    auto datei = p.oeffnen(pfad("offen.XML"), fehler);
    ASSERT_NE(datei, nullptr) << fehler.text;
    EXPECT_EQ(roh_lesen(pfad("offen.XML")), "Zeile 1\r\nZeile 2\r\n");
    // Writing over a file that is open for reading is refused, not silently lost.
    EXPECT_FALSE(p.schreiben(pfad("offen.XML"), "neu").ok());
}

} // namespace
} // namespace karmo::test
