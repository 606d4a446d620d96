// Chunked line reading with a bounded line, for files of any size and shape.
#include "eventfile/zeilenleser.hpp"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "eventfile/xml_wert.hpp"

namespace karmo::xml {
namespace {

constexpr std::size_t k_blockgroesse = 64 * 1024;
constexpr std::size_t k_laengstes_wort = [] {
    std::size_t n = 0;
    for (auto w : k_suchwoerter) n = std::max(n, w.size());
    return n;
}();
static_assert(k_suchwoerter.size() <= 32, "one bit per word");

const char* const k_quelle = "Dateizugriff";

constexpr std::uint32_t bit(Wort w) { return 1U << static_cast<unsigned>(w); }

// The words that start with "<", grouped by the character after "<" (after
// "</" for closing tags). Each is compared by a few word-sized loads, so a
// line costs one pass over its "<" and a handful of compares at each.
struct Wortform {
    std::uint64_t vorn = 0, mitte = 0, hinten = 0;
    std::size_t laenge = 0;
    std::uint8_t index = 0;
};

std::uint64_t lade8(const char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

std::uint64_t lade4(const char* p) {
    std::uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Loads the parts of `p` that cover `laenge` bytes (at least 4, at most 24).
Wortform form_von(const char* p, std::size_t laenge) {
    Wortform f;
    f.laenge = laenge;
    if (laenge < 8) {
        f.vorn = lade4(p);
        f.hinten = lade4(p + laenge - 4);
    } else {
        f.vorn = lade8(p);
        f.hinten = lade8(p + laenge - 8);
        if (laenge > 16) f.mitte = lade8(p + 8);
    }
    return f;
}

bool gleich(const char* p, const Wortform& w) {
    const Wortform t = form_von(p, w.laenge);
    return t.vorn == w.vorn && t.hinten == w.hinten && t.mitte == w.mitte;
}

std::size_t schluessel(const char* p) {
    return p[1] == '/' ? 256 + static_cast<unsigned char>(p[2]) : static_cast<unsigned char>(p[1]);
}

struct Verzeichnis {
    static constexpr std::size_t k_fach = 4;
    std::array<std::array<Wortform, k_fach>, 512> woerter{};
    std::array<std::uint8_t, 512> anzahl{};
    std::size_t kuerzestes = 64;

    Verzeichnis() {
        for (std::size_t i = 0; i < k_suchwoerter.size(); ++i) {
            const std::string_view w = k_suchwoerter[i];
            if (w[0] != '<') continue;
            const std::size_t k = schluessel(w.data());
            Wortform f = form_von(w.data(), w.size());
            f.index = static_cast<std::uint8_t>(i);
            if (anzahl[k] == k_fach) throw std::logic_error("Suchwoerter: Fach zu klein");
            woerter[k][anzahl[k]++] = f;
            kuerzestes = std::min(kuerzestes, w.size());
        }
    }
};
// Built on first use, so that reading works during static initialisation too.
const Verzeichnis& verzeichnis() {
    static const Verzeichnis v;
    return v;
}

static_assert(k_laengstes_wort <= 24, "three loads cover a word");

// The words beginning with "<" in `zeile`, and where each first occurs.
std::uint32_t woerter_in(std::string_view zeile, std::uint32_t* positionen) {
    const Verzeichnis& k_verzeichnis = verzeichnis();
    std::uint32_t funde = 0;
    const char* const anfang = zeile.data();
    const char* const ende = anfang + zeile.size();
    const char* p = anfang;
    while (static_cast<std::size_t>(ende - p) >= k_verzeichnis.kuerzestes) {
        p = static_cast<const char*>(
            std::memchr(p, '<', static_cast<std::size_t>(ende - p) - k_verzeichnis.kuerzestes + 1));
        if (p == nullptr) break;
        const auto rest = static_cast<std::size_t>(ende - p);
        const std::size_t k = schluessel(p);
        for (std::size_t j = 0; j < k_verzeichnis.anzahl[k]; ++j) {
            const Wortform& w = k_verzeichnis.woerter[k][j];
            if (rest >= w.laenge && (funde & (1U << w.index)) == 0 && gleich(p, w)) {
                funde |= 1U << w.index;
                positionen[w.index] = static_cast<std::uint32_t>(p - anfang);
            }
        }
        ++p;
    }
    return funde;
}

} // namespace

Zeilenleser::Zeilenleser(Lesedatei& datei) : datei_(datei), puffer_(k_blockgroesse) {}

bool Zeilenleser::nachfuellen() {
    if (dateiende_) return false;
    Ergebnis fehler;
    const std::size_t n = datei_.lesen(puffer_.data(), puffer_.size(), fehler);
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

bool Zeilenleser::ende() {
    lf_schlucken();
    if (pos_ < fuellung_) return false;
    if (!ansicht_.empty() && ansicht_.data() != zeile_.data()) {
        zeile_.assign(ansicht_);
        ansicht_ = zeile_;
    }
    return !nachfuellen();
}

void Zeilenleser::lesen() {
    lf_schlucken();
    ansicht_ = {};
    if (pos_ == fuellung_ && !nachfuellen()) throw Fehler(62, k_quelle, "Einlesen hinter Dateiende.");
    zeile_.clear();
    zu_lang_ = false;
    funde_ = 0;
    funde_bekannt_ = false;
    bool ganz_im_puffer = true;
    for (;;) {
        const char* a = puffer_.data() + pos_;
        const std::size_t n = fuellung_ - pos_;
        const auto* cr = static_cast<const char*>(std::memchr(a, '\r', n));
        const std::size_t laenge = cr ? static_cast<std::size_t>(cr - a) : n;
        if (cr && ganz_im_puffer && laenge <= k_hoechstlaenge) {
            // The usual case: the whole line lies in the buffer.
            ansicht_ = std::string_view(a, laenge);
            pos_ += laenge + 1;
            cr_offen_ = true;
            return;
        }
        anhaengen(a, laenge);
        ganz_im_puffer = false;
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
