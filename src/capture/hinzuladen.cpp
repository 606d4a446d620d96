// The merge rule: another list's lines against the participant list's duplicate index, in one pass.
#include "capture/hinzuladen.hpp"

#include <algorithm>
#include <array>
#include <cstdint>

#include "capture/teilnehmerliste.hpp"
#include "checks/nummern.hpp"
#include "eventfile/liste_lesen.hpp"
#include "eventfile/teilnehmer_eintrag.hpp"
#include "eventfile/teilnehmerzahl.hpp"
#include "sicherung/format.hpp"
#include "sicherung/sicherung.hpp"

namespace karmo {

using ui::Ctl;

static_assert(static_cast<std::size_t>(k_listenhoechstzahl) == sicherung::k_hoechstzeilen,
              "the journal holds as many lines as the list");

// Each line decides by itself, in the file's order: a bad EFN (one that
// fails the number check, or whose element in the file is longer than 15
// characters) is counted and dropped; an EFN the index knows is left alone (the list's line stays,
// whatever the other list says); a new one is appended while the list has
// room. An appended line is in the index at once, so a participant twice in
// the files comes in once.
void Teilnehmerliste::hinzuladen(const Gelesene_Liste& andere, Hinzuladebilanz& bilanz) {
    verzeichnis_.abgleichen(f_);
    const int vorher = f_.zeilenzahl(Ctl::Teilnehmerliste);
    // The list never holds more: room for that many at most, made once.
    verzeichnis_.reservieren(std::min(static_cast<std::size_t>(vorher) + andere.anzahl(),
                                      static_cast<std::size_t>(k_listenhoechstzahl)));
    int zahl = vorher;
    std::array<char, 32> dort{};
    // Each line's EFN checked and taken as a number once, a few lines ahead
    // of its look-up, and its place fetched meanwhile (none: not a valid EFN).
    constexpr std::size_t k_voraus = 8;
    struct Vorbereitet {
        std::string_view zeile;
        std::optional<EFN_Verzeichnis::Nummer> nummer;
    };
    std::array<Vorbereitet, k_voraus> voraus{};
    // The lines are prepared in order: the next line with too long an EFN
    // element is the one `lang` points at.
    const std::vector<std::size_t>& lange = andere.lange_efn();
    std::size_t lang = 0;
    const auto vorbereiten = [&](std::size_t i) {
        Vorbereitet& v = voraus[i % k_voraus];
        v.zeile = andere.eintrag(i);
        v.nummer = std::nullopt;
        if (lang < lange.size() && lange[lang] == i) {
            ++lang;
            return;
        }
        const std::optional<std::uint64_t> z = EFN_Zahl(eintrag_efn(v.zeile));
        if (!z) return;
        v.nummer = EFN_Verzeichnis::nummer(*z);
        verzeichnis_.vormerken(*v.nummer);
    };
    for (std::size_t i = 0; i < andere.anzahl() && i < k_voraus; ++i) vorbereiten(i);
    for (std::size_t i = 0; i < andere.anzahl(); ++i) {
        const Vorbereitet v = voraus[i % k_voraus];
        if (i + k_voraus < andere.anzahl()) vorbereiten(i + k_voraus);
        const std::string_view zeile = v.zeile;
        if (!v.nummer) {
            ++bilanz.ungueltig;
            continue;
        }
        const EFN_Verzeichnis::Nummer nummer = *v.nummer;
        const EFN_Verzeichnis::Stelle stelle = verzeichnis_.suchen(nummer);
        if (stelle.belegt) {
            const std::string_view hier = verzeichnis_.punkte(stelle);
            const std::size_t n = punkteschluessel_schreiben(zeile, dort.data(), dort.size());
            if (n <= dort.size() && std::string_view(dort.data(), n) == hier) {
                ++bilanz.schon_da;
            } else {
                ++bilanz.andere_punkte;
                if (bilanz.abweichungen.size() < k_abweichungen_gezeigt) {
                    bilanz.abweichungen.push_back({std::string(eintrag_efn(zeile)), std::string(hier), Punkteschluessel(zeile)});
                }
            }
            continue;
        }
        if (zahl >= k_listenhoechstzahl) {
            ++bilanz.zu_viele;
            continue;
        }
        f_.zeile_anfuegen(Ctl::Teilnehmerliste, zeile);
        verzeichnis_.hinzu_neu(nummer, stelle, zeile);
        ++zahl;
        ++bilanz.neu;
    }
    ++bilanz.dateien;
    verzeichnis_.merken(f_);
    if (zahl == vorher) return;
    if (Sicherung* s = p_.sicherung()) s->zeilen_angefuegt(f_, vorher);
    Teilnehmerzahl_zeigen(p_, f_);
}

std::string Hinzuladen_Zusammenfassung(const Hinzuladebilanz& b) {
    std::string t = "Hinzugeladen aus " + std::to_string(b.dateien) + " Datei(en): " + std::to_string(b.neu) +
                    " neue Teilnehmer.";
    const auto zeile = [&t](const std::string& z) { t.append("\r\n").append(z); };
    if (b.schon_da != 0) zeile(std::to_string(b.schon_da) + " waren schon in der Liste.");
    if (b.andere_punkte != 0) {
        zeile(std::to_string(b.andere_punkte) + " sind mit anderen Punkten in der Liste und blieben unverändert:");
        for (const Punkteabweichung& a : b.abweichungen) zeile(a.efn + ": hier " + a.hier + ", in der Datei " + a.datei);
        if (static_cast<std::size_t>(b.andere_punkte) > b.abweichungen.size()) zeile("…");
    }
    if (b.ungueltig != 0) zeile(std::to_string(b.ungueltig) + " Zeilen mit ungültiger EFN wurden nicht übernommen.");
    if (b.zu_viele != 0) {
        zeile(std::to_string(b.zu_viele) + " Teilnehmer passten nicht mehr in die Liste (höchstens " +
              std::to_string(k_listenhoechstzahl) + ").");
    }
    return t;
}

} // namespace karmo
