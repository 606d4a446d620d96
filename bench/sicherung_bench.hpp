// The recovery journal's benchmarks: a scan with its entry, the entry beside a bare append, restoring; a durable save in turns.
#pragma once

#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "wechsel.hpp"

namespace bench {

using Registrieren = std::function<void(const char* name, std::function<void(benchmark::State&)> f, bool manuell)>;

// `daten` is the data folder of the run; the journal's benchmarks keep their
// own drive under it. `gross_wurzel` / `gross_windows`: the largest event.
void sicherung_registrieren(const Registrieren& registrieren, const std::filesystem::path& daten,
                            const std::filesystem::path& gross_wurzel, const std::string& gross_windows);

// A durable save of the largest event over the lean platform (write, fsync
// and rename, as the Windows platform saves), in turns with writing,
// flushing and renaming the same bytes. Nothing when a round failed or the
// saved file is not the generator's.
std::optional<Im_Wechsel> dauerhaft_im_wechsel(const std::filesystem::path& gross_wurzel, const std::string& gross_windows,
                                               int runden);

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
