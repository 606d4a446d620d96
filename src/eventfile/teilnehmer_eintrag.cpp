// The participant's list line, read by position and by its first slash (never by the brackets).
#include "eventfile/teilnehmer_eintrag.hpp"

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

// "" for a line too short to have one.
std::string_view punkteteil(std::string_view zeile) { return text::ab(zeile, k_punkteteil_ab); }

} // namespace

std::string Teilnehmer_Eintrag(std::string_view efn, std::string_view basis, std::string_view referent) {
    std::string out;
    out.reserve(efn.size() + basis.size() + referent.size() + 4);
    out.append(efn).append(" (").append(basis).append("/").append(referent).append(")");
    return out;
}

std::string_view eintrag_efn(std::string_view zeile) { return text::links(zeile, k_efn_laenge); }

std::string eintrag_basispunkte(std::string_view zeile) {
    const std::string_view teil = punkteteil(zeile);
    const std::size_t strich = teil.find('/');
    if (strich == std::string_view::npos) return {};
    return ziffern(teil.substr(0, strich + 1));
}

std::string eintrag_referentenpunkte(std::string_view zeile) {
    const std::string_view teil = punkteteil(zeile);
    const std::size_t strich = teil.find('/');
    if (strich == std::string_view::npos) return ziffern(teil);
    return ziffern(teil.substr(strich + 1));
}

} // namespace karmo
