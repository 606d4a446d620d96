// The table: each comparison measured, its ratio against the target, and the details beneath.
#include "tabelle.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "druck_bench.hpp"
#include "anmeldung_bench.hpp"
#include "karmo_benchmarks.hpp"
#include "prozesse.hpp"
#include "sicherung_bench.hpp"
#include "umgebung.hpp"

namespace bench {

namespace {

// Rounds of the rows measured in turns (in process).
constexpr int k_runden = 41;

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

// A row measured in turns (im_wechsel): the medians of each side, and the
// median of the rounds' own ratios as the row's ratio.
Zeile wechselzeile(const std::string& vergleich, const std::optional<Im_Wechsel>& w, const std::string& boden_text, double ziel,
                   const std::string& fehlt) {
    Zeile z{vergleich, "", boden_text, -1, ziel, ""};
    if (!w) {
        z.bemerkung = fehlt;
        return z;
    }
    z.karmo = ms(w->karmo);
    z.boden = ms(w->boden) + " " + boden_text;
    z.verhaeltnis = w->verhaeltnis;
    z.bemerkung = "in turns, median of " + std::to_string(w->runden) + " rounds' ratios";
    return z;
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

} // namespace

int tabelle(const Orte& orte, const std::string& befehl, const std::optional<fs::path>& wine_ergebnis, int argc, char** argv) {
    const fs::path gross = orte.gross_datei();
    const std::string gross_windows = "c:\\zelva\\Daten\\" + gross.filename().string();
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

    // A row of two whole processes, each started `laeufe` times: our CLI
    // against a tool that does the same work with nothing of ours.
    const auto prozesszeile = [&](const std::string& vergleich, double ziel, bool da, const std::vector<std::string>& karmo,
                                  const std::vector<std::string>& boden, const std::string& boden_text, int laeufe,
                                  const std::string& fehlt) {
        zeilen.push_back(wechselzeile(vergleich, da ? std::optional(prozesse_vergleichen(karmo, boden, laeufe)) : std::nullopt,
                                      boden_text, ziel, fehlt));
    };

    // Whole processes: our CLI against xmllint's streaming parser.
    prozesszeile("the same, as a whole process (`karmo_befehl --laden FILE`)", 0.25, KARMO_BENCH_DATEI && KARMO_BENCH_MASKE,
                 {befehl, "--laden", gross.string()}, {"xmllint", "--stream", "--noout", gross.string()},
                 "`xmllint --stream --noout`", 15, "loader or capture form not in the tree yet");

    zeilen.push_back(wechselzeile("take the largest event into a list of 16,384 of its lines (\"Liste hinzuladen\", 16,383 new, journaled)",
                                  hinzuladen_im_wechsel(orte, k_runden), "loading that file into the capture form", 2,
                                  "merge not in the tree yet"));
    zeilen.push_back(paar("save the largest event", "speichern_karmo", "speichern_boden", "writing the same bytes to a file", 3,
                          "save procedure not in the tree yet"));
    zeilen.push_back(paar("build the file list of the 10,100-file folder", "dateiliste_karmo", "dateiliste_boden",
                          "opening every file, reading its first 4 KiB", 1.5, "file list not in the tree yet"));
    if (const auto d = sammler.median("hinzuladen_neu_verzeichnet"))
        details << "Diagnosis, taking a list in: the same into a list filled from outside (as a load fills it), so that the "
                   "index is built anew and the journal begins with a snapshot of all 32,767 lines: "
                << ms(*d) << ".\n";
    if (const auto d = sammler.median("laden_direkt"))
        details << "Diagnosis, load: the same over a lean platform (bench/direkt_plattform.hpp) instead of the test double: " << ms(*d)
                << ".\n";
    if (const auto d = sammler.median("druck_lesen"))
        details << "Diagnosis, printing: reading the largest event out of the capture form for printing (Druckdaten_lesen): "
                << ms(*d) << ".\n";
    if (const auto d = sammler.median("druck_zeichnen"))
        details << "Diagnosis, printing: the same with every page also drawn in a 600 dpi printer's pixels (for a printer "
                   "that counts the calls): "
                << ms(*d) << ".\n";
    if (const auto d = sammler.median("dateiliste_direkt"))
        details << "Diagnosis, file list: the same over a lean platform instead of the test double: " << ms(*d) << ".\n";
    if (const auto ganz = sammler.median("dateiliste_ganz"))
        details << "Diagnosis, file list: opening every file and reading it to its end in 64 KiB blocks: " << ms(*ganz) << ".\n";
    {
        std::vector<std::string> kopf{"head", "-n", "16", "-q"};
        kopf.insert(kopf.end(), ordnerdateien.begin(), ordnerdateien.end());
        prozesszeile("the same, as a whole process (`karmo_befehl --liste ROOT`)", 1.3, KARMO_BENCH_DATEI,
                     {befehl, "--liste", orte.ordner_wurzel().string()}, kopf, "`head -n 16 -q` over the same files", 21,
                     "file list not in the tree yet");
    }
    zeilen.push_back(paar("handle one scan with 32,767 lines in the list", "scan_32767", "scan_10", "the same with 10 lines", 2,
                          "capture form not in the tree yet"));
    {
        // The search of the window "Anmeldeliste", in turns with the load.
        Zeile z{"one keystroke of the registration list's search over 32,767 registrations (search and the shown lines' texts)", "",
                "loading the largest event into the capture form", -1, 0.1, "registration list not in the tree yet"};
        if (const auto s = suche_abwechselnd(orte.gross_wurzel(), gross_windows, 31)) {
            z.karmo = ms(s->taste);
            z.boden = ms(s->laden) + " loading the largest event into the capture form";
            z.verhaeltnis = s->verhaeltnis;
            z.bemerkung = "in turns, " + std::to_string(s->runden) + " rounds, median of the rounds' ratios";
            details << "Diagnosis, registration list: the slowest keystroke (\"sc\" after \"w\": every text scanned, a third of the registrations match) " << ms(s->laengste_taste)
                    << "; reading the 32,767-row table and building the register " << ms(s->einlesen) << "; one look-up by EFN "
                    << ms(s->nachschlagen) << ".\n";
        }
        zeilen.push_back(z);
    }
    {
        // A scan as the door makes it: with its journal entry. Beside it, the scan alone as a diagnosis.
        zeilen.push_back(wechselzeile("handle one scan, with its journal entry, with a registration list of 32,767 (the name, the count of the registered)",
                                      scan_mit_anmeldeliste_im_wechsel(orte.gross_wurzel(), orte.daten, true, k_runden),
                                      "the same scan without a list", 1.1, "registration list not in the tree yet"));
        if (const auto w = scan_mit_anmeldeliste_im_wechsel(orte.gross_wurzel(), orte.daten, false, k_runden)) {
            details << "Diagnosis, a scan with a registration list without the journal: " << ms(w->karmo) << " against "
                    << ms(w->boden) << " without a list, " << w->verhaeltnis << "x (in turns).\n";
        }
    }
    for (const auto& z : bench::sicherung_zeilen())
        zeilen.push_back(paar(z.vergleich, z.karmo, z.boden, z.boden_text, z.ziel, "journal not in the tree yet"));
    zeilen.push_back(wechselzeile("save the largest event, durably", dauerhaft_im_wechsel(orte.gross_wurzel(), gross_windows, k_runden),
                                  "write, fsync and rename of the same bytes", 1.5, "journal not in the tree yet"));
    zeilen.push_back(wechselzeile("lay out the largest event's attendance list, every page",
                                  druck_im_wechsel(orte.gross_wurzel(), gross_windows, false, k_runden), "loading it into the capture form", 1,
                                  "printing not in the tree yet"));
    zeilen.push_back(wechselzeile("lay out the door list of 32,767 registrations, every page",
                                  druck_im_wechsel(orte.gross_wurzel(), gross_windows, true, k_runden),
                                  "loading the largest event into the capture form", 1, "door list not in the tree yet"));
    zeilen.push_back(paar("a scan typed into Punkte, through the scan detector, with 32,767 lines", "scan_erkannt_32767",
                          "scan_erkannt_10", "the same with 10 lines", 2, "capture form not in the tree yet"));
    zeilen.push_back(wechselzeile("a person's key into Inhalt through the scan detector", tasten_im_wechsel(orte, k_runden),
                                  "the same key typed straight in", 1.5, "capture form not in the tree yet"));
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

int nur_wechsel(const Orte& orte, const std::string& befehl) {
    const fs::path gross = orte.gross_datei();
    const std::string gross_windows = "c:\\zelva\\Daten\\" + gross.filename().string();
    std::vector<std::string> kopf{"head", "-n", "16", "-q"};
    for (const auto& n : ordnerinhalt(orte.ordner())) kopf.push_back((orte.ordner() / n).string());
    std::sort(kopf.begin() + 4, kopf.end());
    benchmarks_registrieren(orte); // writes the half list the merge starts from
    std::vector<Zeile> zeilen;
    zeilen.push_back(wechselzeile("handle one scan, with its journal entry, with a registration list of 32,767",
                                  scan_mit_anmeldeliste_im_wechsel(orte.gross_wurzel(), orte.daten, true, k_runden),
                                  "the same scan without a list", 1.1, "not measured"));
    zeilen.push_back(wechselzeile("a person's key into Inhalt through the scan detector", tasten_im_wechsel(orte, k_runden),
                                  "the same key typed straight in", 1.5, "not measured"));
    zeilen.push_back(wechselzeile("save the largest event, durably", dauerhaft_im_wechsel(orte.gross_wurzel(), gross_windows, k_runden),
                                  "write, fsync and rename of the same bytes", 1.5, "not measured"));
    zeilen.push_back(wechselzeile("lay out the largest event's attendance list, every page",
                                  druck_im_wechsel(orte.gross_wurzel(), gross_windows, false, k_runden), "loading it into the capture form", 1,
                                  "not measured"));
    zeilen.push_back(wechselzeile("lay out the door list of 32,767 registrations, every page",
                                  druck_im_wechsel(orte.gross_wurzel(), gross_windows, true, k_runden),
                                  "loading the largest event into the capture form", 1, "not measured"));
    zeilen.push_back(wechselzeile("take the largest event into a list of 16,384 of its lines", hinzuladen_im_wechsel(orte, k_runden),
                                  "loading that file into the capture form", 2, "not measured"));
    zeilen.push_back(wechselzeile("the file list, as a whole process", prozesse_vergleichen({befehl, "--liste", orte.ordner_wurzel().string()}, kopf, 21),
                                  "`head -n 16 -q` over the same files", 1.3, "not measured"));
    tabelle_drucken(zeilen);
    return 0;
}

} // namespace bench
