// The chamber catalogue: contents, prefix look-up, and categories to report types.
#include <gtest/gtest.h>

#include "state/zustand.hpp"

namespace karmo {
namespace {

struct Katalog : ::testing::Test {
    Zustand z;
    Katalog() { Kammern_initialisieren(z); }
    const Kammer& kammer(int i) const { return z.Kammerkatalog[static_cast<std::size_t>(i)]; }
};

TEST_F(Katalog, ErsteDreiKategorienArtEinsDieUebrigenZwei) {
    for (int k = 1; k <= 2; ++k) {
        ASSERT_EQ(kammer(k).Kategorienanzahl, 9);
        for (std::size_t s = 1; s <= 9; ++s) {
            EXPECT_EQ(kammer(k).Kategorien[s].Meldungsart, s <= 3 ? 1 : 2) << k << "/" << s;
            EXPECT_FALSE(kammer(k).Kategorien[s].Bezeichnung.empty());
        }
    }
}

TEST_F(Katalog, ZweiteKammerWiederholtPlatzSiebenAufNeun) {
    EXPECT_EQ(kammer(2).Kategorien[9].Bezeichnung, "Hospitation, Fallkonferenz, Kolloquium, Klinikkonferenz");
    EXPECT_EQ(kammer(2).Kategorien[9].Bezeichnung, kammer(2).Kategorien[7].Bezeichnung);
    EXPECT_EQ(kammer(2).Kategorien[9].Meldungsart, kammer(2).Kategorien[7].Meldungsart);
    EXPECT_EQ(kammer(2).Kategorien[8].Bezeichnung, "Strukturierte interaktive Fortbildung");
}

TEST_F(Katalog, SucheNachDenErstenSechsZeichen) {
    EXPECT_EQ(Kammer_suchen(z, "2767501234567890123"), 1);
    EXPECT_EQ(Kammer_suchen(z, "2767701234567890123"), 2);
    EXPECT_FALSE(kammer(1).Akkred_VA_erlaubt);
    EXPECT_TRUE(kammer(2).Akkred_VA_erlaubt);
    EXPECT_EQ(Kammer_suchen(z, "2760123456789012344"), 0);
    EXPECT_EQ(Kammer_suchen(z, "276750"), 1);
    EXPECT_EQ(Kammer_suchen(z, "27675"), 0);
    EXPECT_EQ(Kammer_suchen(z, ""), 0);
    // Only the prefix counts, not where it appears later.
    EXPECT_EQ(Kammer_suchen(z, "1276750"), 0);
}

} // namespace
} // namespace karmo
