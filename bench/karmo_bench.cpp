// Speed and memory of loading, saving, listing and scanning at the largest sizes, each beside its floor or peer.
//
//   karmo_bench --erzeugen DIR            writes the data (deterministic)
//   karmo_bench --tabelle DIR [--wine F]  runs every comparison, prints the table
//   karmo_bench --messen DIR              only the in-process benchmarks (--benchmark_filter=...)
//   karmo_bench --wechsel DIR             only the rows measured in turns
//
// The whole-process rows run karmo_befehl (bench/karmo_befehl.cpp).
#include <benchmark/benchmark.h>

#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "karmo_benchmarks.hpp"
#include "messwerkzeug.hpp"
#include "tabelle.hpp"
#include "testdaten.hpp"

namespace fs = std::filesystem;

namespace {

using bench::Orte;

// Only the in-process benchmarks, as Google Benchmark prints them (for
// profiling one of them with --benchmark_filter).
int nur_messen(const Orte& orte, int argc, char** argv) {
    bench::benchmarks_registrieren(orte);
    std::vector<char*> bm_argv{argv[0]};
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--benchmark_", 12) == 0) bm_argv.push_back(argv[i]);
    }
    int bm_argc = static_cast<int>(bm_argv.size());
    benchmark::Initialize(&bm_argc, bm_argv.data());
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

// --- command-line modes ---------------------------------------------------------------------------------

int erzeugen(const Orte& orte) {
    const auto v = bench::groesste_veranstaltung();
    const fs::path gross = orte.gross_datei();
    fs::create_directories(gross.parent_path());
    const std::string text = bench::dateitext(v);
    bench::datei_schreiben(gross, text);
    std::size_t zeilen = 0;
    for (char c : text) zeilen += c == '\n';
    std::cerr << "Largest event: " << gross << ", " << text.size() << " bytes, " << zeilen << " lines\n";
    const auto b = bench::ordner_erzeugen(orte.ordner());
    std::cerr << "Folder: " << orte.ordner() << ", " << b.ereignisdateien << " event files (" << b.doppelt
              << " events under both names), " << b.fremde << " other files, " << b.bytes << " bytes\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const std::string befehl = (fs::canonical("/proc/self/exe").parent_path() / "karmo_befehl").string();
        std::optional<fs::path> wine;
        std::string modus, ziel;
        for (int i = 1; i < argc; ++i) {
            const std::string a = argv[i];
            if (a == "--wine" && i + 1 < argc) wine = argv[++i];
            else if (a.rfind("--benchmark_", 0) == 0) continue;
            else if (a.rfind("--", 0) == 0 && modus.empty() && i + 1 < argc) { modus = a; ziel = argv[++i]; }
            else { std::cerr << "Unbekanntes Argument: " << a << "\n"; return 2; }
        }
        if (modus == "--erzeugen") return erzeugen(Orte{ziel});
        if (modus == "--tabelle") return bench::tabelle(Orte{ziel}, befehl, wine, argc, argv);
        if (modus == "--messen") return nur_messen(Orte{ziel}, argc, argv);
        if (modus == "--wechsel") return bench::nur_wechsel(Orte{ziel}, befehl);
        std::cerr << "Aufruf: karmo_bench --erzeugen DIR | --tabelle DIR [--wine F] | --messen DIR | --wechsel DIR\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "karmo_bench: " << e.what() << "\n";
        return 1;
    }
}
