// Number checks: the Luhn digit, the one-message rule and the character filters.
#include <gtest/gtest.h>

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

} // namespace
} // namespace karmo
