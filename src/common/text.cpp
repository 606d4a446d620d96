// Text helpers: UTF-8 inside, Windows-1252 on disk.
#include "common/text.hpp"

#include <array>
#include <cstdint>

namespace karmo::text {
namespace {

// Windows-1252 bytes 0x80 to 0x9F; 0 marks the five undefined bytes.
constexpr std::array<char32_t, 32> k_cp1252_hoch = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool folgebyte(unsigned char c) { return (c & 0xC0U) == 0x80U; }

void utf8_anhaengen(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0U | (cp >> 6)));
        out.push_back(static_cast<char>(0x80U | (cp & 0x3FU)));
    } else {
        out.push_back(static_cast<char>(0xE0U | (cp >> 12)));
        out.push_back(static_cast<char>(0x80U | ((cp >> 6) & 0x3FU)));
        out.push_back(static_cast<char>(0x80U | (cp & 0x3FU)));
    }
}

char cp1252_byte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < k_cp1252_hoch.size(); ++i) {
        if (k_cp1252_hoch[i] == cp) return static_cast<char>(0x80 + i);
        if (k_cp1252_hoch[i] == 0 && cp == 0x80 + i) return static_cast<char>(cp);
    }
    return '?';
}

} // namespace

std::size_t zeichenzahl(std::string_view utf8) {
    std::size_t n = 0;
    for (char c : utf8) {
        if (!folgebyte(static_cast<unsigned char>(c))) ++n;
    }
    return n;
}

std::size_t byte_offset(std::string_view utf8, std::size_t zeichen) {
    std::size_t i = 0;
    while (i < utf8.size()) {
        if (!folgebyte(static_cast<unsigned char>(utf8[i]))) {
            if (zeichen == 0) return i;
            --zeichen;
        }
        ++i;
    }
    return utf8.size();
}

std::string_view links(std::string_view utf8, std::size_t anzahl) {
    return utf8.substr(0, byte_offset(utf8, anzahl));
}

std::string_view ab(std::string_view utf8, std::size_t start) {
    if (start <= 1) return utf8;
    return utf8.substr(byte_offset(utf8, start - 1));
}

std::string cp1252_zu_utf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            // A run of ASCII is the same in both: appended at once.
            std::size_t j = i + 1;
            while (j < bytes.size() && static_cast<unsigned char>(bytes[j]) < 0x80) ++j;
            out.append(bytes.substr(i, j - i));
            i = j - 1;
        } else if (b < 0xA0) {
            const char32_t cp = k_cp1252_hoch[b - 0x80U];
            utf8_anhaengen(out, cp == 0 ? static_cast<char32_t>(b) : cp);
        } else {
            utf8_anhaengen(out, b);
        }
    }
    return out;
}

std::string utf8_zu_cp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            // A run of ASCII is the same in both: appended at once.
            std::size_t j = i + 1;
            while (j < utf8.size() && static_cast<unsigned char>(utf8[j]) < 0x80) ++j;
            out.append(utf8.substr(i, j - i));
            i = j;
            continue;
        }
        std::size_t laenge = 0;
        char32_t cp = 0;
        if ((b & 0xE0U) == 0xC0U) { laenge = 2; cp = b & 0x1FU; }
        else if ((b & 0xF0U) == 0xE0U) { laenge = 3; cp = b & 0x0FU; }
        else if ((b & 0xF8U) == 0xF0U) { laenge = 4; cp = b & 0x07U; }
        bool gueltig = laenge != 0 && i + laenge <= utf8.size();
        for (std::size_t k = 1; gueltig && k < laenge; ++k) {
            const auto f = static_cast<unsigned char>(utf8[i + k]);
            if (!folgebyte(f)) gueltig = false;
            else cp = (cp << 6) | (f & 0x3FU);
        }
        if (!gueltig) {
            out.push_back('?');
            ++i;
            continue;
        }
        out.push_back(cp1252_byte(cp));
        i += laenge;
    }
    return out;
}

std::string klein(std::string_view utf8) {
    std::string out(utf8);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto b = static_cast<unsigned char>(out[i]);
        if (b >= 'A' && b <= 'Z') {
            out[i] = static_cast<char>(b + 32);
        } else if (b == 0xC3 && i + 1 < out.size()) {
            // U+00C0..U+00DE (without U+00D7) fold to U+00E0..U+00FE.
            const auto f = static_cast<unsigned char>(out[i + 1]);
            if (f >= 0x80 && f <= 0x9E && f != 0x97) out[i + 1] = static_cast<char>(f + 0x20);
            ++i;
        }
    }
    return out;
}

bool gleich_ohne_gross_klein(std::string_view a, std::string_view b) { return klein(a) == klein(b); }

} // namespace karmo::text
