// Code 39: the table's 44 patterns against published vectors, and whole barcodes.
#include "druck/code39.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace karmo::code39 {
namespace {

const std::string k_zeichensatz = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";

TEST(Code39, EveryPatternHasNineElementsThreeWideAndIsUnique) {
    ASSERT_EQ(k_zeichensatz.size(), 44U);
    std::set<std::string> gesehen;
    for (char c : k_zeichensatz) {
        const auto m = muster(c);
        ASSERT_TRUE(m) << c;
        ASSERT_EQ(m->size(), 9U) << c;
        int breit = 0;
        int breite_striche = 0;
        for (std::size_t i = 0; i < m->size(); ++i) {
            if ((*m)[i] == '1') {
                ++breit;
                if (i % 2 == 0) ++breite_striche;
            }
        }
        EXPECT_EQ(breit, 3) << c;
        // Two wide bars and one wide space, except $ / + % with three wide spaces.
        const bool nur_luecken = c == '$' || c == '/' || c == '+' || c == '%';
        EXPECT_EQ(breite_striche, nur_luecken ? 0 : 2) << c;
        EXPECT_TRUE(gesehen.insert(std::string(*m)).second) << c;
    }
    EXPECT_FALSE(muster('a'));
    EXPECT_FALSE(muster('\xC3'));
}

// Module strings of single characters at a 3:1 ratio, as published in the
// usual Code 39 tables (1 bar, 0 space).
TEST(Code39, SingleCharactersGiveThePublishedModules) {
    const auto zeichen = [](char c) {
        // The middle character of a one-character barcode.
        const std::string alle = module(std::string(1, c));
        return alle.substr(16, 15);
    };
    EXPECT_EQ(module("").substr(0, 15), "100010111011101"); // start "*"
    EXPECT_EQ(zeichen('0'), "101000111011101");
    EXPECT_EQ(zeichen('1'), "111010001010111");
    EXPECT_EQ(zeichen('A'), "111010100010111");
    EXPECT_EQ(zeichen('-'), "100010101110111");
    EXPECT_EQ(zeichen('$'), "100010001000101");
}

TEST(Code39, WholeBarcodeHasStartStopGapsAndTheCountedModules) {
    EXPECT_EQ(module("1"), "100010111011101" "0" "111010001010111" "0" "100010111011101");
    const std::string efn = "123456789012345";
    const std::string m = module(efn);
    EXPECT_EQ(static_cast<int>(m.size()), modulzahl(efn.size()));
    EXPECT_EQ(modulzahl(15), 271);
    EXPECT_EQ(m.front(), '1');
    EXPECT_EQ(m.back(), '1');
    // Every character's 15 modules, then one narrow gap.
    for (std::size_t i = 0; i + 1 < efn.size() + 2; ++i) EXPECT_EQ(m[i * 16 + 15], '0') << i;
    EXPECT_EQ(m.substr(16 * 3, 15), module("3").substr(16, 15));
}

TEST(Code39, BarsAreTheModulesOnesRuns) {
    const std::string efn = "276123456789012";
    const std::vector<Strich> s = striche(efn);
    ASSERT_EQ(s.size(), (efn.size() + 2) * 5);
    std::string nachgebaut(static_cast<std::size_t>(modulzahl(efn.size())), '0');
    for (const Strich& st : s) {
        ASSERT_TRUE(st.breite == 1 || st.breite == k_breit);
        for (int i = 0; i < st.breite; ++i) nachgebaut[static_cast<std::size_t>(st.anfang + i)] = '1';
    }
    EXPECT_EQ(nachgebaut, module(efn));
}

TEST(Code39, RefusesWhatItCannotShow) {
    EXPECT_TRUE(darstellbar("EFN-12 $/+%."));
    EXPECT_FALSE(darstellbar("12*3"));
    EXPECT_FALSE(darstellbar("abc"));
    EXPECT_FALSE(darstellbar("Ä"));
    EXPECT_TRUE(module("1*").empty());
    EXPECT_TRUE(striche("x").empty());
}

} // namespace
} // namespace karmo::code39
