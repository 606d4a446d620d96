// UTF-8 inside, Windows-1252 on disk: conversions, character counts and case folding.
#include <gtest/gtest.h>

#include <string>

#include "common/text.hpp"

namespace karmo::text {
namespace {

TEST(Text, Cp1252RundreiseMitUmlautenEuroUndTypografischenZeichen) {
    const std::string utf8 = "Qualitätszirkel „Grüße“ – 5 € & ß";
    const std::string bytes = utf8_zu_cp1252(utf8);
    EXPECT_EQ(bytes, "Qualit\xE4tszirkel \x84Gr\xFC\xDF\x65\x93 \x96 5 \x80 & \xDF");
    EXPECT_EQ(cp1252_zu_utf8(bytes), utf8);
}

TEST(Text, NichtDarstellbaresWirdFragezeichenUndKaputtesUtf8Auch) {
    EXPECT_EQ(utf8_zu_cp1252("a\xE2\x82"), "a??");
    EXPECT_EQ(utf8_zu_cp1252("Ω漢"), "??");
    EXPECT_EQ(utf8_zu_cp1252("\xF0\x9F\x98\x80"), "?");
}

TEST(Text, JedesByteUeberlebtDieRundreise) {
    std::string alle;
    for (int b = 0; b < 256; ++b) alle.push_back(static_cast<char>(b));
    EXPECT_EQ(utf8_zu_cp1252(cp1252_zu_utf8(alle)), alle);
}

TEST(Text, ZeichenStattBytes) {
    EXPECT_EQ(zeichenzahl("Hauptmenü"), 9U);
    EXPECT_EQ(links("Grüße", 3), "Grü");
    EXPECT_EQ(links("ab", 5), "ab");
    EXPECT_EQ(ab("Grüße aus", 4), "ße aus");
    EXPECT_EQ(ab("abc", 9), "");
}

TEST(Text, DateinamenOhneRuecksichtAufGrossKlein) {
    EXPECT_TRUE(gleich_ohne_gross_klein("KARMO.EXE", "karmo.exe"));
    EXPECT_TRUE(gleich_ohne_gross_klein("ÄRZTE.XML", "ärzte.xml"));
    EXPECT_FALSE(gleich_ohne_gross_klein("karmo.exe", "karmo.ex"));
}

} // namespace
} // namespace karmo::text
