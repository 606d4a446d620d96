// Element values by plain substring search, with the 16-bit position limits of the file format.
#include "eventfile/xml_wert.hpp"

#include <cstring>

#include "common/text.hpp"

namespace karmo {
namespace {

bool ziffer(char c) { return c >= '0' && c <= '9'; }

// First position of a tag ("<" ...) in the text; npos when none. Lines hold
// few "<", so jumping from one to the next is the quickest search.
std::size_t tag_suchen(std::string_view text, std::string_view tag) {
    const char* const anfang = text.data();
    const char* p = anfang;
    const char* const ende = anfang + text.size();
    while (static_cast<std::size_t>(ende - p) >= tag.size()) {
        p = static_cast<const char*>(std::memchr(p, '<', static_cast<std::size_t>(ende - p) - tag.size() + 1));
        if (p == nullptr) break;
        std::size_t k = 1;
        while (k < tag.size() && p[k] == tag[k]) ++k;
        if (k == tag.size()) return static_cast<std::size_t>(p - anfang);
        ++p;
    }
    return std::string_view::npos;
}

// Positions are counted in characters; `utf8` says whether a character may
// take several bytes (text from the program) or always one (file bytes).
std::string wert(std::string_view zeile, std::string_view tag, std::string_view art, bool utf8) {
    const std::size_t zeichen = utf8 ? text::zeichenzahl(zeile) : zeile.size();
    if (zeile.empty() || zeichen > xml::k_hoechstlaenge) return {};

    // The tags are built on the stack: this runs for every value of a file.
    constexpr std::size_t k_puffer = 64;
    char auf_puffer[k_puffer];
    char zu_puffer[k_puffer];
    std::string auf_lang, zu_lang;
    std::string_view auf, zu;
    if (tag.size() + 3 <= k_puffer) {
        auf_puffer[0] = '<';
        std::memcpy(auf_puffer + 1, tag.data(), tag.size());
        auf_puffer[tag.size() + 1] = '>';
        auf = std::string_view(auf_puffer, tag.size() + 2);
        zu_puffer[0] = '<';
        zu_puffer[1] = '/';
        std::memcpy(zu_puffer + 2, tag.data(), tag.size());
        zu_puffer[tag.size() + 2] = '>';
        zu = std::string_view(zu_puffer, tag.size() + 3);
    } else {
        auf_lang.append("<").append(tag).append(">");
        zu_lang.append("</").append(tag).append(">");
        auf = auf_lang;
        zu = zu_lang;
    }

    // Byte offset of the first character after the opening tag. A missing
    // opening tag counts as position 0, so the value would start at
    // character tag length + 2 (readers only ask lines holding the tag).
    std::size_t start = 0;
    const std::size_t p = tag_suchen(zeile, auf);
    if (p != std::string_view::npos) {
        start = p + auf.size();
    } else {
        const std::size_t zeichen_vor = (utf8 ? text::zeichenzahl(tag) : tag.size()) + 1;
        if (zeichen_vor > zeichen) return {};
        start = utf8 ? text::byte_offset(zeile, zeichen_vor) : zeichen_vor;
    }
    const std::size_t q = tag_suchen(zeile, zu);
    if (q == std::string_view::npos || q <= start) return {};

    const std::string_view inhalt = zeile.substr(start, q - start);
    if (art == "n") return xml::zahl_runden(inhalt);
    return std::string(inhalt);
}

} // namespace

std::string XML_Wert(std::string_view Zeile, std::string_view Tag, std::string_view Art) {
    return wert(Zeile, Tag, Art, true);
}

namespace xml {

std::string wert_roh(std::string_view zeile, bool zu_lang, std::string_view tag, std::string_view art) {
    if (zu_lang) return {};
    return wert(zeile, tag, art, false);
}

std::string zahl_runden(std::string_view w) {
    std::size_t i = 0;
    bool negativ = false;
    if (i < w.size() && (w[i] == '+' || w[i] == '-')) negativ = w[i++] == '-';
    const std::size_t ganz_anfang = i;
    while (i < w.size() && ziffer(w[i])) ++i;
    std::string_view ganz = w.substr(ganz_anfang, i - ganz_anfang);
    std::string_view bruch;
    if (i < w.size() && w[i] == '.') {
        const std::size_t b = ++i;
        while (i < w.size() && ziffer(w[i])) ++i;
        bruch = w.substr(b, i - b);
    }
    while (!ganz.empty() && ganz.front() == '0') ganz.remove_prefix(1);

    // Beyond the range of a double the conversion overflows: no number.
    constexpr std::size_t k_hoechste_stellen = 309;
    if (ganz.size() > k_hoechste_stellen) return {};

    bool aufrunden = false;
    if (!bruch.empty()) {
        if (bruch[0] > '5') {
            aufrunden = true;
        } else if (bruch[0] == '5') {
            bool rest = false;
            for (std::size_t k = 1; k < bruch.size() && !rest; ++k) rest = bruch[k] != '0';
            const bool ungerade = !ganz.empty() && ((ganz.back() - '0') % 2) == 1;
            aufrunden = rest || ungerade;
        }
    }

    std::string ergebnis(ganz);
    if (aufrunden) {
        std::size_t k = ergebnis.size();
        while (k > 0 && ergebnis[k - 1] == '9') ergebnis[--k] = '0';
        if (k == 0) ergebnis.insert(ergebnis.begin(), '1');
        else ++ergebnis[k - 1];
    }
    if (ergebnis.size() > k_hoechste_stellen) return {};
    if (ergebnis.empty()) return "0";
    if (negativ) ergebnis.insert(ergebnis.begin(), '-');
    return ergebnis;
}

} // namespace xml
} // namespace karmo
