// The search index: its texts built once, a search marked by scanning them sixteen bytes at a time.
#include "anmeldung/suche.hpp"

#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "anmeldung/faltung.hpp"

namespace karmo::anmeldung {
namespace {

bool enthaelt(const std::array<std::uint64_t, 4>& menge, char c) {
    const auto b = static_cast<unsigned char>(c);
    return ((menge[b >> 6] >> (b & 63U)) & 1U) != 0;
}

void merken(std::array<std::uint64_t, 4>& menge, std::string_view s) {
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        menge[b >> 6] |= std::uint64_t{1} << (b & 63U);
    }
}

// Calls `treffer` with every place where `muster` (not empty) begins in `text`, rising.
template <class Treffer>
void alle_finden(std::string_view text, std::string_view muster, Treffer treffer) {
    const std::size_t k = muster.size();
    if (text.size() < k) return;
    const std::size_t ende = text.size() - k + 1; // one past the last place the pattern can begin
    const auto vergleichen = [&](std::size_t p) {
        if (std::memcmp(text.data() + p, muster.data(), k) == 0) treffer(p);
    };
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i erstes = _mm_set1_epi8(muster[0]);
    const __m128i letztes = _mm_set1_epi8(muster[k - 1]);
    for (; i + 16 <= ende; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i + k - 1));
        auto maske = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, erstes), _mm_cmpeq_epi8(b, letztes))));
        for (; maske != 0; maske &= maske - 1) vergleichen(i + static_cast<std::size_t>(std::countr_zero(maske)));
    }
#endif
    for (; i < ende; ++i) {
        if (text[i] == muster[0]) vergleichen(i);
    }
}

} // namespace

void Suchindex::Texte::anfuegen(std::string_view stueck, std::uint32_t platz, bool mit_platz) {
    text.append(stueck);
    text.push_back('\n');
    merken(alle, stueck);
    anfaenge.push_back(static_cast<std::uint32_t>(text.size()));
    if (mit_platz) plaetze.push_back(platz);
}

bool Suchindex::Texte::kann_halten(std::string_view muster) const {
    for (const char c : muster) {
        if (!enthaelt(alle, c)) return false;
    }
    return true;
}

void Suchindex::Texte::markieren(std::string_view muster, std::vector<std::uint8_t>& passt) const {
    if (!kann_halten(muster)) return;
    std::size_t stueck = 0;
    alle_finden(text, muster, [&](std::size_t pos) {
        // Pieces in order, places rising: the piece is found by walking on.
        // A search holds no line feed, so it lies within its piece.
        while (anfaenge[stueck + 1] <= pos) ++stueck;
        passt[plaetze.empty() ? stueck : plaetze[stueck]] = 1;
    });
}

void Suchindex::hinzu(std::string_view anzeigename, std::string_view efn_text) {
    const auto platz = static_cast<std::uint32_t>(zeichen_.size());
    Zeichen& z = zeichen_.emplace_back();
    const auto zeichen_merken = [&z](std::string_view s) { merken(z, s); };
    puffer_.clear();
    falten(anzeigename, Umlaute::Grundbuchstabe, puffer_);
    namen_.anfuegen(puffer_, platz, false);
    zeichen_merken(puffer_);
    const std::size_t grund = puffer_.size();
    falten(anzeigename, Umlaute::Umschrieben, puffer_);
    const std::string_view umschrieben = std::string_view(puffer_).substr(grund);
    if (umschrieben != std::string_view(puffer_).substr(0, grund)) {
        umschrieben_stueck_.push_back(static_cast<std::uint32_t>(umschrieben_.plaetze.size()));
        umschrieben_.anfuegen(umschrieben, platz, true);
        zeichen_merken(umschrieben);
    } else {
        umschrieben_stueck_.push_back(k_kein_stueck);
    }
    puffer_.clear();
    falten(efn_text, Umlaute::Grundbuchstabe, puffer_);
    efn_.anfuegen(puffer_, platz, false);
    zeichen_merken(puffer_);
}

bool Suchindex::passt_platz(std::uint32_t platz, std::string_view grund, std::string_view umschrieben, bool mit_namen,
                            bool mit_efn) const {
    const auto stueck = [](const Texte& t, std::uint32_t i) {
        return std::string_view(t.text).substr(t.anfaenge[i], t.anfaenge[i + 1] - t.anfaenge[i]);
    };
    if (mit_efn && stueck(efn_, platz).find(grund) != std::string_view::npos) return true;
    if (!mit_namen) return false;
    const std::string_view name = stueck(namen_, platz);
    if (name.find(grund) != std::string_view::npos) return true;
    if (umschrieben != grund && name.find(umschrieben) != std::string_view::npos) return true;
    const std::uint32_t u = umschrieben_stueck_[platz];
    return u != k_kein_stueck && stueck(umschrieben_, u).find(umschrieben) != std::string_view::npos;
}

const std::vector<std::uint32_t>& Suchindex::suchen(std::string_view anfrage) const {
    std::string grund = gefaltet(anfrage, Umlaute::Grundbuchstabe);
    std::string umschrieben = gefaltet(anfrage, Umlaute::Umschrieben);
    std::vector<std::uint32_t>& plaetze = letzte_.plaetze;
    // Typed on: what matches now matched before (both foldings only grew
    // at their ends). Worth it when that was few; a scan costs little more
    // than testing an eighth of the registrations one by one.
    const bool weiter = !letzte_.grund.empty() && grund.starts_with(letzte_.grund) &&
                        umschrieben.starts_with(letzte_.umschrieben) && plaetze.size() * 8 <= zeichen_.size();
    if (weiter) {
        const bool mit_namen = namen_.kann_halten(grund) || namen_.kann_halten(umschrieben) || umschrieben_.kann_halten(umschrieben);
        const bool mit_efn = efn_.kann_halten(grund);
        std::erase_if(plaetze, [&](std::uint32_t p) { return !passt_platz(p, grund, umschrieben, mit_namen, mit_efn); });
    } else if (grund.size() == 1) {
        // One character (an umlaut's letter as well: its spelling holds it too).
        plaetze.clear();
        for (std::uint32_t i = 0; i < zeichen_.size(); ++i) {
            if (enthaelt(zeichen_[i], grund[0])) plaetze.push_back(i);
        }
    } else {
        passt_.assign(zeichen_.size(), 0);
        namen_.markieren(grund, passt_);
        // "mueller" finds a Müller (spelt out) and a Mueller (as written).
        if (umschrieben != grund) namen_.markieren(umschrieben, passt_);
        umschrieben_.markieren(umschrieben, passt_);
        efn_.markieren(grund, passt_);
        plaetze.clear();
        for (std::uint32_t i = 0; i < passt_.size(); ++i) {
            if (passt_[i] != 0) plaetze.push_back(i);
        }
    }
    letzte_.grund = std::move(grund);
    letzte_.umschrieben = std::move(umschrieben);
    return plaetze;
}

} // namespace karmo::anmeldung
