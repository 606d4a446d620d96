// Code 39: the 44 characters, their bars and spaces, and a whole barcode in narrow modules.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace karmo::code39 {

// Wide elements are three narrow ones wide.
inline constexpr int k_breit = 3;
// One character: nine elements, bar first, three of them wide; 6 + 3 * 3.
inline constexpr int k_zeichenmodule = 15;
// Between two characters a narrow space.
inline constexpr int k_luecke = 1;

// The nine elements of `zeichen` (bar, space, bar, ... bar), true for a wide
// one; nothing for a character Code 39 has no pattern for.
std::optional<std::string_view> muster(char zeichen);

// Whether every character of `text` has a pattern ("*" is the start and stop
// character and cannot stand inside).
bool darstellbar(std::string_view text);

// Modules of the whole barcode of `text`, start and stop "*" included, as
// "1" for a bar module and "0" for a space module; no quiet zones. Empty
// when `text` is not darstellbar.
std::string module(std::string_view text);

// Number of modules of the barcode of a text of `zeichen` characters.
constexpr int modulzahl(std::size_t zeichen) {
    return static_cast<int>(zeichen + 2) * (k_zeichenmodule + k_luecke) - k_luecke;
}

// Width of the barcode of a text of `zeichen` characters, start and stop
// included, when a narrow element is `schmal` wide and a wide one `breit`.
constexpr int breite(std::size_t zeichen, int schmal, int breit) {
    return static_cast<int>(zeichen + 2) * (6 * schmal + 3 * breit) + static_cast<int>(zeichen + 1) * schmal;
}

// One bar: where it starts and how wide it is.
struct Strich {
    int anfang;
    int breite;
};
// The bars of the barcode of `text`, left to right, from 0 at the first bar's
// left edge, with narrow elements (and the gaps between characters) `schmal`
// wide and wide ones `breit`; none when `text` is not darstellbar. Without
// widths, in modules.
std::vector<Strich> striche(std::string_view text, int schmal = 1, int breit = k_breit);

} // namespace karmo::code39
