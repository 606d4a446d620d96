// A printed page as the layout leaves it: texts, filled bars and barcodes in hundredths of a millimetre.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace karmo::druck {

// Every length of the layout is in hundredths of a millimetre, from the
// paper's top left corner.
inline constexpr int k_mm = 100;
inline constexpr int k_papier_breite = 210 * k_mm; // A4 portrait
inline constexpr int k_papier_hoehe = 297 * k_mm;

// Arial at a character height; a line of it takes 1.3 times that (zeilenhoehe).
struct Schrift {
    int hoehe = 0;
    bool fett = false;
};
constexpr int zeilenhoehe(Schrift s) { return s.hoehe * 13 / 10; }

// `text` (UTF-8) with the top left of its line at x, y. The text lives in
// the page (Seite::merken), in the event's data or in the program.
struct Textstueck {
    int x;
    int y;
    Schrift schrift;
    std::string_view text;
};

// A filled black rectangle: rules, table lines, signature lines.
struct Balken {
    int x;
    int y;
    int breite;
    int hoehe;
};

// A Code 39 barcode of `text`: its first bar at x, y, bars `hoehe` high.
// Its widths are the printer's (Strichmass); the layout has left room for
// them and for the quiet zones outside x and the bars' end.
struct Strichcode {
    int x;
    int y;
    int hoehe;
    std::string_view text; // as Textstueck::text
};

// A page's texts point into the event's data (which the layout needs alive
// anyway) or into the page's own store: laying out the largest event's
// 1,800 pages allocates a block now and then, not a string per text.
class Seite {
public:
    Seite() = default;
    Seite(Seite&&) = default;
    Seite& operator=(Seite&&) = default;
    Seite(const Seite&) = delete;
    Seite& operator=(const Seite&) = delete;

    std::vector<Textstueck> texte;
    std::vector<Balken> balken;
    std::vector<Strichcode> codes;

    // A copy of `t` that lives as long as the page (moves included).
    std::string_view merken(std::string_view t);

private:
    static constexpr std::size_t k_block = 2048;
    std::vector<std::unique_ptr<char[]>> bloecke_;
    std::size_t frei_ = 0; // bytes left in the last block
};

inline std::string_view Seite::merken(std::string_view t) {
    if (t.empty()) return {};
    if (t.size() > frei_) {
        const std::size_t n = t.size() > k_block ? t.size() : k_block;
        bloecke_.push_back(std::make_unique_for_overwrite<char[]>(n));
        frei_ = n;
    }
    char* ziel = bloecke_.back().get() + (t.size() > k_block ? 0 : k_block - frei_);
    std::memcpy(ziel, t.data(), t.size());
    frei_ -= t.size();
    return {ziel, t.size()};
}

// Measures text as the printer will print it.
class Textmass {
public:
    virtual ~Textmass() = default;
    virtual int breite(std::string_view text, Schrift s) const = 0;
};

// A print job's pages, laid out one at a time on demand.
class Druckwerk {
public:
    virtual ~Druckwerk() = default;
    virtual int seitenzahl() const = 0;
    // Page k, 1-based.
    virtual Seite seite(int k) const = 0;
};

} // namespace karmo::druck
