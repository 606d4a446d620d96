// Lines of the journal: writing them with their check, reading them back and refusing damaged ones.
#include "sicherung/format.hpp"

#include <charconv>
#include <cstring>

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

// Whether `t` holds none of backslash, CR, LF and `auch` (a tab or a
// backslash). Every list line passes here, so eight bytes are looked at a
// time: a word with no byte below 0x20 and no backslash holds none of them
// (the classic test for a zero byte, on w ^ "\\\\..." and on w - 0x20 per
// byte); a word that may is looked at byte by byte.
bool schlicht(std::string_view t, char auch) {
    const auto genau = [auch](std::string_view teil) {
        for (char c : teil) {
            if (c == '\\' || c == '\r' || c == '\n' || c == auch) return false;
        }
        return true;
    };
    constexpr std::uint64_t k_eins = 0x0101010101010101ULL;
    constexpr std::uint64_t k_hoch = 0x8080808080808080ULL;
    if (t.size() < 8) return genau(t);
    const auto wort = [&](std::size_t i) {
        std::uint64_t w = 0;
        std::memcpy(&w, t.data() + i, sizeof w);
        const std::uint64_t b = w ^ (k_eins * static_cast<unsigned char>('\\'));
        const bool vielleicht = (((w - k_eins * 0x20) & ~w) | ((b - k_eins) & ~b)) & k_hoch;
        return !vielleicht || genau(t.substr(i, 8));
    };
    // The last word ends with the text, overlapping the one before it.
    for (std::size_t i = 0; i + 8 < t.size(); i += 8) {
        if (!wort(i)) return false;
    }
    return wort(t.size() - 8);
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

namespace {

// The head in front of a payload of `laenge` bytes with check sum `crc`:
// "<length> <crc> ". Room is kept for a length of 9 digits, which is all a
// reader takes; a longer head (never written) would be put in all the same.
constexpr std::size_t k_kopfplatz = 19;
std::size_t kopf_schreiben(char* kopf, std::size_t laenge, std::uint32_t crc) {
    const auto [ende, fehler] = std::to_chars(kopf, kopf + 20, laenge);
    (void)fehler; // 20 digits hold any size_t
    char* p = ende;
    *p++ = ' ';
    for (int h = 7; h >= 0; --h) *p++ = k_hex[(crc >> (4 * h)) & 0xFU];
    *p++ = ' ';
    return static_cast<std::size_t>(p - kopf);
}

} // namespace

void eintrag(std::string& out, std::initializer_list<std::string_view> felder) {
    Sammeleintrag e(out, *felder.begin(), false);
    for (auto f = felder.begin() + 1; f != felder.end(); ++f) e.feld(*f);
    e.schliessen();
}

Sammeleintrag::Sammeleintrag(std::string& out, std::string_view art, bool teilbar)
    : out_(out), art_(art), teilbar_(teilbar) {
    beginnen();
}

void Sammeleintrag::beginnen() {
    anfang_ = out_.size();
    out_.append(k_kopfplatz, ' ');
    maskiert_anfuegen(out_, art_);
    felder_ = 0;
}

void Sammeleintrag::feld(std::string_view f) {
    if (teilbar_ && felder_ > 0 && out_.size() - anfang_ - k_kopfplatz + 1 + 2 * f.size() > k_hoechste_nutzlast) {
        schliessen();
        beginnen();
    }
    out_ += '\t';
    maskiert_anfuegen(out_, f);
    ++felder_;
}

void Sammeleintrag::schliessen() {
    // Written where it goes, the head is put in front of the payload when
    // its length and check sum are known: one move of the payload by the
    // few bytes the head leaves unused.
    const std::size_t nutz = anfang_ + k_kopfplatz;
    const std::string_view nutzlast = std::string_view(out_).substr(nutz);
    char kopf[32];
    const std::size_t n = kopf_schreiben(kopf, nutzlast.size(), crc32(nutzlast));
    out_.replace(anfang_, k_kopfplatz, kopf, n);
    out_ += '\n';
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
