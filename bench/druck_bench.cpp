// The attendance list of the largest event: read from the capture form, laid out, every page drawn.
#include "druck_bench.hpp"

#include <ctime>

#include "dialogs/ausdruck.hpp"
#include "druck/anmeldeliste.hpp"
#include "druck/anwesenheitsliste.hpp"
#include "druck/ausgabe.hpp"
#include "messwerkzeug.hpp"
#include "testdaten.hpp"
#include "umgebung.hpp"

namespace bench {
namespace {

// A 600 dpi printer that keeps nothing: it counts what it is given, and
// measures text as six tenths of its height a character.
class Zaehldrucker final : public karmo::Druckauftrag {
public:
    long long aufrufe = 0;
    int dpi_x() const override { return 600; }
    int dpi_y() const override { return 600; }
    int textbreite(std::string_view text, karmo::Druckschrift s) override {
        int n = 0;
        for (char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
        return n * s.hoehe * 6 / 10;
    }
    karmo::Ergebnis beginnen(std::string_view) override { return {}; }
    karmo::Ergebnis seite_beginnen() override { return {}; }
    void text(int, int, std::string_view t, karmo::Druckschrift) override { aufrufe += static_cast<long long>(t.size()); }
    void balken(int, int, int, int) override { ++aufrufe; }
    karmo::Ergebnis seite_beenden() override { return {}; }
    karmo::Ergebnis beenden() override { return {}; }
    void abbrechen() override {}
    bool fortschritt(int, int) override { return true; }
    void fortschritt_schliessen() override {}
};

// The door list of the largest event's 32,767 numbers, each with a display
// name as a registration list makes them (11 to 35 characters), every other
// one captured.
void tuerliste_fuellen(karmo::druck::Druckdaten& d) {
    const char* const nachnamen[] = {"Müller", "Schmidt", "Schneider", "Fischer", "Weber", "Meyer", "Wagner",
                                     "Becker", "Schäfer", "Hoffmann", "Zimmermann-Hartung"};
    const char* const titel[] = {"", "", "Dr. ", "", "Prof. Dr. "};
    const char* const vornamen[] = {"Anna", "Jürgen", "Katharina", "Thomas", "Ulrike", "Hans-Peter", "Sabine"};
    d.anmeldungen.clear();
    for (std::size_t i = 0; i < d.teilnehmer.size(); ++i) {
        const std::string name = std::string(nachnamen[i % 11]) + ", " + titel[i % 5] + vornamen[i % 7];
        d.anmeldungen.push_back({name, d.teilnehmer[i].efn, true, i % 2 == 0});
    }
    d.angemeldet = static_cast<int>(d.anmeldungen.size());
    d.erfasst = (d.angemeldet + 1) / 2;
}

} // namespace

void druck_registrieren(const Registrieren& registrieren, const fs::path& gross_wurzel, const std::string& gross_windows) {
#if KARMO_BENCH_DATEI && KARMO_BENCH_MASKE
    // A diagnosis beside the layout (druck_im_wechsel): every page also
    // turned into the printer's pixels and handed to it (that part goes at
    // the printer driver's pace).
    registrieren("druck_zeichnen", [gross_wurzel, gross_windows](benchmark::State& s) {
        Umgebung u(gross_wurzel);
        laden(u, gross_windows);
        const ui::Fenster& f = u.fenster(ui::FormId::MA2_Maske);
        Zaehldrucker drucker;
        const karmo::druck::Druckermass mass(drucker);
        int seiten = 0;
        std::size_t teile = 0;
        const karmo::druck::Druckdaten d = karmo::Druckdaten_lesen(u.programm.zustand(), f);
        for (auto _ : s) {
            const karmo::druck::Anwesenheitsliste liste(d, mass, karmo::druck::Strichmass::fuer(drucker.dpi_x()));
            seiten = liste.seitenzahl();
            for (int k = 1; k <= seiten; ++k) {
                const karmo::druck::Seite seite = liste.seite(k);
                teile += seite.codes.size();
                karmo::druck::zeichnen(seite, drucker);
            }
        }
        benchmark::DoNotOptimize(teile);
        benchmark::DoNotOptimize(drucker.aufrufe);
        s.counters["Seiten"] = seiten;
        if (seiten < 1500) s.SkipWithError(("nur " + std::to_string(seiten) + " Seiten").c_str());
    }, false);
    // The door list of 32,767 registrations (the largest event's numbers,
    // each with a display name, every other one captured),
    // every page laid out as above.
    registrieren("druck_anmeldeliste", [gross_wurzel, gross_windows](benchmark::State& s) {
        Umgebung u(gross_wurzel);
        laden(u, gross_windows);
        Zaehldrucker drucker;
        const karmo::druck::Druckermass mass(drucker);
        karmo::druck::Druckdaten d = karmo::Druckdaten_lesen(u.programm.zustand(), u.fenster(ui::FormId::MA2_Maske));
        tuerliste_fuellen(d);
        int seiten = 0;
        std::size_t teile = 0;
        for (auto _ : s) {
            const karmo::druck::Anmeldeliste liste(d, mass, karmo::druck::Strichmass::fuer(drucker.dpi_x()));
            seiten = liste.seitenzahl();
            for (int k = 1; k <= seiten; ++k) teile += liste.seite(k).texte.size();
        }
        benchmark::DoNotOptimize(teile);
        s.counters["Seiten"] = seiten;
        if (d.anmeldungen.size() != 32767) s.SkipWithError(("nur " + std::to_string(d.anmeldungen.size()) + " Anmeldungen").c_str());
    }, false);
    // Diagnosis: reading the event out of the form (Druckdaten_lesen) alone.
    registrieren("druck_lesen", [gross_wurzel, gross_windows](benchmark::State& s) {
        Umgebung u(gross_wurzel);
        laden(u, gross_windows);
        const ui::Fenster& f = u.fenster(ui::FormId::MA2_Maske);
        std::size_t n = 0;
        for (auto _ : s) n = karmo::Druckdaten_lesen(u.programm.zustand(), f).teilnehmer.size();
        if (n != 32767) s.SkipWithError(("nur " + std::to_string(n) + " Teilnehmer gelesen").c_str());
    }, false);
#else
    (void)registrieren;
    (void)gross_wurzel;
    (void)gross_windows;
#endif
}

std::optional<Im_Wechsel> druck_im_wechsel(const fs::path& gross_wurzel, const std::string& gross_windows, bool tuerliste,
                                           int runden) {
#if KARMO_BENCH_DATEI && KARMO_BENCH_MASKE
    Umgebung u(gross_wurzel);
    laden(u, gross_windows);
    Zaehldrucker drucker;
    const karmo::druck::Druckermass mass(drucker);
    karmo::druck::Druckdaten d = karmo::Druckdaten_lesen(u.programm.zustand(), u.fenster(ui::FormId::MA2_Maske));
    if (tuerliste) tuerliste_fuellen(d);
    // The floor loads into a form of its own, so that the event read for printing stays as it is.
    Umgebung boden_u(gross_wurzel);
    std::size_t teile = 0;
    const auto karmo = [&]() -> std::optional<double> {
        const auto sm = karmo::druck::Strichmass::fuer(drucker.dpi_x());
        const double t0 = cpu_sekunden();
        int seiten = 0;
        if (tuerliste) {
            const karmo::druck::Anmeldeliste liste(d, mass, sm);
            seiten = liste.seitenzahl();
            for (int k = 1; k <= seiten; ++k) teile += liste.seite(k).texte.size();
        } else {
            const karmo::druck::Anwesenheitsliste liste(d, mass, sm);
            seiten = liste.seitenzahl();
            for (int k = 1; k <= seiten; ++k) teile += liste.seite(k).codes.size();
        }
        const double t = cpu_sekunden() - t0;
        if (seiten < 1500) return std::nullopt;
        return t;
    };
    const auto boden = [&]() -> std::optional<double> {
        const double t0 = cpu_sekunden();
        laden(boden_u, gross_windows);
        const double t = cpu_sekunden() - t0;
        if (boden_u.fenster(ui::FormId::MA2_Maske).zeilenzahl(ui::Ctl::Teilnehmerliste) != 32767) return std::nullopt;
        return t;
    };
    const auto w = im_wechsel(runden, karmo, boden);
    benchmark::DoNotOptimize(teile);
    return w;
#else
    (void)gross_wurzel;
    (void)gross_windows;
    (void)runden;
    return std::nullopt;
#endif
}

} // namespace bench
