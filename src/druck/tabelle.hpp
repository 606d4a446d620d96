// What the lists share: the header of every page, columns sized around the barcode, the table's lines, page breaks.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "druck/seite.hpp"
#include "druck/seitenbau.hpp"
#include "druck/strichcode.hpp"

namespace karmo::druck {

// Rows are tall enough to sign in, and hold a barcode with its digits.
inline constexpr int k_zeilenhoehe = 135 * k_mm / 10;
inline constexpr int k_kopfzeilenhoehe = 7 * k_mm;
inline constexpr int k_balkenhoehe = 85 * k_mm / 10;
inline constexpr int k_balken_oben = 1 * k_mm; // from a row's top to its bars
static_assert(k_balken_oben + strichcode_hoehe(k_balkenhoehe) <= k_zeilenhoehe);

inline constexpr int k_zelle_innen = 15 * k_mm / 10; // text's distance from a cell's left edge
inline constexpr int k_zelle_rechts = 5 * k_mm / 10; // and from its right edge, at the least

// A column of a list, its left edge from the left margin.
struct Spalte {
    const char* kopf;
    int links;
    int breite;
};

// Room for text in a cell of `sp`.
constexpr int zellbreite(const Spalte& sp) { return sp.breite - k_zelle_innen - k_zelle_rechts; }

// The EFN column: its rule, then the barcode with both quiet zones.
int efn_spaltenbreite(const Strichmass& sm);

// Columns of the given widths side by side from the left margin; a width
// of 0 (one at most) takes what is left of the table's width.
template <std::size_t N>
std::array<Spalte, N> spalten_legen(std::array<Spalte, N> s) {
    int fest = 0;
    for (const Spalte& x : s) fest += x.breite;
    int links = 0;
    for (Spalte& x : s) {
        if (x.breite == 0) x.breite = k_satzbreite - fest;
        x.links = links;
        links += x.breite;
    }
    return s;
}

// How the room beside the fixed columns is shared by a name column and
// the signature column: the signature 33 mm, or less (not below 25 mm) so
// that the name keeps 45 mm.
int unterschriftbreite(int rest);

// The top of every page of a list: the title and "Seite k von N" over a
// rule, the event's block beneath; returns the y below the block.
int listenkopf(Seite& s, std::string_view titel, int k, int seiten, const Veranstaltungsblock& block, const Textmass& m);
// Height of listenkopf's part above the event's block.
int listenkopf_hoehe_ohne_block();

// The table's head row at y, and its vertical lines from `oben` to `unten`.
void tabellenkopf(Seite& s, int y, std::span<const Spalte> spalten);
void spaltenlinien(Seite& s, int oben, int unten, std::span<const Spalte> spalten);
// A page's table from `y` down: the head, `zeilen` rows of k_zeilenhoehe
// drawn by `zeile(y, nr)` (`nr` counting from `erste`, from 0), the column
// rules; the y under the last row. Nothing when `zeilen` is 0.
template <class Zeile>
int tabellenrumpf(Seite& s, int y, int zeilen, int erste, std::span<const Spalte> spalten, Zeile&& zeile) {
    if (zeilen <= 0) return y;
    tabellenkopf(s, y, spalten);
    const int oben = y;
    y += k_kopfzeilenhoehe;
    for (int i = 0; i < zeilen; ++i) {
        zeile(y, erste + i);
        y += k_zeilenhoehe;
    }
    spaltenlinien(s, oben, y, spalten);
    return y;
}

// `text` in a row's cell, one line, centred in the row's height, cut short to
// fit the cell.
void zelltext(Seite& s, const Spalte& sp, int y, std::string_view text, const Textmass& m);
// A participant's name in a row's cell: on one line in the text's type,
// else on up to three lines in the small type, else cut short on those three.
// `name` lives in the event's data (Druckdaten), as a barcode's text does: the
// page points into it where it prints the name as it stands.
void namenzelle(Seite& s, const Spalte& sp, int y, std::string_view name, const Textmass& m);

// Rows of `n` in pages of `je_seite`, and a closing part of `schluss` high
// beneath the last row, on a page of its own when the last rows leave it no
// room of `raum`.
struct Seitenteilung {
    int je_seite = 1;
    int seiten = 1;
    Seitenteilung(int n, int raum, int schluss);
    // Rows on page k.
    int zeilen_auf(int k, int n) const;
};

} // namespace karmo::druck
