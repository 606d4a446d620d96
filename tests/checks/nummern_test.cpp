// Number checks: the Luhn digit, the one-message rule, the character filters and the EFN check for bulk numbers.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "checks/nummern.hpp"
#include "platform/fake/fake_plattform.hpp"

namespace karmo {
namespace {

TEST(Pruefziffer, BerechnetDieLuhnZifferVonRechts) {
    EXPECT_EQ(Pruefziffer_berechnen("276012345678901234"), "4");
    EXPECT_EQ(Pruefziffer_berechnen("12345678901234"), "7");
    // Sum 0 and sum 10 both give "0", not "10".
    EXPECT_EQ(Pruefziffer_berechnen("0000"), "0");
    EXPECT_EQ(Pruefziffer_berechnen("19"), "0");
    // Non-digits do not count as positions.
    EXPECT_EQ(Pruefziffer_berechnen("2760-1234 5678 9012 34"), "4");
}

TEST(NummerPruefen, GueltigeNummernOhneMeldung) {
    FakePlattform p;
    EXPECT_TRUE(Nummer_pruefen(p, "2760123456789012344", "VNR"));
    EXPECT_TRUE(Nummer_pruefen(p, "123456789012347", "EFN"));
    // Only length and check digit are checked, not the leading 276.
    EXPECT_TRUE(Nummer_pruefen(p, "1110123456789012343", "VNR"));
    EXPECT_TRUE(p.meldungen.empty());
}

TEST(NummerPruefen, FalscheZifferNenntDieBerechnete) {
    FakePlattform p;
    EXPECT_FALSE(Nummer_pruefen(p, "2760123456789012345", "VNR"));
    EXPECT_FALSE(Nummer_pruefen(p, "123456789012340", "EFN"));
    EXPECT_EQ(p.meldungen, (std::vector<std::string>{
                               "Die VNR ist nicht korrekt. Bitte überprüfen Sie die Eingabe! (4)",
                               "Die EFN ist nicht korrekt. Bitte überprüfen Sie die Eingabe! (7)",
                           }));
}

TEST(NummerPruefen, FalscheLaengeMeldetNurDieLaenge) {
    FakePlattform p;
    EXPECT_FALSE(Nummer_pruefen(p, "276012345678901234", "VNR"));
    EXPECT_FALSE(Nummer_pruefen(p, "123456789012347", "VNR"));
    EXPECT_FALSE(Nummer_pruefen(p, "", "EFN"));
    EXPECT_EQ(p.meldungen, (std::vector<std::string>{
                               "Eine VNR hat 19 Stellen! Bitte kontrollieren Sie die Eingabe!",
                               "Eine VNR hat 19 Stellen! Bitte kontrollieren Sie die Eingabe!",
                               "Eine EFN hat 15 Stellen! Bitte kontrollieren Sie die Eingabe!",
                           }));
}

TEST(NummerPruefen, LaengeZaehltZeichenNichtBytes) {
    FakePlattform p;
    // 15 characters, 16 bytes: the length is right, the last character is no digit.
    EXPECT_FALSE(Nummer_pruefen(p, "12345678901234ä", "EFN"));
    ASSERT_EQ(p.meldungen.size(), 1U);
    EXPECT_EQ(p.meldungen[0], "Die EFN ist nicht korrekt. Bitte überprüfen Sie die Eingabe! (7)");
}

TEST(NummerPruefen, UnbekannteArtStillFalsch) {
    FakePlattform p;
    EXPECT_FALSE(Nummer_pruefen(p, "2760123456789012344", "vnr"));
    EXPECT_FALSE(Nummer_pruefen(p, "", ""));
    EXPECT_TRUE(p.meldungen.empty());
}

TEST(Filter, BehaltenNurIhreZeichen) {
    EXPECT_EQ(Nur_Ziffern("27 60-12ab"), "276012");
    EXPECT_EQ(Nur_Datumszeichen("07.12.2026 "), "07.12.2026");
    EXPECT_EQ(Nur_Zeitzeichen("9:30 Uhr"), "9:30");
    EXPECT_EQ(Nur_Ziffern("1:2.3"), "123");
    // Digits of other scripts and superscripts are no digits.
    EXPECT_EQ(Nur_Ziffern("٣²5"), "5");
    for (const char* t : {"", "abc", "äöü /"}) {
        EXPECT_EQ(Nur_Ziffern(t), "");
        EXPECT_EQ(Nur_Zeitzeichen(t), "");
        EXPECT_EQ(Nur_Datumszeichen(t), "");
    }
}

TEST(EFN_gueltig, NurFuenfzehnZiffernMitPruefziffer) {
    EXPECT_TRUE(EFN_gueltig("123456789012347"));
    EXPECT_FALSE(EFN_gueltig("123456789012340"));
    EXPECT_FALSE(EFN_gueltig("12345678901234"));
    EXPECT_FALSE(EFN_gueltig("1234567890123470"));
    EXPECT_FALSE(EFN_gueltig("12345678901234 "));
    EXPECT_FALSE(EFN_gueltig(" 23456789012347"));
    EXPECT_FALSE(EFN_gueltig(""));
}

// The textbook form of the Luhn test, over the whole number: every second
// digit from the right (the check digit not doubled) doubled, the digit sum
// of the products, the total a multiple of 10. An outside reference for the
// one rule (Pruefziffer_berechnen) that EFN_gueltig and EFN_Zahl apply.
bool luhn_ganz(const std::string& z) {
    if (z.size() != 15) return false;
    int summe = 0;
    for (std::size_t i = 0; i < z.size(); ++i) {
        if (z[i] < '0' || z[i] > '9') return false;
        int d = z[i] - '0';
        if ((z.size() - 1 - i) % 2 == 1) d = d * 2 > 9 ? d * 2 - 9 : d * 2;
        summe += d;
    }
    return summe % 10 == 0;
}

// EFN_Zahl reads eight bytes at a time; the plain check digit by digit
// is the reference, and the textbook test over the whole number checks
// both. Random payloads with their Luhn digit (as the dialogs compute it)
// are taken as their number; the nine other last digits are not; and every
// other byte value at every place fails both.
TEST(EFN_gueltig, ZahlUndPruefungGehenZusammen) {
    std::uint64_t x = 0x9E3779B97F4A7C15ULL;
    for (int n = 0; n < 3000; ++n) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        std::string nutz = std::to_string(x % 100000000000000ULL);
        nutz.insert(0, 14 - nutz.size(), n % 7 == 0 ? '9' : '0');
        const std::string gut = nutz + Pruefziffer_berechnen(nutz);
        ASSERT_TRUE(EFN_gueltig(gut)) << gut;
        ASSERT_EQ(EFN_Zahl(gut), std::stoull(gut)) << gut;
        for (char c = '0'; c <= '9'; ++c) {
            const std::string z = nutz + c;
            ASSERT_EQ(EFN_gueltig(z), luhn_ganz(z)) << z;
            ASSERT_EQ(EFN_Zahl(z).has_value(), EFN_gueltig(z)) << z;
            if (c != gut.back()) {
                ASSERT_FALSE(EFN_gueltig(z)) << z;
            }
        }
        // One byte changed to any value: both say the same.
        std::string anders = gut;
        anders[x % 15] = static_cast<char>((x >> 20) & 0xFF);
        ASSERT_EQ(EFN_Zahl(anders).has_value(), EFN_gueltig(anders)) << anders;
        ASSERT_EQ(EFN_gueltig(anders), luhn_ganz(anders)) << anders;
    }
    for (std::size_t stelle = 0; stelle < 15; ++stelle) {
        for (int b = 0; b < 256; ++b) {
            if (b >= '0' && b <= '9') continue;
            std::string z = "123456789012347";
            z[stelle] = static_cast<char>(b);
            ASSERT_FALSE(EFN_Zahl(z)) << stelle << " " << b;
        }
    }
    EXPECT_EQ(EFN_Zahl("000000000000000"), 0U);
    EXPECT_EQ(EFN_Zahl("999999999999994"), 999999999999994ULL);
    EXPECT_FALSE(EFN_Zahl("12345678901234"));
    EXPECT_FALSE(EFN_Zahl("1234567890123470"));
}

} // namespace
} // namespace karmo
