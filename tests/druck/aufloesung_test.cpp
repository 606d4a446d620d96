// Barcodes at every printer resolution, read back from the recorded pixels; every page's marks on the paper however long the content.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "druck/anmeldeliste.hpp"
#include "druck/anwesenheitsliste.hpp"
#include "druck/ausgabe.hpp"
#include "druck/bescheinigungen.hpp"
#include "druck/strichcode.hpp"
#include "druck_umgebung.hpp"
#include "platform/fake/fake_drucker.hpp"
#include "platform/fake/fake_plattform.hpp"
#include "strichcode_lesen.hpp"

namespace karmo::druck {
namespace {

using test::Gelesen;
using test::Kasten;
using test::veranstaltung;

struct Aufloesung {
    int x, y;
};
const Aufloesung k_aufloesungen[] = {{100, 100}, {120, 120}, {150, 150}, {180, 180},   {240, 240},   {300, 300},
                                     {360, 360}, {600, 600}, {720, 720}, {1200, 1200}, {2400, 2400}, {600, 1200}};

int px(int hundertstel, int dpi) { return static_cast<int>((static_cast<long long>(hundertstel) * dpi + 1270) / 2540); }

// The job's pages on a test printer of the given resolution.
std::vector<Gedruckte_Seite> drucken(const Druckdaten& d, Druckart art, Aufloesung a) {
    FakePlattform p;
    FakeDrucker drucker;
    drucker.dpi_x = a.x;
    drucker.dpi_y = a.y;
    p.setze_drucker(&drucker);
    EXPECT_EQ(Drucken(p, d, art), Druckausgang::Gedruckt);
    EXPECT_TRUE(p.meldungen.empty());
    return drucker.auftraege.at(0).seiten;
}

// No mark of the page outside the margins, which every printer prints.
void auf_dem_papier(const Gedruckte_Seite& s, Aufloesung a) {
    const Kasten rahmen{px(k_links, a.x), px(k_oben, a.y), px(k_rechts, a.x), px(k_unten, a.y)};
    for (const Gedruckter_Balken& b : s.balken) EXPECT_TRUE(test::kasten(b).in(rahmen)) << b.x << "," << b.y;
    for (const Gedruckter_Text& t : s.texte) EXPECT_TRUE(test::kasten(t, a.x, a.y).in(rahmen)) << t.text;
}

// The Code 39 standard, the quiet zones, and nothing else within the
// symbol's box; with `spalte` >= 0, the box lies between that column's rules.
void symbol_pruefen(const Gedruckte_Seite& s, const Gelesen& g, Aufloesung a, int spalte) {
    SCOPED_TRACE(g.text);
    // The narrow element: whole pixels, at least 0.17 mm, the nearest to
    // 0.25 mm unless one pixel fewer would be below 0.17 mm.
    EXPECT_GE(g.schmal * 2540, 17 * a.x);
    const bool naechste = 2 * std::abs(g.schmal * 2540 - 25 * a.x) <= 2540;
    const bool mindestens = (g.schmal - 1) * 2540 < 17 * a.x;
    EXPECT_TRUE(naechste || mindestens) << g.schmal;
    EXPECT_GE(g.breit * 10, 22 * g.schmal);
    EXPECT_LE(g.breit, 3 * g.schmal);
    const int ruhe = std::max(10 * g.schmal, (250 * a.x + 2539) / 2540);
    EXPECT_GE(g.ruhe_links, ruhe);
    EXPECT_GE(g.ruhe_rechts, ruhe);
    // The bars 8 mm high at least, whatever the vertical resolution.
    EXPECT_GE((g.unten - g.oben) * 2540, 800 * a.y);
    const Kasten balken{g.links, g.oben, g.rechts, g.unten};
    const Kasten feld{g.links - ruhe, g.oben, g.rechts + ruhe, g.unten};
    for (const Gedruckter_Balken& b : s.balken) {
        if (test::kasten(b).schneidet(feld)) {
            EXPECT_TRUE(test::kasten(b).in(balken)) << b.x << "," << b.y;
        }
    }
    for (const Gedruckter_Text& t : s.texte) EXPECT_FALSE(test::kasten(t, a.x, a.y).schneidet(feld)) << t.text;
    if (spalte < 0) return;
    // The table's vertical lines through the symbol's row, left to right.
    std::vector<Kasten> linien;
    const int mitte = (g.oben + g.unten) / 2;
    for (const Gedruckter_Balken& b : s.balken) {
        const Kasten k = test::kasten(b);
        if (b.hoehe * 2540 >= 1500 * a.y && b.breite * 2540 <= 100 * a.x && k.y0 <= mitte && mitte < k.y1)
            linien.push_back(k);
    }
    std::sort(linien.begin(), linien.end(), [](const Kasten& l, const Kasten& r) { return l.x0 < r.x0; });
    ASSERT_GT(linien.size(), static_cast<std::size_t>(spalte + 1));
    EXPECT_GE(feld.x0, linien[static_cast<std::size_t>(spalte)].x1);
    EXPECT_LE(feld.x1, linien[static_cast<std::size_t>(spalte) + 1].x0);
}

// The printout at resolution a: every page on the paper, every barcode on
// it read back and checked as symbol_pruefen does; what was read, page by
// page.
std::vector<std::vector<std::string>> lesen_und_pruefen(const Druckdaten& d, Druckart art, Aufloesung a, int spalte) {
    SCOPED_TRACE(std::to_string(a.x) + "x" + std::to_string(a.y));
    std::vector<std::vector<std::string>> out;
    for (const Gedruckte_Seite& s : drucken(d, art, a)) {
        auf_dem_papier(s, a);
        out.emplace_back();
        for (const Gelesen& g : test::strichcodes_lesen(s, a.x, a.y)) {
            symbol_pruefen(s, g, a, spalte);
            out.back().push_back(g.text);
        }
    }
    return out;
}

std::vector<std::string> flach(const std::vector<std::vector<std::string>>& seiten) {
    std::vector<std::string> out;
    for (const auto& s : seiten) out.insert(out.end(), s.begin(), s.end());
    return out;
}

TEST(Strichmass, EveryResolutionFrom100To2400KeepsToTheStandard) {
    for (int dpi = 100; dpi <= 2400; ++dpi) {
        const Strichmass m = Strichmass::fuer(dpi);
        SCOPED_TRACE(dpi);
        EXPECT_GE(m.schmal * 2540, 17 * dpi);
        EXPECT_TRUE(2 * std::abs(m.schmal * 2540 - 25 * dpi) <= 2540 || (m.schmal - 1) * 2540 < 17 * dpi);
        EXPECT_GE(m.breit * 10, 22 * m.schmal);
        EXPECT_LE(m.breit, 3 * m.schmal);
        EXPECT_GE(m.ruhe, 10 * m.schmal);
        EXPECT_GE(m.ruhe * 2540, 250 * dpi);
        // The narrowest the list's EFN column gets, and the widest.
        EXPECT_GE(efn_spaltenbreite(m), 50 * k_mm);
        EXPECT_LE(efn_spaltenbreite(m), 92 * k_mm);
    }
    // One pixel at 100 dpi; at 150 dpi one would be 0.169 mm.
    EXPECT_EQ(Strichmass::fuer(100).schmal, 1);
    EXPECT_EQ(Strichmass::fuer(100).breit, 3);
    EXPECT_EQ(Strichmass::fuer(150).schmal, 2);
    EXPECT_EQ(Strichmass::fuer(150).breit, 5);
    EXPECT_EQ(Strichmass::fuer(600).schmal, 6);
    EXPECT_EQ(Strichmass::fuer(600).breit, 15);
}

TEST(Aufloesung, ListBarcodesDecodeInTheirColumnClearOfEverythingAtEveryResolution) {
    // Names beside the barcodes, long ones too; every third a walk-in.
    Druckdaten d = veranstaltung(40, 2);
    for (std::size_t i = 0; i < d.teilnehmer.size(); ++i) {
        if (i % 3 != 1) d.teilnehmer[i].name = test::anzeigename(static_cast<int>(i)) + std::string(i % 5 * 10, 'x');
    }
    for (const Aufloesung a : k_aufloesungen) {
        const std::vector<std::vector<std::string>> gelesen =
            lesen_und_pruefen(d, Druckart::Anwesenheitsliste, a, static_cast<int>(Anwesenheitsliste::k_efn));
        EXPECT_GE(gelesen.size(), 3U);
        EXPECT_EQ(flach(gelesen), test::efns(d));
    }
}

TEST(Aufloesung, CertificateBarcodeDecodesInItsPlaceAtEveryResolution) {
    const Druckdaten d = veranstaltung(3, 2);
    for (const Aufloesung a : k_aufloesungen) {
        const std::vector<std::vector<std::string>> gelesen = lesen_und_pruefen(d, Druckart::Bescheinigungen, a, -1);
        ASSERT_EQ(gelesen.size(), 3U);
        for (std::size_t k = 0; k < 3; ++k) EXPECT_EQ(gelesen[k], std::vector<std::string>{d.teilnehmer[k].efn});
    }
}

TEST(Aufloesung, DoorListBarcodesDecodeInTheirColumnAtEveryResolution) {
    Druckdaten d = veranstaltung(0, 2);
    d.anmeldungen = test::anmeldungen(40);
    std::vector<std::string> gueltige;
    for (const Druckanmeldung& a : d.anmeldungen) {
        if (a.efn_gueltig) gueltige.push_back(a.efn);
    }
    for (const Aufloesung a : k_aufloesungen) {
        const std::vector<std::vector<std::string>> gelesen =
            lesen_und_pruefen(d, Druckart::Anmeldeliste, a, static_cast<int>(Anmeldeliste::k_efn));
        EXPECT_GE(gelesen.size(), 3U);
        EXPECT_EQ(flach(gelesen), gueltige);
    }
}

// A wrong table entry or element width would read as another number or none.
TEST(Aufloesung, TheReaderRefusesAWrongPatternOrWidth) {
    const Druckdaten d = veranstaltung(1);
    std::vector<Gedruckte_Seite> seiten = drucken(d, Druckart::Bescheinigungen, {300, 300});
    ASSERT_EQ(test::strichcodes_lesen(seiten[0], 300, 300).size(), 1U);
    Gedruckte_Seite breiter = seiten[0];
    Gedruckte_Seite vertauscht = seiten[0];
    const std::vector<Gelesen> g = test::strichcodes_lesen(seiten[0], 300, 300);
    std::vector<Gedruckter_Balken*> striche;
    for (Gedruckter_Balken& b : vertauscht.balken) {
        if (b.y == g[0].oben && b.x >= g[0].links && b.x < g[0].rechts) striche.push_back(&b);
    }
    ASSERT_EQ(striche.size(), 17U * 5);
    // The third character's first bar one pixel wider: no symbol.
    for (Gedruckter_Balken& b : breiter.balken) {
        if (b.x == striche[10]->x && b.y == striche[10]->y) ++b.breite;
    }
    EXPECT_TRUE(test::strichcodes_lesen(breiter, 300, 300).empty());
    // Two neighbouring bars of it of different widths swapped, the space
    // between them kept: another character, or none.
    std::size_t j = 10;
    while (j < 14 && striche[j]->breite == striche[j + 1]->breite) ++j;
    ASSERT_LT(j, 14U);
    const int luecke = striche[j + 1]->x - striche[j]->x - striche[j]->breite;
    std::swap(striche[j]->breite, striche[j + 1]->breite);
    striche[j + 1]->x = striche[j]->x + striche[j]->breite + luecke;
    const std::vector<Gelesen> anders = test::strichcodes_lesen(vertauscht, 300, 300);
    EXPECT_TRUE(anders.empty() || anders[0].text != d.teilnehmer[0].efn);
}

// A 40-character name fits the list's name column at every resolution, on
// at most three lines of the small type.
TEST(Aufloesung, NameColumnHoldsAFortyCharacterNameAtEveryResolution) {
    const test::Zeichenmass m;
    const std::string name = "Müller-Lüdenscheidt, Prof. Dr. Hans-Jürgen"; // 42 characters
    for (const Aufloesung a : k_aufloesungen) {
        const Strichmass sm = Strichmass::fuer(a.x);
        const Spalte sp = Anwesenheitsliste::spalten_fuer(sm)[Anwesenheitsliste::k_name];
        EXPECT_LE(umbrechen(name, zellbreite(sp), k_klein, m).size(), 3U) << a.x;
        // The signature keeps 25 mm.
        EXPECT_GE(Anwesenheitsliste::spalten_fuer(sm)[4].breite, 25 * k_mm) << a.x;
    }
}

// 32,767 characters of content: words, then lines, then one word.
std::vector<std::string> lange_inhalte() {
    std::string woerter;
    for (int i = 0; woerter.size() < 32767; ++i) woerter += "Übung" + std::to_string(i) + " ";
    woerter.resize(32767);
    std::string zeilen;
    while (zeilen.size() + 12 <= 32767) zeilen += "Zeile Text\r\n";
    zeilen.resize(32767, 'z');
    return {woerter, zeilen, std::string(32767, 'w')};
}

TEST(Seitenrand, ContentOf32767CharactersIsCutAtALineEndAndEveryPageStaysOnThePaper) {
    for (const std::string& inhalt : lange_inhalte()) {
        Druckdaten d = veranstaltung(25, 2);
        d.inhalt = inhalt;
        for (const Aufloesung a : {Aufloesung{100, 100}, Aufloesung{600, 1200}}) {
            for (const Druckart art : {Druckart::Anwesenheitsliste, Druckart::Bescheinigungen}) {
                const std::vector<Gedruckte_Seite> seiten = drucken(d, art, a);
                ASSERT_FALSE(seiten.empty());
                std::size_t codes = 0;
                for (const Gedruckte_Seite& s : seiten) {
                    auf_dem_papier(s, a);
                    codes += test::strichcodes_lesen(s, a.x, a.y).size();
                    // The content's lines, in order: the last one marked as cut.
                    std::vector<std::string> zeilen;
                    bool im_inhalt = false;
                    for (const Gedruckter_Text& t : s.texte) {
                        if (t.text == "Inhalt") {
                            im_inhalt = true;
                        } else if (im_inhalt && t.x == px(k_links + k_wert_ab, a.x)) {
                            zeilen.push_back(t.text);
                        } else if (im_inhalt) {
                            break;
                        }
                    }
                    ASSERT_FALSE(zeilen.empty());
                    ASSERT_GE(zeilen.back().size(), k_auslassung.size());
                    EXPECT_EQ(zeilen.back().substr(zeilen.back().size() - k_auslassung.size()), k_auslassung);
                    // Whole lines of the content (joined by " / " where it had many), cut at a line's end.
                    std::string gedruckt;
                    for (const std::string& z : zeilen) gedruckt += (gedruckt.empty() ? "" : " ") + z;
                    gedruckt.resize(gedruckt.size() - k_auslassung.size());
                    std::string verbunden = inhalt;
                    for (std::size_t p; (p = verbunden.find("\r\n")) != std::string::npos;) verbunden.replace(p, 2, " / ");
                    if (inhalt.find(' ') == std::string::npos) {
                        std::string ohne;
                        for (const std::string& z : zeilen) ohne += z;
                        ohne.resize(ohne.size() - k_auslassung.size());
                        EXPECT_EQ(inhalt.substr(0, ohne.size()), ohne);
                    } else {
                        EXPECT_EQ(verbunden.substr(0, gedruckt.size()), gedruckt);
                        EXPECT_EQ(verbunden[gedruckt.size()], ' ') << "cut inside a word";
                    }
                }
                EXPECT_EQ(codes, d.teilnehmer.size());
            }
        }
    }
}

TEST(Seitenrand, EveryValueAndNameLongAtOnceInEachPrintout) {
    Druckdaten d = veranstaltung(2, 2);
    const std::string lang(32767, 'k');
    d.kammer = d.punkte = d.datum_von = d.datum_bis = d.uhrzeit_s = d.uhrzeit_e = d.dauer = d.inhalt = lang;
    d.veranstalter = d.ort = d.teilnehmer[0].name = lang;
    d.anmeldungen = test::anmeldungen(2);
    d.anmeldungen[0].name = lang;
    for (const Druckart art : {Druckart::Anwesenheitsliste, Druckart::Bescheinigungen, Druckart::Anmeldeliste}) {
        const std::vector<Gedruckte_Seite> seiten = drucken(d, art, {300, 300});
        std::size_t codes = 0;
        for (const Gedruckte_Seite& s : seiten) {
            auf_dem_papier(s, {300, 300});
            codes += test::strichcodes_lesen(s, 300, 300).size();
        }
        EXPECT_EQ(codes, 2U);
    }
    // The list keeps room for rows.
    const test::Zeichenmass m;
    EXPECT_GE(Anwesenheitsliste(d, m, test::k_600).zeilen_je_seite(), 7);
}

} // namespace
} // namespace karmo::druck
