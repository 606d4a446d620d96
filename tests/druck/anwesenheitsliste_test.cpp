// The attendance list's pages: page breaks, heads on every page, rows never split, the closing lines, the empty list.
#include "druck/anwesenheitsliste.hpp"

#include <gtest/gtest.h>

#include <string>

#include "druck_umgebung.hpp"

namespace karmo::druck {
namespace {

using test::codes;
using test::finde;
using test::hat_text;
using test::veranstaltung;

const test::Zeichenmass k_mass;

// Everything the list must hold on every page, and nothing below the margin.
void seite_pruefen(const Anwesenheitsliste& l, const Druckdaten& d, int k) {
    SCOPED_TRACE("Seite " + std::to_string(k));
    const Seite s = l.seite(k);
    const std::string kopf = "Seite " + std::to_string(k) + " von " + std::to_string(l.seitenzahl());
    EXPECT_TRUE(hat_text(s, "Anwesenheitsliste"));
    EXPECT_TRUE(hat_text(s, kopf));
    EXPECT_TRUE(hat_text(s, d.vnr));
    EXPECT_TRUE(hat_text(s, d.kammer));
    EXPECT_TRUE(hat_text(s, d.punkte));
    const bool tabelle = l.zeilen_auf(k) > 0;
    for (const std::string spalte : {"Nr.", "EFN", "Punkte", "Name, Vorname", "Unterschrift"}) {
        int n = 0;
        for (const Textstueck& t : s.texte) n += t.text == spalte ? 1 : 0;
        // "Punkte" also captions the event's points above.
        EXPECT_EQ(n, (tabelle ? 1 : 0) + (spalte == "Punkte" ? 1 : 0)) << spalte;
    }
    for (const Textstueck& t : s.texte) {
        EXPECT_LE(t.y + zeilenhoehe(t.schrift), k_unten) << t.text;
        EXPECT_GE(t.x, k_links) << t.text;
        EXPECT_LE(t.x + k_mass.breite(t.text, t.schrift), k_rechts) << t.text;
    }
    for (const Balken& b : s.balken) EXPECT_LE(b.y + b.hoehe, k_unten);
    for (const Strichcode& c : s.codes) {
        EXPECT_LE(c.y + c.hoehe + zeilenhoehe(k_ziffern), k_unten);
        EXPECT_GE(c.hoehe, 8 * k_mm);
        // The digits stand beneath their bars.
        const Textstueck* ziffern = finde(s, c.text);
        ASSERT_NE(ziffern, nullptr);
        EXPECT_GT(ziffern->y, c.y + c.hoehe);
    }
    EXPECT_EQ(hat_text(s, "Ort, Datum"), k == l.seitenzahl());
    EXPECT_EQ(hat_text(s, "Unterschrift der wissenschaftlichen Leitung"), k == l.seitenzahl());
}

// All pages' barcodes in page order.
std::vector<std::string> alle_codes(const Anwesenheitsliste& l) {
    std::vector<std::string> out;
    for (int k = 1; k <= l.seitenzahl(); ++k) {
        for (std::string& c : codes(l.seite(k))) out.push_back(std::move(c));
    }
    return out;
}

TEST(Anwesenheitsliste, RowsFillPagesInListOrderWithHeadsOnEveryPage) {
    const Druckdaten eine = veranstaltung(1);
    const int je_seite = Anwesenheitsliste(eine, k_mass, test::k_600).zeilen_je_seite();
    ASSERT_GE(je_seite, 10);
    for (int n : {1, 2, je_seite - 1, je_seite, je_seite + 1, 2 * je_seite, 45, 3 * je_seite + 5}) {
        SCOPED_TRACE("n = " + std::to_string(n));
        const Druckdaten d = veranstaltung(n);
        const Anwesenheitsliste l(d, k_mass, test::k_600);
        int zeilen = 0;
        for (int k = 1; k <= l.seitenzahl(); ++k) {
            seite_pruefen(l, d, k);
            zeilen += l.zeilen_auf(k);
        }
        EXPECT_EQ(zeilen, n);
        EXPECT_EQ(alle_codes(l), test::efns(d));
        // Full pages before the last, and the closing lines on a page of
        // their own only when the last rows leave them no room.
        const int voll = (n + je_seite - 1) / je_seite;
        EXPECT_TRUE(l.seitenzahl() == voll || (l.seitenzahl() == voll + 1 && l.zeilen_auf(voll + 1) == 0));
        for (int k = 1; k < voll; ++k) EXPECT_EQ(l.zeilen_auf(k), je_seite);
    }
}

TEST(Anwesenheitsliste, ClosingLinesMoveToANewPageWhenTheLastPageIsFull) {
    const Druckdaten probe = veranstaltung(1);
    const int je_seite = Anwesenheitsliste(probe, k_mass, test::k_600).zeilen_je_seite();
    const Druckdaten d = veranstaltung(je_seite);
    const Anwesenheitsliste l(d, k_mass, test::k_600);
    ASSERT_EQ(l.seitenzahl(), 2);
    EXPECT_EQ(l.zeilen_auf(2), 0);
    const Seite s = l.seite(2);
    EXPECT_TRUE(hat_text(s, "Erfasste Teilnehmer: " + std::to_string(je_seite)));
    EXPECT_TRUE(hat_text(s, "Seite 2 von 2"));
    EXPECT_TRUE(s.codes.empty());
}

TEST(Anwesenheitsliste, RowShowsNumberBarcodeDigitsAndPointsAsTheListLineDoes) {
    const Druckdaten d = veranstaltung(4);
    const Anwesenheitsliste l(d, k_mass, test::k_600);
    const Seite s = l.seite(1);
    ASSERT_EQ(s.codes.size(), 4U);
    for (int i = 0; i < 4; ++i) {
        const Textstueck* nr = finde(s, std::to_string(i + 1));
        ASSERT_NE(nr, nullptr);
        const Strichcode& c = s.codes[static_cast<std::size_t>(i)];
        // Number and barcode in the same row, rows at least 10 mm apart.
        EXPECT_GE(nr->y, c.y - k_zeilenhoehe / 2);
        EXPECT_LE(nr->y, c.y + k_zeilenhoehe / 2);
        if (i > 0) {
            EXPECT_GE(c.y - s.codes[static_cast<std::size_t>(i - 1)].y, 10 * k_mm);
        }
        // The quiet zones lie inside the EFN column, clear of its rules.
        const auto& sp = l.spalten();
        EXPECT_GE(c.x - test::k_600.hundertstel(test::k_600.ruhe), k_links + sp[1].links + k_strich);
        EXPECT_LE(c.x + test::k_600.hundertstel(test::k_600.balken(15) + test::k_600.ruhe), k_links + sp[2].links);
    }
    EXPECT_TRUE(hat_text(s, "8/2"));
    EXPECT_TRUE(hat_text(s, "8/"));
    EXPECT_TRUE(hat_text(s, "Erfasste Teilnehmer: 4"));
    // The closing lines below the last row.
    EXPECT_GT(finde(s, "Erfasste Teilnehmer: 4")->y, s.codes.back().y + k_balkenhoehe);
    EXPECT_GT(finde(s, "Ort, Datum")->y, finde(s, "Erfasste Teilnehmer: 4")->y);
}

// Column heads inside their columns, the block's captions left of their values.
TEST(Anwesenheitsliste, HeadsAndCaptionsFitTheirRoom) {
    const Druckdaten d = veranstaltung(2, 2);
    const Seite s = Anwesenheitsliste(d, k_mass, test::k_600).seite(1);
    for (const Spalte& sp : Anwesenheitsliste::spalten_fuer(test::k_600)) {
        const Textstueck* kopf = nullptr;
        for (const Textstueck& t : s.texte) {
            if (t.text == sp.kopf && t.schrift.fett && t.x > k_links + sp.links) kopf = &t;
        }
        ASSERT_NE(kopf, nullptr) << sp.kopf;
        EXPECT_LT(kopf->x + k_mass.breite(kopf->text, kopf->schrift), k_links + sp.links + sp.breite) << sp.kopf;
    }
    for (const char* beschriftung : {"VNR", "Kammer", "Punkte", "Datum", "Uhrzeit", "Dauer", "Inhalt"}) {
        const Textstueck* t = finde(s, beschriftung);
        ASSERT_NE(t, nullptr) << beschriftung;
        EXPECT_LT(t->x + k_mass.breite(t->text, t->schrift), k_links + k_wert_ab) << beschriftung;
    }
}

TEST(Anwesenheitsliste, EmptyListIsOnePageOfNumberedRowsToFillIn) {
    const Druckdaten d = veranstaltung(0);
    const Anwesenheitsliste l(d, k_mass, test::k_600);
    ASSERT_EQ(l.seitenzahl(), 1);
    seite_pruefen(l, d, 1);
    const Seite s = l.seite(1);
    const int zeilen = l.zeilen_auf(1);
    EXPECT_GE(zeilen, 10);
    EXPECT_TRUE(hat_text(s, "1"));
    EXPECT_TRUE(hat_text(s, std::to_string(zeilen)));
    EXPECT_FALSE(hat_text(s, std::to_string(zeilen + 1)));
    EXPECT_TRUE(s.codes.empty());
    EXPECT_TRUE(hat_text(s, "Erfasste Teilnehmer:"));
}

TEST(Anwesenheitsliste, TypeTwoHeaderKeepsTheContentsLineBreaksAndWrapsLongLines) {
    Druckdaten d = veranstaltung(30, 2);
    d.inhalt = "Erste Zeile\r\nZweite Zeile mit Umlauten: Ärger, Öl, Übung, Straße\r\n" + std::string(50, 'x') +
               " " + std::string(150, 'y');
    const Anwesenheitsliste l(d, k_mass, test::k_600);
    for (int k = 1; k <= l.seitenzahl(); ++k) {
        const Seite s = l.seite(k);
        EXPECT_TRUE(hat_text(s, "21.12.2006 bis 22.12.2006"));
        EXPECT_TRUE(hat_text(s, "09:00 bis 17:30"));
        EXPECT_TRUE(hat_text(s, "420 Minuten"));
        EXPECT_TRUE(hat_text(s, "Erste Zeile"));
        EXPECT_TRUE(hat_text(s, "Zweite Zeile mit Umlauten: Ärger, Öl, Übung, Straße"));
        EXPECT_TRUE(hat_text(s, std::string(50, 'x')));
        seite_pruefen(l, d, k);
    }
    // The long word was cut into pieces that together give it whole.
    std::string ys;
    for (const Textstueck& t : l.seite(1).texte) {
        if (!t.text.empty() && t.text.find_first_not_of('y') == std::string::npos) ys += t.text;
    }
    EXPECT_EQ(ys, std::string(150, 'y'));
    // A taller header leaves fewer rows per page.
    const Druckdaten kurz = veranstaltung(30, 1);
    EXPECT_LT(l.zeilen_je_seite(), Anwesenheitsliste(kurz, k_mass, test::k_600).zeilen_je_seite());
}

TEST(Anwesenheitsliste, ContentOfManyLinesIsJoinedSoRowsStillFit) {
    Druckdaten d = veranstaltung(3, 2);
    d.inhalt.clear();
    for (int i = 0; i < 60; ++i) d.inhalt += "a\r\n";
    d.inhalt += "Ende";
    const Anwesenheitsliste l(d, k_mass, test::k_600);
    const Seite s = l.seite(1);
    bool verbunden = false;
    for (const Textstueck& t : s.texte) verbunden = verbunden || t.text.rfind("a / a / a", 0) == 0;
    EXPECT_TRUE(verbunden);
    EXPECT_GE(l.zeilen_je_seite(), 10);
    seite_pruefen(l, d, 1);
}

TEST(Anwesenheitsliste, LargestEventOf32767Rows) {
    const Druckdaten d = veranstaltung(32767, 2);
    const Anwesenheitsliste l(d, k_mass, test::k_600);
    const int je_seite = l.zeilen_je_seite();
    EXPECT_GE(l.seitenzahl(), 1500);
    EXPECT_LE(l.seitenzahl(), 2200);
    int zeilen = 0;
    for (int k = 1; k <= l.seitenzahl(); ++k) zeilen += l.zeilen_auf(k);
    EXPECT_EQ(zeilen, 32767);
    for (int k : {1, l.seitenzahl() / 2, l.seitenzahl()}) seite_pruefen(l, d, k);
    const Seite letzte = l.seite(l.seitenzahl());
    if (!letzte.codes.empty()) {
        EXPECT_EQ(letzte.codes.back().text, d.teilnehmer.back().efn);
    }
    const Seite mitte = l.seite(1000);
    ASSERT_FALSE(mitte.codes.empty());
    EXPECT_EQ(mitte.codes.front().text, d.teilnehmer[static_cast<std::size_t>(999 * je_seite)].efn);
    EXPECT_TRUE(hat_text(mitte, std::to_string(999 * je_seite + 1)));
    EXPECT_TRUE(hat_text(letzte, "Erfasste Teilnehmer: 32767"));
}

} // namespace
} // namespace karmo::druck
