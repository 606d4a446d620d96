// The participant's list line, read by position and by its first slash (never by the brackets).
#include "eventfile/teilnehmer_eintrag.hpp"

#include <cstdint>
#include <cstring>
#include <string>

#include "checks/nummern.hpp"
#include "common/text.hpp"

namespace karmo {
namespace {

constexpr std::size_t k_efn_laenge = 15;
// The points part starts with the 17th character, after EFN and blank.
constexpr std::size_t k_punkteteil_ab = 17;

// Whether the first `n` bytes of `t` (all of it when shorter) are ASCII.
bool ascii_bis(std::string_view t, std::size_t n) {
    if (n == 16 && t.size() >= 16) {
        std::uint64_t w[2];
        std::memcpy(w, t.data(), sizeof w);
        return ((w[0] | w[1]) & 0x8080808080808080ULL) == 0;
    }
    for (std::size_t i = 0; i < n && i < t.size(); ++i) {
        if (static_cast<unsigned char>(t[i]) >= 0x80) return false;
    }
    return true;
}

} // namespace

std::string Teilnehmer_Eintrag(std::string_view efn, std::string_view basis, std::string_view referent) {
    std::string out;
    eintrag_bauen(out, efn, basis, referent);
    return out;
}

void eintrag_bauen(std::string& ziel, std::string_view efn, std::string_view basis, std::string_view referent) {
    ziel.clear();
    ziel.reserve(efn.size() + basis.size() + referent.size() + 4);
    ziel.append(efn).append(" (").append(basis).append("/").append(referent).append(")");
}

Eintragsteile eintrag_teilen(std::string_view zeile) {
    Eintragsteile t;
    std::string_view rest;
    if (ascii_bis(zeile, k_punkteteil_ab - 1)) {
        t.efn = zeile.substr(0, k_efn_laenge);
        if (zeile.size() >= k_punkteteil_ab) rest = zeile.substr(k_punkteteil_ab - 1);
    } else {
        t.efn = text::links(zeile, k_efn_laenge);
        rest = text::ab(zeile, k_punkteteil_ab);
    }
    // The points part is a few characters: a plain loop, not a library search.
    std::size_t strich = 0;
    while (strich < rest.size() && rest[strich] != '/') ++strich;
    if (strich == rest.size()) {
        t.referent = rest;
    } else {
        t.basis = rest.substr(0, strich + 1);
        t.referent = rest.substr(strich + 1);
    }
    return t;
}

std::string_view eintrag_efn(std::string_view zeile) {
    if (ascii_bis(zeile, k_efn_laenge)) return zeile.substr(0, k_efn_laenge);
    return text::links(zeile, k_efn_laenge);
}

std::string eintrag_basispunkte(std::string_view zeile) { return Nur_Ziffern(eintrag_teilen(zeile).basis); }

std::string eintrag_referentenpunkte(std::string_view zeile) { return Nur_Ziffern(eintrag_teilen(zeile).referent); }

std::string Punkteschluessel(std::string_view zeile) {
    std::string out(15, '\0');
    std::size_t n = punkteschluessel_schreiben(zeile, out.data(), out.size());
    if (n > out.size()) {
        out.resize(n);
        n = punkteschluessel_schreiben(zeile, out.data(), out.size());
    }
    out.resize(n);
    return out;
}

std::size_t punkteschluessel_schreiben(std::string_view zeile, char* ziel, std::size_t platz) {
    std::size_t n = 0;
    const auto schreiben = [&](char c) {
        if (n < platz) ziel[n] = c;
        ++n;
    };
    // A half's number without its leading zeros: "08" and "8" are the same
    // points, "00" is "0", and a half without digits stays empty.
    const auto haelfte = [&](std::string_view teil) {
        bool begonnen = false, null = false;
        for (const char c : teil) {
            if (c < '0' || c > '9') continue;
            if (c == '0' && !begonnen) {
                null = true;
                continue;
            }
            begonnen = true;
            schreiben(c);
        }
        if (!begonnen && null) schreiben('0');
    };
    const Eintragsteile t = eintrag_teilen(zeile);
    haelfte(t.basis);
    schreiben('/');
    haelfte(t.referent);
    return n;
}

} // namespace karmo
