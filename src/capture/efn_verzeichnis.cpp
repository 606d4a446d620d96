// The index of the participant list by EFN: an open table of 15-digit numbers, an ordinary map for odd keys.
#include "capture/efn_verzeichnis.hpp"

#include <utility>

#include "eventfile/teilnehmer_eintrag.hpp"

namespace karmo {

using ui::Ctl;

namespace {

// The duplicate check compares a line's EFN, its first 15 characters.
std::string_view schluessel(std::string_view zeile) { return eintrag_efn(zeile); }

// The number of a key of exactly 15 digits, + 1 (so that 0 marks a free place).
std::optional<std::uint64_t> als_zahl(std::string_view s) {
    if (s.size() != 15) return std::nullopt;
    std::uint64_t z = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        z = z * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return z + 1;
}

constexpr unsigned k_mindestbits = 6;

} // namespace

// --- the table ---------------------------------------------------------------------------

// The numbers share their leading digits and often run in steps: mixed
// (splitmix64's finaliser) before the top bits pick the place.
std::size_t EFN_Verzeichnis::heim(std::uint64_t zahl) const {
    std::uint64_t z = zahl;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<std::size_t>(z >> (64U - bits_));
}

std::size_t EFN_Verzeichnis::platz(std::uint64_t zahl) const {
    const std::size_t maske = plaetze_.size() - 1;
    std::size_t i = heim(zahl);
    while (plaetze_[i].zahl != 0 && plaetze_[i].zahl != zahl) i = (i + 1) & maske;
    return i;
}

void EFN_Verzeichnis::tabelle(std::size_t n) {
    unsigned bits = k_mindestbits;
    // At most half full, so that a probe stays short.
    while ((std::size_t{1} << bits) < 2 * n) ++bits;
    // A table large enough is kept (a list that was long is likely to be again).
    if (bits <= bits_ && !plaetze_.empty()) {
        for (Platz& p : plaetze_) p.zahl = 0;
        return;
    }
    bits_ = bits;
    plaetze_.assign(std::size_t{1} << bits, Platz{});
}

void EFN_Verzeichnis::reservieren(std::size_t n) {
    if (2 * n <= plaetze_.size()) return;
    // Grows into a table large enough, every number moved over.
    std::vector<Platz> alt = std::move(plaetze_);
    plaetze_.clear();
    tabelle(n);
    for (const Platz& p : alt) {
        if (p.zahl != 0) plaetze_[platz(p.zahl)] = p;
    }
}

void EFN_Verzeichnis::punkte_setzen(Platz& p, std::string_view zeile) {
    const std::size_t n = punkteschluessel_schreiben(zeile, p.punkte.data(), p.punkte.size());
    if (n <= k_punkte_platz) {
        p.laenge = static_cast<std::uint8_t>(n);
        if (!lange_punkte_.empty()) lange_punkte_.erase(p.zahl);
    } else {
        p.laenge = k_lang;
        lange_punkte_[p.zahl] = Punkteschluessel(zeile);
    }
}

std::string_view EFN_Verzeichnis::punkte_von(const Platz& p) const {
    if (p.laenge != k_lang) return {p.punkte.data(), p.laenge};
    return lange_punkte_.at(p.zahl);
}

std::uint32_t* EFN_Verzeichnis::anzahl(std::string_view s) {
    if (const auto z = als_zahl(s)) {
        if (plaetze_.empty()) return nullptr;
        Platz& p = plaetze_[platz(*z)];
        return p.zahl == 0 ? nullptr : &p.anzahl;
    }
    const auto it = sonstige_.find(s);
    return it == sonstige_.end() ? nullptr : &it->second.anzahl;
}

// Takes the number out and moves up the numbers behind it that probed past
// its place, so that every number stays reachable from its home place.
void EFN_Verzeichnis::entfernen(std::string_view s) {
    const auto z = als_zahl(s);
    if (!z) {
        sonstige_.erase(sonstige_.find(s));
        return;
    }
    const std::size_t maske = plaetze_.size() - 1;
    std::size_t frei = platz(*z);
    if (plaetze_[frei].laenge == k_lang) lange_punkte_.erase(*z);
    plaetze_[frei].zahl = 0;
    --belegt_;
    for (std::size_t j = (frei + 1) & maske; plaetze_[j].zahl != 0; j = (j + 1) & maske) {
        const std::size_t h = heim(plaetze_[j].zahl);
        // Stays when its home lies after the free place, up to j (cyclically).
        const bool bleibt = frei < j ? (h > frei && h <= j) : (h > frei || h <= j);
        if (bleibt) continue;
        plaetze_[frei] = plaetze_[j];
        plaetze_[j].zahl = 0;
        frei = j;
    }
}

// --- what the list does -----------------------------------------------------------------------

void EFN_Verzeichnis::abgleichen(const ui::Fenster& f) {
    if (gueltig_ && !neu_lesen_ && f.listenstand(Ctl::Teilnehmerliste) == stand_) return;
    const int n = f.zeilenzahl(Ctl::Teilnehmerliste);
    tabelle(static_cast<std::size_t>(n > 0 ? n : 0));
    belegt_ = 0;
    sonstige_.clear();
    lange_punkte_.clear();
    // The lines are read a few ahead of their insertion, their places
    // fetched meanwhile (vormerken).
    constexpr int k_voraus = 8;
    std::array<std::string, k_voraus> voraus;
    for (int i = 0; i < n && i < k_voraus; ++i) {
        f.zeile_lesen(Ctl::Teilnehmerliste, i, voraus[static_cast<std::size_t>(i)]);
        vormerken(schluessel(voraus[static_cast<std::size_t>(i)]));
    }
    for (int i = 0; i < n; ++i) {
        std::string& zeile = voraus[static_cast<std::size_t>(i % k_voraus)];
        hinzu(zeile);
        if (i + k_voraus >= n) continue;
        f.zeile_lesen(Ctl::Teilnehmerliste, i + k_voraus, zeile);
        vormerken(schluessel(zeile));
    }
    neu_lesen_ = false;
    merken(f);
}

void EFN_Verzeichnis::vormerken(std::string_view efn) const {
    if (const auto z = als_zahl(efn)) vormerken(Nummer{*z});
}

void EFN_Verzeichnis::vormerken(Nummer n) const {
    if (!plaetze_.empty()) __builtin_prefetch(&plaetze_[heim(n.wert_)]);
}

std::optional<std::string_view> EFN_Verzeichnis::punkte(Nummer n) const {
    if (plaetze_.empty()) return std::nullopt;
    const Platz& p = plaetze_[platz(n.wert_)];
    if (p.zahl == 0) return std::nullopt;
    return punkte_von(p);
}

EFN_Verzeichnis::Stelle EFN_Verzeichnis::suchen(Nummer n) const {
    if (plaetze_.empty()) return {0, false};
    const std::size_t i = platz(n.wert_);
    return {i, plaetze_[i].zahl != 0};
}

void EFN_Verzeichnis::hinzu_neu(Nummer n, Stelle s, std::string_view zeile) {
    Platz& p = plaetze_[s.platz];
    p.zahl = n.wert_;
    p.anzahl = 1;
    punkte_setzen(p, zeile);
    ++belegt_;
}

std::optional<std::string_view> EFN_Verzeichnis::punkte(std::string_view efn) const {
    if (const auto z = als_zahl(efn)) return punkte(Nummer{*z});
    const auto it = sonstige_.find(efn);
    if (it == sonstige_.end()) return std::nullopt;
    return std::string_view(it->second.punkte);
}

void EFN_Verzeichnis::hinzu(std::string_view zeile) {
    const std::string_view s = schluessel(zeile);
    if (const auto z = als_zahl(s)) {
        // One probe: the place found is the number's, or where it goes.
        reservieren(belegt_ + 1);
        Platz& p = plaetze_[platz(*z)];
        if (p.zahl == 0) {
            p.zahl = *z;
            p.anzahl = 0;
            punkte_setzen(p, zeile);
            ++belegt_;
        }
        ++p.anzahl;
        return;
    }
    auto it = sonstige_.find(s);
    if (it == sonstige_.end()) it = sonstige_.emplace(std::string(s), Eintrag{0, Punkteschluessel(zeile)}).first;
    ++it->second.anzahl;
}

void EFN_Verzeichnis::ersetzt(std::string_view alt, std::string_view neu) {
    weg(alt);
    if (!enthaelt(schluessel(neu))) {
        hinzu(neu);
        return;
    }
    // Another line of that EFN: whichever stands first is known only to the list.
    ++*anzahl(schluessel(neu));
    neu_lesen_ = true;
}

void EFN_Verzeichnis::weg(std::string_view zeile) {
    const std::string_view s = schluessel(zeile);
    std::uint32_t* n = anzahl(s);
    if (n == nullptr) return;
    if (--*n == 0) {
        entfernen(s);
    } else {
        neu_lesen_ = true;
    }
}

void EFN_Verzeichnis::merken(const ui::Fenster& f) {
    stand_ = f.listenstand(Ctl::Teilnehmerliste);
    gueltig_ = true;
}

} // namespace karmo
