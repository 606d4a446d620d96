// Lines of the journal: writing them with their check, reading them back and refusing damaged ones.
#include "sicherung/format.hpp"

namespace karmo::sicherung {
namespace {

constexpr std::array<std::uint32_t, 256> crc_tabelle() {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int k = 0; k < 8; ++k) c = (c & 1U) ? 0xEDB88320U ^ (c >> 1) : c >> 1;
        t[i] = c;
    }
    return t;
}
constexpr std::array<std::uint32_t, 256> k_crc = crc_tabelle();

constexpr char k_hex[] = "0123456789abcdef";

void maskiert_anfuegen(std::string& out, std::string_view feld) {
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

// Splits a payload at its tabs and undoes the escapes; false for an escape
// that the writer never makes.
bool zerlegen(std::string_view nutzlast, std::vector<std::string>& felder) {
    felder.clear();
    felder.emplace_back();
    for (std::size_t i = 0; i < nutzlast.size(); ++i) {
        const char c = nutzlast[i];
        if (c == '\t') {
            felder.emplace_back();
        } else if (c == '\\') {
            if (++i == nutzlast.size()) return false;
            switch (nutzlast[i]) {
                case '\\': felder.back() += '\\'; break;
                case 't': felder.back() += '\t'; break;
                case 'r': felder.back() += '\r'; break;
                case 'n': felder.back() += '\n'; break;
                default: return false;
            }
        } else if (c == '\n' || c == '\r') {
            return false;
        } else {
            felder.back() += c;
        }
    }
    return true;
}

} // namespace

std::uint32_t crc32(std::string_view bytes) {
    std::uint32_t c = 0xFFFFFFFFU;
    for (char b : bytes) c = k_crc[(c ^ static_cast<unsigned char>(b)) & 0xFFU] ^ (c >> 8);
    return c ^ 0xFFFFFFFFU;
}

void eintrag(std::string& out, std::initializer_list<std::string_view> felder) {
    std::string nutzlast;
    bool erstes = true;
    for (std::string_view f : felder) {
        if (!erstes) nutzlast += '\t';
        erstes = false;
        maskiert_anfuegen(nutzlast, f);
    }
    const std::uint32_t crc = crc32(nutzlast);
    out += std::to_string(nutzlast.size());
    out += ' ';
    for (int k = 7; k >= 0; --k) out += k_hex[(crc >> (4 * k)) & 0xFU];
    out += ' ';
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
