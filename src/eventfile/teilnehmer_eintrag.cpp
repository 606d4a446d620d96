// The participant's list line, read by position and by its first slash (never by the brackets).
#include "eventfile/teilnehmer_eintrag.hpp"

#include <string>

#include "common/text.hpp"

namespace karmo {
namespace {

constexpr std::size_t k_efn_laenge = 15;
// The points part starts with the 17th character, after EFN and blank.
constexpr std::size_t k_punkteteil_ab = 17;

std::string ziffern(std::string_view t) {
    std::string out;
    for (char c : t) {
        if (c >= '0' && c <= '9') out.push_back(c);
    }
    return out;
}

// Position `start` (1-based) in characters; lines are nearly always ASCII.
std::string_view ab_zeichen(std::string_view zeile, std::size_t start) {
    const std::size_t vor = start - 1;
    if (zeile.size() >= vor) {
        bool ascii = true;
        for (std::size_t i = 0; i < vor && ascii; ++i) ascii = static_cast<unsigned char>(zeile[i]) < 0x80;
        if (ascii) return zeile.substr(vor);
    }
    return text::ab(zeile, start);
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
    const std::string_view rest = ab_zeichen(zeile, k_punkteteil_ab);
    t.efn = zeile.substr(0, zeile.size() - ab_zeichen(zeile, k_efn_laenge + 1).size());
    const std::size_t strich = rest.find('/');
    if (strich == std::string_view::npos) {
        t.referent = rest;
    } else {
        t.basis = rest.substr(0, strich + 1);
        t.referent = rest.substr(strich + 1);
    }
    return t;
}

std::string_view eintrag_efn(std::string_view zeile) { return eintrag_teilen(zeile).efn; }

std::string eintrag_basispunkte(std::string_view zeile) { return ziffern(eintrag_teilen(zeile).basis); }

std::string eintrag_referentenpunkte(std::string_view zeile) { return ziffern(eintrag_teilen(zeile).referent); }

} // namespace karmo
