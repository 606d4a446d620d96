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

// The list's header holds at most this many lines of the content.
inline constexpr int k_inhalt_zeilen_hoechstens = 8;
// Any other value of the event's block at most this many.
inline constexpr int k_wert_zeilen_hoechstens = 2;

// The mark of a text cut short.
inline constexpr std::string_view k_auslassung = "…";

// `text` broken into lines no wider than `breite`: at its own line breaks
// (CR LF, LF or CR), then between words; a word wider than a line is broken
// between characters.
std::vector<std::string> umbrechen(std::string_view text, int breite, Schrift s, const Textmass& m);

// Keeps the first `hoechstens` (at least 1) of `zeilen`; when that cut any
// off, the last one kept ends in k_auslassung, its last words (or
// characters) dropped until it fits `breite`.
void kuerzen(std::vector<std::string>& zeilen, std::size_t hoechstens, int breite, Schrift s, const Textmass& m);

// `text` on one line of at most `breite`, cut short with k_auslassung if
// need be.
std::string einpassen(std::string_view text, int breite, Schrift s, const Textmass& m);

// The event's data under each other as caption and value: VNR, chamber,
// organiser and place when given, points, and for report type 2 the dates,
// the times, the duration and the content, wrapped. Each value takes at most
// k_wert_zeilen_hoechstens lines; the content at most `inhalt_zeilen` and no
// more than keeps the whole block within `hoehe_hoechstens` (but one line at
// least). A content of more lines is printed with its lines joined by " / ",
// and what still does not fit is cut off at a line's end and marked with
// k_auslassung. The short block (Blockumfang::Kurz) has only the VNR, the
// chamber, the points and, for report type 2, the dates.
enum class Blockumfang { Voll, Kurz };
class Veranstaltungsblock {
public:
    Veranstaltungsblock(const Druckdaten& d, const Textmass& m, int inhalt_zeilen, int hoehe_hoechstens = k_papier_hoehe,
                        Blockumfang umfang = Blockumfang::Voll);
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

// A line to write on from x, `breite` long, at y, with its caption beneath.
void schreiblinie(Seite& s, int x, int y, int breite, std::string_view beschriftung);

inline void waagrecht(Seite& s, int x, int y, int breite) { s.balken.push_back({x, y, breite, k_strich}); }
inline void senkrecht(Seite& s, int x, int y, int hoehe) { s.balken.push_back({x, y, k_strich, hoehe}); }

} // namespace karmo::druck
