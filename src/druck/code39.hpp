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

// One bar: its first module and its width, both in modules.
struct Strich {
    int anfang;
    int breite;
};
// The bars of the barcode of `text`, left to right; none when it is not
// darstellbar.
std::vector<Strich> striche(std::string_view text);

} // namespace karmo::code39
