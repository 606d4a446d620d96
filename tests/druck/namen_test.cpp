// Names on the attendance list and the certificates, walk-ins without; the organiser and the place in the event's block when given.
#include <gtest/gtest.h>

#include <string>

#include "druck/anwesenheitsliste.hpp"
#include "druck/bescheinigungen.hpp"
#include "druck_umgebung.hpp"

namespace karmo::druck {
namespace {

using test::finde;
using test::hat_text;

const test::Zeichenmass k_mass;

const std::string k_lang = "Müller-Lüdenscheidt-Wartenberg-Hohenstein, Prof. Dr. med. habil. Hans-Jürgen Maria";

// Participants 0 and 3 with names, 1 a walk-in, 2 with a name too long for any cell.
Druckdaten mit_namen() {
    Druckdaten d = test::veranstaltung(4, 2);
    d.teilnehmer[0].name = "Weiß, Dr. Jürgen";
    d.teilnehmer[2].name = k_lang + " " + k_lang;
    d.teilnehmer[3].name = test::anzeigename(3);
    return d;
}

// The texts of the name column in the row whose barcode is `c`, joined by blanks.
std::string namenzeile(const Seite& s, const Spalte& sp, const Strichcode& c) {
    std::string out;
    for (const Textstueck& t : s.texte) {
        if (t.x < k_links + sp.links || t.x >= k_links + sp.links + sp.breite) continue;
        if (t.y < c.y - k_balken_oben || t.y >= c.y - k_balken_oben + k_zeilenhoehe) continue;
        EXPECT_LE(t.x + k_mass.breite(t.text, t.schrift), k_links + sp.links + sp.breite) << t.text;
        EXPECT_LE(t.y + zeilenhoehe(t.schrift), c.y - k_balken_oben + k_zeilenhoehe) << t.text;
        out += (out.empty() ? "" : " ") + std::string(t.text);
    }
    return out;
}

TEST(Namen, OnTheListBesideTheBarcodeAndWalkInsLeaveTheCellToThePen) {
    const Druckdaten d = mit_namen();
    for (const int dpi : {150, 600}) {
        SCOPED_TRACE(dpi);
        const Anwesenheitsliste l(d, k_mass, Strichmass::fuer(dpi));
        const Spalte& sp = l.spalten()[Anwesenheitsliste::k_name];
        const Seite s = l.seite(1);
        ASSERT_EQ(s.codes.size(), 4U);
        EXPECT_EQ(namenzeile(s, sp, s.codes[0]), "Weiß, Dr. Jürgen");
        EXPECT_EQ(namenzeile(s, sp, s.codes[1]), "");
        EXPECT_EQ(namenzeile(s, sp, s.codes[3]), test::anzeigename(3));
        // Too long: its beginning, cut short and marked, on at most three lines.
        const std::string lang = namenzeile(s, sp, s.codes[2]);
        EXPECT_TRUE(lang.ends_with(k_auslassung)) << lang;
        EXPECT_EQ(lang.substr(0, 10), k_lang.substr(0, 10));
        int zeilen = 0;
        for (const Textstueck& t : s.texte) zeilen += k_lang.starts_with(t.text.substr(0, 5)) && t.schrift.hoehe == k_klein.hoehe;
        EXPECT_LE(zeilen, 3);
    }
}

// Capitals twice as wide as the rest: the guess from the whole name's
// width is wrong for its parts, and every line must still fit.
class Ungleichmass final : public Textmass {
public:
    int breite(std::string_view text, Schrift s) const override {
        int n = 0;
        for (char c : text) n += c >= 'A' && c <= 'Z' ? 2 : 1;
        return n * s.hoehe * 5 / 10;
    }
};

TEST(Namen, EveryLineFitsThoughTheLettersDifferInWidth) {
    const Ungleichmass m;
    const Spalte sp = Anwesenheitsliste::spalten_fuer(test::k_600)[Anwesenheitsliste::k_name];
    for (const std::string name : {"WWWWWWWW WWWWWWW, iiiiiiii iiiiiii iiiii", "iiiiiiii iiiiiii iiiiiiiii, WWWWWW WWWWWWW",
                                   "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW iii"}) {
        Seite s;
        namenzelle(s, sp, 0, name, m);
        ASSERT_FALSE(s.texte.empty()) << name;
        EXPECT_LE(s.texte.size(), 3U) << name;
        std::string zusammen;
        for (const Textstueck& t : s.texte) {
            EXPECT_LE(m.breite(t.text, t.schrift), zellbreite(sp)) << t.text;
            EXPECT_GE(t.y, 0);
            EXPECT_LE(t.y + zeilenhoehe(t.schrift), k_zeilenhoehe);
            zusammen += (zusammen.empty() ? "" : " ") + std::string(t.text);
        }
        // Whole, in order (a word wider than the cell broken inside).
        const auto ohne_blanks = [](std::string t) {
            std::erase(t, ' ');
            return t;
        };
        if (!zusammen.ends_with(k_auslassung)) {
            EXPECT_EQ(ohne_blanks(zusammen), ohne_blanks(name));
        }
    }
}

TEST(Namen, OnTheCertificateAboveItsLineAndWalkInsWithout) {
    const Druckdaten d = mit_namen();
    const Bescheinigungen b(d, k_mass, test::k_600);
    // Between the points and the line "Name, Vorname".
    const auto dazwischen = [](const Seite& s) {
        std::vector<std::string> out;
        const int oben = finde(s, "Referentenpunkte")->y + zeilenhoehe(k_text);
        const int linie = finde(s, "Name, Vorname")->y - 80;
        for (const Textstueck& t : s.texte) {
            if (t.y >= oben && t.y < linie) {
                EXPECT_LE(t.y + zeilenhoehe(t.schrift), linie) << t.text;
                EXPECT_LE(t.x + k_mass.breite(t.text, t.schrift), k_rechts) << t.text;
                out.emplace_back(t.text);
            }
        }
        return out;
    };
    EXPECT_EQ(dazwischen(b.seite(1)), std::vector<std::string>{"Weiß, Dr. Jürgen"});
    EXPECT_TRUE(dazwischen(b.seite(2)).empty());
    const std::vector<std::string> lang = dazwischen(b.seite(3));
    ASSERT_EQ(lang.size(), 1U);
    EXPECT_TRUE(lang[0].ends_with(k_auslassung));
    EXPECT_TRUE(k_lang.starts_with(lang[0].substr(0, 20)));
}

TEST(Namen, OrganiserAndPlaceInTheBlockWhenGivenLeftOutWhenEmpty) {
    Druckdaten d = test::veranstaltung(30, 2);
    const auto zeigt = [&](const Seite& s) {
        return hat_text(s, "Veranstalter") || hat_text(s, "Ort") || hat_text(s, d.veranstalter) || hat_text(s, d.ort);
    };
    d.veranstalter = "Institut für Verhaltenstherapie Norvia e. V.";
    d.ort = "Norvia, Hörsaal 2";
    const Anwesenheitsliste voll(d, k_mass, test::k_600);
    ASSERT_GE(voll.seitenzahl(), 2);
    for (int k = 1; k <= voll.seitenzahl(); ++k) {
        const Seite s = voll.seite(k);
        for (const std::string& t : {std::string("Veranstalter"), d.veranstalter, std::string("Ort"), d.ort})
            EXPECT_TRUE(hat_text(s, t)) << k << " " << t;
        // Caption and value on one line, the value right of the captions.
        EXPECT_EQ(finde(s, "Ort")->y, finde(s, d.ort)->y);
        EXPECT_EQ(finde(s, d.ort)->x, k_links + k_wert_ab);
    }
    const Seite bescheinigung = Bescheinigungen(d, k_mass, test::k_600).seite(1);
    EXPECT_EQ(finde(bescheinigung, "Veranstalter")->y, finde(bescheinigung, d.veranstalter)->y);
    EXPECT_TRUE(hat_text(bescheinigung, d.ort));
    // A taller header, one row fewer at most.
    d.veranstalter.clear();
    d.ort.clear();
    const Anwesenheitsliste leer(d, k_mass, test::k_600);
    EXPECT_LE(leer.zeilen_je_seite() - voll.zeilen_je_seite(), 1);
    EXPECT_FALSE(zeigt(leer.seite(1)));
    EXPECT_FALSE(zeigt(Bescheinigungen(d, k_mass, test::k_600).seite(1)));
}

} // namespace
} // namespace karmo::druck
