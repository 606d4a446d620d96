// Character filters and the Luhn check of event and participant numbers.
#include "checks/nummern.hpp"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "common/text.hpp"

namespace karmo {
namespace {

// Keeps the bytes that `behalten` accepts. The kept characters are all
// ASCII, and no byte of a multi-byte UTF-8 character lies in that range, so
// filtering byte by byte drops other characters whole.
template <typename Regel> std::string filtern(std::string_view text, Regel behalten) {
    std::string ergebnis;
    ergebnis.reserve(text.size());
    for (char c : text) {
        if (behalten(static_cast<unsigned char>(c))) ergebnis.push_back(c);
    }
    return ergebnis;
}

bool ziffer(unsigned char c) { return c >= '0' && c <= '9'; }

constexpr std::size_t k_tabellenplaetze = 25;

} // namespace

std::string Nur_Ziffern(std::string_view Text) { return filtern(Text, ziffer); }

std::string Nur_Zeitzeichen(std::string_view Text) {
    return filtern(Text, [](unsigned char c) { return ziffer(c) || c == ':'; });
}

std::string Nur_Datumszeichen(std::string_view Text) {
    return filtern(Text, [](unsigned char c) { return ziffer(c) || c == '.'; });
}

namespace {

// The one Luhn rule: the check digit ("0" to "9") of the digits in
// `nutzteil`. Slot k holds the weighted value of the k-th digit counted
// from the right. Payloads are 14 or 18 digits; digits beyond the table's
// 25 slots are not counted, and a payload without digits gives '0'.
char pruefziffer(std::string_view nutzteil) {
    std::array<std::int16_t, k_tabellenplaetze + 1> wert{};
    std::size_t anzahl = 0;
    for (auto it = nutzteil.rbegin(); it != nutzteil.rend() && anzahl < k_tabellenplaetze; ++it) {
        const auto c = static_cast<unsigned char>(*it);
        if (!ziffer(c)) continue;
        ++anzahl;
        const auto d = static_cast<std::int16_t>(c - '0');
        wert[anzahl] = (anzahl % 2 == 1) ? static_cast<std::int16_t>(2 * d) : d;
    }
    int summe = 0;
    for (std::size_t k = 1; k <= anzahl; ++k) {
        summe += wert[k] < 10 ? wert[k] : 1 + wert[k] % 10;
    }
    return static_cast<char>('0' + (10 - summe % 10) % 10);
}

} // namespace

std::string Pruefziffer_berechnen(std::string_view Nutzteil) { return std::string(1, pruefziffer(Nutzteil)); }

bool Nummer_pruefen(Plattform& plattform, std::string_view Nummer, std::string_view Art) {
    std::size_t laenge = 0;
    if (Art == "VNR") {
        laenge = 19;
    } else if (Art == "EFN") {
        laenge = 15;
    } else {
        return false;
    }
    const std::string art(Art);
    if (text::zeichenzahl(Nummer) != laenge) {
        plattform.meldung("Eine " + art + " hat " + std::to_string(laenge) +
                          " Stellen! Bitte kontrollieren Sie die Eingabe!");
        return false;
    }
    const std::string p = Pruefziffer_berechnen(text::links(Nummer, laenge - 1));
    if (text::ab(Nummer, laenge) != p) {
        plattform.meldung("Die " + art + " ist nicht korrekt. Bitte überprüfen Sie die Eingabe! (" + p + ")");
        return false;
    }
    return true;
}

bool EFN_gueltig(std::string_view efn) {
    constexpr std::size_t k_laenge = 15;
    if (efn.size() != k_laenge) return false;
    for (const char c : efn) {
        if (!ziffer(static_cast<unsigned char>(c))) return false;
    }
    return efn.back() == pruefziffer(efn.substr(0, k_laenge - 1));
}

namespace {

// Eight bytes of `t` from `ab` on, the first in the lowest byte.
std::uint64_t acht_bytes(std::string_view t, std::size_t ab) {
    std::uint64_t w = 0;
    std::memcpy(&w, t.data() + ab, sizeof w);
    return w;
}

constexpr std::uint64_t k_je_byte = 0x0101010101010101ULL;

// Whether all eight bytes are "0" to "9".
bool acht_ziffern(std::uint64_t w) {
    return ((w & 0xF0F0F0F0F0F0F0F0ULL) | (((w + 0x0606060606060606ULL) & 0xF0F0F0F0F0F0F0F0ULL) >> 4)) ==
           0x3333333333333333ULL;
}

// The eight digits' number, the first the highest.
std::uint64_t acht_als_zahl(std::uint64_t w) {
    w = ((w & 0x0F0F0F0F0F0F0F0FULL) * 2561) >> 8;
    w = ((w & 0x00FF00FF00FF00FFULL) * 6553601) >> 16;
    return ((w & 0x0000FFFF0000FFFFULL) * 42949672960001ULL) >> 32;
}

// The sum of the eight byte values, when it stays below 256.
unsigned bytesumme(std::uint64_t w) { return static_cast<unsigned>((w * k_je_byte) >> 56); }

} // namespace

// The fast form of EFN_gueltig (the Luhn rule of pruefziffer) on eight
// bytes at a time (the digits 0 to 7, then 7 to 14): the byte order of the
// platforms this runs on puts the first character in the lowest byte.
// Elsewhere the check goes digit by digit. The tests hold it to
// EFN_gueltig.
std::optional<std::uint64_t> EFN_Zahl(std::string_view efn) {
    if constexpr (std::endian::native != std::endian::little) {
        if (!EFN_gueltig(efn)) return std::nullopt;
        std::uint64_t z = 0;
        for (char c : efn) z = z * 10 + static_cast<std::uint64_t>(c - '0');
        return z;
    } else {
        if (efn.size() != 15) return std::nullopt;
        const std::uint64_t vorn = acht_bytes(efn, 0);
        const std::uint64_t hinten = acht_bytes(efn, 7);
        if (!acht_ziffern(vorn) || !acht_ziffern(hinten)) return std::nullopt;
        // The digits 0 to 7, and 8 to 13 (the check digit, 14, left out).
        const std::uint64_t a = vorn & 0x0F0F0F0F0F0F0F0FULL;
        const std::uint64_t b = (hinten >> 8) & 0x00000F0F0F0F0F0FULL;
        // Doubled are the digits at odd places from the left (the 1st, 3rd,
        // ... from the right of the 14); a doubled digit above 4 counts 2d - 9.
        constexpr std::uint64_t k_ungerade = 0xFF00FF00FF00FF00ULL;
        const std::uint64_t ua = a & k_ungerade, ub = b & k_ungerade;
        const auto ueber_vier = [](std::uint64_t u) { return ((u + 0x7B7B7B7B7B7B7B7BULL) & 0x8000800080008000ULL) >> 7; };
        const unsigned summe = bytesumme(a & ~k_ungerade) + bytesumme(b & ~k_ungerade) +
                               2 * (bytesumme(ua) + bytesumme(ub)) - 9 * bytesumme(ueber_vier(ua) + ueber_vier(ub));
        const unsigned pruefziffer = static_cast<unsigned>(hinten >> 56) & 0x0FU;
        if (pruefziffer != (10 - summe % 10) % 10) return std::nullopt;
        // The digits 8 to 14: the word's first byte (digit 7) read as a leading 0.
        const std::uint64_t sieben = acht_als_zahl(hinten & ~std::uint64_t{0xFF});
        return acht_als_zahl(vorn) * 10000000ULL + sieben;
    }
}

} // namespace karmo
