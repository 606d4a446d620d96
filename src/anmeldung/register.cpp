// The register: telephone-book order, the EFN index, the captured marks, the search over precomputed folded texts.
#include "anmeldung/register.hpp"

#include <algorithm>
#include <bit>
#include <charconv>

#include "anmeldung/faltung.hpp"
#include "checks/nummern.hpp"

namespace karmo::anmeldung {
namespace {

std::size_t streuung(std::uint64_t zahl, std::size_t maske) {
    return static_cast<std::size_t>((zahl * 0x9E3779B97F4A7C15ULL) >> 32) & maske;
}

// A cell cleaned for showing, then folded, appended to `out`.
void gefaltet_anhaengen(std::string& out, std::string_view zelle, Umlaute u, std::string& puffer) {
    puffer.clear();
    bereinigt_anhaengen(puffer, zelle);
    falten(puffer, u, out);
}

} // namespace

Anmelderegister::Anmelderegister(Anmeldeliste liste) : liste_(std::move(liste)) {
    const std::vector<Anmeldung>& zeilen = liste_.zeilen;
    erfasst_.assign(zeilen.size(), 0);

    // The sort keys, all in one text: surname, first name, title, each
    // folded with ä as a, and where each row's key begins.
    std::string schluessel, puffer;
    std::vector<std::uint32_t> anfang(zeilen.size() + 1, 0);
    for (std::uint32_t i = 0; i < zeilen.size(); ++i) {
        anfang[i] = static_cast<std::uint32_t>(schluessel.size());
        if (zeilen[i].stand == EFN_Stand::Doppelt) continue;
        gefaltet_anhaengen(schluessel, zeilen[i].nachname, Umlaute::Grundbuchstabe, puffer);
        schluessel.push_back('\x01');
        gefaltet_anhaengen(schluessel, zeilen[i].vorname, Umlaute::Grundbuchstabe, puffer);
        schluessel.push_back('\x01');
        gefaltet_anhaengen(schluessel, zeilen[i].titel, Umlaute::Grundbuchstabe, puffer);
        ordnung_.push_back(i);
    }
    anfang[zeilen.size()] = static_cast<std::uint32_t>(schluessel.size());
    const auto schluessel_von = [&](std::uint32_t i) {
        return std::string_view(schluessel).substr(anfang[i], anfang[i + 1] - anfang[i]);
    };
    std::stable_sort(ordnung_.begin(), ordnung_.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return schluessel_von(a) < schluessel_von(b); });

    const std::size_t plaetze = std::bit_ceil(std::max<std::size_t>(16, 2 * liste_.bilanz.gueltig));
    plaetze_.assign(plaetze, Platz{});
    for (std::uint32_t i = 0; i < zeilen.size(); ++i) {
        if (zeilen[i].stand != EFN_Stand::Gueltig) continue;
        const std::uint64_t zahl = *EFN_Zahl(zeilen[i].efn);
        std::size_t p = streuung(zahl, plaetze - 1);
        while (plaetze_[p].zeile >= 0) p = (p + 1) & (plaetze - 1);
        const std::string& name = zeilen[i].anzeigename.empty() ? zeilen[i].efn : zeilen[i].anzeigename;
        plaetze_[p] = {zahl, static_cast<std::int32_t>(i), static_cast<std::uint32_t>(namen_.size()),
                       static_cast<std::uint32_t>(name.size())};
        namen_ += name;
    }

    for (const std::uint32_t i : ordnung_) {
        const Anmeldung& a = zeilen[i];
        puffer.clear();
        if (a.stand == EFN_Stand::Gueltig) puffer = a.efn;
        else bereinigt_anhaengen(puffer, a.efn_zelle);
        suche_.hinzu(a.anzeigename, puffer);
    }
}

const Anmelderegister::Platz* Anmelderegister::platz_zu(std::string_view efn) const {
    if (plaetze_.empty()) return nullptr;
    const std::optional<std::uint64_t> zahl = EFN_Zahl(efn);
    if (!zahl) return nullptr;
    const std::size_t maske = plaetze_.size() - 1;
    for (std::size_t p = streuung(*zahl, maske);; p = (p + 1) & maske) {
        const Platz& pl = plaetze_[p];
        if (pl.zeile < 0) return nullptr;
        if (pl.zahl == *zahl) return &pl;
    }
}

void Anmelderegister::vormerken(std::string_view efn) const {
    if (plaetze_.empty()) return;
    if (const std::optional<std::uint64_t> zahl = EFN_Zahl(efn)) {
        __builtin_prefetch(&plaetze_[streuung(*zahl, plaetze_.size() - 1)]);
    }
}

void Anmelderegister::name_vormerken(std::string_view efn) const {
    if (const Platz* pl = platz_zu(efn)) __builtin_prefetch(namen_.data() + pl->name_anfang);
}

std::int32_t Anmelderegister::zeile_zu(std::string_view efn) const {
    const Platz* pl = platz_zu(efn);
    return pl ? pl->zeile : -1;
}

const Anmeldung* Anmelderegister::finden(std::string_view efn) const {
    const std::int32_t z = zeile_zu(efn);
    return z < 0 ? nullptr : &liste_.zeilen[static_cast<std::size_t>(z)];
}

const Anmeldung* Anmelderegister::erfasst_dazu(std::string_view efn, std::string_view* name) {
    const Platz* pl = platz_zu(efn);
    if (!pl) return nullptr;
    const auto z = static_cast<std::size_t>(pl->zeile);
    if (name) *name = std::string_view(namen_).substr(pl->name_anfang, pl->name_laenge);
    std::uint16_t& n = erfasst_[z];
    if (n == 0) ++angemeldet_erfasst_;
    if (n < UINT16_MAX) ++n;
    return &liste_.zeilen[z];
}

bool Anmelderegister::erfasst_weg(std::string_view efn) {
    const std::int32_t z = zeile_zu(efn);
    if (z < 0) return false;
    std::uint16_t& n = erfasst_[static_cast<std::size_t>(z)];
    if (n == 0) return true;
    if (--n == 0) --angemeldet_erfasst_;
    return true;
}

void Anmelderegister::erfasst_leeren() {
    std::fill(erfasst_.begin(), erfasst_.end(), 0);
    angemeldet_erfasst_ = 0;
}

Treffer Anmelderegister::suchen(std::string_view anfrage, bool nur_nicht_erfasste, std::size_t hoechstens) const {
    Treffer t;
    const std::string rein = bereinigt(anfrage);
    const auto nehmen = [&](std::uint32_t k) {
        if (nur_nicht_erfasste && erfasst(k)) return;
        if (t.plaetze.size() < hoechstens) t.plaetze.push_back(k);
        ++t.gesamt;
    };
    if (rein.empty()) {
        for (std::uint32_t k = 0; k < ordnung_.size(); ++k) nehmen(k);
    } else {
        for (const std::uint32_t k : suche_.suchen(rein)) nehmen(k);
    }
    return t;
}

// --- texts ------------------------------------------------------------------------------------------

std::string Zeilentext(const Anmeldung& a, bool erfasst) {
    switch (a.stand) {
    case EFN_Stand::Gueltig:
    case EFN_Stand::Doppelt: return a.anzeigename + " – " + a.efn + (erfasst ? " – erfasst" : "");
    case EFN_Stand::Ohne: return a.anzeigename + " – ohne EFN";
    case EFN_Stand::Ungueltig: break;
    }
    return a.anzeigename + " – EFN ungültig";
}

namespace {

constexpr std::string_view k_gast = " – nicht angemeldet";

void karte_text_setzen(std::string& t, std::string_view vorn, bool angemeldet, std::string_view name) {
    t.clear();
    t.append(vorn).append(name);
    if (!angemeldet) t.append(k_gast);
}

std::string karte_text(std::string_view vorn, bool angemeldet, std::string_view name) {
    std::string t;
    t.reserve(vorn.size() + name.size() + k_gast.size());
    karte_text_setzen(t, vorn, angemeldet, name);
    return t;
}

// The name a registration shows: its display name, or its EFN when it has none.
std::string_view gezeigter_name(const Anmeldung& a) { return a.anzeigename.empty() ? std::string_view(a.efn) : a.anzeigename; }

std::string karte_text(std::string_view vorn, const Anmeldung* a, std::string_view efn) {
    return karte_text(vorn, a != nullptr, a ? gezeigter_name(*a) : efn);
}

void zahl_anhaengen(std::string& t, std::size_t n) {
    char ziffern[24];
    const auto [ende, fehler] = std::to_chars(ziffern, ziffern + sizeof ziffern, n);
    (void)fehler;
    t.append(ziffern, ende);
}

} // namespace

std::string Zuletzt_Text(const Anmelderegister* r, std::string_view efn) {
    return r == nullptr ? std::string() : karte_text("Zuletzt: ", r->finden(efn), efn);
}

void Zuletzt_Text_setzen(std::string& out, const Anmeldung* a, std::string_view name, std::string_view efn) {
    karte_text_setzen(out, "Zuletzt: ", a != nullptr, a ? name : efn);
}

std::string Ausgewaehlt_Text(const Anmelderegister* r, std::string_view efn) {
    return r == nullptr ? std::string() : karte_text("Ausgewählt: ", r->finden(efn), efn);
}

// Built in one piece: it is set after every scan.
std::string Teilnehmerzahl_Text(std::size_t n, const Anmelderegister* r) {
    std::string t;
    t.reserve(80);
    t.append("Erfasste Teilnehmer: ");
    zahl_anhaengen(t, n);
    if (r != nullptr) {
        t.append(" (angemeldet: ");
        zahl_anhaengen(t, r->angemeldet_erfasst());
        t.append(" von ");
        zahl_anhaengen(t, r->gueltige());
        t.push_back(')');
    }
    return t;
}

std::string Anzeige_Text(std::size_t gezeigt, std::size_t gesamt) {
    return std::to_string(gezeigt) + " von " + std::to_string(gesamt) + " angezeigt";
}

std::string Frage_ersetzen(std::size_t anmeldungen) {
    return "Die Veranstaltung hat schon eine Anmeldeliste mit " + std::to_string(anmeldungen) +
           " Anmeldungen. Soll sie ersetzt werden?";
}

} // namespace karmo::anmeldung
