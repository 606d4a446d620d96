// What the attendance list and the certificates share: margins, fonts, wrapping, the event's block, barcodes, rules.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "druck/druckdaten.hpp"
#include "druck/seite.hpp"

namespace karmo::druck {

inline constexpr Schrift k_titel{700, true};
inline constexpr Schrift k_text{380, false};
inline constexpr Schrift k_fett{380, true};
inline constexpr Schrift k_klein{300, false};
// The digits under a barcode.
inline constexpr Schrift k_ziffern{280, false};
// The table's column heads.
inline constexpr Schrift k_spaltenkopf{320, true};
// Values of the event's block, and of a certificate's points, start this far right of their captions.
inline constexpr int k_wert_ab = 40 * k_mm;

// At least 15 mm everywhere; 20 mm on the left, for a binder.
inline constexpr int k_links = 20 * k_mm;
inline constexpr int k_rechts = k_papier_breite - 15 * k_mm;
inline constexpr int k_oben = 15 * k_mm;
inline constexpr int k_unten = k_papier_hoehe - 15 * k_mm;
inline constexpr int k_satzbreite = k_rechts - k_links;

// Width and height of a rule or table line.
inline constexpr int k_strich = 25;

// A content of more lines than this is printed with its lines joined by
// " / ": the header must leave the page room for rows.
inline constexpr int k_inhalt_zeilen_hoechstens = 8;

// `text` broken into lines no wider than `breite`: at its own line breaks
// (CR LF, LF or CR), then between words; a word wider than a line is broken
// between characters.
std::vector<std::string> umbrechen(std::string_view text, int breite, Schrift s, const Textmass& m);

// The event's data under each other as caption and value: VNR, chamber,
// points, and for report type 2 the dates, the times, the duration and the
// whole content, wrapped.
class Veranstaltungsblock {
public:
    Veranstaltungsblock(const Druckdaten& d, const Textmass& m);
    int hoehe() const;
    // Draws the block with its top at y; returns the y below it.
    int zeichnen(Seite& s, int y) const;

private:
    struct Zeile {
        std::string beschriftung;
        std::vector<std::string> werte; // one per printed line
    };
    std::vector<Zeile> zeilen_;
};

// Room a barcode of `modulzahl` narrow modules takes with its quiet zones, at the widest narrow element allowed for.
constexpr int strichcode_raum(int modulzahl) { return (modulzahl + 2 * k_ruhezone) * k_modul_raum; }

// A barcode whose left quiet zone starts at x, with `text` centred beneath
// the bars; returns the y below the digits.
int strichcode_mit_ziffern(Seite& s, int x, int y, int balkenhoehe, std::string_view text, const Textmass& m);

// A line to write on from x, `breite` long, at y, with its caption beneath.
void schreiblinie(Seite& s, int x, int y, int breite, std::string_view beschriftung);

inline void waagrecht(Seite& s, int x, int y, int breite) { s.balken.push_back({x, y, breite, k_strich}); }
inline void senkrecht(Seite& s, int x, int y, int hoehe) { s.balken.push_back({x, y, k_strich, hoehe}); }

} // namespace karmo::druck
