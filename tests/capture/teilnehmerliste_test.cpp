// The participant list in both capture forms: scanning, duplicates, point corrections, removal, odd lines.
#include <gtest/gtest.h>

#include "capture/erfassung_umgebung.hpp"

namespace karmo::test {
namespace {

using ui::Ctl;
using ui::FormId;

std::vector<std::string> zeilen(const ui::FakeFenster& f) {
    std::vector<std::string> z;
    for (int i = 0; i < f.zeilenzahl(Ctl::Teilnehmerliste); ++i) z.push_back(f.zeile(Ctl::Teilnehmerliste, i));
    return z;
}

Teilnehmerliste& gruppe(Erfassung& u, FormId id) {
    return dynamic_cast<Erfassungsmaske*>(u.sammlung.logik(id))->liste();
}

class Liste : public ::testing::TestWithParam<FormId> {
protected:
    Erfassung u;
    ui::FakeFenster& f = u.oeffnen(GetParam());
    void punkte(std::string_view t) { f.setze_text(Ctl::Punkte, t); }
    void scannen(std::string_view efn) { f.tippen(Ctl::EFN, std::string(efn) + "\r"); }
};

INSTANTIATE_TEST_SUITE_P(BeideMasken, Liste, ::testing::Values(FormId::MA1_Maske, FormId::MA2_Maske),
                         [](const auto& i) { return i.param == FormId::MA1_Maske ? "MA1" : "MA2"; });

TEST_P(Liste, ScanMitEnterFuegtZeileAnUndBleibtImEfnFeld) {
    punkte("8");
    scannen(k_efn);
    EXPECT_EQ(zeilen(f), (std::vector<std::string>{"123456789012347 (8/0)"}));
    EXPECT_EQ(f.text(Ctl::EFN), "");
    EXPECT_EQ(f.fokus_bei(), Ctl::EFN);
    EXPECT_TRUE(u.pl.meldungen.empty());

    scannen(k_efn2);
    EXPECT_EQ(zeilen(f), (std::vector<std::string>{"123456789012347 (8/0)", "100000000000009 (8/0)"}));
}

TEST_P(Liste, EnterErfasstUndGehtUnveraendertWeiter) {
    punkte("8");
    f.setze_text(Ctl::EFN, k_efn);
    ui::Formularlogik& logik = *u.sammlung.logik(GetParam());
    int taste = '5';
    logik.keypress(Ctl::EFN, taste);
    EXPECT_EQ(taste, '5');
    EXPECT_EQ(f.zeilenzahl(Ctl::Teilnehmerliste), 0);
    taste = 13;
    logik.keypress(Ctl::EFN, taste);
    EXPECT_EQ(taste, 13);
    EXPECT_EQ(f.zeilenzahl(Ctl::Teilnehmerliste), 1);
}

TEST_P(Liste, DoppelteNummerWirdAbgewiesen) {
    punkte("8");
    scannen(k_efn);
    scannen(k_efn2);
    scannen(k_efn);
    EXPECT_EQ(u.pl.meldungen, (std::vector<std::string>{"Diese Nummer ist in der Liste schon vorhanden!"}));
    EXPECT_EQ(zeilen(f).size(), 2U);
    EXPECT_EQ(f.text(Ctl::EFN), "");
    EXPECT_EQ(f.fokus_bei(), Ctl::EFN);
}

TEST_P(Liste, ScannerMitTabStattEnterErfasstBeimVerlassen) {
    punkte("8");
    f.tippen(Ctl::EFN, k_efn);
    f.benutzer_fokus(Ctl::PKT_neu);
    EXPECT_EQ(zeilen(f), (std::vector<std::string>{"123456789012347 (8/0)"}));
    EXPECT_EQ(f.fokus_bei(), Ctl::EFN);
}

TEST_P(Liste, OhnePunkteWirdNichtsErfasst) {
    // MA1 starts with "0" in Punkte, MA2 with nothing: both count as missing.
    EXPECT_EQ(f.text(Ctl::Punkte), GetParam() == FormId::MA1_Maske ? "0" : "");
    scannen(k_efn);
    EXPECT_EQ(u.pl.meldungen, (std::vector<std::string>{"Bitte füllen Sie erst den Punktewert aus!"}));
    EXPECT_TRUE(zeilen(f).empty());
    EXPECT_EQ(f.text(Ctl::EFN), "");
    EXPECT_EQ(f.fokus_bei(), Ctl::Punkte);

    // Also when EFN is simply left empty.
    punkte("0");
    f.benutzer_fokus(Ctl::EFN);
    f.benutzer_fokus(Ctl::referent);
    EXPECT_EQ(u.pl.meldungen.size(), 2U);
    EXPECT_EQ(f.fokus_bei(), Ctl::Punkte);
}

TEST_P(Liste, LeeresEfnMitPunktenTutNichts) {
    punkte("00"); // not "0": passes
    f.benutzer_fokus(Ctl::EFN);
    f.benutzer_fokus(Ctl::referent);
    EXPECT_TRUE(u.pl.meldungen.empty());
    EXPECT_EQ(f.fokus_bei(), Ctl::referent);
    scannen(k_efn);
    EXPECT_EQ(zeilen(f), (std::vector<std::string>{"123456789012347 (00/0)"}));
}

TEST_P(Liste, UngueltigeNummerBleibtStehen) {
    punkte("8");
    scannen("12345678901234"); // 14 digits
    EXPECT_EQ(u.pl.meldungen.back(), "Eine EFN hat 15 Stellen! Bitte kontrollieren Sie die Eingabe!");
    EXPECT_EQ(f.text(Ctl::EFN), "12345678901234");
    EXPECT_EQ(f.fokus_bei(), Ctl::EFN);

    f.setze_text(Ctl::EFN, "");
    scannen("123456789012345");
    EXPECT_EQ(u.pl.meldungen.back(), "Die EFN ist nicht korrekt. Bitte überprüfen Sie die Eingabe! (7)");
    EXPECT_EQ(f.text(Ctl::EFN), "123456789012345");
    EXPECT_TRUE(zeilen(f).empty());
}

TEST_P(Liste, FremdzeichenWerdenVorDerPruefungEntfernt) {
    punkte("8");
    // The box takes 15 characters, so a prefix pushes digits out at the end.
    scannen("AB123456789012347");
    EXPECT_EQ(f.text(Ctl::EFN), "1234567890123");
    EXPECT_EQ(u.pl.meldungen.back(), "Eine EFN hat 15 Stellen! Bitte kontrollieren Sie die Eingabe!");

    f.setze_text(Ctl::EFN, "1234 5678-9012347");
    f.benutzer_fokus(Ctl::referent);
    EXPECT_EQ(zeilen(f), (std::vector<std::string>{"123456789012347 (8/0)"}));
}

TEST_P(Liste, PunkteBehaltenNurZiffern) {
    punkte("");
    f.tippen(Ctl::Punkte, "1a2");
    f.benutzer_fokus(Ctl::EFN);
    EXPECT_EQ(f.text(Ctl::Punkte), "12");
    EXPECT_TRUE(u.pl.meldungen.empty());
}

TEST_P(Liste, KorrekturUndReferentenpunkte) {
    punkte("8");
    scannen(k_efn);
    scannen(k_efn2);
    f.zeile_klicken(Ctl::Teilnehmerliste, 0);
    f.tippen(Ctl::PKT_neu, "6");
    f.klicken(Ctl::PKT_Korrektur);
    EXPECT_EQ(f.zeile(Ctl::Teilnehmerliste, 0), "123456789012347 (6/0)");
    EXPECT_EQ(f.listenindex(Ctl::Teilnehmerliste), 0);
    EXPECT_EQ(f.fokus_bei(), Ctl::EFN);
    EXPECT_EQ(f.text(Ctl::PKT_neu), "6"); // not cleared

    f.tippen(Ctl::referent, "2");
    f.klicken(Ctl::Ref_PKT);
    EXPECT_EQ(f.zeile(Ctl::Teilnehmerliste, 0), "123456789012347 (6/2)");
    EXPECT_EQ(f.zeile(Ctl::Teilnehmerliste, 1), "100000000000009 (8/0)");
    EXPECT_TRUE(u.pl.meldungen.empty());

    // The new base points stand as typed, until the other half rewrites the line.
    f.setze_text(Ctl::PKT_neu, "1a2");
    f.klicken(Ctl::PKT_Korrektur);
    EXPECT_EQ(f.zeile(Ctl::Teilnehmerliste, 0), "123456789012347 (1a2/2)");
    f.klicken(Ctl::Ref_PKT);
    EXPECT_EQ(f.zeile(Ctl::Teilnehmerliste, 0), "123456789012347 (12/2)");

    // The corrected line still counts as captured.
    scannen(k_efn);
    EXPECT_EQ(u.pl.meldungen.back(), "Diese Nummer ist in der Liste schon vorhanden!");
}

TEST_P(Liste, KorrekturOhneAuswahlOderWert) {
    punkte("8");
    scannen(k_efn);
    f.klicken(Ctl::PKT_Korrektur);
    f.klicken(Ctl::Ref_PKT);
    f.zeile_klicken(Ctl::Teilnehmerliste, 0);
    f.klicken(Ctl::PKT_Korrektur);
    f.zeile_klicken(Ctl::Teilnehmerliste, 0);
    f.klicken(Ctl::Ref_PKT);
    EXPECT_EQ(u.pl.meldungen, (std::vector<std::string>{
                                  "Bitte erst eine EFN durch anklicken auswählen!",
                                  "Bitte erst eine EFN aus der Teilnehmerliste durch anklicken auswählen!",
                                  "Bitte erst die neue Punktzahl eingeben!",
                                  "Bitte erst die Referentenpunktzahl in das Feld eingeben!",
                              }));
    EXPECT_EQ(f.zeile(Ctl::Teilnehmerliste, 0), "123456789012347 (8/0)");
    EXPECT_EQ(f.fokus_bei(), Ctl::EFN);
}

TEST_P(Liste, LoeschenEntferntNurDieAusgewaehlteZeile) {
    punkte("8");
    scannen(k_efn);
    scannen(k_efn2);
    scannen(k_efn3);
    f.klicken(Ctl::Loeschen); // nothing selected
    EXPECT_EQ(zeilen(f).size(), 3U);

    f.zeile_klicken(Ctl::Teilnehmerliste, 1);
    f.klicken(Ctl::Loeschen);
    EXPECT_EQ(zeilen(f), (std::vector<std::string>{"123456789012347 (8/0)", "987654321098767 (8/0)"}));
    EXPECT_EQ(f.listenindex(Ctl::Teilnehmerliste), -1);
    EXPECT_EQ(f.fokus_bei(), Ctl::Loeschen);
    EXPECT_TRUE(u.pl.meldungen.empty());

    // A removed participant can be scanned again.
    scannen(k_efn2);
    EXPECT_EQ(zeilen(f).back(), "100000000000009 (8/0)");
    EXPECT_TRUE(u.pl.meldungen.empty());
}

// Lines from a loaded file need not have 15 characters before their points.
TEST_P(Liste, KurzeZeilenAusEinerDateiStoerenNicht) {
    f.zeile_anfuegen(Ctl::Teilnehmerliste, "12345");
    f.zeile_anfuegen(Ctl::Teilnehmerliste, "123456789012347 (8/0)");
    f.zeile_anfuegen(Ctl::Teilnehmerliste, "");
    Teilnehmerliste& g = gruppe(u, GetParam());
    EXPECT_TRUE(g.test_vorhanden("12345")); // first 15 characters, compared exactly
    EXPECT_TRUE(g.test_vorhanden(k_efn));
    EXPECT_FALSE(g.test_vorhanden("1234"));
    EXPECT_FALSE(g.test_vorhanden(k_efn2));

    f.zeile_klicken(Ctl::Teilnehmerliste, 0);
    f.setze_text(Ctl::PKT_neu, "6");
    f.klicken(Ctl::PKT_Korrektur);
    EXPECT_EQ(f.zeile(Ctl::Teilnehmerliste, 0), "12345 (6/)");
    f.zeile_klicken(Ctl::Teilnehmerliste, 2);
    f.setze_text(Ctl::referent, "2");
    f.klicken(Ctl::Ref_PKT);
    EXPECT_EQ(zeilen(f), (std::vector<std::string>{"12345 (6/)", "123456789012347 (8/0)", " (/2)"}));

    punkte("8");
    scannen(k_efn2);
    EXPECT_EQ(zeilen(f).back(), "100000000000009 (8/0)");
    f.zeile_klicken(Ctl::Teilnehmerliste, 0);
    f.klicken(Ctl::Loeschen);
    EXPECT_EQ(zeilen(f).size(), 3U);
    EXPECT_FALSE(g.test_vorhanden("12345 (6/)"));
    EXPECT_TRUE(u.entkommen.empty());
}

// Opening another event clears and refills the list from outside the group.
TEST_P(Liste, ListeVonAussenNeuGefuellt) {
    punkte("8");
    scannen(k_efn);
    scannen(k_efn2);
    Teilnehmerliste& g = gruppe(u, GetParam());

    // Same number of lines, same last line, different first line.
    f.liste_leeren(Ctl::Teilnehmerliste);
    f.zeile_anfuegen(Ctl::Teilnehmerliste, "987654321098767 (3/0)");
    f.zeile_anfuegen(Ctl::Teilnehmerliste, "100000000000009 (8/0)");
    EXPECT_FALSE(g.test_vorhanden(k_efn));
    EXPECT_TRUE(g.test_vorhanden(k_efn3));
    scannen(k_efn);
    EXPECT_EQ(zeilen(f).size(), 3U);

    // Another event with the same count and the same first and last line,
    // differing only in between.
    f.liste_leeren(Ctl::Teilnehmerliste);
    f.zeile_anfuegen(Ctl::Teilnehmerliste, "987654321098767 (3/0)");
    f.zeile_anfuegen(Ctl::Teilnehmerliste, "802760012345673 (8/0)");
    f.zeile_anfuegen(Ctl::Teilnehmerliste, "100000000000009 (8/0)");
    EXPECT_TRUE(g.test_vorhanden("802760012345673"));
    EXPECT_FALSE(g.test_vorhanden(k_efn));
    f.liste_leeren(Ctl::Teilnehmerliste);
    f.zeile_anfuegen(Ctl::Teilnehmerliste, "987654321098767 (3/0)");
    f.zeile_anfuegen(Ctl::Teilnehmerliste, k_efn + std::string(" (8/0)"));
    f.zeile_anfuegen(Ctl::Teilnehmerliste, "100000000000009 (8/0)");
    EXPECT_FALSE(g.test_vorhanden("802760012345673"));
    EXPECT_TRUE(g.test_vorhanden(k_efn));

    // Cleared for a new event.
    f.liste_leeren(Ctl::Teilnehmerliste);
    EXPECT_FALSE(g.test_vorhanden(k_efn));
    scannen(k_efn);
    EXPECT_EQ(zeilen(f), (std::vector<std::string>{"123456789012347 (8/0)"}));

    // A file may hold the same number twice; one removed, the other still counts.
    f.zeile_anfuegen(Ctl::Teilnehmerliste, "123456789012347 (2/0)");
    f.zeile_klicken(Ctl::Teilnehmerliste, 0);
    f.klicken(Ctl::Loeschen);
    EXPECT_TRUE(g.test_vorhanden(k_efn));
    EXPECT_TRUE(u.pl.meldungen.empty());
}

TEST(Teilnehmerliste, GrosseListeFindetAuchDieLetzteZeile) {
    Erfassung u;
    auto& f = u.oeffnen(FormId::MA2_Maske);
    // The list's capacity: 32,767 lines, the last one scanned.
    for (int i = 0; i < 32765; ++i) {
        f.zeile_anfuegen(Ctl::Teilnehmerliste, std::to_string(100000000000000 + i) + " (8/0)");
    }
    f.zeile_anfuegen(Ctl::Teilnehmerliste, "123456789012347 (8/0)");
    Teilnehmerliste& g = gruppe(u, FormId::MA2_Maske);
    EXPECT_TRUE(g.test_vorhanden(k_efn));
    EXPECT_TRUE(g.test_vorhanden("100000000000000"));
    EXPECT_FALSE(g.test_vorhanden(k_efn3));
    f.setze_text(Ctl::Punkte, "8");
    f.tippen(Ctl::EFN, std::string(k_efn3) + "\r");
    EXPECT_EQ(f.zeilenzahl(Ctl::Teilnehmerliste), 32767);
    EXPECT_TRUE(u.pl.meldungen.empty());
}

} // namespace
} // namespace karmo::test
