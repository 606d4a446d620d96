// Speed and memory of loading, saving, listing and scanning at the largest sizes, each beside its floor or peer.
//
//   karmo_bench --erzeugen DIR            writes the data (deterministic)
//   karmo_bench --tabelle DIR [--wine F]  runs every comparison, prints the table
//   karmo_bench --messen DIR              only the in-process benchmarks (--benchmark_filter=...)
//
// The whole-process rows run karmo_befehl (bench/karmo_befehl.cpp).
#include <benchmark/benchmark.h>

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "sicherung_bench.hpp"
#include "testdaten.hpp"
#include "eingabe/scanpuffer.hpp"
#include "umgebung.hpp"

#include "platform/fake/fake_plattform.hpp"
#include "state/programm.hpp"
#include "ui/fake/fake_fenster.hpp"

namespace fs = std::filesystem;
namespace ui = karmo::ui;
using Clock = std::chrono::steady_clock;

namespace {

using bench::abbruch;
using bench::spitze_kib;
using Umgebung = bench::Umgebung;
using DirektUmgebung = bench::DirektUmgebung;

// --- files ----------------------------------------------------------------------------------------

std::string datei_lesen(const fs::path& p) {
    const int fd = ::open(p.c_str(), O_RDONLY);
    if (fd < 0) abbruch("Kann nicht öffnen: " + p.string());
    struct stat st {};
    ::fstat(fd, &st);
    std::string s(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t gelesen = 0;
    while (gelesen < s.size()) {
        const ssize_t n = ::read(fd, s.data() + gelesen, s.size() - gelesen);
        if (n <= 0) break;
        gelesen += static_cast<std::size_t>(n);
    }
    ::close(fd);
    s.resize(gelesen);
    return s;
}

void datei_schreiben_roh(const fs::path& p, std::string_view bytes) {
    const int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) abbruch("Kann nicht schreiben: " + p.string());
    std::size_t geschrieben = 0;
    while (geschrieben < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + geschrieben, bytes.size() - geschrieben);
        if (n <= 0) abbruch("Schreibfehler: " + p.string());
        geschrieben += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

std::vector<std::string> ordnerinhalt(const fs::path& ordner) {
    std::vector<std::string> namen;
    DIR* d = ::opendir(ordner.c_str());
    if (!d) abbruch("Kein Ordner: " + ordner.string());
    while (const dirent* e = ::readdir(d)) {
        if (e->d_name[0] != '.') namen.emplace_back(e->d_name);
    }
    ::closedir(d);
    return namen;
}

// CPU time of this process. The figures are CPU time throughout: the
// machine is shared with builds, and wall time would measure them too.
double cpu_sekunden() {
    timespec ts {};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// --- the data's places ----------------------------------------------------------------------------

struct Orte {
    fs::path daten;                                                // DIR
    fs::path gross_wurzel() const { return daten / "gross"; }      // c:\ of the large event
    fs::path ordner_wurzel() const { return daten / "ordner"; }    // c:\ of the 10,100-file folder
    fs::path ordner() const { return ordner_wurzel() / "zelva" / "Daten"; }
    fs::path gross_datei() const {
        const auto v = bench::groesste_veranstaltung();
        return gross_wurzel() / "zelva" / "Daten" / bench::dateiname(v, true);
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

constexpr int k_wiederholungen = 7;

void registrieren(const char* name, std::function<void(benchmark::State&)> f, bool manuell = false, double min_zeit = 0.3) {
    auto* b = benchmark::RegisterBenchmark(name, [f = std::move(f)](benchmark::State& s) { f(s); });
    b->Repetitions(k_wiederholungen)->MinTime(min_zeit)->Unit(benchmark::kMicrosecond);
    if (manuell) b->UseManualTime();
}

std::string ordner_efn(std::uint64_t i) { return bench::efn(7, i); }

// Keys a person types into Inhalt in the detector's benchmark (its limit).
constexpr std::size_t k_tasten = 250;

void benchmarks_registrieren(const Orte& orte) {
    const fs::path gross = orte.gross_datei();
    const std::string gross_windows = "c:\\zelva\\Daten\\" + gross.filename().string();

    // Load: the loader into the headless MA2_Maske, against reading the same
    // bytes into memory.
    registrieren("laden_boden", [gross](benchmark::State& s) {
        for (auto _ : s) {
            std::string bytes = datei_lesen(gross);
            benchmark::DoNotOptimize(bytes.data());
        }
    });
#if KARMO_BENCH_DATEI && KARMO_BENCH_MASKE
    registrieren("laden_karmo", [orte, gross_windows](benchmark::State& s) {
        Umgebung u(orte.gross_wurzel());
        for (auto _ : s) laden(u, gross_windows);
        const int zeilen = u.fenster(ui::FormId::MA2_Maske).zeilenzahl(ui::Ctl::Teilnehmerliste);
        if (zeilen != 32767) s.SkipWithError(("Teilnehmerliste hat " + std::to_string(zeilen) + " Zeilen").c_str());
    });
#endif

#if KARMO_BENCH_DATEI && KARMO_BENCH_MASKE
    registrieren("laden_direkt", [orte, gross_windows](benchmark::State& s) {
        DirektUmgebung u(orte.gross_wurzel());
        for (auto _ : s) laden(u, gross_windows);
    });
#endif

    // Save: the save button's procedure with the loaded event, against
    // writing the same bytes to a file of the same folder.
    const fs::path ausgabe = orte.gross_wurzel() / "ausgabe";
    fs::create_directories(ausgabe);
    registrieren("speichern_boden", [gross, ausgabe](benchmark::State& s) {
        const std::string bytes = datei_lesen(gross);
        for (auto _ : s) datei_schreiben_roh(ausgabe / "boden.XML", bytes);
    });
#if KARMO_BENCH_DATEI && KARMO_BENCH_MASKE
    registrieren("speichern_karmo", [orte, gross, gross_windows](benchmark::State& s) {
        Umgebung u(orte.gross_wurzel());
        laden(u, gross_windows);
        const std::string ziel = "c:\\ausgabe\\" + gross.filename().string();
        for (auto _ : s) {
            if (karmo::Veranstaltung_speichern(u.programm, ziel, "Speichern2") != karmo::Speicherergebnis::Geschrieben)
                s.SkipWithError("nicht gespeichert");
            u.plattform.meldungen.clear();
        }
        // The round trip must give the generator's bytes back exactly;
        // otherwise the two sides did not do the same work.
        if (datei_lesen(u.plattform.echt(ziel)) != datei_lesen(gross)) s.SkipWithError("gespeicherte Datei weicht ab");
    });
#endif

    // File list: Get_VNR on every file of the folder, rows and paths,
    // against opening every file and reading its first 4 KiB.
    registrieren("dateiliste_boden", [orte](benchmark::State& s) {
        std::vector<char> puffer(4096);
        for (auto _ : s) {
            std::size_t summe = 0;
            for (const auto& name : ordnerinhalt(orte.ordner())) {
                const int fd = ::open((orte.ordner() / name).c_str(), O_RDONLY);
                if (fd < 0) continue;
                const ssize_t n = ::read(fd, puffer.data(), puffer.size());
                if (n > 0) summe += static_cast<std::size_t>(n);
                ::close(fd);
            }
            benchmark::DoNotOptimize(summe);
        }
    }, false, 1.0);
    // Diagnosis only: the same with every file read to its end in 64 KiB
    // blocks, as a reader that does not stop early reads them.
    registrieren("dateiliste_ganz", [orte](benchmark::State& s) {
        std::vector<char> puffer(64 * 1024);
        for (auto _ : s) {
            std::size_t summe = 0;
            for (const auto& name : ordnerinhalt(orte.ordner())) {
                const int fd = ::open((orte.ordner() / name).c_str(), O_RDONLY);
                if (fd < 0) continue;
                ssize_t n;
                while ((n = ::read(fd, puffer.data(), puffer.size())) > 0) summe += static_cast<std::size_t>(n);
                ::close(fd);
            }
            benchmark::DoNotOptimize(summe);
        }
    }, false, 1.0);
#if KARMO_BENCH_DATEI
    registrieren("dateiliste_karmo", [orte](benchmark::State& s) {
        Umgebung u(orte.ordner_wurzel());
        ui::FakeFenster& dialog = u.fenster(ui::FormId::Dateidialog);
        for (auto _ : s) karmo::Dateiliste_aufbauen(u.programm, dialog);
        const int zeilen = dialog.zeilenzahl(ui::Ctl::Dateiliste);
        s.counters["zeilen"] = zeilen;
        if (zeilen != 10000 || u.programm.zustand().Dateiliste_Pfade.size() != 10000)
            s.SkipWithError(("Dateiliste hat " + std::to_string(zeilen) + " Zeilen").c_str());
    }, false, 1.0);
    registrieren("dateiliste_direkt", [orte](benchmark::State& s) {
        DirektUmgebung u(orte.ordner_wurzel());
        ui::FakeFenster& dialog = u.fenster(ui::FormId::Dateidialog);
        for (auto _ : s) karmo::Dateiliste_aufbauen(u.programm, dialog);
        if (dialog.zeilenzahl(ui::Ctl::Dateiliste) != 10000) s.SkipWithError("Dateiliste unvollständig");
    }, false, 1.0);
#endif

    // One scan (15 digits and Enter into EFN) with a long and a short list.
    // The line it appends is removed again outside the timed part.
#if KARMO_BENCH_MASKE
    for (const int zeilen : {32766, 9}) {
        const std::string name = "scan_" + std::to_string(zeilen + 1);
        registrieren(name.c_str(), [orte, zeilen](benchmark::State& s) {
            Umgebung u(orte.gross_wurzel());
            ui::FakeFenster& f = u.fenster(ui::FormId::MA2_Maske);
            f.setze_text(ui::Ctl::Punkte, "8");
            for (int i = 0; i < zeilen; ++i) f.zeile_anfuegen(ui::Ctl::Teilnehmerliste, bench::efn(3, static_cast<std::uint64_t>(i)) + " (8/0)");
            std::vector<std::string> scans;
            for (std::uint64_t i = 0; i < 4096; ++i) scans.push_back(ordner_efn(i) + "\r");
            // The line a scan appends is taken out again as the user would
            // (select it, "EFN löschen"), outside the timed part; removing it
            // behind the form's back would make it rebuild its index each time.
            std::size_t k = 0;
            auto scannen = [&] {
                f.tippen(ui::Ctl::EFN, scans[k++ % scans.size()]);
                return f.zeilenzahl(ui::Ctl::Teilnehmerliste) == zeilen + 1;
            };
            auto entfernen = [&] {
                f.zeile_klicken(ui::Ctl::Teilnehmerliste, zeilen);
                f.klicken(ui::Ctl::Loeschen);
            };
            if (scannen()) entfernen(); // the first scan after the list was filled from outside indexes it
            for (auto _ : s) {
                const double t0 = cpu_sekunden();
                const bool angefuegt = scannen();
                s.SetIterationTime(cpu_sekunden() - t0);
                if (!angefuegt) {
                    s.SkipWithError(u.plattform.meldungen.empty() ? "Scan nicht angefügt" : u.plattform.meldungen.back().c_str());
                    break;
                }
                entfernen();
            }
        }, true);
    }

    // The same scan typed while Punkte has the focus: its 16 keys go through
    // the key buffer and its detector as in the renderer's message loop, and
    // the form takes the scan (Formularlogik::scan). Timed as above.
    for (const int zeilen : {32766, 9}) {
        const std::string name = "scan_erkannt_" + std::to_string(zeilen + 1);
        registrieren(name.c_str(), [orte, zeilen](benchmark::State& s) {
            Umgebung u(orte.gross_wurzel());
            ui::FakeFenster& f = u.fenster(ui::FormId::MA2_Maske);
            ui::Formularlogik& logik = *u.formulare.logik(ui::FormId::MA2_Maske);
            f.setze_text(ui::Ctl::Punkte, "8");
            for (int i = 0; i < zeilen; ++i) f.zeile_anfuegen(ui::Ctl::Teilnehmerliste, bench::efn(3, static_cast<std::uint64_t>(i)) + " (8/0)");
            std::vector<std::string> scans;
            for (std::uint64_t i = 0; i < 4096; ++i) scans.push_back(ordner_efn(i) + "\r");
            karmo::eingabe::Scanpuffer<char> puffer;
            std::uint32_t zeit = 0;
            std::size_t k = 0;
            auto scannen = [&] {
                for (char c : scans[k++ % scans.size()]) {
                    zeit += 5;
                    puffer.taste(c == '\r' ? karmo::eingabe::Taste::Ende : karmo::eingabe::Taste::Ziffer, c, zeit, c,
                                 [&](char t) { f.tippen(ui::Ctl::Punkte, std::string(1, t)); },
                                 [&](std::string_view z) { logik.scan(ui::Ctl::Punkte, z); });
                }
                zeit += 1000;
                return f.zeilenzahl(ui::Ctl::Teilnehmerliste) == zeilen + 1;
            };
            auto entfernen = [&] {
                f.zeile_klicken(ui::Ctl::Teilnehmerliste, zeilen);
                f.klicken(ui::Ctl::Loeschen);
            };
            if (scannen()) entfernen();
            for (auto _ : s) {
                const double t0 = cpu_sekunden();
                const bool angefuegt = scannen();
                s.SetIterationTime(cpu_sekunden() - t0);
                if (!angefuegt) {
                    s.SkipWithError(u.plattform.meldungen.empty() ? "Scan nicht angefügt" : u.plattform.meldungen.back().c_str());
                    break;
                }
                entfernen();
            }
        }, true);
    }

    // What the detector adds per key: a person's typing (120 ms a key, the
    // clock ticking between keys as the loop's timer does) into Inhalt,
    // through the key buffer, beside the same keys typed straight into it.
    {
        static const std::string k_getippt = [] {
            std::string t;
            while (t.size() < k_tasten) t += "Vortrag 2026 am 21.12. um 13:22 mit 180 Minuten ";
            t.resize(k_tasten);
            return t;
        }();
        const auto art = [](char c) {
            return c >= '0' && c <= '9' ? karmo::eingabe::Taste::Ziffer : karmo::eingabe::Taste::Andere;
        };
        registrieren("tasten_erkannt", [orte, art](benchmark::State& s) {
            Umgebung u(orte.gross_wurzel());
            ui::FakeFenster& f = u.fenster(ui::FormId::MA2_Maske);
            karmo::eingabe::Scanpuffer<char> puffer;
            std::uint32_t zeit = 0;
            const auto weiter = [&](char t) { f.tippen(ui::Ctl::Inhalt, std::string_view(&t, 1)); };
            for (auto _ : s) {
                f.setze_text(ui::Ctl::Inhalt, "");
                for (char c : k_getippt) {
                    zeit += 60;
                    puffer.uhr(zeit, weiter);
                    zeit += 60;
                    puffer.taste(art(c), c, zeit, c, weiter, [](std::string_view) {});
                }
                puffer.freigeben(weiter);
            }
            if (f.text(ui::Ctl::Inhalt).size() != 250) s.SkipWithError("Inhalt unvollständig");
        });
        registrieren("tasten_direkt", [orte](benchmark::State& s) {
            Umgebung u(orte.gross_wurzel());
            ui::FakeFenster& f = u.fenster(ui::FormId::MA2_Maske);
            for (auto _ : s) {
                f.setze_text(ui::Ctl::Inhalt, "");
                for (char c : k_getippt) f.tippen(ui::Ctl::Inhalt, std::string_view(&c, 1));
            }
            if (f.text(ui::Ctl::Inhalt).size() != 250) s.SkipWithError("Inhalt unvollständig");
        });
    }
#endif

    bench::sicherung_registrieren([](const char* name, std::function<void(benchmark::State&)> f,
                                     bool manuell) { registrieren(name, std::move(f), manuell); },
                                  orte.daten, orte.gross_wurzel(), gross_windows);
}

// --- whole processes -----------------------------------------------------------------------------------

struct Prozesslauf {
    double sekunden = 0; // wall
    double cpu = 0;      // user + system
    long maxrss_kib = 0;
    std::string ausgabe; // stdout, when asked for
};

Prozesslauf prozess(const std::vector<std::string>& argv, bool ausgabe_lesen = false) {
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    int rohr[2] = {-1, -1};
    posix_spawn_file_actions_t aktionen;
    posix_spawn_file_actions_init(&aktionen);
    if (ausgabe_lesen) {
        if (::pipe(rohr) != 0) abbruch("pipe");
        posix_spawn_file_actions_adddup2(&aktionen, rohr[1], 1);
        posix_spawn_file_actions_addclose(&aktionen, rohr[0]);
    } else {
        posix_spawn_file_actions_addopen(&aktionen, 1, "/dev/null", O_WRONLY, 0);
    }
    Prozesslauf lauf;
    const auto t0 = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, args[0], &aktionen, nullptr, args.data(), environ) != 0) abbruch("Kann nicht starten: " + argv[0]);
    if (ausgabe_lesen) {
        ::close(rohr[1]);
        char puffer[4096];
        ssize_t n;
        while ((n = ::read(rohr[0], puffer, sizeof puffer)) > 0) lauf.ausgabe.append(puffer, static_cast<std::size_t>(n));
        ::close(rohr[0]);
    }
    int status = 0;
    rusage ru {};
    ::wait4(pid, &status, 0, &ru);
    lauf.sekunden = std::chrono::duration<double>(Clock::now() - t0).count();
    posix_spawn_file_actions_destroy(&aktionen);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) abbruch("Prozess gescheitert: " + argv[0] + " " + (argv.size() > 1 ? argv[1] : ""));
    lauf.maxrss_kib = ru.ru_maxrss;
    lauf.cpu = static_cast<double>(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
               static_cast<double>(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) * 1e-6;
    return lauf;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Runs the two commands alternately (after one warm-up each), so drift of
// the machine hits both alike; returns the medians.
std::pair<double, double> prozesse_vergleichen(const std::vector<std::string>& a, const std::vector<std::string>& b, int laeufe) {
    prozess(a);
    prozess(b);
    std::vector<double> ta, tb;
    for (int i = 0; i < laeufe; ++i) {
        ta.push_back(prozess(a).cpu);
        tb.push_back(prozess(b).cpu);
    }
    return {median(ta), median(tb)};
}

// --- the table -------------------------------------------------------------------------------------------

struct Zeile {
    std::string vergleich;
    std::string karmo;  // figure, with unit
    std::string boden;  // floor or peer, with unit and what it is
    double verhaeltnis = -1; // < 0: not measured
    double ziel = 0;
    std::string bemerkung; // why not measured, or a detail
};

std::string ms(double s) {
    char b[32];
    std::snprintf(b, sizeof b, s < 0.001 ? "%.2f µs" : "%.1f ms", s < 0.001 ? s * 1e6 : s * 1e3);
    return b;
}

std::string mib(double bytes) {
    char b[32];
    std::snprintf(b, sizeof b, "%.1f MiB", bytes / (1024.0 * 1024.0));
    return b;
}

void tabelle_drucken(const std::vector<Zeile>& zeilen) {
    std::cout << "| Comparison | Karmo | Floor / peer | Ratio | Target | |\n";
    std::cout << "|---|---|---|---|---|---|\n";
    for (const auto& z : zeilen) {
        char verhaeltnis[32] = "–";
        char ziel[32];
        std::snprintf(ziel, sizeof ziel, "≤ %gx", z.ziel);
        std::string urteil = "pending";
        if (z.verhaeltnis >= 0) {
            std::snprintf(verhaeltnis, sizeof verhaeltnis, "%.2fx", z.verhaeltnis);
            urteil = z.verhaeltnis <= z.ziel ? "ok" : "**MISSED**";
        }
        std::cout << "| " << z.vergleich << " | " << (z.karmo.empty() ? "–" : z.karmo) << " | " << z.boden << " | " << verhaeltnis
                  << " | " << ziel << " | " << urteil << (z.bemerkung.empty() ? "" : " (" + z.bemerkung + ")") << " |\n";
    }
}

// The command-line program (karmo_befehl) beside this one: the whole-process
// rows start it rather than this program, which carries Google Benchmark.
std::string befehl;

int tabelle(const Orte& orte, const std::optional<fs::path>& wine_ergebnis, int argc, char** argv) {
    const fs::path gross = orte.gross_datei();
    const double groesse = static_cast<double>(fs::file_size(gross));
    std::vector<std::string> ordnerdateien;
    for (const auto& n : ordnerinhalt(orte.ordner())) ordnerdateien.push_back((orte.ordner() / n).string());
    std::sort(ordnerdateien.begin(), ordnerdateien.end());

    std::vector<Zeile> zeilen;
    std::ostringstream details;
    details << "Largest event: " << gross.filename().string() << ", " << static_cast<long>(groesse) << " bytes; folder: "
            << ordnerdateien.size() << " files.\n";

    // Memory first, while this process is still small. Each child reports the
    // peak of its own address space (VmHWM); the baseline child sets up the
    // same headless program and loads nothing.
    Zeile speicher{"peak memory while loading the largest event", "", "", -1, 3, ""};
#if KARMO_BENCH_DATEI && KARMO_BENCH_MASKE
    {
        std::vector<long> mit, ohne, rss_mit, rss_ohne;
        for (int i = 0; i < 3; ++i) {
            auto a = prozess({befehl, "--laden", gross.string(), "--spitze"}, true);
            auto b = prozess({befehl, "--leer", gross.string(), "--spitze"}, true);
            mit.push_back(std::stol(a.ausgabe));
            ohne.push_back(std::stol(b.ausgabe));
            rss_mit.push_back(a.maxrss_kib);
            rss_ohne.push_back(b.maxrss_kib);
        }
        const long m = *std::min_element(mit.begin(), mit.end());
        const long o = *std::min_element(ohne.begin(), ohne.end());
        const double zuwachs = static_cast<double>(m - o) * 1024.0;
        speicher.karmo = mib(zuwachs) + " above baseline";
        speicher.boden = mib(groesse) + " file size";
        speicher.verhaeltnis = zuwachs / groesse;
        details << "Memory: VmHWM with load " << m << " KiB, baseline " << o << " KiB; ru_maxrss (wait4) "
                << *std::min_element(rss_mit.begin(), rss_mit.end()) << " / " << *std::min_element(rss_ohne.begin(), rss_ohne.end())
                << " KiB.\n";
    }
#else
    speicher.boden = mib(groesse) + " file size";
    speicher.bemerkung = "loader or capture form not in the tree yet";
#endif

    // In-process figures.
    benchmarks_registrieren(orte);
    std::vector<char*> bm_argv{argv[0]};
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--benchmark_", 12) == 0) bm_argv.push_back(argv[i]);
    }
    int bm_argc = static_cast<int>(bm_argv.size());
    benchmark::Initialize(&bm_argc, bm_argv.data());
    Sammler sammler;
    sammler.SetOutputStream(&std::cerr);
    sammler.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&sammler);
    for (const auto& [name, text] : sammler.fehler) details << "Error in " << name << ": " << text << "\n";

    auto paar = [&](const std::string& vergleich, const char* karmo, const char* boden, const std::string& boden_text, double ziel,
                    const char* fehlt) {
        Zeile z{vergleich, "", "", -1, ziel, ""};
        const auto k = sammler.median(karmo);
        const auto b = sammler.median(boden);
        z.boden = (b ? ms(*b) + " " : std::string()) + boden_text;
        if (k && b) {
            z.karmo = ms(*k);
            z.verhaeltnis = *k / *b;
        } else {
            z.bemerkung = sammler.fehler.count(karmo) ? "failed: " + sammler.fehler.at(karmo) : fehlt;
        }
        return z;
    };
    zeilen.push_back(paar("load the largest event into a headless capture form", "laden_karmo", "laden_boden",
                          "reading the same bytes into memory", 8, "loader or capture form not in the tree yet"));

    // Whole processes: our CLI against xmllint's streaming parser.
    {
        Zeile z{"the same, as a whole process (`karmo_befehl --laden FILE`)", "", "", -1, 0.25, ""};
#if KARMO_BENCH_DATEI && KARMO_BENCH_MASKE
        const auto [k, x] = prozesse_vergleichen({befehl, "--laden", gross.string()}, {"xmllint", "--stream", "--noout", gross.string()}, 15);
        z.karmo = ms(k);
        z.boden = ms(x) + " `xmllint --stream --noout`";
        z.verhaeltnis = k / x;
#else
        z.boden = "`xmllint --stream --noout`";
        z.bemerkung = "loader or capture form not in the tree yet";
#endif
        zeilen.push_back(z);
    }

    zeilen.push_back(paar("save the largest event", "speichern_karmo", "speichern_boden", "writing the same bytes to a file", 3,
                          "save procedure not in the tree yet"));
    zeilen.push_back(paar("build the file list of the 10,100-file folder", "dateiliste_karmo", "dateiliste_boden",
                          "opening every file, reading its first 4 KiB", 1.5, "file list not in the tree yet"));
    if (const auto d = sammler.median("laden_direkt"))
        details << "Diagnosis, load: the same over a lean platform (bench/direkt_plattform.hpp) instead of the test double: " << ms(*d)
                << ".\n";
    if (const auto d = sammler.median("dateiliste_direkt"))
        details << "Diagnosis, file list: the same over a lean platform instead of the test double: " << ms(*d) << ".\n";
    if (const auto ganz = sammler.median("dateiliste_ganz"))
        details << "Diagnosis, file list: opening every file and reading it to its end in 64 KiB blocks: " << ms(*ganz) << ".\n";
    {
        Zeile z{"the same, as a whole process (`karmo_befehl --liste ROOT`)", "", "", -1, 1.3, ""};
        std::vector<std::string> kopf{"head", "-n", "16", "-q"};
        kopf.insert(kopf.end(), ordnerdateien.begin(), ordnerdateien.end());
#if KARMO_BENCH_DATEI
        const auto [k, h] = prozesse_vergleichen({befehl, "--liste", orte.ordner_wurzel().string()}, kopf, 11);
        z.karmo = ms(k);
        z.boden = ms(h) + " `head -n 16 -q` over the same files";
        z.verhaeltnis = k / h;
#else
        z.boden = "`head -n 16 -q` over the same files";
        z.bemerkung = "file list not in the tree yet";
#endif
        zeilen.push_back(z);
    }
    zeilen.push_back(paar("handle one scan with 32,767 lines in the list", "scan_32767", "scan_10", "the same with 10 lines", 2,
                          "capture form not in the tree yet"));
    for (const auto& z : bench::sicherung_zeilen())
        zeilen.push_back(paar(z.vergleich, z.karmo, z.boden, z.boden_text, z.ziel, "journal not in the tree yet"));
    zeilen.push_back(paar("a scan typed into Punkte, through the scan detector, with 32,767 lines", "scan_erkannt_32767",
                          "scan_erkannt_10", "the same with 10 lines", 2, "capture form not in the tree yet"));
    {
        // Per key: the figures are for k_tasten keys.
        Zeile z = paar("a person's key into Inhalt through the scan detector", "tasten_erkannt", "tasten_direkt",
                       "the same key typed straight in", 1.5, "capture form not in the tree yet");
        const auto k = sammler.median("tasten_erkannt");
        const auto b = sammler.median("tasten_direkt");
        const auto ns = [](double sekunden) {
            char puffer[32];
            std::snprintf(puffer, sizeof puffer, "%.0f ns", sekunden * 1e9 / static_cast<double>(k_tasten));
            return std::string(puffer);
        };
        if (k && b) {
            z.karmo = ns(*k);
            z.boden = ns(*b) + " the same key typed straight in";
        }
        zeilen.push_back(z);
    }
    zeilen.push_back(speicher);

    // Under Wine: the renderer's list box against a bare one (measured by
    // karmo_bench_win32.exe, whose result file bench/run hands over).
    {
        Zeile z{"under Wine: fill the capture form's list box with 32,767 loaded lines", "", "LB_ADDSTRING loop on a bare list box", -1,
                1.5, "not measured"};
        if (wine_ergebnis) {
            std::ifstream ein(*wine_ergebnis);
            std::string wort;
            double k = -1, b = -1;
            std::string rest;
            ein >> wort;
            if (wort == "ergebnis" && (ein >> k >> b)) {
                z.karmo = ms(k);
                z.boden = ms(b) + " LB_ADDSTRING loop on a bare list box";
                z.verhaeltnis = k / b;
                z.bemerkung.clear();
                std::getline(ein, rest);
                std::getline(ein, rest);
                if (!rest.empty()) details << "Wine: " << rest << "\n";
            } else {
                if (wort == "nur_boden" && (ein >> b)) z.boden = ms(b) + " LB_ADDSTRING loop on a bare list box";
                std::getline(ein, rest);
                std::getline(ein, rest);
                z.bemerkung = rest.empty() ? "Wine run failed" : rest;
            }
        }
        zeilen.push_back(z);
    }

    std::cout << "\n";
    tabelle_drucken(zeilen);
    std::cout << "\n" << details.str();
    return 0;
}

// Only the in-process benchmarks, as Google Benchmark prints them (for
// profiling one of them with --benchmark_filter).
int nur_messen(const Orte& orte, int argc, char** argv) {
    benchmarks_registrieren(orte);
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
        befehl = (fs::canonical("/proc/self/exe").parent_path() / "karmo_befehl").string();
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
        if (modus == "--tabelle") return tabelle(Orte{ziel}, wine, argc, argv);
        if (modus == "--messen") return nur_messen(Orte{ziel}, argc, argv);
        std::cerr << "Aufruf: karmo_bench --erzeugen DIR | --tabelle DIR [--wine F] | --messen DIR\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "karmo_bench: " << e.what() << "\n";
        return 1;
    }
}
