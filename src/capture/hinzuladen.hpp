// Taking other laptops' lists of the same event into the open one: what each line did, and the summary.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace karmo {

// Most lines the participant list holds (list positions are 16-bit).
inline constexpr int k_listenhoechstzahl = 32767;
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
    int ungueltig = 0;      // EFN failed the number check: not taken
    int zu_viele = 0;       // new, but the list was full: not taken
    // The first k_abweichungen_gezeigt of `andere_punkte`, in the files' order.
    std::vector<Punkteabweichung> abweichungen;
};

// A list line's points as numbers, for comparing two lines: the digits of
// the base points, "/", the digits of the speaker points, each half without
// leading zeros ("8/0" for "(08/0)"; a half without digits stays empty).
std::string Punkteschluessel(std::string_view zeile);
// The same into the `platz` bytes at `ziel`: its length, which may be more
// than `platz` (then the bytes are not all there).
std::size_t punkteschluessel_schreiben(std::string_view zeile, char* ziel, std::size_t platz);

// The one message after taking lists in: its lines, joined by CR LF, in
// this order and each only when its number is not 0 (the first always).
std::string Hinzuladen_Zusammenfassung(const Hinzuladebilanz& b);

} // namespace karmo
