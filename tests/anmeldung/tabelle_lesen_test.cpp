// The table reader: encodings, separators, quotes, line ends, the header, each kind of EFN cell, refusals, the summary.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "anmeldung/liste.hpp"
#include "anmeldung_daten.hpp"

namespace karmo::test {
namespace {

using anmeldung::Ablehnung;
using anmeldung::EFN_Stand;
using anmeldung::Tabelle_lesen;

const std::string A = gueltige_efn(1), B = gueltige_efn(2), C = gueltige_efn(3);

std::vector<std::string> namen(const anmeldung::Anmeldeliste& l) {
    std::vector<std::string> n;
    for (const auto& a : l.zeilen) n.push_back(a.anzeigename);
    return n;
}

// UTF-16 LE bytes of an ASCII/Latin-1 text given as UTF-8, with the BOM.
std::string utf16le(std::u16string_view t) {
    std::string out = "\xFF\xFE";
    for (char16_t c : t) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    return out;
}

TEST(TabelleLesen, WindowsAnsiMitSemikolonUndCrLf) {
    // "Weiß" and "Jürgen" as Windows-1252 bytes.
    const auto l = gelesen("Nachname;Vorname;Titel;EFN\r\nWei\xDF;J\xFCrgen;Dr.;" + A + "\r\nMeier;Anna;;" + B + "\r\n");
    EXPECT_EQ(namen(l), (std::vector<std::string>{"Weiß, Dr. Jürgen", "Meier, Anna"}));
    EXPECT_EQ(l.zeilen[0].efn, A);
    EXPECT_EQ(l.zeilen[0].stand, EFN_Stand::Gueltig);
    EXPECT_EQ(l.zeilen[1].zeile, 3u);
}

TEST(TabelleLesen, Utf8MitUndOhneBomKommaUndQuotes) {
    const std::string tabelle = "\"Nachname\",\"Vorname\",\"EFN\"\n\"Weiß\",\"Jürgen, jun.\",\"" + A +
                                "\"\n\"O\"\"Brien\",\"Sean\"," + B + "\n";
    for (const std::string& bytes : {tabelle, "\xEF\xBB\xBF" + tabelle}) {
        const auto l = gelesen(bytes);
        EXPECT_EQ(namen(l), (std::vector<std::string>{"Weiß, Jürgen, jun.", "O\"Brien, Sean"}));
        EXPECT_EQ(l.zeilen[1].efn, B);
    }
}

TEST(TabelleLesen, Utf16MitBomUndTabulator) {
    const auto l = gelesen(utf16le(u"Familienname\tVorname\tEFN\r\nM\u00fcller\tKl\u00e4rchen\t" +
                                   std::u16string(A.begin(), A.end()) + u"\r\n"));
    EXPECT_EQ(namen(l), std::vector<std::string>{"Müller, Klärchen"});
    EXPECT_EQ(l.zeilen[0].stand, EFN_Stand::Gueltig);
}

TEST(TabelleLesen, ZeilenendenLfUndCrAllein) {
    for (const char* ende : {"\n", "\r", "\r\n"}) {
        const auto l = gelesen(std::string("EFN;Name;Vorname") + ende + A + ";Roth;Eva" + ende + ende + B + ";Lang;Udo");
        EXPECT_EQ(namen(l), (std::vector<std::string>{"Roth, Eva", "Lang, Udo"})) << "Zeilenende " << int(ende[0]);
        EXPECT_EQ(l.zeilen[1].zeile, 4u); // the empty line counts as a line of the file
    }
}

TEST(TabelleLesen, ZeilenumbruchImFeldZaehltAlsDateizeileUndWirdImNamenZumLeerzeichen) {
    const auto l = gelesen("Nachname;Vorname;EFN\r\n\"Schmidt\r\nvon Berg\";\"Ute\tMaria\";" + A + "\r\nKurz;Kai;x\r\n");
    EXPECT_EQ(l.zeilen[0].nachname, "Schmidt\r\nvon Berg"); // the cell as given
    EXPECT_EQ(l.zeilen[0].anzeigename, "Schmidt von Berg, Ute Maria");
    EXPECT_EQ(l.zeilen[1].zeile, 4u); // the row begins on the file's 4th line
}

TEST(TabelleLesen, ExcelsTextformelZaehltAlsIhrText) {
    const auto l = gelesen("Nachname;EFN\r\nBauer;=\"" + A + "\"\r\n\"=\"\"Kern\"\"\";\"=\"\"" + B + "\"\"\"\r\n");
    ASSERT_EQ(l.zeilen.size(), 2u);
    EXPECT_EQ(l.zeilen[0].efn_zelle, A);
    EXPECT_EQ(l.zeilen[0].stand, EFN_Stand::Gueltig);
    EXPECT_EQ(l.zeilen[1].anzeigename, "Kern");
    EXPECT_EQ(l.zeilen[1].efn, B);
    // Not a text formula: taken as it stands.
    EXPECT_EQ(gelesen("Name;EFN\r\n=\"a\"&\"b\";\r\n").zeilen[0].nachname, "=\"a\"&\"b\"");
}

TEST(TabelleLesen, TitelzeilenVorDemKopfUndDasTrennzeichenDesKopfes) {
    // Title lines with more commas than the header has semicolons.
    const auto l = gelesen("Tagung, Berlin, 2026, Teilnehmer\r\nStand: 1.12., 10:00\r\n\r\n"
                           "Akad. Titel;Nach-Name;Vor_name;E F N\r\nProf. Dr.;Adam;Eva, Maria;" + A + "\r\n");
    ASSERT_EQ(l.zeilen.size(), 1u);
    EXPECT_EQ(l.zeilen[0].anzeigename, "Adam, Prof. Dr. Eva, Maria");
    EXPECT_EQ(l.zeilen[0].zeile, 5u);
}

TEST(TabelleLesen, TrennzeichenInQuotesZaehlenNicht) {
    // Three commas in quotes, two semicolons outside: ";" separates.
    const auto l = gelesen("\"Name\";\"Bemerkung, a, b, c\";EFN\r\nRoth;\"x, y, z\";" + A + "\r\n");
    ASSERT_EQ(l.zeilen.size(), 1u);
    EXPECT_EQ(l.zeilen[0].anzeigename, "Roth");
    EXPECT_EQ(l.zeilen[0].efn, A);
    // As often: ";" before ",", "," before tab.
    EXPECT_EQ(gelesen("EFN;Name,Vorname\r\n" + A + ";Roth,Eva\r\n").zeilen[0].efn, A);
    const auto komma = gelesen("EFN\tName,Vorname\r\n" + A + "\tRoth,Eva\r\n");
    EXPECT_EQ(komma.zeilen[0].efn_zelle, A + "\tRoth");
    EXPECT_EQ(komma.zeilen[0].vorname, "Eva");
}

TEST(TabelleLesen, UeberschriftenOhneGrossKleinMitUmlautSchreibungen) {
    for (const char* kopf : {"fortbildungsnummer (efn);NACHNAME;vorname", "Barcode;Familien-Name;Vor.name",
                             "EFN-Nummer;Familienname;VORNAME", "Fortbildungsnummer;Name;Vorname"}) {
        const auto l = gelesen(std::string(kopf) + "\r\n" + A + ";Ölz;Jörg\r\n");
        EXPECT_EQ(namen(l), std::vector<std::string>{"Ölz, Jörg"}) << kopf;
    }
    // "Barcode" only as the whole heading; another heading that merely holds it names no column.
    EXPECT_EQ(Tabelle_lesen("Barcodes;Name\r\n" + A + ";X\r\n").ablehnung, Ablehnung::Kein_Kopf);
}

TEST(TabelleLesen, EinzelneNamensspalteHaeltDenGanzenNamen) {
    const auto l = gelesen("Name;Titel;EFN\r\n  Dr. Hans Weiß  ;Prof.;" + A + "\r\n");
    EXPECT_EQ(l.zeilen[0].anzeigename, "Dr. Hans Weiß, Prof.");
    EXPECT_EQ(gelesen("Name;EFN\r\nDr. Hans Weiß;" + A + "\r\n").zeilen[0].anzeigename, "Dr. Hans Weiß");
}

TEST(TabelleLesen, AnzeigenameLaesstFehlendeTeileMitKommaUndLeerzeichenWeg) {
    EXPECT_EQ(anmeldung::Anzeigename("Weiß", "Dr.", "Jürgen"), "Weiß, Dr. Jürgen");
    EXPECT_EQ(anmeldung::Anzeigename(" Weiß ", "", " Jürgen"), "Weiß, Jürgen");
    EXPECT_EQ(anmeldung::Anzeigename("Weiß", "Dr.", ""), "Weiß, Dr.");
    EXPECT_EQ(anmeldung::Anzeigename("", "Dr.", "Jürgen"), "Dr. Jürgen");
    EXPECT_EQ(anmeldung::Anzeigename("", "", "Jürgen"), "Jürgen");
    EXPECT_EQ(anmeldung::Anzeigename("Weiß", "", ""), "Weiß");
    EXPECT_EQ(anmeldung::Anzeigename("  ", "\t", ""), "");
    EXPECT_EQ(anmeldung::Anzeigename("A\x01" "B\x7F", "", "C\xC2\x85"), "A B, C"); // C0, DEL, C1 (U+0085)
}

TEST(TabelleLesen, EfnZellen) {
    const auto l = gelesen("Name;EFN\r\n"
                           "Punkte;" + A.substr(0, 5) + "." + A.substr(5, 5) + "." + A.substr(10) + "\r\n"
                           "Striche;" + B.substr(0, 3) + " - " + B.substr(3) + "\r\n"
                           "Leer;   \r\n"
                           "Wissenschaftlich;1,23457E+14\r\n"
                           "Kurz;12345\r\n"
                           "Pruefziffer;" + C.substr(0, 14) + (C[14] == '9' ? "0" : "9") + "\r\n"
                           "Strich vorn;-" + C + "\r\n"
                           "Buchstabe;" + C.substr(0, 7) + "x" + C.substr(7) + "\r\n"
                           "Mit Blanks; " + C + " \r\n");
    std::vector<EFN_Stand> stand;
    for (const auto& a : l.zeilen) stand.push_back(a.stand);
    using enum EFN_Stand;
    EXPECT_EQ(stand, (std::vector<EFN_Stand>{Gueltig, Gueltig, Ohne, Ungueltig, Ungueltig, Ungueltig, Ungueltig, Ungueltig, Gueltig}));
    EXPECT_EQ(l.zeilen[0].efn, A);
    EXPECT_EQ(l.zeilen[1].efn, B);
    EXPECT_EQ(l.zeilen[8].efn, C);
    EXPECT_TRUE(l.zeilen[3].efn.empty());
    EXPECT_EQ(l.zeilen[3].efn_zelle, "1,23457E+14");
    EXPECT_TRUE(l.bilanz.gekuerzt);
    EXPECT_EQ(l.bilanz.ungueltig, 5u);
    EXPECT_EQ(l.bilanz.ohne_efn, 1u);
    EXPECT_EQ(l.bilanz.gueltig, 3u);
}

TEST(TabelleLesen, DoppelteEfnBleibtMitIhrerErstenZeile) {
    const auto l = gelesen("Name;EFN\r\nErst;" + A + "\r\nZweit;" + A + "\r\nDritt;" + A + "\r\nB;" + B + "\r\nB2;" + B +
                           "\r\nC;" + C + "\r\n");
    EXPECT_EQ(l.zeilen[0].stand, EFN_Stand::Gueltig);
    EXPECT_EQ(l.zeilen[1].stand, EFN_Stand::Doppelt);
    EXPECT_EQ(l.zeilen[2].stand, EFN_Stand::Doppelt);
    EXPECT_EQ(l.bilanz.anmeldungen, 6u);
    EXPECT_EQ(l.bilanz.gueltig, 3u);
    EXPECT_EQ(l.bilanz.mehrfach, 2u); // two EFNs stood more than once
}

TEST(TabelleLesen, ZeilenOhneTextInDenGelesenenSpaltenZaehlenNicht) {
    const auto l = gelesen("Name;Bemerkung;EFN\r\n;;\r\n  ;Summe: 2;\r\nA;;" + A + "\r\n;;\r\n");
    EXPECT_EQ(l.bilanz.anmeldungen, 1u);
    EXPECT_EQ(l.zeilen[0].zeile, 4u);
}

TEST(TabelleLesen, Ablehnungen) {
    EXPECT_EQ(Tabelle_lesen("PK\x03\x04rest").ablehnung, Ablehnung::Arbeitsmappe);
    EXPECT_EQ(Tabelle_lesen("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1rest").ablehnung, Ablehnung::Arbeitsmappe);
    EXPECT_EQ(Tabelle_lesen(std::string("EFN;Name\r\n1\0002", 13)).ablehnung, Ablehnung::Keine_Textdatei);
    // UTF-16 without its BOM holds NUL bytes: no text.
    EXPECT_EQ(Tabelle_lesen(std::string("E\0F\0N\0", 6)).ablehnung, Ablehnung::Keine_Textdatei);
    EXPECT_EQ(Tabelle_lesen(utf16le(std::u16string(u"EFN\r\nA\0B", 8))).ablehnung, Ablehnung::Keine_Textdatei);
    EXPECT_EQ(Tabelle_lesen("Nachname;Vorname\r\nA;B\r\n").ablehnung, Ablehnung::Kein_Kopf);
    EXPECT_EQ(Tabelle_lesen("").ablehnung, Ablehnung::Kein_Kopf);
    // The header only among the first 10 lines.
    std::string elf(10, '\n');
    EXPECT_EQ(Tabelle_lesen(std::string(9, '\n') + "EFN\n" + A).ablehnung, Ablehnung::Keine);
    EXPECT_EQ(Tabelle_lesen(elf + "EFN\n" + A).ablehnung, Ablehnung::Kein_Kopf);
    // Too large in bytes, and in rows: 32,767 rows are taken, one more is not.
    EXPECT_EQ(Tabelle_lesen(std::string(anmeldung::k_hoechstgroesse + 1, 'x')).ablehnung, Ablehnung::Zu_gross);
    std::string viele = "Name;EFN\n";
    for (std::size_t i = 0; i < anmeldung::k_hoechstzahl; ++i) viele += "N\n";
    EXPECT_EQ(Tabelle_lesen(viele).liste.zeilen.size(), anmeldung::k_hoechstzahl);
    const auto zu_viele = Tabelle_lesen(viele + "N\n");
    EXPECT_EQ(zu_viele.ablehnung, Ablehnung::Zu_gross);
    EXPECT_TRUE(zu_viele.liste.zeilen.empty());
}

TEST(TabelleLesen, Ablehnungstexte) {
    const std::string p = "E:\\Liste.xlsx";
    EXPECT_EQ(anmeldung::Ablehnungstext(Ablehnung::Arbeitsmappe, p),
              "Die Datei E:\\Liste.xlsx ist eine Arbeitsmappe, keine Textdatei. Bitte speichern Sie die Tabelle als "
              "„CSV (Trennzeichen-getrennt)“ und laden Sie diese Datei.");
    EXPECT_EQ(anmeldung::Ablehnungstext(Ablehnung::Keine_Textdatei, p), "Die Datei E:\\Liste.xlsx ist keine Textdatei.");
    EXPECT_EQ(anmeldung::Ablehnungstext(Ablehnung::Kein_Kopf, p),
              "In der Datei E:\\Liste.xlsx wurde keine Spalte „EFN“ gefunden. Die erste Zeile der Tabelle muss die Spalten "
              "benennen, zum Beispiel: Nachname;Vorname;EFN");
    EXPECT_EQ(anmeldung::Ablehnungstext(Ablehnung::Zu_gross, p),
              "Die Datei E:\\Liste.xlsx ist zu groß für eine Anmeldeliste (höchstens 32767 Anmeldungen).");
    EXPECT_EQ(anmeldung::Ablehnungstext(Ablehnung::Unlesbar, p, "Zugriff verweigert"),
              "Die Datei E:\\Liste.xlsx konnte nicht gelesen werden: Zugriff verweigert");
}

TEST(TabelleLesen, ZusammenfassungNurMitDenZahlenUngleichNull) {
    EXPECT_EQ(anmeldung::Zusammenfassung(gelesen("Name;EFN\r\nA;" + A + "\r\n")),
              "Anmeldeliste geladen: 1 Anmeldungen, 1 davon mit gültiger EFN.");
    EXPECT_EQ(anmeldung::Zusammenfassung(gelesen("EFN\r\n")), "Anmeldeliste geladen: 0 Anmeldungen, 0 davon mit gültiger EFN.");
}

TEST(TabelleLesen, ZusammenfassungMitAllenZeilen) {
    std::string t = "Nachname;Vorname;EFN\r\nWeiß;Jürgen;" + A + "\r\nOhne;Nummer;\r\nWeiß;Doppelt;" + A + "\r\n";
    for (int i = 1; i <= 11; ++i) t += "U" + std::to_string(i) + ";\"Zeile\r\nzwei\";1,23457E+14\r\n";
    EXPECT_EQ(anmeldung::Zusammenfassung(gelesen(t)),
              "Anmeldeliste geladen: 14 Anmeldungen, 1 davon mit gültiger EFN.\r\n"
              "1 ohne EFN.\r\n"
              "11 mit ungültiger EFN:\r\n"
              "Zeile 5: U1, Zeile zwei (1,23457E+14)\r\n"
              "Zeile 7: U2, Zeile zwei (1,23457E+14)\r\n"
              "Zeile 9: U3, Zeile zwei (1,23457E+14)\r\n"
              "Zeile 11: U4, Zeile zwei (1,23457E+14)\r\n"
              "Zeile 13: U5, Zeile zwei (1,23457E+14)\r\n"
              "Zeile 15: U6, Zeile zwei (1,23457E+14)\r\n"
              "Zeile 17: U7, Zeile zwei (1,23457E+14)\r\n"
              "Zeile 19: U8, Zeile zwei (1,23457E+14)\r\n"
              "Zeile 21: U9, Zeile zwei (1,23457E+14)\r\n"
              "Zeile 23: U10, Zeile zwei (1,23457E+14)\r\n"
              "…\r\n"
              "1 EFN standen mehrfach in der Liste und wurden nur einmal übernommen.\r\n"
              "Excel hat lange Nummern gekürzt. Bitte formatieren Sie die EFN-Spalte als Text und speichern Sie die Datei erneut.");
}

TEST(TabelleLesen, UngueltigeZeilenOhneWissenschaftlicheFormOhneHinweisAufExcel) {
    const std::string z = anmeldung::Zusammenfassung(gelesen("Name;EFN\r\nA;12-34\r\n"));
    EXPECT_EQ(z, "Anmeldeliste geladen: 1 Anmeldungen, 0 davon mit gültiger EFN.\r\n1 mit ungültiger EFN:\r\nZeile 2: A (12-34)");
}

} // namespace
} // namespace karmo::test
