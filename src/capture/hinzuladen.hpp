// Taking other laptops' lists of the same event into the open one: what each line did, and the summary.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace karmo {

// Lines of other points the summary names one by one; the rest is "…".
inline constexpr std::size_t k_abweichungen_gezeigt = 10;

// A participant of another list already here with other points.
struct Punkteabweichung {
    std::string efn;
    std::string hier;  // "8/0"
    std::string datei; // the other list's points, the same way
};

// What the lines of every file taken in did.
struct Hinzuladebilanz {
    int dateien = 0;        // files taken in
    int neu = 0;            // appended
    int schon_da = 0;       // in the list with the same points
    int andere_punkte = 0;  // in the list with other points: the list's line stays
    int ungueltig = 0;      // EFN failed the number check or is longer than 15 characters: not taken
    int zu_viele = 0;       // new, but the list was full: not taken
    // The first k_abweichungen_gezeigt of `andere_punkte`, in the files' order.
    std::vector<Punkteabweichung> abweichungen;
};

// The one message after taking lists in: its lines, joined by CR LF, in
// this order and each only when its number is not 0 (the first always).
std::string Hinzuladen_Zusammenfassung(const Hinzuladebilanz& b);

} // namespace karmo
