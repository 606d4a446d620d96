// Lines of the journal: writing them with their check, reading them back and refusing damaged ones.
#include "sicherung/format.hpp"

#include <charconv>

namespace karmo::sicherung {
namespace {

// Eight tables, so that the check sum takes eight bytes per step ("slicing
// by 8"): a restore checks every byte of the journal.
constexpr std::array<std::array<std::uint32_t, 256>, 8> crc_tabellen() {
    std::array<std::array<std::uint32_t, 256>, 8> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int k = 0; k < 8; ++k) c = (c & 1U) ? 0xEDB88320U ^ (c >> 1) : c >> 1;
        t[0][i] = c;
    }
    for (std::size_t j = 1; j < 8; ++j) {
        for (std::size_t i = 0; i < 256; ++i) t[j][i] = (t[j - 1][i] >> 8) ^ t[0][t[j - 1][i] & 0xFFU];
    }
    return t;
}
constexpr auto k_crc = crc_tabellen();

std::uint32_t byte(std::string_view b, std::size_t i) { return static_cast<unsigned char>(b[i]); }

constexpr char k_hex[] = "0123456789abcdef";

// Whether `t` holds none of backslash, CR, LF and `auch` (a plain loop: for
// short texts far cheaper than find_first_of).
bool schlicht(std::string_view t, char auch) {
    for (char c : t) {
        if (c == '\\' || c == '\r' || c == '\n' || c == auch) return false;
    }
    return true;
}

void maskiert_anfuegen(std::string& out, std::string_view feld) {
    if (schlicht(feld, '\t')) {
        out.append(feld);
        return;
    }
    for (char c : feld) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            default: out += c;
        }
    }
}

int hexwert(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Undoes the escapes of one field; false for an escape the writer never
// makes or a bare line break.
bool entmaskieren(std::string_view roh, std::string& feld) {
    feld.clear();
    for (std::size_t i = 0; i < roh.size(); ++i) {
        const char c = roh[i];
        if (c == '\\') {
            if (++i == roh.size()) return false;
            switch (roh[i]) {
                case '\\': feld += '\\'; break;
                case 't': feld += '\t'; break;
                case 'r': feld += '\r'; break;
                case 'n': feld += '\n'; break;
                default: return false;
            }
        } else if (c == '\n' || c == '\r') {
            return false;
        } else {
            feld += c;
        }
    }
    return true;
}

// Splits a payload at its tabs. The strings of `felder` are reused from
// entry to entry; a field without escapes (nearly all) is copied as it is.
bool zerlegen(std::string_view nutzlast, std::vector<std::string>& felder) {
    std::size_t k = 0, start = 0;
    for (;;) {
        std::size_t ende = nutzlast.find('\t', start);
        if (ende == std::string_view::npos) ende = nutzlast.size();
        if (k == felder.size()) felder.emplace_back();
        std::string& feld = felder[k++];
        const std::string_view roh = nutzlast.substr(start, ende - start);
        if (schlicht(roh, '\\')) {
            feld.assign(roh);
        } else if (!entmaskieren(roh, feld)) {
            return false;
        }
        if (ende == nutzlast.size()) break;
        start = ende + 1;
    }
    felder.resize(k);
    return true;
}

} // namespace

std::uint32_t crc32(std::string_view bytes) {
    std::uint32_t c = 0xFFFFFFFFU;
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        const std::uint32_t a = c ^ (byte(bytes, i) | byte(bytes, i + 1) << 8 | byte(bytes, i + 2) << 16 | byte(bytes, i + 3) << 24);
        c = k_crc[7][a & 0xFFU] ^ k_crc[6][(a >> 8) & 0xFFU] ^ k_crc[5][(a >> 16) & 0xFFU] ^ k_crc[4][a >> 24] ^
            k_crc[3][byte(bytes, i + 4)] ^ k_crc[2][byte(bytes, i + 5)] ^ k_crc[1][byte(bytes, i + 6)] ^
            k_crc[0][byte(bytes, i + 7)];
    }
    for (; i < bytes.size(); ++i) c = k_crc[0][(c ^ byte(bytes, i)) & 0xFFU] ^ (c >> 8);
    return c ^ 0xFFFFFFFFU;
}

void eintrag(std::string& out, std::initializer_list<std::string_view> felder) {
    // Kept from entry to entry: a list line's entry is longer than a short
    // string holds, and another list brings thousands of them at once.
    thread_local std::string nutzlast;
    nutzlast.clear();
    bool erstes = true;
    for (std::string_view f : felder) {
        if (!erstes) nutzlast += '\t';
        erstes = false;
        maskiert_anfuegen(nutzlast, f);
    }
    const std::uint32_t crc = crc32(nutzlast);
    // Length, blank, check sum, blank: assembled first, appended at once.
    char kopf[32];
    const auto [ende, fehler] = std::to_chars(kopf, kopf + 20, nutzlast.size());
    (void)fehler; // 20 digits hold any size_t
    char* p = ende;
    *p++ = ' ';
    for (int k = 7; k >= 0; --k) *p++ = k_hex[(crc >> (4 * k)) & 0xFU];
    *p++ = ' ';
    out.append(kopf, static_cast<std::size_t>(p - kopf));
    out += nutzlast;
    out += '\n';
}

bool Zeilen::naechste(std::vector<std::string>& felder) {
    std::string_view z = rest_;
    // The length: 1 to 9 decimal digits, no leading zero (an entry is never empty).
    std::size_t laenge = 0, i = 0;
    while (i < z.size() && i < 9 && z[i] >= '0' && z[i] <= '9') laenge = laenge * 10 + static_cast<std::size_t>(z[i++] - '0');
    if (i == 0 || z[0] == '0' || i >= z.size() || z[i] != ' ') return false;
    ++i;
    if (z.size() - i < 9) return false;
    std::uint32_t crc = 0;
    for (int k = 0; k < 8; ++k) {
        const int h = hexwert(z[i++]);
        if (h < 0) return false;
        crc = (crc << 4) | static_cast<std::uint32_t>(h);
    }
    if (z[i++] != ' ') return false;
    if (z.size() - i < laenge + 1 || z[i + laenge] != '\n') return false;
    const std::string_view nutzlast = z.substr(i, laenge);
    if (crc32(nutzlast) != crc || !zerlegen(nutzlast, felder)) return false;
    rest_.remove_prefix(i + laenge + 1);
    return true;
}

} // namespace karmo::sicherung
