// The lists' shared parts: header, columns, table lines, cells, page breaks.
#include "druck/tabelle.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

namespace karmo::druck {
namespace {

constexpr int k_abstand_titel = 3 * k_mm; // below the title line

} // namespace

int efn_spaltenbreite(const Strichmass& sm) { return k_strich + strichcode_raum(sm); }

int unterschriftbreite(int rest) { return std::clamp(rest - 45 * k_mm, 25 * k_mm, 33 * k_mm); }

int listenkopf_hoehe_ohne_block() { return zeilenhoehe(k_titel) + k_abstand_titel; }

int listenkopf(Seite& s, std::string_view titel, int k, int seiten, const Veranstaltungsblock& block, const Textmass& m) {
    s.texte.push_back({k_links, k_oben, k_titel, titel});
    // "Seite k von n" without a string of its own: every page of a long list has one.
    char puffer[48] = "Seite ";
    char* p = std::to_chars(puffer + 6, puffer + 24, k).ptr;
    p = std::copy_n(" von ", 5, p);
    p = std::to_chars(p, puffer + sizeof puffer, seiten).ptr;
    const std::string_view seite = s.merken(std::string_view(puffer, static_cast<std::size_t>(p - puffer)));
    s.texte.push_back({k_rechts - m.breite(seite, k_text), k_oben + k_titel.hoehe - k_text.hoehe, k_text, seite});
    const int y = k_oben + zeilenhoehe(k_titel);
    waagrecht(s, k_links, y, k_satzbreite);
    return block.zeichnen(s, y + k_abstand_titel);
}

void tabellenkopf(Seite& s, int y, std::span<const Spalte> spalten) {
    waagrecht(s, k_links, y, k_satzbreite);
    for (const Spalte& sp : spalten) {
        s.texte.push_back({k_links + sp.links + k_zelle_innen, y + (k_kopfzeilenhoehe - zeilenhoehe(k_spaltenkopf)) / 2,
                           k_spaltenkopf, sp.kopf});
    }
    waagrecht(s, k_links, y + k_kopfzeilenhoehe, k_satzbreite);
}

void spaltenlinien(Seite& s, int oben, int unten, std::span<const Spalte> spalten) {
    for (const Spalte& sp : spalten) senkrecht(s, k_links + sp.links, oben, unten - oben);
    senkrecht(s, k_rechts - k_strich, oben, unten - oben);
}

void zelltext(Seite& s, const Spalte& sp, int y, std::string_view text, const Textmass& m) {
    if (text.empty()) return;
    const int breite = zellbreite(sp);
    const int x = k_links + sp.links + k_zelle_innen;
    const int mitte = y + (k_zeilenhoehe - zeilenhoehe(k_text)) / 2;
    // Most cells fit: the text stays where it lives, the page keeps a copy.
    if (m.breite(text, k_text) <= breite) {
        s.texte.push_back({x, mitte, k_text, s.merken(text)});
    } else {
        s.texte.push_back({x, mitte, k_text, s.merken(einpassen(text, breite, k_text, m))});
    }
}

namespace {

constexpr std::size_t k_namenzeilen = 3;

// Every row's name passes here: without an early exit the compiler checks
// many bytes at a time.
bool zeilenumbruch(std::string_view t) {
    unsigned gefunden = 0;
    for (char c : t) gefunden |= static_cast<unsigned>(c == '\r') | static_cast<unsigned>(c == '\n');
    return gefunden != 0;
}

// `name` (without line breaks) broken at blanks into at
// most k_namenzeilen lines no wider than `breite` in the small type, as
// pieces of it; none when it takes more lines or a word is too wide for a
// line. `breite_text` is its width in the text's type, measured already: the small type's widths
// are guessed from it, byte by byte, and only each line found so
// is measured (again, a word shorter, where the guess was too long). A list
// of 32,767 registrations lays out its names with a few measurements each,
// and without allocating.
std::size_t worte_legen(std::string_view name, int breite_text, int breite, const Textmass& m,
                        std::array<std::string_view, k_namenzeilen>& zeilen) {
    // Bytes a line holds by the guess.
    const long long je_zeile = static_cast<long long>(breite) * static_cast<long long>(name.size()) * k_text.hoehe /
                               std::max(1LL, static_cast<long long>(breite_text) * k_klein.hoehe);
    std::size_t n = 0;
    std::size_t anfang = name.find_first_not_of(' ');
    while (anfang != std::string_view::npos) {
        if (n == k_namenzeilen) return 0;
        // The last blank (or the end) within the guess, the first one if none is.
        std::size_t ende = std::string_view::npos;
        for (std::size_t i = anfang;;) {
            std::size_t blank = name.find(' ', i);
            if (blank == std::string_view::npos) blank = name.size();
            const bool zu_lang = static_cast<long long>(blank - anfang) > je_zeile;
            if (zu_lang && ende != std::string_view::npos) break;
            ende = blank;
            if (zu_lang || blank == name.size()) break;
            i = blank + 1;
        }
        // Then fewer words until the line fits.
        while (m.breite(name.substr(anfang, ende - anfang), k_klein) > breite) {
            const std::size_t blank = name.substr(0, ende).find_last_of(' ');
            if (blank == std::string_view::npos || blank <= anfang) return 0;
            ende = name.find_last_not_of(' ', blank) + 1;
        }
        zeilen[n++] = name.substr(anfang, ende - anfang);
        anfang = name.find_first_not_of(' ', ende);
    }
    return n;
}

} // namespace

void namenzelle(Seite& s, const Spalte& sp, int y, std::string_view name, const Textmass& m) {
    if (name.empty()) return;
    const int breite = zellbreite(sp);
    const int x = k_links + sp.links + k_zelle_innen;
    const bool umbruch = zeilenumbruch(name);
    const int breite_text = m.breite(name, k_text);
    if (!umbruch && breite_text <= breite) {
        s.texte.push_back({x, y + (k_zeilenhoehe - zeilenhoehe(k_text)) / 2, k_text, name});
        return;
    }
    const auto setzen = [&](std::size_t n, const auto& text_von) {
        int z = y + (k_zeilenhoehe - static_cast<int>(n) * zeilenhoehe(k_klein)) / 2;
        for (std::size_t i = 0; i < n; ++i) {
            s.texte.push_back({x, z, k_klein, text_von(i)});
            z += zeilenhoehe(k_klein);
        }
    };
    // Pieces of the name point into it; lines made anew are kept by the page.
    std::array<std::string_view, k_namenzeilen> stuecke;
    if (const std::size_t n = umbruch ? 0 : worte_legen(name, breite_text, breite, m, stuecke); n > 0) {
        setzen(n, [&](std::size_t i) { return stuecke[i]; });
        return;
    }
    std::vector<std::string> zeilen = umbrechen(name, breite, k_klein, m);
    kuerzen(zeilen, k_namenzeilen, breite, k_klein, m);
    setzen(zeilen.size(), [&](std::size_t i) { return s.merken(zeilen[i]); });
}

Seitenteilung::Seitenteilung(int n, int raum, int schluss) {
    je_seite = std::max(1, raum / k_zeilenhoehe);
    seiten = std::max(1, (n + je_seite - 1) / je_seite);
    const int letzte = n - (seiten - 1) * je_seite;
    if (n > 0 && raum - letzte * k_zeilenhoehe < schluss) ++seiten;
}

int Seitenteilung::zeilen_auf(int k, int n) const { return std::clamp(n - (k - 1) * je_seite, 0, je_seite); }

} // namespace karmo::druck
