// Encodings of a table file: the BOMs, UTF-8 checked strictly, UTF-16 LE, Windows-1252 for the rest.
#include "anmeldung/kodierung.hpp"

#include <cstdint>
#include <cstring>

#include "common/text.hpp"

namespace karmo::anmeldung {
namespace {

constexpr char32_t k_ersatz = 0xFFFD;
constexpr std::string_view k_bom_utf8 = "\xEF\xBB\xBF";
constexpr std::string_view k_bom_utf16le = "\xFF\xFE";

unsigned char byte(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

// The length of the valid sequence at `i`, 0 when it is not one.
std::size_t sequenzlaenge(std::string_view s, std::size_t i) {
    const unsigned char c = byte(s, i);
    if (c < 0x80) return 1;
    std::size_t n;
    char32_t cp;
    if (c >= 0xC2 && c <= 0xDF) { n = 2; cp = c & 0x1FU; }
    else if (c >= 0xE0 && c <= 0xEF) { n = 3; cp = c & 0x0FU; }
    else if (c >= 0xF0 && c <= 0xF4) { n = 4; cp = c & 0x07U; }
    else return 0;
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        const unsigned char f = byte(s, i + k);
        if ((f & 0xC0U) != 0x80U) return 0;
        cp = (cp << 6) | (f & 0x3FU);
    }
    if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF))) return 0;
    if (cp >= 0xD800 && cp <= 0xDFFF) return 0;
    return n;
}

std::string utf16le(std::string_view s) {
    std::string out;
    out.reserve(s.size() + s.size() / 2);
    std::size_t i = 0;
    const auto einheit = [&s](std::size_t k) { return static_cast<char16_t>(byte(s, k) | (byte(s, k + 1) << 8)); };
    while (i + 1 < s.size()) {
        const char16_t a = einheit(i);
        i += 2;
        if (a >= 0xD800 && a <= 0xDBFF && i + 1 < s.size()) {
            const char16_t b = einheit(i);
            if (b >= 0xDC00 && b <= 0xDFFF) {
                i += 2;
                zeichen_anhaengen(out, 0x10000 + ((static_cast<char32_t>(a) - 0xD800) << 10) + (b - 0xDC00));
                continue;
            }
        }
        zeichen_anhaengen(out, a >= 0xD800 && a <= 0xDFFF ? k_ersatz : a);
    }
    if (i < s.size()) zeichen_anhaengen(out, k_ersatz); // an odd last byte
    return out;
}

// UTF-8 with invalid sequences replaced.
std::string utf8_bereinigt(std::string_view s) {
    if (utf8_gueltig(s)) return std::string(s);
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) zeichen_anhaengen(out, zeichen_lesen(s, i));
    return out;
}

} // namespace

bool utf8_gueltig(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        // ASCII eight bytes at a time: most of a table is.
        while (i + 8 <= s.size()) {
            std::uint64_t w;
            std::memcpy(&w, s.data() + i, 8);
            if ((w & 0x8080808080808080ULL) != 0) break;
            i += 8;
        }
        if (i >= s.size()) break;
        const std::size_t n = sequenzlaenge(s, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

char32_t zeichen_lesen(std::string_view s, std::size_t& i) {
    const std::size_t n = sequenzlaenge(s, i);
    if (n == 0) {
        ++i;
        return k_ersatz;
    }
    char32_t cp = n == 1 ? byte(s, i) : byte(s, i) & (0x7FU >> n);
    for (std::size_t k = 1; k < n; ++k) cp = (cp << 6) | (byte(s, i + k) & 0x3FU);
    i += n;
    return cp;
}

void zeichen_anhaengen(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0U | (cp >> 6)));
        out.push_back(static_cast<char>(0x80U | (cp & 0x3FU)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0U | (cp >> 12)));
        out.push_back(static_cast<char>(0x80U | ((cp >> 6) & 0x3FU)));
        out.push_back(static_cast<char>(0x80U | (cp & 0x3FU)));
    } else {
        out.push_back(static_cast<char>(0xF0U | (cp >> 18)));
        out.push_back(static_cast<char>(0x80U | ((cp >> 12) & 0x3FU)));
        out.push_back(static_cast<char>(0x80U | ((cp >> 6) & 0x3FU)));
        out.push_back(static_cast<char>(0x80U | (cp & 0x3FU)));
    }
}

std::optional<std::string> als_utf8(std::string_view bytes) {
    if (bytes.starts_with(k_bom_utf16le)) {
        std::string t = utf16le(bytes.substr(k_bom_utf16le.size()));
        if (t.find('\0') != std::string::npos) return std::nullopt;
        return t;
    }
    if (std::memchr(bytes.data(), 0, bytes.size()) != nullptr) return std::nullopt;
    if (bytes.starts_with(k_bom_utf8)) return utf8_bereinigt(bytes.substr(k_bom_utf8.size()));
    if (utf8_gueltig(bytes)) return std::string(bytes);
    return text::cp1252_zu_utf8(bytes);
}

} // namespace karmo::anmeldung
