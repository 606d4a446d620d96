// Cards at the door: scans typed into another control, into message boxes, after a refused number; the count.
#include <gtest/gtest.h>

#include "capture/erfassung_umgebung.hpp"

namespace karmo::test {
namespace {

using ui::Ctl;
using ui::FormId;

constexpr const char* k_doppelt = "Diese Nummer ist in der Liste schon vorhanden!";
constexpr const char* k_punkte_zuerst = "Bitte füllen Sie erst den Punktewert aus!";
constexpr const char* k_laenge = "Eine EFN hat 15 Stellen! Bitte kontrollieren Sie die Eingabe!";
// 740000000000013 with its last digit wrong.
constexpr const char* k_falsch = "740000000000019";
constexpr const char* k_pruefziffer = "Die EFN ist nicht korrekt. Bitte überprüfen Sie die Eingabe! (3)";

std::vector<std::string> zeilen(const ui::FakeFenster& f) {
    std::vector<std::string> z;
    for (int i = 0; i < f.zeilenzahl(Ctl::Teilnehmerliste); ++i) z.push_back(f.zeile(Ctl::Teilnehmerliste, i));
    return z;
}

class Tuer : public ::testing::TestWithParam<FormId> {
protected:
    Erfassung u;
    ui::FakeFenster& f = u.oeffnen(GetParam());
    ui::Formularlogik& logik = *u.sammlung.logik(GetParam());

    void scannen(std::string_view efn) { f.tippen(Ctl::EFN, std::string(efn) + "\r"); }
    // The renderer's report of a scan typed while `von` had the focus.
    void scan_in(Ctl von, std::string_view efn) {
        ASSERT_TRUE(logik.nimmt_scans(von));
        f.scan_melden(von, efn);
    }
    std::string zahl() const { return f.text(Ctl::Teilnehmerzahl); }
};

INSTANTIATE_TEST_SUITE_P(BeideMasken, Tuer, ::testing::Values(FormId::MA1_Maske, FormId::MA2_Maske),
                         [](const auto& i) { return i.param == FormId::MA1_Maske ? "MA1" : "MA2"; });

TEST_P(Tuer, NurEfnTipptSelbst) {
    EXPECT_FALSE(logik.nimmt_scans(Ctl::EFN));
    for (Ctl c : {Ctl::Punkte, Ctl::PKT_neu, Ctl::referent, Ctl::Teilnehmerliste, Ctl::Loeschen, Ctl::VNR,
                  Ctl::Speichern, Ctl::Keiner}) {
        EXPECT_TRUE(logik.nimmt_scans(c)) << static_cast<int>(c);
    }
}

TEST_P(Tuer, ScanInPunkteLandetInDerListeUndPunkteBleiben) {
    f.setze_text(Ctl::Punkte, "8");
    scan_in(Ctl::Punkte, k_efn);
    EXPECT_EQ(f.text(Ctl::Punkte), "8");
    EXPECT_EQ(zeilen(f), (std::vector<std::string>{"123456789012347 (8/0)"}));
    EXPECT_EQ(f.text(Ctl::EFN), "");
    EXPECT_EQ(f.fokus_bei(), Ctl::EFN);
    EXPECT_TRUE(u.pl.meldungen.empty());
}

TEST_P(Tuer, ScanInKorrekturfeldernUndListeGehtNachEfn) {
    f.setze_text(Ctl::Punkte, "8");
    f.setze_text(Ctl::PKT_neu, "4");
    scan_in(Ctl::PKT_neu, k_efn);
    scan_in(Ctl::Teilnehmerliste, k_efn2);
    scan_in(Ctl::Loeschen, k_efn3);
    EXPECT_EQ(f.text(Ctl::PKT_neu), "4");
    EXPECT_EQ(zeilen(f).size(), 3U);
    EXPECT_EQ(f.fokus_bei(), Ctl::EFN);
}

TEST_P(Tuer, ScanOhnePunkteMeldetUndErfasstNichts) {
    f.setze_text(Ctl::Punkte, "");
    scan_in(Ctl::Punkte, k_efn);
    EXPECT_EQ(u.pl.meldungen, (std::vector<std::string>{k_punkte_zuerst}));
    EXPECT_TRUE(zeilen(f).empty());
    EXPECT_EQ(f.fokus_bei(), Ctl::Punkte);
}

// The duplicate's box takes the next card, whose Enter closed it; that
// card's box the one after: each is captured in order.
TEST_P(Tuer, KarteInDerMeldungIstDerNaechsteScan) {
    f.setze_text(Ctl::Punkte, "8");
    scannen(k_efn);
    u.pl.scans_in_meldungen = {k_efn, k_efn2};
    scannen(k_efn);
    EXPECT_EQ(u.pl.meldungen, (std::vector<std::string>{k_doppelt, k_doppelt}));
    EXPECT_EQ(zeilen(f), (std::vector<std::string>{"123456789012347 (8/0)", "100000000000009 (8/0)"}));
    EXPECT_EQ(f.text(Ctl::EFN), "");
    EXPECT_EQ(f.fokus_bei(), Ctl::EFN);
    EXPECT_TRUE(u.pl.scans_in_meldungen.empty());
    EXPECT_EQ(u.pl.scan_aus_meldung(), "") << "handed out once";
}

TEST_P(Tuer, TeilweiseGeleseneKarteInDerMeldungWirdGeprueft) {
    f.setze_text(Ctl::Punkte, "8");
    scannen(k_efn);
    u.pl.scans_in_meldungen = {"74000000000001"};
    scannen(k_efn);
    EXPECT_EQ(u.pl.meldungen, (std::vector<std::string>{k_doppelt, k_laenge}));
    EXPECT_EQ(f.text(Ctl::EFN), "74000000000001");
    EXPECT_TRUE(f.text_markiert(Ctl::EFN));
}

// A box that no scan raised keeps its card too, for the list that is open.
TEST_P(Tuer, KarteAusJederMeldungWirdErfasst) {
    f.setze_text(Ctl::Punkte, "8");
    u.pl.scans_in_meldungen = {k_efn2};
    u.pl.meldung("Fehler:53 : Datei nicht gefunden"); // raised elsewhere, closed by a card
    scannen(k_efn);
    EXPECT_EQ(zeilen(f), (std::vector<std::string>{"100000000000009 (8/0)", "123456789012347 (8/0)"}));
}

TEST_P(Tuer, KarteInDerPunktemeldungFragtWiederNachPunkten) {
    f.setze_text(Ctl::Punkte, "");
    u.pl.scans_in_meldungen = {k_efn2, ""};
    scannen(k_efn);
    EXPECT_EQ(u.pl.meldungen, (std::vector<std::string>{k_punkte_zuerst, k_punkte_zuerst}));
    EXPECT_TRUE(zeilen(f).empty());
    EXPECT_EQ(f.fokus_bei(), Ctl::Punkte);
}

// Eight cards as at the door: the third repeats the first, the sixth is
// misread; the fourth and the seventh are typed into those messages.
TEST_P(Tuer, AchtKartenKeineGehtVerloren) {
    f.setze_text(Ctl::Punkte, "8");
    const std::vector<std::string> karten{"740000000000013", "100000000000009", "740000000000013", "123456789012347",
                                          "987654321098767", k_falsch,          "200000000000008", "300000000000007"};
    scannen(karten[0]);
    scannen(karten[1]);
    u.pl.scans_in_meldungen = {karten[3]};
    scannen(karten[2]);
    scannen(karten[4]);
    u.pl.scans_in_meldungen = {karten[6]};
    scannen(karten[5]);
    scannen(karten[7]);
    EXPECT_EQ(u.pl.meldungen, (std::vector<std::string>{k_doppelt, k_pruefziffer}));
    std::vector<std::string> erwartet;
    for (std::size_t i : {0, 1, 3, 4, 6, 7}) erwartet.push_back(karten[i] + " (8/0)");
    EXPECT_EQ(zeilen(f), erwartet);
    EXPECT_EQ(zahl(), "Erfasste Teilnehmer: 6");
}

TEST_P(Tuer, AbgewieseneNummerBleibtMarkiertUndWirdErsetzt) {
    f.setze_text(Ctl::Punkte, "8");
    for (const char* abgewiesen : {"74000000000001", k_falsch}) {
        scannen(abgewiesen);
        EXPECT_EQ(f.text(Ctl::EFN), abgewiesen);
        EXPECT_TRUE(f.text_markiert(Ctl::EFN));
        EXPECT_EQ(f.fokus_bei(), Ctl::EFN);
    }
    EXPECT_EQ(u.pl.meldungen, (std::vector<std::string>{k_laenge, k_pruefziffer}));
    scannen(k_efn);
    EXPECT_EQ(zeilen(f), (std::vector<std::string>{"123456789012347 (8/0)"}));
    EXPECT_FALSE(f.text_markiert(Ctl::EFN));
}

TEST_P(Tuer, ScanErsetztAuchEineAbgewieseneNummerAusAnderemFeld) {
    f.setze_text(Ctl::Punkte, "8");
    scannen(k_falsch);
    scan_in(Ctl::PKT_neu, k_efn);
    EXPECT_EQ(zeilen(f), (std::vector<std::string>{"123456789012347 (8/0)"}));
    EXPECT_EQ(f.text(Ctl::EFN), "");
}

TEST_P(Tuer, ZahlFolgtScansUndLoeschen) {
    EXPECT_EQ(zahl(), "Erfasste Teilnehmer: 0");
    f.setze_text(Ctl::Punkte, "8");
    scannen(k_efn);
    scan_in(Ctl::Punkte, k_efn2);
    EXPECT_EQ(zahl(), "Erfasste Teilnehmer: 2");
    scannen(k_efn); // a duplicate changes nothing
    EXPECT_EQ(zahl(), "Erfasste Teilnehmer: 2");
    f.zeile_klicken(Ctl::Teilnehmerliste, 0);
    f.klicken(Ctl::Loeschen);
    EXPECT_EQ(zahl(), "Erfasste Teilnehmer: 1");
}

TEST(TuerMA2, ScanInInhaltUndDatumLaesstDerenTextUndPrueftDasDatum) {
    Erfassung u;
    ui::FakeFenster& f = u.ma2_vollstaendig();
    f.setze_text(Ctl::Inhalt, "Vortrag");
    f.scan_melden(Ctl::Inhalt, k_efn);
    EXPECT_EQ(f.text(Ctl::Inhalt), "Vortrag");
    EXPECT_EQ(f.zeilenzahl(Ctl::Teilnehmerliste), 1);
    EXPECT_EQ(f.fokus_bei(), Ctl::EFN);

    // The scan is captured first; then the date box runs its own check on its
    // own text, as leaving it does: a broken date is reported and keeps the focus.
    f.setze_text(Ctl::Datum_von, "32.12.2006");
    f.scan_melden(Ctl::Datum_von, k_efn2);
    EXPECT_EQ(f.zeilenzahl(Ctl::Teilnehmerliste), 2);
    EXPECT_EQ(f.text(Ctl::Datum_von), "32.12.2006");
    EXPECT_EQ(u.pl.meldungen,
              (std::vector<std::string>{"Das Datum ist ungültig! Bitte geben Sie das Datum im Format 21.12.2006 an!"}));
    EXPECT_EQ(f.fokus_bei(), Ctl::Datum_von);

    // A card typed into that message is still captured.
    u.pl.meldungen.clear();
    u.pl.scans_in_meldungen = {k_efn3};
    f.scan_melden(Ctl::Datum_von, "740000000000013");
    EXPECT_EQ(f.zeilenzahl(Ctl::Teilnehmerliste), 4);
    EXPECT_EQ(f.fokus_bei(), Ctl::EFN);
}

} // namespace
} // namespace karmo::test
