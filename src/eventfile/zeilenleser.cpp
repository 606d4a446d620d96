// Chunked line reading with a bounded line, for files of any size and shape.
#include "eventfile/zeilenleser.hpp"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "eventfile/xml_wert.hpp"

namespace karmo::xml {
namespace {

// The first read is small, since the file lists read only a file's head;
// each further read doubles the block up to its full size.
constexpr std::size_t k_erster_block = 4 * 1024;
constexpr std::size_t k_blockgroesse = 64 * 1024;
// Zero bytes behind the buffer's end, for the line scan's word loads.
constexpr std::size_t k_nachlauf = 16;
constexpr std::size_t k_laengstes_wort = [] {
    std::size_t n = 0;
    for (auto w : k_suchwoerter) n = std::max(n, w.size());
    return n;
}();
static_assert(k_suchwoerter.size() <= 32, "one bit per word");

const char* const k_quelle = "Dateizugriff";

constexpr std::uint32_t bit(Wort w) { return 1U << static_cast<unsigned>(w); }

// The words that start with "<", grouped by the first letter of the name
// (after "<" or "</"). Each is compared by a few word-sized loads, so a "<"
// costs a table look-up and one to three compares.
struct Wortform {
    std::uint64_t vorn = 0, mitte = 0, hinten = 0;
    // The first (up to) eight bytes as an eight-byte load sees them, and
    // which of its bits they are: most "<" fail on this one compare.
    std::uint64_t kopf = 0, kopfmaske = 0;
    std::uint32_t laenge = 0;
    std::uint8_t index = 0;
};

// Byte loads in memory order, also at compile time (where the table below
// is built).
constexpr std::uint64_t lade(const char* p, std::size_t n) {
    if (!std::is_constant_evaluated()) {
        if (n == 8) {
            std::uint64_t v;
            std::memcpy(&v, p, sizeof v);
            return v;
        }
        std::uint32_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    std::uint64_t v = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const auto b = static_cast<std::uint64_t>(static_cast<unsigned char>(p[k]));
        v |= std::endian::native == std::endian::little ? b << (8 * k) : b << (8 * (n - 1 - k));
    }
    return v;
}

std::uint64_t lade8(const char* p) { return lade(p, 8); }

// What an eight-byte load of `p` holds of its first `n` bytes (n <= 8),
// the others zero.
constexpr std::uint64_t kopf_von(const char* p, std::size_t n) {
    std::uint64_t v = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const auto b = static_cast<std::uint64_t>(static_cast<unsigned char>(p[k]));
        v |= std::endian::native == std::endian::little ? b << (8 * k) : b << (8 * (7 - k));
    }
    return v;
}

// Loads the parts of `p` that cover `laenge` bytes (at least 4, at most 24).
constexpr Wortform form_von(const char* p, std::size_t laenge) {
    Wortform f;
    f.laenge = static_cast<std::uint32_t>(laenge);
    if (laenge < 8) {
        f.vorn = lade(p, 4);
        f.hinten = lade(p + laenge - 4, 4);
    } else {
        f.vorn = lade(p, 8);
        f.hinten = lade(p + laenge - 8, 8);
        if (laenge > 16) f.mitte = lade(p + 8, 8);
    }
    if (std::is_constant_evaluated()) {
        const std::size_t n = std::min<std::size_t>(laenge, 8);
        const char einsen[8] = {'\xff', '\xff', '\xff', '\xff', '\xff', '\xff', '\xff', '\xff'};
        f.kopf = kopf_von(p, n);
        f.kopfmaske = kopf_von(einsen, n);
    }
    return f;
}

bool gleich(const char* p, const Wortform& w) {
    const Wortform t = form_von(p, w.laenge);
    return t.vorn == w.vorn && t.hinten == w.hinten && t.mitte == w.mitte;
}

struct Verzeichnis {
    static constexpr std::size_t k_fach = 4;
    static constexpr std::size_t k_faecher = 24;
    // Bucket of "<" + c (fach_auf) and of "</" + c (fach_zu); 0 is no bucket.
    std::array<std::uint8_t, 256> fach_auf{}, fach_zu{};
    std::array<std::array<Wortform, k_fach>, k_faecher> woerter{};
    std::array<std::uint8_t, k_faecher> anzahl{};
    std::size_t kuerzestes = 64;

    constexpr Verzeichnis() {
        std::size_t belegt = 1;
        for (std::size_t i = 0; i < k_suchwoerter.size(); ++i) {
            const std::string_view w = k_suchwoerter[i];
            if (w[0] != '<') continue;
            const bool zu = w[1] == '/';
            auto& fach = zu ? fach_zu : fach_auf;
            const auto c = static_cast<unsigned char>(w[zu ? 2 : 1]);
            if (fach[c] == 0) {
                if (belegt == k_faecher) throw std::logic_error("Suchwoerter: zu viele Faecher");
                fach[c] = static_cast<std::uint8_t>(belegt++);
            }
            const std::size_t k = fach[c];
            Wortform f = form_von(w.data(), w.size());
            f.index = static_cast<std::uint8_t>(i);
            if (anzahl[k] == k_fach) throw std::logic_error("Suchwoerter: Fach zu klein");
            woerter[k][anzahl[k]++] = f;
            kuerzestes = std::min(kuerzestes, w.size());
        }
    }
};
// Built at compile time: no start-up cost, and usable during static
// initialisation.
constexpr Verzeichnis k_verzeichnis{};

static_assert(k_laengstes_wort <= 24, "three loads cover a word");

// Records the words that start at `p`, a "<" with `rest` bytes from it up
// to where the text ends.
inline void wort_an(const char* p, std::size_t rest, std::uint32_t abstand, std::uint32_t& funde, std::uint32_t* positionen) {
    if (rest < k_verzeichnis.kuerzestes) return;
    const std::size_t k = p[1] == '/' ? k_verzeichnis.fach_zu[static_cast<unsigned char>(p[2])]
                                      : k_verzeichnis.fach_auf[static_cast<unsigned char>(p[1])];
    if (k == 0) return;
    for (std::size_t j = 0; j < k_verzeichnis.anzahl[k]; ++j) {
        const Wortform& w = k_verzeichnis.woerter[k][j];
        if (rest >= w.laenge && (funde & (1U << w.index)) == 0 && gleich(p, w)) {
            funde |= 1U << w.index;
            positionen[w.index] = abstand;
        }
    }
}

// The same where at least eight bytes from `p` may be loaded (the buffer's
// zero tail), which lets one load reject most candidates.
inline void wort_im_puffer(const char* p, std::size_t rest, std::uint32_t abstand, std::uint32_t& funde,
                           std::uint32_t* positionen) {
    const std::size_t k = p[1] == '/' ? k_verzeichnis.fach_zu[static_cast<unsigned char>(p[2])]
                                      : k_verzeichnis.fach_auf[static_cast<unsigned char>(p[1])];
    if (k == 0) return;
    const std::uint64_t kopf = lade8(p);
    for (std::size_t j = 0; j < k_verzeichnis.anzahl[k]; ++j) {
        const Wortform& w = k_verzeichnis.woerter[k][j];
        if ((kopf & w.kopfmaske) != w.kopf || rest < w.laenge || (funde & (1U << w.index)) != 0) continue;
        if (w.laenge > 8 && !gleich(p, w)) continue;
        funde |= 1U << w.index;
        positionen[w.index] = abstand;
    }
}

// The words beginning with "<" in `zeile`, and where each first occurs.
std::uint32_t woerter_in(std::string_view zeile, std::uint32_t* positionen) {
    std::uint32_t funde = 0;
    const char* const anfang = zeile.data();
    const char* const ende = anfang + zeile.size();
    const char* p = anfang;
    while (static_cast<std::size_t>(ende - p) >= k_verzeichnis.kuerzestes) {
        p = static_cast<const char*>(
            std::memchr(p, '<', static_cast<std::size_t>(ende - p) - k_verzeichnis.kuerzestes + 1));
        if (p == nullptr) break;
        wort_an(p, static_cast<std::size_t>(ende - p), static_cast<std::uint32_t>(p - anfang), funde, positionen);
        ++p;
    }
    return funde;
}

// Sixteen bytes at a time: one bit per byte (lowest bit first byte) for
// the bytes that are CR and for those that are "<".
struct Masken {
    unsigned cr, kleiner;
};
#if defined(__SSE2__)
inline Masken masken(const char* p) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return {static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')))),
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('<'))))};
}
#else
inline Masken masken(const char* p) {
    Masken m{0, 0};
    for (unsigned k = 0; k < 16; ++k) {
        m.cr |= static_cast<unsigned>(p[k] == '\r') << k;
        m.kleiner |= static_cast<unsigned>(p[k] == '<') << k;
    }
    return m;
}
#endif

} // namespace

Zeilenleser::Zeilenleser(Lesedatei& datei) : datei_(datei) {}

bool Zeilenleser::nachfuellen() {
    if (dateiende_) return false;
    if (groesse_ < k_blockgroesse) {
        // Nothing in the old buffer is still needed: callers keep the
        // current line elsewhere before they refill.
        groesse_ = groesse_ == 0 ? k_erster_block : std::min(k_blockgroesse, groesse_ * 2);
        puffer_ = std::make_unique<char[]>(groesse_ + k_nachlauf);
    }
    Ergebnis fehler;
    const std::size_t n = datei_.lesen(puffer_.get(), groesse_, fehler);
    if (!fehler.ok()) throw Fehler(fehler.nummer, k_quelle, fehler.text);
    pos_ = 0;
    fuellung_ = n;
    if (n == 0) dateiende_ = true;
    return n != 0;
}

void Zeilenleser::lf_schlucken() {
    if (!cr_offen_) return;
    if (pos_ == fuellung_) {
        // The current line may still point into the buffer that refilling
        // overwrites: keep a copy of it first.
        if (!ansicht_.empty() && ansicht_.data() != zeile_.data()) {
            zeile_.assign(ansicht_);
            ansicht_ = zeile_;
        }
        if (!nachfuellen()) return;
    }
    cr_offen_ = false;
    if (puffer_[pos_] == '\n') ++pos_;
}

bool Zeilenleser::ende_langsam() {
    lf_schlucken();
    if (pos_ < fuellung_) return false;
    if (!ansicht_.empty() && ansicht_.data() != zeile_.data()) {
        zeile_.assign(ansicht_);
        ansicht_ = zeile_;
    }
    return !nachfuellen();
}

// The usual case: the line ends inside the buffer. One sweep finds its end
// and, on the way, every "<" and the words starting there. False (nothing
// taken) when the line runs on past the buffer or is too long to keep.
bool Zeilenleser::im_puffer_lesen() {
    const char* const anfang = puffer_.get() + pos_;
    const std::size_t n = fuellung_ - pos_;
    std::uint32_t funde = 0;
    for (std::size_t i = 0; i < n && i <= k_hoechstlaenge; i += 16) {
        Masken m = masken(anfang + i);
        if (n - i < 16) {
            // The bytes past the filled part are not the file's.
            const unsigned gueltig = (1U << (n - i)) - 1;
            m.cr &= gueltig;
            m.kleiner &= gueltig;
        }
        // Only the "<" before the line end. A word holds no CR, so comparing
        // it up to the buffer's end cannot match across the line end.
        if (m.cr != 0) m.kleiner &= (m.cr & (0U - m.cr)) - 1;
        for (unsigned k = m.kleiner; k != 0; k &= k - 1) {
            const std::size_t at = i + static_cast<unsigned>(std::countr_zero(k));
            wort_im_puffer(anfang + at, n - at, static_cast<std::uint32_t>(at), funde, positionen_.data());
        }
        if (m.cr != 0) {
            const std::size_t laenge = i + static_cast<unsigned>(std::countr_zero(m.cr));
            if (laenge > k_hoechstlaenge) return false;
            ansicht_ = std::string_view(anfang, laenge);
            pos_ += laenge + 1;
            cr_offen_ = true;
            funde_ = funde;
            funde_bekannt_ = true;
            return true;
        }
    }
    return false;
}

void Zeilenleser::lesen_langsam() {
    lf_schlucken();
    ansicht_ = {};
    if (pos_ == fuellung_ && !nachfuellen()) throw Fehler(62, k_quelle, "Einlesen hinter Dateiende.");
    zu_lang_ = false;
    funde_ = 0;
    funde_bekannt_ = false;
    if (im_puffer_lesen()) return;
    funde_ = 0;
    zeile_.clear();
    for (;;) {
        const char* a = puffer_.get() + pos_;
        const std::size_t n = fuellung_ - pos_;
        const auto* cr = static_cast<const char*>(std::memchr(a, '\r', n));
        const std::size_t laenge = cr ? static_cast<std::size_t>(cr - a) : n;
        anhaengen(a, laenge);
        pos_ += laenge;
        if (cr) {
            ++pos_;
            cr_offen_ = true;
            break;
        }
        if (!nachfuellen()) break; // the last line needs no line end
    }
    ansicht_ = zeile_;
}

void Zeilenleser::anhaengen(const char* a, std::size_t n) {
    if (zu_lang_) {
        ueberhang_durchsuchen(a, n);
        return;
    }
    const std::size_t platz = k_hoechstlaenge - zeile_.size();
    const std::size_t nehmen = std::min(n, platz);
    zeile_.append(a, nehmen);
    if (nehmen == n) return;
    // From here on the line is only searched, not kept.
    zu_lang_ = true;
    funde_ = woerter_in(zeile_, positionen_.data());
    if (zeile_.find(k_suchwoerter[0]) != std::string::npos) funde_ |= bit(Wort::Veranstaltung);
    funde_bekannt_ = true;
    fenster_.assign(zeile_, zeile_.size() - std::min(zeile_.size(), k_laengstes_wort - 1));
    ueberhang_durchsuchen(a + nehmen, n - nehmen);
}

void Zeilenleser::ueberhang_durchsuchen(const char* a, std::size_t n) {
    // The tail of what came before stays in front, so that a word split
    // between two chunks is found as well.
    fenster_.append(a, n);
    std::array<std::uint32_t, k_suchwoerter.size()> unbenutzt{};
    funde_ |= woerter_in(fenster_, unbenutzt.data());
    if (fenster_.find(k_suchwoerter[0]) != std::string::npos) funde_ |= bit(Wort::Veranstaltung);
    fenster_.erase(0, fenster_.size() - std::min(fenster_.size(), k_laengstes_wort - 1));
}

void Zeilenleser::woerter_suchen() const {
    funde_ = woerter_in(ansicht_, positionen_.data());
    funde_bekannt_ = true;
}

} // namespace karmo::xml
