// The in-process benchmarks, registered with Google Benchmark under the names the table reads.
#pragma once

#include <optional>

#include "messwerkzeug.hpp"

namespace bench {

void benchmarks_registrieren(const Orte& orte);

// Taking a list in and loading the file, measured in turns: each round loads
// the largest event, then takes it into a list of half of its lines (as the
// benchmark "hinzuladen_karmo" does), so that a slow spell of the machine
// falls on both sides of a round. Medians over the rounds, in seconds; the
// ratio is the median of the rounds' own ratios. Nothing when the merge is
// not in the tree or a round went wrong. Needs benchmarks_registrieren first
// (it writes the half list).
struct Abwechselnd {
    double laden, hinzuladen, verhaeltnis;
    int runden;
};
std::optional<Abwechselnd> hinzuladen_abwechselnd(const Orte& orte, int runden);

} // namespace bench
