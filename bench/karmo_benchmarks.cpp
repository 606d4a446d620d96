// The in-process benchmarks of loading, saving, listing and scanning, each beside its floor or peer.
#include "karmo_benchmarks.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "druck_bench.hpp"
#include "eingabe/scanpuffer.hpp"
#include "messwerkzeug.hpp"
#include "platform/fake/fake_plattform.hpp"
#include "sicherung_bench.hpp"
#include "state/programm.hpp"
#include "testdaten.hpp"
#include "ui/fake/fake_fenster.hpp"
#include "umgebung.hpp"

namespace bench {

namespace ui = karmo::ui;

namespace {

std::string ordner_efn(std::uint64_t i) { return efn(7, i); }

#if KARMO_BENCH_MASKE
// Times `scannen` (one scan, true when it appended its line to the list of
// `zeilen` lines). The line is taken out again as the user would (select
// it, "EFN löschen"), outside the timed part; removing it behind the form's
// back would make it rebuild its index each time.
template <class Scannen>
void scans_messen(benchmark::State& s, Umgebung& u, ui::FakeFenster& f, int zeilen, Scannen scannen) {
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
}
#endif

#if KARMO_BENCH_DATEI && KARMO_BENCH_MASKE && KARMO_BENCH_HINZULADEN
const char* const k_haelfte_windows = "c:\\zelva\\Daten\\haelfte.XML";
const char* const k_hinzuladen_erwartet =
    "Hinzugeladen aus 1 Datei(en): 16383 neue Teilnehmer.\r\n16384 waren schon in der Liste.";

// The list as a door has it before the largest event is taken in: every
// other participant of it, taken in from the half file (its index current,
// its journal begun). False when it did not come out so.
bool halb_fuellen(Umgebung& u, ui::FakeFenster& f, karmo::Sicherung& sicherung) {
    f.liste_leeren(ui::Ctl::Teilnehmerliste);
    sicherung.gespeichert(f);
    u.plattform.zu_oeffnen.push_back({k_haelfte_windows});
    f.klicken(ui::Ctl::Liste_hinzuladen);
    u.plattform.meldungen.clear();
    return f.zeilenzahl(ui::Ctl::Teilnehmerliste) == 16384;
}
#endif

// What a person types into Inhalt: k_tasten keys of text with digits.
const std::string& getippt() {
    static const std::string t = [] {
        std::string x;
        while (x.size() < k_tasten) x += "Vortrag 2026 am 21.12. um 13:22 mit 180 Minuten ";
        x.resize(k_tasten);
        return x;
    }();
    return t;
}

karmo::eingabe::Taste tastenart(char c) {
    return c >= '0' && c <= '9' ? karmo::eingabe::Taste::Ziffer : karmo::eingabe::Taste::Andere;
}

} // namespace

#if KARMO_BENCH_DATEI && KARMO_BENCH_MASKE && KARMO_BENCH_HINZULADEN
std::optional<Im_Wechsel> hinzuladen_im_wechsel(const Orte& orte, int runden) {
    const std::string gross_windows = "c:\\zelva\\Daten\\" + orte.gross_datei().filename().string();
    Umgebung u(orte.gross_wurzel());
    laden(u, gross_windows);
    ui::FakeFenster& f = u.fenster(ui::FormId::MA2_Maske);
    auto sicherung = std::make_shared<karmo::Sicherung>(u.programm);
    // The load as the floor: no journal attached.
    const auto boden = [&]() -> std::optional<double> {
        u.programm.setze_sicherung(nullptr);
        const double t0 = cpu_sekunden();
        laden(u, gross_windows);
        return cpu_sekunden() - t0;
    };
    const auto karmo = [&]() -> std::optional<double> {
        u.programm.setze_sicherung(sicherung);
        if (!halb_fuellen(u, f, *sicherung)) return std::nullopt;
        u.plattform.zu_oeffnen.push_back({gross_windows});
        const double t0 = cpu_sekunden();
        f.klicken(ui::Ctl::Liste_hinzuladen);
        const double t = cpu_sekunden() - t0;
        if (f.zeilenzahl(ui::Ctl::Teilnehmerliste) != 32767 || u.plattform.meldungen != std::vector<std::string>{k_hinzuladen_erwartet})
            return std::nullopt;
        u.plattform.meldungen.clear();
        return t;
    };
    return im_wechsel(runden, karmo, boden);
}
#else
std::optional<Im_Wechsel> hinzuladen_im_wechsel(const Orte&, int) { return std::nullopt; }
#endif

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

#if KARMO_BENCH_DATEI && KARMO_BENCH_MASKE && KARMO_BENCH_HINZULADEN
    // "Liste hinzuladen" with the largest event into a list that holds every
    // other participant of it (16,384): the other 16,383 are new, and the list
    // ends full at 32,767. The row is measured in turns with the load
    // (hinzuladen_im_wechsel), the list filled before each turn by taking in
    // a file of just those 16,384, the way a door's list grows through the
    // group (its index current, its journal begun). As a diagnosis here, the
    // list is filled from outside instead, as a load fills it, and the merge
    // first builds the index anew. Timed: the button after the Open dialog,
    // that is reading the file, the merge, the journal's one write and the
    // summary.
    const fs::path haelfte = orte.gross_wurzel() / "zelva" / "Daten" / "haelfte.XML";
    {
        bench::Veranstaltung v = bench::groesste_veranstaltung();
        std::vector<bench::Teilnehmer> jeder_zweite;
        for (std::size_t i = 0; i < v.teilnehmer.size(); i += 2) jeder_zweite.push_back(v.teilnehmer[i]);
        v.teilnehmer = std::move(jeder_zweite);
        datei_schreiben_roh(haelfte, bench::dateitext(v));
    }
    registrieren("hinzuladen_neu_verzeichnet", [orte, gross_windows](benchmark::State& s) {
        Umgebung u(orte.gross_wurzel());
        laden(u, gross_windows);
        ui::FakeFenster& f = u.fenster(ui::FormId::MA2_Maske);
        std::vector<std::string> haelfte_zeilen;
        for (int i = 0; i < f.zeilenzahl(ui::Ctl::Teilnehmerliste); i += 2)
            haelfte_zeilen.push_back(f.zeile(ui::Ctl::Teilnehmerliste, i));
        auto sicherung = std::make_shared<karmo::Sicherung>(u.programm);
        u.programm.setze_sicherung(sicherung);
        for (auto _ : s) {
            f.liste_leeren(ui::Ctl::Teilnehmerliste);
            sicherung->gespeichert(f);
            for (const std::string& z : haelfte_zeilen) f.zeile_anfuegen(ui::Ctl::Teilnehmerliste, z);
            if (f.zeilenzahl(ui::Ctl::Teilnehmerliste) != 16384) {
                s.SkipWithError("Liste nicht halb gefüllt");
                break;
            }
            u.plattform.meldungen.clear();
            u.plattform.zu_oeffnen.push_back({gross_windows});
            const double t0 = cpu_sekunden();
            f.klicken(ui::Ctl::Liste_hinzuladen);
            s.SetIterationTime(cpu_sekunden() - t0);
            if (f.zeilenzahl(ui::Ctl::Teilnehmerliste) != 32767 ||
                u.plattform.meldungen != std::vector<std::string>{k_hinzuladen_erwartet}) {
                s.SkipWithError(u.plattform.meldungen.empty() ? "nichts gemeldet" : u.plattform.meldungen.back().c_str());
                break;
            }
        }
    }, true);
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
            std::size_t k = 0;
            scans_messen(s, u, f, zeilen, [&] {
                f.tippen(ui::Ctl::EFN, scans[k++ % scans.size()]);
                return f.zeilenzahl(ui::Ctl::Teilnehmerliste) == zeilen + 1;
            });
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
            scans_messen(s, u, f, zeilen, [&] {
                for (char c : scans[k++ % scans.size()]) {
                    zeit += 5;
                    puffer.taste(c == '\r' ? karmo::eingabe::Taste::Ende : karmo::eingabe::Taste::Ziffer, c, zeit, c,
                                 [&](char t) { f.tippen(ui::Ctl::Punkte, std::string(1, t)); },
                                 [&](std::string_view z) { logik.scan(ui::Ctl::Punkte, z); });
                }
                zeit += 1000;
                return f.zeilenzahl(ui::Ctl::Teilnehmerliste) == zeilen + 1;
            });
        }, true);
    }

    // What the detector adds per key: a person's typing (120 ms a key, the
    // clock ticking between keys as the loop's timer does) into Inhalt,
    // through the key buffer, beside the same keys typed straight into it.
    {
        const auto art = tastenart;
        registrieren("tasten_erkannt", [orte, art](benchmark::State& s) {
            Umgebung u(orte.gross_wurzel());
            ui::FakeFenster& f = u.fenster(ui::FormId::MA2_Maske);
            karmo::eingabe::Scanpuffer<char> puffer;
            std::uint32_t zeit = 0;
            const auto weiter = [&](char t) { f.tippen(ui::Ctl::Inhalt, std::string_view(&t, 1)); };
            for (auto _ : s) {
                f.setze_text(ui::Ctl::Inhalt, "");
                for (char c : getippt()) {
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
                for (char c : getippt()) f.tippen(ui::Ctl::Inhalt, std::string_view(&c, 1));
            }
            if (f.text(ui::Ctl::Inhalt).size() != 250) s.SkipWithError("Inhalt unvollständig");
        });
    }
#endif

    bench::sicherung_registrieren([](const char* name, std::function<void(benchmark::State&)> f,
                                     bool manuell) { registrieren(name, std::move(f), manuell); },
                                  orte.daten, orte.gross_wurzel(), gross_windows);
    bench::druck_registrieren([](const char* name, std::function<void(benchmark::State&)> f,
                                 bool manuell) { registrieren(name, std::move(f), manuell); },
                              orte.gross_wurzel(), gross_windows);
}

std::optional<Im_Wechsel> tasten_im_wechsel(const Orte& orte, int runden) {
#if KARMO_BENCH_MASKE
    constexpr int k_mal = 40;
    Umgebung u(orte.gross_wurzel());
    ui::FakeFenster& f = u.fenster(ui::FormId::MA2_Maske);
    karmo::eingabe::Scanpuffer<char> puffer;
    std::uint32_t zeit = 0;
    const auto weiter = [&](char t) { f.tippen(ui::Ctl::Inhalt, std::string_view(&t, 1)); };
    const auto erkannt = [&]() -> std::optional<double> {
        const double t0 = cpu_sekunden();
        for (int m = 0; m < k_mal; ++m) {
            f.setze_text(ui::Ctl::Inhalt, "");
            for (char c : getippt()) {
                zeit += 60;
                puffer.uhr(zeit, weiter);
                zeit += 60;
                puffer.taste(tastenart(c), c, zeit, c, weiter, [](std::string_view) {});
            }
            puffer.freigeben(weiter);
        }
        const double t = (cpu_sekunden() - t0) / (k_mal * static_cast<double>(k_tasten));
        if (f.text(ui::Ctl::Inhalt).size() != k_tasten) return std::nullopt;
        return t;
    };
    const auto direkt = [&]() -> std::optional<double> {
        const double t0 = cpu_sekunden();
        for (int m = 0; m < k_mal; ++m) {
            f.setze_text(ui::Ctl::Inhalt, "");
            for (char c : getippt()) f.tippen(ui::Ctl::Inhalt, std::string_view(&c, 1));
        }
        const double t = (cpu_sekunden() - t0) / (k_mal * static_cast<double>(k_tasten));
        if (f.text(ui::Ctl::Inhalt).size() != k_tasten) return std::nullopt;
        return t;
    };
    return im_wechsel(runden, erkannt, direkt);
#else
    (void)orte;
    (void)runden;
    return std::nullopt;
#endif
}

} // namespace bench
