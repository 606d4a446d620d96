// The benchmark's whole-process side: loads one event file or builds one file list headless, then exits.
//
//   karmo_befehl --laden FILE [--spitze]   loads FILE into a headless capture form
//   karmo_befehl --leer FILE [--spitze]    the same process without the load (memory baseline)
//   karmo_befehl --liste ROOT              builds the file list of ROOT/zelva/Daten
//
// --spitze prints the process's peak resident set (KiB). A program of its
// own, linked statically and without Google Benchmark, so that starting it
// costs what starting a small tool costs.
#include <cstdio>
#include <exception>
#include <string>

#include "umgebung.hpp"

namespace {

namespace fs = std::filesystem;
namespace ui = karmo::ui;

// A real file as "c:\<name>" of a platform whose drive c: is the file's folder.
int laden(const fs::path& datei, bool wirklich, bool spitze) {
    const fs::path absolut = fs::absolute(datei);
    bench::Umgebung u(absolut.parent_path());
#if KARMO_BENCH_DATEI && KARMO_BENCH_MASKE
    u.fenster(ui::FormId::MA2_Maske);
    if (wirklich) bench::laden(u, "c:\\" + absolut.filename().string());
#else
    (void)wirklich;
    std::fputs("loader or capture form not in the tree yet\n", stderr);
#endif
    if (spitze) std::printf("%ld\n", bench::spitze_kib());
    return 0;
}

int liste(const fs::path& wurzel) {
#if KARMO_BENCH_DATEI
    bench::Umgebung u(fs::absolute(wurzel));
    karmo::Dateiliste_aufbauen(u.programm, u.fenster(ui::FormId::Dateidialog));
    std::printf("%zu\n", u.programm.zustand().Dateiliste_Pfade.size());
#else
    (void)wurzel;
    std::fputs("file list not in the tree yet\n", stderr);
#endif
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        std::string modus, ziel;
        bool spitze = false;
        for (int i = 1; i < argc; ++i) {
            const std::string a = argv[i];
            if (a == "--spitze") spitze = true;
            else if (modus.empty() && i + 1 < argc) {
                modus = a;
                ziel = argv[++i];
            } else {
                std::fprintf(stderr, "Unbekanntes Argument: %s\n", a.c_str());
                return 2;
            }
        }
        if (modus == "--laden") return laden(ziel, true, spitze);
        if (modus == "--leer") return laden(ziel, false, spitze);
        if (modus == "--liste") return liste(ziel);
        std::fputs("Aufruf: karmo_befehl --laden FILE [--spitze] | --leer FILE [--spitze] | --liste ROOT\n", stderr);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "karmo_befehl: %s\n", e.what());
        return 1;
    }
}
