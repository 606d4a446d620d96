// Code 39 on a printer: the narrow and wide elements and quiet zones in its pixels, and a barcode's room on the page.
#pragma once

#include <cstddef>
#include <string_view>

#include "druck/seite.hpp"

namespace karmo::druck {

// How a printer with `dpi` pixels per inch across prints a barcode, in those
// pixels. The narrow element is the whole number of pixels nearest to
// 0.25 mm, but at least 0.17 mm; the wide one the whole number nearest to 2.5
// narrow ones (3 when the narrow element is one pixel); each quiet zone 10
// narrow elements and at least 2.5 mm. The gap between characters is one
// narrow element.
struct Strichmass {
    int dpi = 0;
    int schmal = 0;
    int breit = 0;
    int ruhe = 0;

    static Strichmass fuer(int dpi);

    // Pixels from the first bar's left edge to the last bar's right edge of
    // the barcode of a text of `zeichen` characters.
    int balken(std::size_t zeichen) const;
    // `px` pixels in hundredths of a millimetre, rounded up.
    int hundertstel(int px) const;
};

// Every barcode on the printed pages is an EFN.
inline constexpr std::size_t k_code_zeichen = 15;

// From a clear left edge (the page's margin or a rule's right edge) to the
// first bar: the left quiet zone, whole on paper however the edges round to
// pixels.
int strichcode_versatz(const Strichmass& m);
// From a clear left edge to the nearest mark right of the barcode of
// `zeichen` characters: both quiet zones and the bars, whole on paper.
int strichcode_raum(const Strichmass& m, std::size_t zeichen = k_code_zeichen);

// Digits beneath the bars.
inline constexpr Schrift k_ziffern{280, false};
inline constexpr int k_ziffern_abstand = 30; // between the bars' end and the digits' line
constexpr int strichcode_hoehe(int balkenhoehe) { return balkenhoehe + k_ziffern_abstand + zeilenhoehe(k_ziffern); }

// A barcode of `text` whose left quiet zone starts at the clear edge x, bars
// from y `balkenhoehe` down, with `text` centred beneath the bars
// (`breite_ziffern` their width in k_ziffern); returns the y below the digits
// (y + strichcode_hoehe).
int strichcode_mit_ziffern(Seite& s, const Strichmass& sm, int x, int y, int balkenhoehe, std::string_view text,
                           int breite_ziffern);

// Width of `efn`'s digits beneath its barcode, `efn15` that of any EFN of
// 15 digits: Arial's figures are all of one width, so a list measures its
// EFNs once.
inline int ziffernbreite(std::string_view efn, int efn15, const Textmass& m) {
    return efn.size() == k_code_zeichen ? efn15 : m.breite(efn, k_ziffern);
}
inline int efn15_breite(const Textmass& m) { return m.breite("000000000000000", k_ziffern); }

} // namespace karmo::druck
