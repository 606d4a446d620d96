// Character filters and the Luhn check of event and participant numbers.
#include "checks/nummern.hpp"

#include <array>
#include <cstdint>

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

std::string Pruefziffer_berechnen(std::string_view Nutzteil) {
    // Slot k holds the weighted value of the k-th digit counted from the
    // right. Payloads are 14 or 18 digits; digits beyond the table's 25
    // slots are not counted, and a payload without digits gives "0".
    std::array<std::int16_t, k_tabellenplaetze + 1> wert{};
    std::size_t anzahl = 0;
    for (auto it = Nutzteil.rbegin(); it != Nutzteil.rend() && anzahl < k_tabellenplaetze; ++it) {
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
    return std::string(1, static_cast<char>('0' + (10 - summe % 10) % 10));
}

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

// Pruefziffer_berechnen's sum over the 14 digits, done in place: another
// list brings tens of thousands of numbers at once.
bool EFN_gueltig(std::string_view efn) {
    constexpr std::size_t k_laenge = 15;
    if (efn.size() != k_laenge) return false;
    int summe = 0;
    for (std::size_t i = 0; i < k_laenge; ++i) {
        const auto c = static_cast<unsigned char>(efn[i]);
        if (!ziffer(c)) return false;
        if (i == k_laenge - 1) break;
        const int d = c - '0';
        // Counted from the right of the 14 digits, the 1st, 3rd, ... are doubled.
        const bool doppelt = (k_laenge - 2 - i) % 2 == 0;
        summe += doppelt ? (2 * d < 10 ? 2 * d : 2 * d - 9) : d;
    }
    return efn.back() - '0' == (10 - summe % 10) % 10;
}

} // namespace karmo
