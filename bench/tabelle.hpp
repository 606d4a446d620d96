// The table of every comparison: in-process benchmarks, whole processes, memory and the Wine row.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "messwerkzeug.hpp"

namespace bench {

// Runs every comparison and prints the table. `befehl` is the command-line
// program (karmo_befehl) the whole-process rows start rather than this
// program, which carries Google Benchmark; `wine_ergebnis` the Wine row's
// result file from bench/run.
int tabelle(const Orte& orte, const std::string& befehl, const std::optional<std::filesystem::path>& wine_ergebnis, int argc,
            char** argv);

// Only the rows measured in turns (the durable save, the print layout,
// taking a list in, the file list as a process), for working on them.
int nur_wechsel(const Orte& orte, const std::string& befehl);

} // namespace bench
