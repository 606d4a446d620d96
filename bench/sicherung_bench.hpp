// The recovery journal's benchmarks: a scan with its entry, the entry beside a bare append, restoring, a durable save.
#pragma once

#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace bench {

using Registrieren = std::function<void(const char* name, std::function<void(benchmark::State&)> f, bool manuell)>;

// `daten` is the data folder of the run; the journal's benchmarks keep their
// own drive under it. `gross_wurzel` / `gross_windows`: the largest event.
void sicherung_registrieren(const Registrieren& registrieren, const std::filesystem::path& daten,
                            const std::filesystem::path& gross_wurzel, const std::string& gross_windows);

// The table's rows: what is compared, the two benchmarks, the floor's text, the target.
struct Sicherungszeile {
    const char* vergleich;
    const char* karmo;
    const char* boden;
    const char* boden_text;
    double ziel;
};
std::vector<Sicherungszeile> sicherung_zeilen();

} // namespace bench
