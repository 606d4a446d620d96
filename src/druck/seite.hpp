// A printed page as the layout leaves it: texts, filled bars and barcodes in hundredths of a millimetre.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace karmo::druck {

// Every length of the layout is in hundredths of a millimetre, from the
// paper's top left corner.
inline constexpr int k_mm = 100;
inline constexpr int k_papier_breite = 210 * k_mm; // A4 portrait
inline constexpr int k_papier_hoehe = 297 * k_mm;

// Arial at a character height; the line it takes is k_zeilenfaktor taller.
struct Schrift {
    int hoehe = 0;
    bool fett = false;
};
constexpr int zeilenhoehe(Schrift s) { return s.hoehe * 13 / 10; }

// `text` (UTF-8) with the top left of its line at x, y.
struct Textstueck {
    Textstueck(int links, int oben, Schrift s, std::string_view t) : x(links), y(oben), schrift(s), text(t) {}
    int x;
    int y;
    Schrift schrift;
    std::string text;
};

// A filled black rectangle: rules, table lines, signature lines.
struct Balken {
    int x;
    int y;
    int breite;
    int hoehe;
};

// A Code 39 barcode of `text`: its first bar at x, y, bars `hoehe` high.
// The narrow element is at least k_modul_mindestens wide on paper, as wide
// as the printer's pixels allow; the layout leaves room for k_modul_raum.
// The quiet zones lie outside x and the bars' end.
struct Strichcode {
    Strichcode(int links, int oben, int h, std::string_view t) : x(links), y(oben), hoehe(h), text(t) {}
    int x;
    int y;
    int hoehe;
    std::string text;
};
inline constexpr int k_modul_mindestens = 25; // 0.25 mm
inline constexpr int k_modul_raum = 28;       // what a narrow element may take at a coarser resolution
inline constexpr int k_ruhezone = 10;         // narrow elements of quiet zone on either side

struct Seite {
    std::vector<Textstueck> texte;
    std::vector<Balken> balken;
    std::vector<Strichcode> codes;
};

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
