// The search of the window "Anmeldeliste" over 32,767 registrations, measured in turns with loading the largest event.
#include "anmeldung_bench.hpp"

#include <algorithm>
#include <array>
#include <iostream>
#include <memory>
#include <vector>

#include "anmeldung/liste.hpp"
#include "anmeldung/register.hpp"
#include "sicherung/sicherung.hpp"
#include "messwerkzeug.hpp"
#include "testdaten.hpp"
#include "umgebung.hpp"

namespace bench {
namespace {

constexpr std::array<const char*, 24> k_nachnamen{
    "Müller", "Schmidt", "Schneider", "Fischer", "Weiß", "Meyer", "Wagner", "Becker", "Schulz", "Hoffmann", "Schäfer", "Koch",
    "Bauer", "Richter", "Klein", "Wolf", "Schröder", "Neumann", "Schwarz", "Zimmermann", "Braun", "Krüger", "Hofmann", "Groß"};
constexpr std::array<const char*, 16> k_vornamen{"Jürgen", "Anna", "Sören", "Maria", "Thomas", "Käthe", "Stefan", "Ulrike",
                                                 "Michael", "Jörg", "Sabine", "Andreas", "Birgit", "Frank", "Gülay", "Heiko"};
// What is typed: each search letter by letter (the surname of a Weiß, a
// Müller spelt out, a compound name's second part; then a piece of an EFN).
constexpr std::array<const char*, 3> k_suchen{"weiss", "mueller", "schaefer-k"};

double median(std::vector<double> w) {
    std::sort(w.begin(), w.end());
    return w[w.size() / 2];
}

} // namespace

std::string anmeldetabelle() {
    std::string t = "Nachname;Vorname;Titel;EFN\r\n";
    for (std::uint64_t i = 0; i < karmo::anmeldung::k_hoechstzahl; ++i) {
        std::string nachname = k_nachnamen[i % k_nachnamen.size()];
        // Every third a compound surname.
        if (i / k_nachnamen.size() % 3 == 0) nachname += std::string("-") + k_nachnamen[(i * 7 + 3) % k_nachnamen.size()];
        t += nachname + ";" + k_vornamen[(i / 3) % k_vornamen.size()] + ";" + (i % 5 == 0 ? "Dr." : "") + ";" + efn(5, i) +
             "\r\n";
    }
    return cp1252(t);
}

std::optional<Suchrunden> suche_abwechselnd(const fs::path& gross_wurzel, const std::string& gross_windows, int runden) {
#if KARMO_BENCH_DATEI && KARMO_BENCH_MASKE
    namespace an = karmo::anmeldung;
    const std::string tabelle = anmeldetabelle();
    std::vector<double> einlesen;
    std::optional<an::Anmelderegister> r;
    for (int i = 0; i < 5; ++i) {
        const double t0 = cpu_sekunden();
        an::Leseergebnis e = an::Tabelle_lesen(tabelle);
        r.emplace(std::move(e.liste));
        einlesen.push_back(cpu_sekunden() - t0);
    }
    if (r->groesse() != an::k_hoechstzahl || r->gueltige() != an::k_hoechstzahl) return std::nullopt;
    // Every third is captured already: their lines say so.
    for (std::size_t i = 0; i < r->groesse(); i += 3) r->erfasst_dazu(r->eintrag(i).efn);

    std::vector<std::string> suchen(k_suchen.begin(), k_suchen.end());
    suchen.push_back(efn(5, 12345).substr(4, 7));
    std::vector<std::string> tasten;
    for (const std::string& s : suchen) {
        for (std::size_t n = 1; n <= s.size(); ++n) tasten.push_back(s.substr(0, n));
    }
    // One keystroke: the search and the texts of the lines it shows.
    std::size_t zeichen = 0;
    const auto taste = [&](const std::string& anfrage) {
        const an::Treffer t = r->suchen(anfrage, false);
        for (const std::uint32_t p : t.plaetze) zeichen += an::Zeilentext(r->eintrag(p), r->erfasst(p)).size();
        return t.gesamt;
    };
    // "muller" and "mueller" both find every Müller (the table spells none otherwise).
    const std::size_t mueller = taste("müller");
    if (taste("weiss") == 0 || mueller == 0 || taste("muller") != mueller || taste("mueller") != mueller ||
        taste(suchen.back()) == 0)
        return std::nullopt;

    Umgebung u(gross_wurzel);
    std::vector<double> l, k, v, lang;
    for (int runde = 0; runde < runden; ++runde) {
        double t0 = cpu_sekunden();
        laden(u, gross_windows);
        l.push_back(cpu_sekunden() - t0);
        if (u.fenster(ui::FormId::MA2_Maske).zeilenzahl(ui::Ctl::Teilnehmerliste) != 32767) return std::nullopt;
        t0 = cpu_sekunden();
        for (const std::string& q : tasten) taste(q);
        k.push_back((cpu_sekunden() - t0) / static_cast<double>(tasten.size()));
        // The slowest: two letters that a third of the names hold, after a
        // search they do not continue, so that every text is scanned.
        taste("w");
        t0 = cpu_sekunden();
        taste("sc");
        lang.push_back(cpu_sekunden() - t0);
        v.push_back(k.back() / l.back());
    }
    // One look-up by EFN, as every scan makes it.
    std::vector<std::string> gesucht;
    for (std::uint64_t i = 0; i < 4096; ++i) gesucht.push_back(efn(i % 2 == 0 ? 5 : 7, i * 7));
    std::size_t gefunden = 0;
    const double t0 = cpu_sekunden();
    constexpr int k_wiederholt = 100;
    for (int w = 0; w < k_wiederholt; ++w) {
        for (const std::string& e : gesucht) gefunden += r->finden(e) != nullptr;
    }
    const double nachschlagen = (cpu_sekunden() - t0) / (k_wiederholt * static_cast<double>(gesucht.size()));
    if (gefunden != k_wiederholt * gesucht.size() / 2 || zeichen == 0) return std::nullopt;
    return Suchrunden{median(l), median(k), median(v), median(lang), median(einlesen), nachschlagen, runden};
#else
    (void)gross_wurzel;
    (void)gross_windows;
    (void)runden;
    return std::nullopt;
#endif
}

std::optional<Im_Wechsel> scan_mit_anmeldeliste_im_wechsel(const fs::path& gross_wurzel, const fs::path& daten, bool mit_journal,
                                                           int runden) {
#if KARMO_BENCH_MASKE
    namespace an = karmo::anmeldung;
    constexpr int k_karten = 256;
    constexpr int k_vorher = 32767 - k_karten;
    const std::string vnr = "2767501234567890125";
    an::Leseergebnis e = an::Tabelle_lesen(anmeldetabelle());
    an::Anmelderegister r(std::move(e.liste));
    std::vector<std::string> karten;
    for (int i = 0; i < k_karten; ++i) {
        // Every other card registered, the others walk-ins.
        karten.push_back((i % 2 == 0 ? r.eintrag(static_cast<std::size_t>(i) * 97).efn : efn(7, static_cast<std::uint64_t>(i))) +
                         "\r");
    }
    // Each side its own folder: two journals must not share a file.
    const fs::path mit_wurzel = mit_journal ? daten / "scan_mit_liste" : gross_wurzel;
    const fs::path ohne_wurzel = mit_journal ? daten / "scan_ohne_liste" : gross_wurzel;
    for (const fs::path& w : {mit_wurzel, ohne_wurzel}) {
        fs::remove_all(w / "zelva" / "Sicherung");
        fs::create_directories(w / "zelva");
    }
    Umgebung mit(mit_wurzel), ohne(ohne_wurzel);
    for (Umgebung* u : {&mit, &ohne}) {
        if (mit_journal) u->programm.setze_sicherung(std::make_shared<karmo::Sicherung>(u->programm));
        u->programm.zustand().Aktuelle_VNR = vnr;
        ui::FakeFenster& f = u->fenster(ui::FormId::MA2_Maske);
        f.setze_text(ui::Ctl::VNR, vnr);
        for (int i = 0; i < k_vorher; ++i) f.zeile_anfuegen(ui::Ctl::Teilnehmerliste, efn(3, static_cast<std::uint64_t>(i)) + " (8/0)");
        f.setze_text(ui::Ctl::Punkte, "8"); // with a journal, its first change: the snapshot
    }
    mit.programm.anmeldungen().setzen(vnr, std::move(r));
    std::string zuletzt; // the label after the last card of a side
    const auto seite = [&](Umgebung& u) -> std::optional<double> {
        ui::FakeFenster& f = u.fenster(ui::FormId::MA2_Maske);
        const double t0 = cpu_sekunden();
        for (const std::string& k : karten) f.tippen(ui::Ctl::EFN, k);
        const double t = (cpu_sekunden() - t0) / k_karten;
        zuletzt = f.text(ui::Ctl::Zuletzt);
        if (f.zeilenzahl(ui::Ctl::Teilnehmerliste) != k_vorher + k_karten) {
            std::cerr << "scan with a registration list: " << f.zeilenzahl(ui::Ctl::Teilnehmerliste) << " lines, "
                      << (u.plattform.meldungen.empty() ? std::string("no message") : u.plattform.meldungen.back()) << "\n";
            return std::nullopt;
        }
        for (int i = k_karten; i > 0; --i) {
            f.zeile_klicken(ui::Ctl::Teilnehmerliste, k_vorher + i - 1);
            f.klicken(ui::Ctl::Loeschen);
        }
        return t;
    };
    // The first scans index the list that was filled from outside, and count it against the register.
    // With the list, the label names the last card (a walk-in); without, it stays empty.
    seite(mit);
    const std::string mit_liste = zuletzt;
    seite(ohne);
    if (mit_liste.rfind("Zuletzt: ", 0) != 0 || !zuletzt.empty()) {
        std::cerr << "scan with a registration list: the label says \"" << mit_liste << "\", without a list \"" << zuletzt
                  << "\"\n";
        return std::nullopt;
    }
    return im_wechsel(runden, [&] { return seite(mit); }, [&] { return seite(ohne); });
#else
    (void)gross_wurzel;
    (void)runden;
    return std::nullopt;
#endif
}

} // namespace bench
