// Case and umlaut folding over UTF-8, Latin-1 by a table, the rest passed through.
#include "anmeldung/faltung.hpp"

#include <array>
#include <string>

#include "anmeldung/kodierung.hpp"

namespace karmo::anmeldung {
namespace {

// U+00C0 to U+00FF folded: the lower-case base letter, 0 for a character
// that stays (×, ÷, þ, ð, æ...), or a marker for the umlauts and ß.
constexpr char k_ae = 1, k_oe = 2, k_ue = 3, k_ss = 4;
constexpr std::array<char, 64> k_latin1 = {
    // À Á Â Ã Ä Å Æ Ç È É Ê Ë Ì Í Î Ï
    'a', 'a', 'a', 'a', k_ae, 'a', 0, 'c', 'e', 'e', 'e', 'e', 'i', 'i', 'i', 'i',
    // Ð Ñ Ò Ó Ô Õ Ö × Ø Ù Ú Û Ü Ý Þ ß
    0, 'n', 'o', 'o', 'o', 'o', k_oe, 0, 'o', 'u', 'u', 'u', k_ue, 'y', 0, k_ss,
    // à á â ã ä å æ ç è é ê ë ì í î ï
    'a', 'a', 'a', 'a', k_ae, 'a', 0, 'c', 'e', 'e', 'e', 'e', 'i', 'i', 'i', 'i',
    // ð ñ ò ó ô õ ö ÷ ø ù ú û ü ý þ ÿ
    0, 'n', 'o', 'o', 'o', 'o', k_oe, 0, 'o', 'u', 'u', 'u', k_ue, 'y', 0, 'y'};

} // namespace

void falten(std::string_view text, Umlaute umlaute, std::string& out) {
    const bool umschreiben = umlaute == Umlaute::Umschrieben;
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : static_cast<char>(c));
            ++i;
            continue;
        }
        const std::size_t anfang = i;
        const char32_t cp = zeichen_lesen(text, i);
        const char f = cp >= 0xC0 && cp <= 0xFF ? k_latin1[cp - 0xC0] : 0;
        switch (f) {
        case 0:
            if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) zeichen_anhaengen(out, cp + 0x20); // Æ Ð Þ
            else out.append(text.substr(anfang, i - anfang));
            break;
        case k_ae: out.append(umschreiben ? "ae" : "a"); break;
        case k_oe: out.append(umschreiben ? "oe" : "o"); break;
        case k_ue: out.append(umschreiben ? "ue" : "u"); break;
        case k_ss: out.append("ss"); break;
        default: out.push_back(f);
        }
    }
}

std::string gefaltet(std::string_view text, Umlaute umlaute) {
    std::string out;
    out.reserve(text.size() + 4);
    falten(text, umlaute, out);
    return out;
}

void ueberschrift_schluessel(std::string_view heading, std::string& out) {
    out.clear();
    falten(heading, Umlaute::Umschrieben, out);
    std::erase_if(out, [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '.' || c == '-' || c == '_';
    });
}

} // namespace karmo::anmeldung
