// The list line's one reading: the byte path against the reading by characters, and the points key built on it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text.hpp"
#include "eventfile/teilnehmer_eintrag.hpp"

namespace karmo::test {
namespace {

// The reading as the list's rule states it, character by character: the
// first 15 characters, the points part from the 17th on, split after its
// first "/".
Eintragsteile nach_zeichen(std::string_view zeile) {
    Eintragsteile t;
    t.efn = text::links(zeile, 15);
    const std::string_view rest = text::ab(zeile, 17);
    const std::size_t strich = rest.find('/');
    if (strich == std::string_view::npos) {
        t.referent = rest;
    } else {
        t.basis = rest.substr(0, strich + 1);
        t.referent = rest.substr(strich + 1);
    }
    return t;
}

// Every line from the pieces below, of every length up to 24 characters:
// ASCII (the byte path), umlauts anywhere (the character path), "/" before,
// at and after the 17th character, lines shorter than the EFN.
TEST(Eintrag_teilen, BytewegGleichDerLesungNachZeichen) {
    const std::vector<std::string> teile{"1", "7", " ", "(", "/", ")", "ä", "€", "0"};
    std::uint64_t x = 0x2545F4914F6CDD1DULL;
    for (int n = 0; n < 20000; ++n) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        std::string zeile;
        const std::size_t laenge = x % 25;
        // Mostly ASCII, so that both ways are taken often.
        const bool mit_umlaut = (x >> 40) % 4 == 0;
        for (std::size_t i = 0; i < laenge; ++i) {
            const std::size_t k = (x >> (i % 48)) % teile.size();
            zeile += (!mit_umlaut && (k == 6 || k == 7)) ? std::string("5") : teile[k];
        }
        const Eintragsteile a = eintrag_teilen(zeile);
        const Eintragsteile b = nach_zeichen(zeile);
        ASSERT_EQ(a.efn, b.efn) << zeile;
        ASSERT_EQ(a.basis, b.basis) << zeile;
        ASSERT_EQ(a.referent, b.referent) << zeile;
        ASSERT_EQ(eintrag_efn(zeile), b.efn) << zeile;
    }
    // The scanned line, and one with an umlaut in its EFN.
    const Eintragsteile s = eintrag_teilen("123456789012347 (8/0)");
    EXPECT_EQ(s.efn, "123456789012347");
    EXPECT_EQ(s.basis, "(8/");
    EXPECT_EQ(s.referent, "0)");
    const Eintragsteile u = eintrag_teilen("1234567890123ä7 (8/0)");
    EXPECT_EQ(u.efn, "1234567890123ä7");
    EXPECT_EQ(u.basis, "(8/");
}

TEST(Punkteschluessel, ZiffernDerBeidenHaelften) {
    EXPECT_EQ(Punkteschluessel("123456789012347 (8/0)"), "8/0");
    EXPECT_EQ(Punkteschluessel("123456789012347 (08/ 2)"), "8/2");
    EXPECT_EQ(Punkteschluessel("123456789012347 (00/000)"), "0/0");
    EXPECT_EQ(Punkteschluessel("123456789012347 (0/10)"), "0/10");
    EXPECT_EQ(Punkteschluessel("123456789012347 (/0)"), "/0");
    EXPECT_EQ(Punkteschluessel("123456789012347 (007)"), "/7");
    EXPECT_EQ(Punkteschluessel("123456789012347 (7,5/0)"), "75/0");
    EXPECT_EQ(Punkteschluessel("123456789012347"), "/");
}

// The key is what the list's reading by position gives for the two halves,
// whatever the line holds, and a place too small gets no bytes past its end.
TEST(Punkteschluessel, WieDieListeIhreZeileLiest) {
    const std::vector<std::string> zeilen{
        "123456789012347 (8/0)", "123456789012347 (12/3/4)", "123456789012347 (8)", "123456789012347 /(/)",
        "123456789012347 ", "123456789012347 (", "12345", "1234567890123ä7 (8/0)", "123456789012347 (ä8/0ö)",
        "123456789012347 (/7)", "123456789012347 (1234567890/1234567890)", "123456789012347 ((8))/",
        "123456789012347 (008/00)", "1234567890123ä7 (0 0 8/0,5)", "123456789012347 (00)", "123456789012347 (0/0/0)",
    };
    for (const std::string& z : zeilen) {
        const auto zahl = [](std::string d) {
            while (d.size() > 1 && d[0] == '0') d.erase(0, 1);
            return d;
        };
        const std::string erwartet = zahl(eintrag_basispunkte(z)) + "/" + zahl(eintrag_referentenpunkte(z));
        EXPECT_EQ(Punkteschluessel(z), erwartet) << z;
        for (std::size_t platz = 0; platz <= erwartet.size() + 1; ++platz) {
            std::string ziel(platz + 1, '#');
            EXPECT_EQ(punkteschluessel_schreiben(z, ziel.data(), platz), erwartet.size()) << z;
            EXPECT_EQ(ziel.back(), '#') << z << " written past " << platz;
            if (erwartet.size() <= platz) {
                EXPECT_EQ(ziel.substr(0, erwartet.size()), erwartet) << z;
            }
        }
    }
}
} // namespace
} // namespace karmo::test
