// The printer's barcode geometry and a barcode placed on the page with its digits.
#include "druck/strichcode.hpp"

#include <algorithm>

#include "druck/code39.hpp"

namespace karmo::druck {
namespace {

constexpr int k_zoll = 2540;           // hundredths of a millimetre per inch
constexpr int k_schmal_ziel = 25;      // 0.25 mm
constexpr int k_schmal_mindestens = 17; // 0.17 mm
constexpr int k_ruhe_mindestens = 250; // 2.5 mm

} // namespace

Strichmass Strichmass::fuer(int dpi) {
    Strichmass m;
    m.dpi = std::max(1, dpi);
    m.schmal = std::max(1, (k_schmal_ziel * m.dpi + k_zoll / 2) / k_zoll);
    while (m.schmal * k_zoll < k_schmal_mindestens * m.dpi) ++m.schmal;
    m.breit = m.schmal == 1 ? 3 : (5 * m.schmal + 1) / 2;
    m.ruhe = std::max(10 * m.schmal, (k_ruhe_mindestens * m.dpi + k_zoll - 1) / k_zoll);
    return m;
}

int Strichmass::balken(std::size_t zeichen) const { return code39::breite(zeichen, schmal, breit); }

int Strichmass::hundertstel(int px) const {
    return static_cast<int>((static_cast<long long>(px) * k_zoll + dpi - 1) / dpi);
}

// An edge at e hundredths lands on pixel round(e * dpi / 2540). The first bar
// at e + hundertstel(ruhe) lands at least `ruhe` pixels right of e's pixel;
// the last bar ends `balken` pixels after the first begins, and the next
// mark's edge, rounded, may lie half a pixel further left than it is.
int strichcode_versatz(const Strichmass& m) { return m.hundertstel(m.ruhe); }

int strichcode_raum(const Strichmass& m, std::size_t zeichen) {
    return strichcode_versatz(m) + m.hundertstel(m.balken(zeichen) + m.ruhe + 1);
}

int strichcode_mit_ziffern(Seite& s, const Strichmass& sm, int x, int y, int balkenhoehe, std::string_view text,
                           int breite_ziffern) {
    const int anfang = x + strichcode_versatz(sm);
    // `text` lives in the event's data or in the page.
    s.codes.push_back({anfang, y, balkenhoehe, text});
    const int mitte = anfang + sm.hundertstel(sm.balken(text.size())) / 2;
    const int y_ziffern = y + balkenhoehe + k_ziffern_abstand;
    s.texte.push_back({mitte - breite_ziffern / 2, y_ziffern, k_ziffern, text});
    return y + strichcode_hoehe(balkenhoehe);
}

} // namespace karmo::druck
