// The index of the participant list by EFN: an open table of 15-digit numbers, an ordinary map for odd keys.
#include "capture/efn_verzeichnis.hpp"

#include <optional>
#include <utility>

#include "capture/hinzuladen.hpp"
#include "common/text.hpp"

namespace karmo {

using ui::Ctl;

namespace {

// The duplicate check compares the first 15 characters of a line.
std::string_view schluessel(std::string_view zeile) { return text::links(zeile, 15); }

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

std::size_t EFN_Verzeichnis::heim(std::uint64_t zahl) const {
    return static_cast<std::size_t>((zahl * 0x9E3779B97F4A7C15ULL) >> (64U - bits_));
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
    if (bits == bits_) {
        for (Platz& p : plaetze_) p.zahl = 0; // the places' strings keep their storage
        return;
    }
    bits_ = bits;
    plaetze_.assign(std::size_t{1} << bits, Platz{});
}

EFN_Verzeichnis::Eintrag* EFN_Verzeichnis::finden(std::string_view s) {
    if (const auto z = als_zahl(s)) {
        if (plaetze_.empty()) return nullptr;
        Platz& p = plaetze_[platz(*z)];
        return p.zahl == 0 ? nullptr : &p.e;
    }
    const auto it = sonstige_.find(s);
    return it == sonstige_.end() ? nullptr : &it->second;
}

EFN_Verzeichnis::Eintrag& EFN_Verzeichnis::anlegen(std::string_view s, std::string_view zeile) {
    const auto z = als_zahl(s);
    if (!z) return sonstige_.emplace(std::string(s), Eintrag{0, Punkteschluessel(zeile)}).first->second;
    if (2 * (belegt_ + 1) > plaetze_.size()) {
        // Grows into a table twice the size, every number moved over.
        std::vector<Platz> alt = std::move(plaetze_);
        plaetze_.clear();
        tabelle(belegt_ + 1);
        for (Platz& p : alt) {
            if (p.zahl != 0) plaetze_[platz(p.zahl)] = std::move(p);
        }
    }
    Platz& p = plaetze_[platz(*z)];
    p.zahl = *z;
    p.e.anzahl = 0;
    p.e.punkte = Punkteschluessel(zeile);
    ++belegt_;
    return p.e;
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
    plaetze_[frei].zahl = 0;
    --belegt_;
    for (std::size_t j = (frei + 1) & maske; plaetze_[j].zahl != 0; j = (j + 1) & maske) {
        const std::size_t h = heim(plaetze_[j].zahl);
        // Stays when its home lies after the free place, up to j (cyclically).
        const bool bleibt = frei < j ? (h > frei && h <= j) : (h > frei || h <= j);
        if (bleibt) continue;
        std::swap(plaetze_[frei], plaetze_[j]);
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
    std::string zeile;
    for (int i = 0; i < n; ++i) {
        f.zeile_lesen(Ctl::Teilnehmerliste, i, zeile);
        hinzu(zeile);
    }
    neu_lesen_ = false;
    merken(f);
}

const std::string* EFN_Verzeichnis::punkte(std::string_view efn) const {
    const Eintrag* e = const_cast<EFN_Verzeichnis*>(this)->finden(efn);
    return e ? &e->punkte : nullptr;
}

void EFN_Verzeichnis::hinzu(std::string_view zeile) {
    const std::string_view s = schluessel(zeile);
    Eintrag* e = finden(s);
    if (e == nullptr) e = &anlegen(s, zeile);
    ++e->anzahl;
}

void EFN_Verzeichnis::ersetzt(std::string_view alt, std::string_view neu) {
    weg(alt);
    const std::string_view s = schluessel(neu);
    Eintrag* e = finden(s);
    if (e == nullptr) {
        anlegen(s, neu).anzahl = 1;
        return;
    }
    // Another line of that EFN: whichever stands first is known only to the list.
    ++e->anzahl;
    neu_lesen_ = true;
}

void EFN_Verzeichnis::weg(std::string_view zeile) {
    const std::string_view s = schluessel(zeile);
    Eintrag* e = finden(s);
    if (e == nullptr) return;
    if (--e->anzahl == 0) {
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
