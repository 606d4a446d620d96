// The room a caption has in its control and the largest font height that lets it fit.
#include <gtest/gtest.h>

#include <vector>

#include "ui/beschriftung.hpp"

namespace karmo::ui {
namespace {

TEST(Beschriftungsraum, RaenderJeArtUndAufloesung) {
    // A label has its whole box and wraps.
    const auto label = beschriftungsraum(Art::Label, 100, 20, 96);
    ASSERT_TRUE(label);
    EXPECT_EQ(label->breite, 100);
    EXPECT_EQ(label->hoehe, 20);
    EXPECT_TRUE(label->umbruch);
    EXPECT_FALSE(label->nachumbruch); // a label draws into its whole box

    // A button keeps a margin on every side, wider at a higher resolution.
    const auto knopf96 = beschriftungsraum(Art::Schaltflaeche, 100, 40, 96);
    const auto knopf192 = beschriftungsraum(Art::Schaltflaeche, 200, 80, 192);
    ASSERT_TRUE(knopf96 && knopf192);
    EXPECT_EQ(knopf96->breite, 94);
    EXPECT_EQ(knopf96->hoehe, 34);
    EXPECT_EQ(knopf192->breite, 188);
    EXPECT_TRUE(knopf96->umbruch);
    EXPECT_TRUE(knopf96->nachumbruch);
    // Rounded up between: 3 px at 96 dpi is 4.5 px at 144 dpi, so 5.
    EXPECT_EQ(beschriftungsraum(Art::Schaltflaeche, 150, 60, 144)->breite, 140);

    // A check box loses the width of its mark only.
    const auto kaestchen = beschriftungsraum(Art::Kontrollkaestchen, 200, 23, 96);
    ASSERT_TRUE(kaestchen);
    EXPECT_EQ(kaestchen->breite, 180);
    EXPECT_EQ(kaestchen->hoehe, 23);
    EXPECT_TRUE(kaestchen->nachumbruch);

    // A frame's caption is one line between its corners.
    const auto rahmen = beschriftungsraum(Art::Rahmen, 300, 200, 120);
    ASSERT_TRUE(rahmen);
    EXPECT_FALSE(rahmen->umbruch);
    EXPECT_EQ(rahmen->breite, 300 - 2 * 12);

    EXPECT_FALSE(beschriftungsraum(Art::Textfeld, 100, 20, 96));
    EXPECT_FALSE(beschriftungsraum(Art::Liste, 100, 20, 96));
}

TEST(Beschriftungsraum, PasstNurWennBreiteUndHoeheReichen) {
    const Beschriftungsraum raum{50, 30, true, false};
    const auto fest = [](Textmass m) { return [m](int, int) { return m; }; };
    EXPECT_TRUE(passt(raum, 10, fest({50, 30})));
    EXPECT_FALSE(passt(raum, 10, fest({51, 30})));
    EXPECT_FALSE(passt(raum, 10, fest({50, 31})));
}

// A wrapping whose lines break again when drawn into their own width (as a
// button draws them) does not fit, though the first measure does.
TEST(Beschriftungsraum, KnopfPasstNurWennDieZeilenBeimZeichnenBleiben) {
    std::vector<int> breiten;
    const auto unruhig = [&](int, int breite) {
        breiten.push_back(breite);
        return breite >= 116 ? Textmass{93, 24} : Textmass{91, 36};
    };
    const Beschriftungsraum knopf{116, 31, true, true};
    EXPECT_FALSE(passt(knopf, 11, unruhig));
    EXPECT_EQ(breiten, (std::vector<int>{116, 93}));
    // A label draws into its whole box: the first measure is what shows.
    breiten.clear();
    EXPECT_TRUE(passt(Beschriftungsraum{116, 31, true, false}, 11, unruhig));
    EXPECT_EQ(breiten, std::vector<int>{116});
    // Stable lines fit.
    EXPECT_TRUE(passt(knopf, 11, [](int, int) { return Textmass{93, 24}; }));
}

// A caption of 12 characters, each half as wide as the type is high, wrapped
// at word ends into lines of at most the room's width (words of 4 characters).
Textmass umbrochen(int schrifthoehe, int breite) {
    const int wort = 4 * schrifthoehe / 2;
    const int luecke = schrifthoehe / 2;
    int zeilen = 1, zeile = 0, weiteste = 0;
    for (int w = 0; w < 3; ++w) {
        const int mit = zeile == 0 ? wort : zeile + luecke + wort;
        if (zeile > 0 && mit > breite) {
            ++zeilen;
            zeile = wort;
        } else {
            zeile = mit;
        }
        weiteste = std::max(weiteste, zeile);
    }
    return {weiteste, zeilen * schrifthoehe};
}

TEST(PassendeSchrifthoehe, BehaeltDieGroesseWennSiePasst) {
    const Beschriftungsraum raum{200, 20, true, true};
    std::vector<int> gemessen;
    const int h = passende_schrifthoehe(13, 8, raum, [&](int s, int breite) {
        gemessen.push_back(s);
        return umbrochen(s, breite);
    });
    EXPECT_EQ(h, 13);
    EXPECT_EQ(gemessen, (std::vector<int>{13, 13})); // measured, then checked at its own width
}

TEST(PassendeSchrifthoehe, NimmtDieGroessteDiePasst) {
    // Words of 26 px at 13 px high: one word a line in 50 px, three lines
    // (39 px) do not fit 36 px; at 12 px still three lines, 36 px, which fits.
    const Beschriftungsraum raum{50, 36, true, true};
    EXPECT_EQ(passende_schrifthoehe(13, 8, raum, umbrochen), 12);
    // Only the width is short: one line of 12 characters.
    const Beschriftungsraum zeile{60, 40, false, false};
    const auto einzeilig = [](int s, int) { return Textmass{12 * s / 2, s}; };
    EXPECT_EQ(passende_schrifthoehe(13, 6, zeile, einzeilig), 10);
}

TEST(PassendeSchrifthoehe, ErsteVonObenAuchWennKleinereBreiterSind) {
    // Fitting to whole pixels: 11 px is wider than 12 px here.
    const Beschriftungsraum raum{100, 100, false, false};
    const auto messen = [](int s, int) { return Textmass{s == 11 ? 120 : s == 12 ? 100 : 101, s}; };
    EXPECT_EQ(passende_schrifthoehe(13, 6, raum, messen), 12);
}

TEST(PassendeSchrifthoehe, UntergrenzeWennNichtsPasst) {
    const Beschriftungsraum raum{10, 5, true, false};
    int aufrufe = 0;
    const auto messen = [&](int s, int) {
        ++aufrufe;
        return Textmass{100, s};
    };
    EXPECT_EQ(passende_schrifthoehe(13, 8, raum, messen), 8);
    EXPECT_EQ(aufrufe, 5); // 13 down to 9; 8 is the floor either way
    // A start below the floor stays where it is.
    EXPECT_EQ(passende_schrifthoehe(5, 8, raum, messen), 5);
    EXPECT_EQ(kleinste_schrifthoehe(96), 7);
    EXPECT_EQ(kleinste_schrifthoehe(144), 10);
    EXPECT_EQ(kleinste_schrifthoehe(192), 13);
}

TEST(FreiVon, DasFeldNimmtDemLabelNurSeinenTeil) {
    const Rechteck label{10, 10, 120, 28};
    // A box reaching in from below: the rows above its top edge stay.
    const Rechteck unten = frei_von(label, {10, 24, 300, 46});
    EXPECT_EQ(unten.unten, 24);
    EXPECT_EQ(unten.rechts, 120);
    // From the right: the columns before its left edge.
    const Rechteck rechts = frei_von(label, {116, 8, 200, 30});
    EXPECT_EQ(rechts.rechts, 116);
    EXPECT_EQ(rechts.unten, 28);
    // Edges that only touch, or a box elsewhere, take nothing.
    const Rechteck beruehrt = frei_von(label, {10, 28, 300, 50});
    EXPECT_EQ(beruehrt.unten, 28);
    EXPECT_EQ(beruehrt.rechts, 120);
    EXPECT_EQ(frei_von(label, {400, 400, 500, 500}).unten, 28);
}

} // namespace
} // namespace karmo::ui
