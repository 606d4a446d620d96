// The table for Excel: its exact bytes, names that would run as formulas, quotes and breaks, no list, and reading it again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "anmeldung/excel_tabelle.hpp"
#include "anmeldung_daten.hpp"

namespace karmo::test {
namespace {

using anmeldung::Anmelderegister;
using anmeldung::Excel_Tabelle;

const std::string A = gueltige_efn(1), B = gueltige_efn(2), C = gueltige_efn(3), D = gueltige_efn(4);
constexpr const char* k_kopf = "\xEF\xBB\xBF" "EFN;Nachname;Vorname;Titel;Basispunkte;Referentenpunkte;Angemeldet;Erfasst\r\n";

TEST(ExcelTabelle, LeereListeOhneAnmeldeliste) {
    EXPECT_EQ(Excel_Tabelle({}, nullptr), k_kopf);
    const Anmelderegister leer(gelesen("EFN\r\n"));
    EXPECT_EQ(Excel_Tabelle({}, &leer), k_kopf);
}

TEST(ExcelTabelle, TeilnehmerDannNichtErschieneneInDerOrdnungDesFensters) {
    const Anmelderegister r(gelesen("Nachname;Vorname;Titel;EFN\r\n"
                                    "Weiß;Jürgen;Dr.;" + A + "\r\n"
                                    "Zander;Zoe;;" + B + "\r\n"
                                    "Adler;Anna;;" + C + "\r\n"
                                    "Ohne;Nummer;;\r\n"
                                    "Kaputt;Nummer;;1,23457E+14\r\n"));
    const std::vector<anmeldung::Teilnehmerzeile> liste{{B, "8", "0"}, {D, "8", "2"}, {A, "6", ""}};
    EXPECT_EQ(Excel_Tabelle(liste, &r), std::string(k_kopf) +
                                            "=\"" + B + "\";Zander;Zoe;;8;0;ja;ja\r\n"
                                            "=\"" + D + "\";;;;8;2;nein;ja\r\n"
                                            "=\"" + A + "\";Weiß;Jürgen;Dr.;6;;ja;ja\r\n"
                                            "=\"" + C + "\";Adler;Anna;;;;ja;nein\r\n"
                                            "=\"1,23457E+14\";Kaputt;Nummer;;;;ja;nein\r\n"
                                            ";Ohne;Nummer;;;;ja;nein\r\n");
}

TEST(ExcelTabelle, FormelnamenQuotesSemikolaUndUmbrueche) {
    const Anmelderegister r(gelesen("Nachname;Vorname;Titel;EFN\r\n"
                                    "\"=SUMME(A1)\";+49;@x;" + A + "\r\n"
                                    "\"-Minus\";\" Semi;kolon \";\"Zitat \"\"Q\"\"\";" + B + "\r\n"
                                    "\"Zeile\r\nzwei\";Ute;;\"a;b\"\r\n"));
    EXPECT_EQ(Excel_Tabelle({{A, "8", "0"}}, &r), std::string(k_kopf) +
                                                      "=\"" + A + "\";'=SUMME(A1);'+49;'@x;8;0;ja;ja\r\n"
                                                      "=\"" + B + "\";'-Minus;\"Semi;kolon\";\"Zitat \"\"Q\"\"\";;;ja;nein\r\n"
                                                      "\"=\"\"a;b\"\"\";\"Zeile\r\nzwei\";Ute;;;;ja;nein\r\n");
}

TEST(ExcelTabelle, WirdWiederAlsAnmeldelisteGelesen) {
    const Anmelderegister r(gelesen("Nachname;Vorname;Titel;EFN\r\nWeiß;Jürgen;Dr.;" + A + "\r\n\"Semi;kolon\";\"Zeile\nzwei\";;" + B +
                                    "\r\nOhne;Nummer;;\r\nKaputt;;;12 34 x\r\n"));
    const auto wieder = gelesen(Excel_Tabelle({{C, "8", "0"}, {A, "8", "0"}}, &r));
    std::vector<std::string> namen, efn;
    for (const auto& a : wieder.zeilen) {
        namen.push_back(a.anzeigename);
        efn.push_back(a.efn_zelle);
    }
    EXPECT_EQ(namen, (std::vector<std::string>{"", "Weiß, Dr. Jürgen", "Kaputt", "Ohne, Nummer", "Semi;kolon, Zeile zwei"}));
    EXPECT_EQ(efn, (std::vector<std::string>{C, A, "12 34 x", "", B}));
    EXPECT_EQ(wieder.bilanz.gueltig, 3u);
    EXPECT_EQ(wieder.bilanz.ungueltig, 1u);
}

} // namespace
} // namespace karmo::test
