// The participant list's index by EFN: which numbers the list holds, how often, and the points of the first line of each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ui/fenster.hpp"

namespace karmo {

// Counts the lines of the list by their first 15 characters, so that a scan
// or another list's line does not walk the whole list. The list is also
// changed from outside the group (a new event clears it, loading refills
// it); the window's change count of the list tells, and the index rebuilds
// itself before its next use. Each EFN also keeps the points of its first
// line ("8/0", digits only, as a save writes them), for a line of another
// list to be compared with.
//
// A key of 15 digits, as every scanned line has, is held as its number in
// an open table (no allocation per line, one probe for most look-ups);
// anything else a loaded file brought goes to an ordinary map beside it.
class EFN_Verzeichnis {
public:
    void abgleichen(const ui::Fenster& f);
    bool enthaelt(std::string_view efn) const { return punkte(efn) != nullptr; }
    // The points of the first line with this EFN; nullptr when none.
    const std::string* punkte(std::string_view efn) const;
    // A line appended at the end of the list.
    void hinzu(std::string_view zeile);
    // The line `alt` of the list replaced by `neu` in its place.
    void ersetzt(std::string_view alt, std::string_view neu);
    void weg(std::string_view zeile);
    // Records the list's state after the group changed it itself.
    void merken(const ui::Fenster& f);

private:
    struct Eintrag {
        int anzahl = 0;
        std::string punkte;
    };
    struct Platz {
        std::uint64_t zahl = 0; // the EFN's number + 1; 0 is a free place
        Eintrag e;
    };
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
    };

    // The place of `zahl`, or the free place where it would go.
    std::size_t platz(std::uint64_t zahl) const;
    std::size_t heim(std::uint64_t zahl) const;
    Eintrag* finden(std::string_view schluessel);
    Eintrag& anlegen(std::string_view schluessel, std::string_view zeile);
    void entfernen(std::string_view schluessel);
    // A table of free places with room for `n` numbers.
    void tabelle(std::size_t n);

    std::vector<Platz> plaetze_;
    std::size_t belegt_ = 0;
    unsigned bits_ = 0;
    std::unordered_map<std::string, Eintrag, Hash, std::equal_to<>> sonstige_;
    std::uint64_t stand_ = 0;
    bool gueltig_ = false;
    // A line of an EFN that stands more than once went away: which line is
    // first now is known only to the list, which is read again.
    bool neu_lesen_ = false;
};

} // namespace karmo
