// The door list: registrations in the given order across pages, a barcode or the cell's text, "ja" for the captured, the count at the end.
#include "druck/anmeldeliste.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "druck_umgebung.hpp"

namespace karmo::druck {
namespace {

using test::finde;
using test::hat_text;

const test::Zeichenmass k_mass;

Druckdaten tuerliste(int n, std::uint8_t meldungsart = 2) {
    Druckdaten d = test::veranstaltung(3, meldungsart);
    d.veranstalter = "Institut für Verhaltenstherapie";
    d.ort = "Norvia, Hörsaal 2";
    d.anmeldungen = test::anmeldungen(n);
    d.angemeldet = n;
    d.erfasst = n / 3;
    return d;
}

// What one page must hold whatever its rows: the head, and nothing past the margins.
void kopf_pruefen(const Anmeldeliste& l, const Druckdaten& d, int k) {
    SCOPED_TRACE("Seite " + std::to_string(k));
    const Seite s = l.seite(k);
    EXPECT_TRUE(hat_text(s, "Anmeldeliste"));
    EXPECT_TRUE(hat_text(s, "Seite " + std::to_string(k) + " von " + std::to_string(l.seitenzahl())));
    for (const std::string& w : {d.vnr, d.kammer, d.punkte}) EXPECT_TRUE(hat_text(s, w)) << w;
    EXPECT_EQ(hat_text(s, "21.12.2006 bis 22.12.2006"), d.meldungsart == 2);
    // Only the short block: no content, no organiser.
    for (const char* nicht : {"Inhalt", "Uhrzeit", "Dauer", "Veranstalter", "Ort"}) EXPECT_FALSE(hat_text(s, nicht));
    for (const char* kopf : {"Nr.", "Name, Vorname", "EFN", "Erfasst", "Unterschrift"})
        EXPECT_EQ(hat_text(s, kopf), l.zeilen_auf(k) > 0) << kopf;
    for (const Textstueck& t : s.texte) {
        EXPECT_GE(t.x, k_links) << t.text;
        EXPECT_LE(t.x + k_mass.breite(t.text, t.schrift), k_rechts) << t.text;
        EXPECT_LE(t.y + zeilenhoehe(t.schrift), k_unten) << t.text;
    }
    const std::string schluss =
        "Angemeldet: " + std::to_string(d.angemeldet) + ", davon erfasst: " + std::to_string(d.erfasst);
    EXPECT_EQ(hat_text(s, schluss), k == l.seitenzahl());
}

// Per row of the page, top down: its name, what its EFN column shows (the
// barcode's text or the cell's), and its "Erfasst" cell.
struct Zeile {
    std::string name, efn, erfasst;
    bool strichcode = false;
};
std::vector<Zeile> zeilen(const Anmeldeliste& l, int k) {
    const Seite s = l.seite(k);
    const auto& sp = l.spalten();
    std::map<int, Zeile> nach_y; // by row, 0 the first
    const Textstueck* nr = finde(s, "Nr.");
    if (!nr) return {};
    const int zeilen_oben = nr->y - (k_kopfzeilenhoehe - zeilenhoehe(k_spaltenkopf)) / 2 + k_kopfzeilenhoehe;
    const auto zeile = [&](int y) -> Zeile& { return nach_y[(y - zeilen_oben) / k_zeilenhoehe]; };
    const auto in = [&](const Textstueck& t, std::size_t i) {
        return t.x >= k_links + sp[i].links && t.x < k_links + sp[i].links + sp[i].breite;
    };
    const auto anhaengen = [](std::string& an, std::string_view t) { an += (an.empty() ? "" : " ") + std::string(t); };
    for (const Textstueck& t : s.texte) {
        // Rows only, and not the digits beneath a barcode.
        if (t.y < zeilen_oben || t.schrift.hoehe == k_ziffern.hoehe) continue;
        if (in(t, Anmeldeliste::k_name)) anhaengen(zeile(t.y).name, t.text);
        if (in(t, Anmeldeliste::k_efn)) anhaengen(zeile(t.y).efn, t.text);
        if (in(t, Anmeldeliste::k_erfasst)) anhaengen(zeile(t.y).erfasst, t.text);
    }
    for (const Strichcode& c : s.codes) {
        Zeile& z = zeile(c.y);
        z.efn = c.text;
        z.strichcode = true;
        EXPECT_GE(c.x, k_links + sp[Anmeldeliste::k_efn].links);
    }
    std::vector<Zeile> out;
    for (auto& [zeile_nr, z] : nach_y) {
        if (zeile_nr >= 0 && zeile_nr < l.zeilen_auf(k)) out.push_back(std::move(z));
    }
    return out;
}

TEST(Anmeldeliste, EveryRegistrationInTheGivenOrderAcrossPageBreaks) {
    const int je_seite = Anmeldeliste(tuerliste(1), k_mass, test::k_600).zeilen_je_seite();
    ASSERT_GE(je_seite, 12);
    for (int n : {1, 7, je_seite - 1, je_seite, je_seite + 1, 3 * je_seite + 5}) {
        SCOPED_TRACE("n = " + std::to_string(n));
        const Druckdaten d = tuerliste(n);
        const Anmeldeliste l(d, k_mass, test::k_600);
        std::vector<Zeile> alle;
        for (int k = 1; k <= l.seitenzahl(); ++k) {
            kopf_pruefen(l, d, k);
            for (Zeile& z : zeilen(l, k)) alle.push_back(std::move(z));
            if (k < l.seitenzahl() && l.zeilen_auf(k + 1) > 0) {
                EXPECT_EQ(l.zeilen_auf(k), je_seite);
            }
        }
        ASSERT_EQ(alle.size(), static_cast<std::size_t>(n));
        for (std::size_t i = 0; i < alle.size(); ++i) {
            const Druckanmeldung& a = d.anmeldungen[i];
            EXPECT_EQ(alle[i].name, a.name) << i;
            EXPECT_EQ(alle[i].efn, a.efn) << i;
            EXPECT_EQ(alle[i].strichcode, a.efn_gueltig) << i;
            EXPECT_EQ(alle[i].erfasst, a.erfasst ? "ja" : "") << i;
        }
    }
    // A full last page sends the count to a page of its own.
    const Druckdaten voll = tuerliste(je_seite);
    const Anmeldeliste l(voll, k_mass, test::k_600);
    EXPECT_EQ(l.seitenzahl(), 2);
    EXPECT_EQ(l.zeilen_auf(2), 0);
}

TEST(Anmeldeliste, TypeOneHasNoDatesAndAnEmptyListOnlyItsCount) {
    Druckdaten d = tuerliste(3, 1);
    kopf_pruefen(Anmeldeliste(d, k_mass, test::k_600), d, 1);
    d.anmeldungen.clear();
    d.angemeldet = d.erfasst = 0;
    const Anmeldeliste leer(d, k_mass, test::k_600);
    ASSERT_EQ(leer.seitenzahl(), 1);
    kopf_pruefen(leer, d, 1);
    EXPECT_TRUE(leer.seite(1).codes.empty());
    EXPECT_TRUE(hat_text(leer.seite(1), "Angemeldet: 0, davon erfasst: 0"));
}

TEST(Anmeldeliste, LongNamesAndCellTextsStayInTheirCells) {
    Druckdaten d = tuerliste(2);
    d.anmeldungen[0].name = std::string(200, 'N') + ", " + std::string(100, 'V');
    d.anmeldungen[1] = {"Kurz, Eva", std::string(300, '9') + "E+14", false, false};
    const Anmeldeliste l(d, k_mass, test::k_600);
    const Seite s = l.seite(1);
    const int tabelle = finde(s, "Nr.")->y;
    for (const Textstueck& t : s.texte) {
        if (t.y <= tabelle || t.text.starts_with("Angemeldet:")) continue;
        for (const Spalte& sp : l.spalten()) {
            if (t.x < k_links + sp.links || t.x >= k_links + sp.links + sp.breite) continue;
            EXPECT_LE(t.x + k_mass.breite(t.text, t.schrift), k_links + sp.links + sp.breite) << t.text;
        }
    }
    int gekuerzt = 0;
    for (const Textstueck& t : s.texte) gekuerzt += t.text.ends_with(k_auslassung) ? 1 : 0;
    EXPECT_EQ(gekuerzt, 2);
    // The row numbers whole, up to the largest.
    EXPECT_LE(k_mass.breite("32767", k_text), zellbreite(l.spalten()[0]));
    EXPECT_TRUE(hat_text(s, "Kurz, Eva"));
}

TEST(Anmeldeliste, Of32767Registrations) {
    Druckdaten d = tuerliste(32767);
    d.angemeldet = 28086;
    d.erfasst = 14043;
    const Anmeldeliste l(d, k_mass, test::k_600);
    const int je_seite = l.zeilen_je_seite();
    int summe = 0;
    for (int k = 1; k <= l.seitenzahl(); ++k) summe += l.zeilen_auf(k);
    EXPECT_EQ(summe, 32767);
    EXPECT_EQ(l.seitenzahl(), (32767 + je_seite - 1) / je_seite + (l.zeilen_auf(l.seitenzahl()) == 0 ? 1 : 0));
    for (int k : {1, 1000, l.seitenzahl()}) kopf_pruefen(l, d, k);
    // Page 1000 begins with registration 999 * je_seite + 1.
    const std::vector<Zeile> mitte = zeilen(l, 1000);
    ASSERT_FALSE(mitte.empty());
    const std::size_t erste = static_cast<std::size_t>(999 * je_seite);
    EXPECT_EQ(mitte.front().name, d.anmeldungen[erste].name);
    EXPECT_TRUE(hat_text(l.seite(1000), std::to_string(erste + 1)));
    const std::vector<Zeile> letzte = zeilen(l, l.seitenzahl());
    if (!letzte.empty()) {
        EXPECT_EQ(letzte.back().name, d.anmeldungen.back().name);
    }
}

} // namespace
} // namespace karmo::druck
