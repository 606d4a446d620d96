// What the in-process benchmarks and the table share: raw file access, the data's places, the figures' collector.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "testdaten.hpp"

namespace bench {

namespace fs = std::filesystem;

// --- files ----------------------------------------------------------------------------------------

std::string datei_lesen(const fs::path& p);
void datei_schreiben_roh(const fs::path& p, std::string_view bytes);
std::vector<std::string> ordnerinhalt(const fs::path& ordner);
// CPU time of this process. The figures are CPU time throughout: the
// machine is shared with builds, and wall time would measure them too.
double cpu_sekunden();

// --- the data's places ----------------------------------------------------------------------------

struct Orte {
    fs::path daten;                                                // DIR
    fs::path gross_wurzel() const { return daten / "gross"; }      // c:\ of the large event
    fs::path ordner_wurzel() const { return daten / "ordner"; }    // c:\ of the 10,100-file folder
    fs::path ordner() const { return ordner_wurzel() / "zelva" / "Daten"; }
    fs::path gross_datei() const {
        const auto v = groesste_veranstaltung();
        return gross_wurzel() / "zelva" / "Daten" / dateiname(v, true);
    }
};

// --- Google Benchmark: collecting the figures --------------------------------------------------------

class Sammler final : public benchmark::ConsoleReporter {
public:
    Sammler() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        std::vector<Run> zeigen;
        for (const auto& r : runs) {
            if (r.error_occurred) fehler[r.run_name.function_name] = r.error_message;
            if (r.run_type == Run::RT_Iteration && !r.error_occurred && r.iterations > 0) {
                // Manual time is CPU time measured by the benchmark itself.
                const bool manuell = r.run_name.time_type.find("manual") != std::string::npos;
                const double summe = manuell ? r.real_accumulated_time : r.cpu_accumulated_time;
                zeiten[r.run_name.function_name].push_back(summe / static_cast<double>(r.iterations));
                wand[r.run_name.function_name].push_back(r.real_accumulated_time / static_cast<double>(r.iterations));
            }
            if (r.run_type == Run::RT_Aggregate || r.error_occurred) zeigen.push_back(r);
        }
        if (!zeigen.empty()) ConsoleReporter::ReportRuns(zeigen);
    }
    std::optional<double> median(const std::string& name) const {
        auto it = zeiten.find(name);
        if (it == zeiten.end() || it->second.empty()) return std::nullopt;
        auto v = it->second;
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    }
    std::map<std::string, std::vector<double>> zeiten; // CPU seconds per iteration, one per repetition
    std::map<std::string, std::vector<double>> wand;   // wall seconds per iteration
    std::map<std::string, std::string> fehler;
};

void registrieren(const char* name, std::function<void(benchmark::State&)> f, bool manuell = false, double min_zeit = 0.3);

// Keys a person types into Inhalt in the detector's benchmark (its limit).
inline constexpr std::size_t k_tasten = 250;

} // namespace bench
