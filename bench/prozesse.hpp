// Whole processes: started, timed (CPU time and peak memory from wait4), compared.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace bench {

struct Prozesslauf {
    double sekunden = 0; // wall
    double cpu = 0;      // user + system
    long maxrss_kib = 0;
    std::string ausgabe; // stdout, when asked for
};

// Runs the command to its end; aborts the run when it fails.
Prozesslauf prozess(const std::vector<std::string>& argv, bool ausgabe_lesen = false);
double median(std::vector<double> v);
// Runs the two commands alternately (after one warm-up each), so drift of
// the machine hits both alike; returns the medians.
std::pair<double, double> prozesse_vergleichen(const std::vector<std::string>& a, const std::vector<std::string>& b, int laeufe);

} // namespace bench
