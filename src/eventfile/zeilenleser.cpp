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
constexpr std::size_t k_blockgroesse = 256 * 1024;
constexpr std::size_t k_laengstes_wort = [] {
    std::size_t n = 0;
    for (auto w : k_suchwoerter) n = std::max(n, w.size());
    return n;
}();
static_assert(k_suchwoerter.size() <= 32, "one bit per word");

const char* const k_quelle = "Dateizugriff";

constexpr std::uint32_t bit(Wort w) { return 1U << static_cast<unsigned>(w); }

// The words that start with "<" all end with ">" and hold no other "<" or
// ">". A word that starts at a "<" therefore ends at the first ">" from
// its fifth byte on (the shortest word has five), and that ">" gives its
// length. Length, second and last-but-one byte pick the one word that can
// start there from a small table (a perfect hash, found at compile time);
// one sixteen-byte compare, and a second for the two longer words, decide.
// A "<" costs the same few steps whatever follows it, with no branch on
// the outcome.
constexpr std::size_t k_nachlauf = 32;         // the match reads up to 20 bytes from a "<"
constexpr std::size_t k_kuerzestes = 5;         // "<VNR>", "<EFN>"
constexpr std::size_t k_groesste_laenge = 21;   // a ">" beyond p[20] is never looked for
constexpr unsigned k_ohne_wort = 31;            // position slot of a "<" that starts no word
constexpr unsigned k_tabellenbits = 7;

static_assert(k_suchwoerter.size() < k_ohne_wort, "a spare position slot");

// The hash key of a word of length `l` starting at `p`.
constexpr unsigned schluessel(std::size_t l, unsigned char zweites, unsigned char vorletztes) {
    return static_cast<unsigned>(l) | static_cast<unsigned>(zweites) << 5 | static_cast<unsigned>(vorletztes) << 13;
}

constexpr unsigned fach_von(unsigned schl, std::uint32_t faktor) {
    return static_cast<std::uint32_t>(schl * faktor) >> (32 - k_tabellenbits);
}

struct Tabellenwort {
    std::array<unsigned char, 16> muster{}; // the first (up to) 16 bytes
    std::uint32_t maske = 0;                // which of the 16 compare results count
    std::uint64_t hinten = 0;               // bytes 9 to 16 from the end, for words over 16
    std::uint64_t hintenmaske = 0;
    std::uint8_t hinten_ab = 0;
    std::uint8_t laenge = 0;
    std::uint8_t index = k_ohne_wort;
};

struct Worttabelle {
    std::array<Tabellenwort, std::size_t{1} << k_tabellenbits> fach{};
    std::uint32_t faktor = 0;

    constexpr Worttabelle() {
        // Multipliers from a fixed sequence until all words land apart.
        std::uint32_t kandidat = 0x9E3779B1U;
        for (int versuch = 0; versuch < 10000; ++versuch, kandidat = kandidat * 0x2C1B3C6DU + 0x297A2D39U) {
            const std::uint32_t f = kandidat | 1U;
            std::array<bool, std::size_t{1} << k_tabellenbits> belegt{};
            bool kollision = false;
            for (const std::string_view w : k_suchwoerter) {
                if (w[0] != '<') continue;
                const unsigned h = fach_von(schluessel(w.size(), static_cast<unsigned char>(w[1]),
                                                   static_cast<unsigned char>(w[w.size() - 2])), f);
                if (belegt[h]) {
                    kollision = true;
                    break;
                }
                belegt[h] = true;
            }
            if (!kollision) {
                faktor = f;
                break;
            }
        }
        if (faktor == 0) throw std::logic_error("Suchwoerter: keine kollisionsfreie Tabelle");
        for (std::size_t i = 0; i < k_suchwoerter.size(); ++i) {
            const std::string_view w = k_suchwoerter[i];
            if (w[0] != '<') continue;
            if (w.size() < k_kuerzestes || w.size() >= k_groesste_laenge) throw std::logic_error("Suchwoerter: Laenge");
            for (std::size_t k = 1; k < w.size(); ++k) {
                if (w[k] == '<' || (w[k] == '>' && k + 1 != w.size())) throw std::logic_error("Suchwoerter: < oder > im Wort");
            }
            if (w.back() != '>') throw std::logic_error("Suchwoerter: Wort endet nicht auf >");
            Tabellenwort& t = fach[fach_von(schluessel(w.size(), static_cast<unsigned char>(w[1]),
                                                   static_cast<unsigned char>(w[w.size() - 2])), faktor)];
            const std::size_t vorn = std::min<std::size_t>(w.size(), 16);
            for (std::size_t k = 0; k < vorn; ++k) {
                t.muster[k] = static_cast<unsigned char>(w[k]);
                t.maske |= 1U << k;
            }
            if (w.size() > 16) {
                t.hinten_ab = static_cast<std::uint8_t>(w.size() - 8);
                for (std::size_t k = 0; k < 8; ++k) {
                    const auto b = static_cast<std::uint64_t>(static_cast<unsigned char>(w[w.size() - 8 + k]));
                    const auto schub = static_cast<unsigned>(std::endian::native == std::endian::little ? 8 * k : 8 * (7 - k));
                    t.hinten |= b << schub;
                    t.hintenmaske |= std::uint64_t{0xFF} << schub;
                }
            }
            t.laenge = static_cast<std::uint8_t>(w.size());
            t.index = static_cast<std::uint8_t>(i);
        }
        // An empty slot never matches: a "<" is no zero byte.
        for (Tabellenwort& t : fach) {
            if (t.maske == 0) t.maske = 1;
        }
    }
};
// Built at compile time: no start-up cost, and usable during static
// initialisation.
constexpr Worttabelle k_tabelle{};

std::uint64_t lade8(const char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

#if defined(__SSE2__)
// Bit k set where p[k] == c, for k < 16.
inline unsigned gleiche_bytes(const char* p, char c) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(c))));
}
// Bit k set where p[k] == muster[k].
inline unsigned wie_muster(const char* p, const std::array<unsigned char, 16>& muster) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(muster.data()));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, m)));
}
#else
inline unsigned gleiche_bytes(const char* p, char c) {
    unsigned m = 0;
    for (unsigned k = 0; k < 16; ++k) m |= static_cast<unsigned>(p[k] == c) << k;
    return m;
}
inline unsigned wie_muster(const char* p, const std::array<unsigned char, 16>& muster) {
    unsigned m = 0;
    for (unsigned k = 0; k < 16; ++k) m |= static_cast<unsigned>(static_cast<unsigned char>(p[k]) == muster[k]) << k;
    return m;
}
#endif

// Records the word that starts at `p`, a "<" with `rest` bytes from it up
// to where the text ends. The 20 bytes from `p` may be read whatever
// `rest` says (the buffer's tail); only the first `rest` count.
inline void wort_im_puffer(const char* p, std::size_t rest, std::uint32_t abstand, std::uint32_t& funde,
                           std::uint32_t* positionen) {
    // The first ">" in p[4..19]; none makes the length 21, which no word has.
    const auto t = static_cast<unsigned>(std::countr_zero(gleiche_bytes(p + 4, '>') | 1U << 16));
    const std::size_t l = t + 5;
    const Tabellenwort& w = k_tabelle.fach[fach_von(
        schluessel(l, static_cast<unsigned char>(p[1]), static_cast<unsigned char>(p[l - 2])), k_tabelle.faktor)];
    const bool gleich = (wie_muster(p, w.muster) & w.maske) == w.maske &&
                        ((lade8(p + w.hinten_ab) ^ w.hinten) & w.hintenmaske) == 0 && w.laenge <= rest;
    // Only the first occurrence sets the position; a "<" that starts no
    // word writes the spare slot.
    const unsigned index = gleich ? w.index : k_ohne_wort;
    const std::uint32_t b = (1U << index) & ~(1U << k_ohne_wort);
    positionen[index] = (funde & b) != 0 ? positionen[index] : abstand;
    funde |= b;
}

// The same where the text has no readable tail: a copy of the bytes from
// `p` with zeros behind them stands in.
inline void wort_an(const char* p, std::size_t rest, std::uint32_t abstand, std::uint32_t& funde, std::uint32_t* positionen) {
    std::array<char, k_nachlauf> kopie{};
    std::memcpy(kopie.data(), p, std::min(rest, k_groesste_laenge));
    wort_im_puffer(kopie.data(), rest, abstand, funde, positionen);
}

// The words beginning with "<" in `zeile`, and where each first occurs.
std::uint32_t woerter_in(std::string_view zeile, std::uint32_t* positionen) {
    std::uint32_t funde = 0;
    const char* const anfang = zeile.data();
    const char* const ende = anfang + zeile.size();
    const char* p = anfang;
    while (static_cast<std::size_t>(ende - p) >= k_kuerzestes) {
        p = static_cast<const char*>(
            std::memchr(p, '<', static_cast<std::size_t>(ende - p) - k_kuerzestes + 1));
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
    // A larger buffer only after one that the file filled: a short read has
    // usually reached the end already. Nothing in the old buffer is still
    // needed: callers keep the current line elsewhere before they refill.
    if (groesse_ == 0 || (groesse_ < k_blockgroesse && fuellung_ == groesse_)) {
        groesse_ = groesse_ == 0 ? k_erster_block : std::min(k_blockgroesse, groesse_ * 2);
        puffer_ = std::make_unique_for_overwrite<char[]>(groesse_ + k_nachlauf);
    }
    Ergebnis fehler;
    const std::size_t n = datei_.lesen(puffer_.get(), groesse_, fehler);
    if (!fehler.ok()) throw Fehler(fehler.nummer, k_quelle, fehler.text);
    pos_ = 0;
    fuellung_ = n;
    std::memset(puffer_.get() + n, 0, k_nachlauf);
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
    // The bytes after the filled part are zero (nachfuellen), so they hold
    // neither a CR nor a "<".
    for (std::size_t i = 0; i < n; i += 16) {
        Masken m = masken(anfang + i);
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

namespace {

// The longest value the block shape takes; a longer one goes the general way.
constexpr std::size_t k_kurzer_wert = 48;

// `vorn`, a value without "<" or CR, `hinten`, then the line end (CR, and
// an LF when one follows) at `p`, all before `ende`. The value goes to
// `wert`; returns where the next line starts, or nullptr.
inline const char* wertzeile(const char* p, const char* ende, std::string_view vorn, std::string_view hinten,
                             std::string_view& wert) {
    if (static_cast<std::size_t>(ende - p) < vorn.size() + hinten.size() + 1) return nullptr;
    if (std::memcmp(p, vorn.data(), vorn.size()) != 0) return nullptr;
    const char* const w = p + vorn.size();
    // Sixteen bytes at a time from `w`: a step that starts before `ende`
    // stays within the zeroed bytes after it. The first "<" or CR ends the
    // value.
    std::size_t laenge = 0;
    for (;;) {
        if (laenge > k_kurzer_wert || w + laenge >= ende) return nullptr;
        const unsigned m = gleiche_bytes(w + laenge, '<') | gleiche_bytes(w + laenge, '\r');
        if (m != 0) {
            laenge += static_cast<unsigned>(std::countr_zero(m));
            break;
        }
        laenge += 16;
    }
    const char* const h = w + laenge;
    if (laenge > k_kurzer_wert || h >= ende || static_cast<std::size_t>(ende - h) < hinten.size() + 1) return nullptr;
    if (std::memcmp(h, hinten.data(), hinten.size()) != 0 || h[hinten.size()] != '\r') return nullptr;
    wert = std::string_view(w, laenge);
    const char* naechste = h + hinten.size() + 1;
    if (naechste < ende && *naechste == '\n') ++naechste;
    return naechste;
}

} // namespace

bool Zeilenleser::block_lesen(Blockwerte& werte) {
    if (!cr_offen_ || pos_ >= fuellung_) return false;
    const char* const ende = puffer_.get() + fuellung_;
    const char* p = puffer_.get() + pos_;
    if (*p == '\n') ++p;
    std::string_view egal;
    p = wertzeile(p, ende, " <EFN>", "</EFN>", werte.efn);
    if (p != nullptr) p = wertzeile(p, ende, " <Punkte_Basis>", "</Punkte_Basis>", werte.basis);
    if (p != nullptr) p = wertzeile(p, ende, " <Punkte_Interaktivitaet>", "</Punkte_Interaktivitaet>", egal);
    if (p != nullptr) p = wertzeile(p, ende, " <Punkte_Lernkontrolle>", "</Punkte_Lernkontrolle>", egal);
    if (p != nullptr) p = wertzeile(p, ende, " <Punkte_Referent>", "</Punkte_Referent>", werte.referent);
    constexpr std::string_view k_schluss = "</Teilnehmer>\r";
    if (p == nullptr || static_cast<std::size_t>(ende - p) < k_schluss.size() ||
        std::memcmp(p, k_schluss.data(), k_schluss.size()) != 0) {
        return false;
    }
    // Where lesen() would leave the reader on the line "</Teilnehmer>".
    ansicht_ = std::string_view(p, k_schluss.size() - 1);
    pos_ = static_cast<std::size_t>(p + k_schluss.size() - puffer_.get());
    cr_offen_ = true;
    zu_lang_ = false;
    funde_ = bit(Wort::Teilnehmer_zu);
    funde_bekannt_ = true;
    positionen_[static_cast<std::size_t>(Wort::Teilnehmer_zu)] = 0;
    return true;
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
    std::array<std::uint32_t, 32> unbenutzt{};
    funde_ |= woerter_in(fenster_, unbenutzt.data());
    if (fenster_.find(k_suchwoerter[0]) != std::string::npos) funde_ |= bit(Wort::Veranstaltung);
    fenster_.erase(0, fenster_.size() - std::min(fenster_.size(), k_laengstes_wort - 1));
}

void Zeilenleser::woerter_suchen() const {
    funde_ = woerter_in(ansicht_, positionen_.data());
    funde_bekannt_ = true;
}

} // namespace karmo::xml
