// Whole processes: started, timed (CPU time and peak memory from wait4), compared.
#pragma once

#include <string>
#include <vector>

#include "wechsel.hpp"

namespace bench {

struct Prozesslauf {
    double sekunden = 0; // wall
    double cpu = 0;      // user + system
    long maxrss_kib = 0;
    std::string ausgabe; // stdout, when asked for
};

// Runs the command to its end; aborts the run when it fails.
Prozesslauf prozess(const std::vector<std::string>& argv, bool ausgabe_lesen = false);
// Runs the two commands in turns (after one warm-up each, see im_wechsel),
// `laeufe` rounds, by their CPU time: `a` is Karmo's side, `b` the peer's.
Im_Wechsel prozesse_vergleichen(const std::vector<std::string>& a, const std::vector<std::string>& b, int laeufe);

} // namespace bench
