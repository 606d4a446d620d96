// The recovery journal and the durable save, measured over a platform that flushes as the Windows one does.
#include "sicherung_bench.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <ctime>
#include <memory>

#include "testdaten.hpp"
#include "umgebung.hpp"

#include "sicherung/format.hpp"
#include "sicherung/sicherung.hpp"

namespace bench {
namespace {

// Earlier benchmarks leave megabytes written but not on the disk; the first
// flush here would pay for writing them out (ext4 commits them with it).
void alles_auf_die_platte() { ::sync(); }

double cpu_sekunden() {
    timespec ts {};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

std::string lesen(const fs::path& p) {
    std::ifstream ein(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(ein), std::istreambuf_iterator<char>()};
}

// The program over the lean platform, with its journal.
struct MitSicherung : DirektUmgebung {
    explicit MitSicherung(const fs::path& wurzel) : DirektUmgebung(wurzel) {
        programm.setze_sicherung(std::make_shared<karmo::Sicherung>(programm));
    }
    karmo::Sicherung& sicherung() { return *programm.sicherung(); }
};

// A type-2 form with `zeilen` lines and a journal begun (its snapshot written).
ui::FakeFenster& vorbereiten(MitSicherung& u, int zeilen) {
    ui::FakeFenster& f = u.fenster(ui::FormId::MA2_Maske);
    f.liste_leeren(ui::Ctl::Teilnehmerliste);
    for (int i = 0; i < zeilen; ++i) f.zeile_anfuegen(ui::Ctl::Teilnehmerliste, efn(3, static_cast<std::uint64_t>(i)) + " (8/0)");
    f.setze_text(ui::Ctl::Punkte, "");
    f.setze_text(ui::Ctl::Punkte, "8"); // the first change: the snapshot
    if (!u.sicherung().offen()) abbruch("Sicherung nicht begonnen");
    return f;
}

} // namespace

void sicherung_registrieren(const Registrieren& registrieren, const fs::path& daten, const fs::path& gross_wurzel,
                            const std::string& gross_windows) {
    const fs::path wurzel = daten / "sicherung";
    fs::create_directories(wurzel / "zelva");

    // One scan with its journal entry (append and flush) at both list lengths.
#if KARMO_BENCH_MASKE
    for (const int zeilen : {32766, 9}) {
        const std::string name = "sicherung_scan_" + std::to_string(zeilen + 1);
        registrieren(name.c_str(), [wurzel, zeilen](benchmark::State& s) {
            MitSicherung u(wurzel);
            ui::FakeFenster& f = vorbereiten(u, zeilen);
            std::vector<std::string> scans;
            for (std::uint64_t i = 0; i < 4096; ++i) scans.push_back(efn(7, i) + "\r");
            std::size_t k = 0;
            alles_auf_die_platte();
            for (auto _ : s) {
                const double t0 = cpu_sekunden();
                f.tippen(ui::Ctl::EFN, scans[k++ % scans.size()]);
                s.SetIterationTime(cpu_sekunden() - t0);
                if (f.zeilenzahl(ui::Ctl::Teilnehmerliste) != zeilen + 1 || !u.sicherung().gesund()) {
                    s.SkipWithError("Scan nicht angefügt oder nicht gesichert");
                    break;
                }
                // Taken out again as the user would, outside the timed part.
                f.zeile_klicken(ui::Ctl::Teilnehmerliste, zeilen);
                f.klicken(ui::Ctl::Loeschen);
            }
        }, true);
    }

    // The journal's own cost of one scan, beside appending and flushing the
    // same bytes to a file of the same folder.
    registrieren("sicherung_eintrag", [wurzel](benchmark::State& s) {
        MitSicherung u(wurzel);
        ui::FakeFenster& f = vorbereiten(u, 9);
        const std::string zeile = efn(7, 1) + " (8/0)";
        alles_auf_die_platte();
        for (auto _ : s) u.sicherung().zeile_angefuegt(f, zeile);
        if (!u.sicherung().gesund()) s.SkipWithError("Sicherung nicht geschrieben");
    }, false);
    registrieren("sicherung_eintrag_boden", [wurzel](benchmark::State& s) {
        std::string eintrag;
        karmo::sicherung::eintrag(eintrag, {karmo::sicherung::k_anfuegen, efn(7, 1) + " (8/0)"});
        const fs::path ziel = wurzel / "zelva" / "boden.jnl";
        alles_auf_die_platte();
        for (auto _ : s) {
            const int fd = ::open(ziel.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
            if (fd < 0 || ::write(fd, eintrag.data(), eintrag.size()) != static_cast<ssize_t>(eintrag.size()) || ::fsync(fd) != 0) {
                s.SkipWithError("Schreibfehler");
            }
            ::close(fd);
        }
    }, false);
#endif

    // Restoring: a journal of the largest event (its snapshot, as the first
    // change after loading writes it) read back into the capture form.
#if KARMO_BENCH_DATEI && KARMO_BENCH_MASKE
    registrieren("sicherung_wiederherstellen", [gross_wurzel, gross_windows](benchmark::State& s) {
        MitSicherung u(gross_wurzel);
        u.sicherung().neu_beginnen([&] { laden(u, gross_windows); });
        ui::FakeFenster& f = u.fenster(ui::FormId::MA2_Maske);
        u.sicherung().zeile_ersetzt(f, 0, f.zeile(ui::Ctl::Teilnehmerliste, 0));
        if (!u.sicherung().offen()) {
            s.SkipWithError("keine Sicherung geschrieben");
            return;
        }
        MitSicherung neu(gross_wurzel);
        alles_auf_die_platte();
        for (auto _ : s) {
            if (!neu.sicherung().anbieten()) {
                s.SkipWithError("nicht wiederhergestellt");
                break;
            }
        }
        if (neu.fenster(ui::FormId::MA2_Maske).zeilenzahl(ui::Ctl::Teilnehmerliste) != 32767) s.SkipWithError("Zeilen fehlen");
        if (!neu.plattform.meldungen.empty()) s.SkipWithError("Meldung beim Wiederherstellen");
    }, false);

#endif
}

// Each side begins on a clean disk (alles_auf_die_platte, untimed): the
// machine is shared, and what other programs left unwritten would land on
// either side's fsync.
std::optional<Im_Wechsel> dauerhaft_im_wechsel(const fs::path& gross_wurzel, const std::string& gross_windows, int runden) {
#if KARMO_BENCH_DATEI && KARMO_BENCH_MASKE
    MitSicherung u(gross_wurzel);
    laden(u, gross_windows);
    fs::create_directories(gross_wurzel / "ausgabe");
    const std::string ziel = "c:\\ausgabe\\dauerhaft.XML";
    const std::string bytes = lesen(u.plattform.echt(gross_windows));
    const fs::path zwischen = gross_wurzel / "ausgabe" / "boden.XML.tmp";
    const fs::path boden_ziel = gross_wurzel / "ausgabe" / "boden.XML";
    const auto karmo = [&]() -> std::optional<double> {
        alles_auf_die_platte();
        const double t0 = cpu_sekunden();
        const bool ok = karmo::Veranstaltung_speichern(u.programm, ziel, "Speichern2") == karmo::Speicherergebnis::Geschrieben;
        const double t = cpu_sekunden() - t0;
        u.plattform.meldungen.clear();
        if (!ok) return std::nullopt;
        return t;
    };
    const auto boden = [&]() -> std::optional<double> {
        alles_auf_die_platte();
        const double t0 = cpu_sekunden();
        const bool ok = DirektPlattform::dauerhaft(::open(zwischen.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), bytes).ok() &&
                        ::rename(zwischen.c_str(), boden_ziel.c_str()) == 0;
        const double t = cpu_sekunden() - t0;
        if (!ok) return std::nullopt;
        return t;
    };
    const auto w = im_wechsel(runden, karmo, boden);
    // The saved file must be the generator's bytes: otherwise the two sides did not do the same work.
    if (!w || lesen(u.plattform.echt(ziel)) != bytes) return std::nullopt;
    return w;
#else
    (void)gross_wurzel;
    (void)gross_windows;
    (void)runden;
    return std::nullopt;
#endif
}

std::vector<Sicherungszeile> sicherung_zeilen() {
    return {
        {"one scan including its journal entry, 32,767 lines in the list", "sicherung_scan_32767", "sicherung_scan_10",
         "the same with 10 lines", 2},
        {"the journal's cost of one scan (its entry appended and flushed)", "sicherung_eintrag", "sicherung_eintrag_boden",
         "a bare append and fsync of the same bytes", 2},
        {"restore a 32,767-line journal into the capture form", "sicherung_wiederherstellen", "laden_direkt",
         "loading the same event from its file", 2},
    };
}

} // namespace bench
