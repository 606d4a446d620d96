// The registration list's benchmark: one keystroke of the search over 32,767 registrations, in turns with loading the largest event.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "wechsel.hpp"

namespace bench {

// A table of 32,767 registrations as a booking system exports it
// (Windows-1252, ";"), names with umlauts and ß, every fifth with a title.
std::string anmeldetabelle();

// Each round loads the largest event once, then types the keystrokes of
// a few searches into the register of that table (each keystroke: the
// search and the shown lines' texts), so that a slow spell of the machine
// falls on both sides of a round. Medians over the rounds, in seconds; the
// ratio is the median of the rounds' own ratios (a keystroke's mean over
// the load). Beside it, diagnoses: the slowest keystroke (two letters a
// third of the registrations hold, scanning every text), reading the table
// with building the register, and one look-up by EFN. Nothing when the loader is not in the tree or a round
// went wrong.
struct Suchrunden {
    double laden, taste, verhaeltnis;
    double laengste_taste, einlesen, nachschlagen;
    int runden;
};
std::optional<Suchrunden> suche_abwechselnd(const std::filesystem::path& gross_wurzel, const std::string& gross_windows,
                                            int runden);

// A scan at the door with the event's registration list of 32,767 (the
// name found through its index, the count of the registered kept, the label
// set) against the same scan without a list, in turns: each round scans
// the same 256 cards into a list of 32,511 lines in both forms, half of them
// registered, and removes them again untimed. `mit_journal`: each form
// keeps its recovery journal (in a folder of its own below `daten`), as
// every scan at the door writes its entry; else the scan alone. Seconds per
// scan and the median of the rounds' ratios; nothing when a scan was not taken.
std::optional<Im_Wechsel> scan_mit_anmeldeliste_im_wechsel(const std::filesystem::path& gross_wurzel,
                                                           const std::filesystem::path& daten, bool mit_journal, int runden);

} // namespace bench
