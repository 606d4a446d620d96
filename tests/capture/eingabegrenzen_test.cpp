// Decimal points, impossible times and an end before the first day in the capture forms, beside the unchanged filters.
#include <gtest/gtest.h>

#include "capture/erfassung_umgebung.hpp"

namespace karmo::test {
namespace {

using ui::Ctl;
using ui::FormId;

const std::string k_ganze = "Bitte geben Sie ganze Punkte ein!";
const std::string k_zeit_falsch = "Die Uhrzeit ist ungültig! Bitte geben Sie die Uhrzeit im Format 13:22 an!";
const std::string k_ende_vorher = "Das Enddatum liegt vor dem ersten Datum der Veranstaltung!";
const std::string k_bis_falsch = "Das Datum it ungültig! Bitte geben Sie das Datum im Format 21.12.2006 an!";

class GanzePunkte : public ::testing::TestWithParam<FormId> {
protected:
    Erfassung u;
    ui::FakeFenster& f = u.oeffnen(GetParam());
    void verlassen(Ctl feld, std::string_view text, Ctl nach) { test::verlassen(f, feld, text, nach); }
    void erfassen() {
        f.setze_text(Ctl::Punkte, "8");
        f.tippen(Ctl::EFN, std::string(k_efn) + "\r");
        f.zeile_klicken(Ctl::Teilnehmerliste, 0);
    }
};

INSTANTIATE_TEST_SUITE_P(BeideMasken, GanzePunkte, ::testing::Values(FormId::MA1_Maske, FormId::MA2_Maske),
                         [](const auto& i) { return i.param == FormId::MA1_Maske ? "MA1" : "MA2"; });

TEST_P(GanzePunkte, DezimalzeichenInPunkteBleibtStehenMitMeldung) {
    for (const char* t : {"4,5", "4.5"}) {
        u.pl.meldungen.clear();
        verlassen(Ctl::Punkte, t, Ctl::EFN);
        EXPECT_EQ(u.pl.meldungen, std::vector<std::string>{k_ganze}) << t;
        EXPECT_EQ(f.text(Ctl::Punkte), t);
        EXPECT_EQ(f.fokus_bei(), Ctl::Punkte);
    }
    // Other stray characters are filtered as before, without a word.
    u.pl.meldungen.clear();
    verlassen(Ctl::Punkte, "1a2", Ctl::EFN);
    EXPECT_EQ(f.text(Ctl::Punkte), "12");
    EXPECT_TRUE(u.pl.meldungen.empty());
    EXPECT_EQ(f.fokus_bei(), Ctl::EFN);
}

TEST_P(GanzePunkte, DezimalzeichenInDenKorrekturfeldernAendertDieZeileNicht) {
    erfassen();
    const struct {
        Ctl feld, knopf;
        const char* wert;
    } faelle[] = {{Ctl::PKT_neu, Ctl::PKT_Korrektur, "4,5"},
                  {Ctl::PKT_neu, Ctl::PKT_Korrektur, ".5"},
                  {Ctl::referent, Ctl::Ref_PKT, "1,"},
                  {Ctl::referent, Ctl::Ref_PKT, "1."}};
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.wert);
        u.pl.meldungen.clear();
        f.setze_text(fall.feld, fall.wert);
        f.klicken(fall.knopf);
        EXPECT_EQ(u.pl.meldungen, std::vector<std::string>{k_ganze});
        EXPECT_EQ(f.zeile(Ctl::Teilnehmerliste, 0), std::string(k_efn) + " (8/0)");
        EXPECT_EQ(f.text(fall.feld), fall.wert);
        EXPECT_EQ(f.fokus_bei(), fall.feld);
    }
    // Whole points still go in as typed, and the focus returns to EFN.
    u.pl.meldungen.clear();
    f.setze_text(Ctl::PKT_neu, "6");
    f.klicken(Ctl::PKT_Korrektur);
    f.setze_text(Ctl::referent, "2");
    f.klicken(Ctl::Ref_PKT);
    EXPECT_EQ(f.zeile(Ctl::Teilnehmerliste, 0), std::string(k_efn) + " (6/2)");
    EXPECT_EQ(f.fokus_bei(), Ctl::EFN);
    EXPECT_TRUE(u.pl.meldungen.empty());
}

// The earlier messages keep their order: no selection, then an empty box.
TEST_P(GanzePunkte, AuswahlUndLeeresFeldWerdenZuerstGemeldet) {
    f.setze_text(Ctl::Punkte, "8");
    f.tippen(Ctl::EFN, std::string(k_efn) + "\r");
    f.setze_text(Ctl::PKT_neu, "4,5");
    f.klicken(Ctl::PKT_Korrektur);
    EXPECT_EQ(u.pl.meldungen.back(), "Bitte erst eine EFN durch anklicken auswählen!");
    EXPECT_EQ(f.fokus_bei(), Ctl::EFN);
}

// Saved points stay whole: a refused correction leaves the file's digits.
TEST_P(GanzePunkte, GespeicherteDateiBehaeltDiePunkte) {
    erfassen();
    f.setze_text(Ctl::PKT_neu, "4,5");
    f.klicken(Ctl::PKT_Korrektur);
    if (GetParam() == FormId::MA2_Maske) {
        for (auto [feld, wert] : {std::pair{Ctl::Datum_von, "21.12.2006"},
                                  {Ctl::Uhrzeit_s, "9:00"},
                                  {Ctl::Uhrzeit_e, "17:00"},
                                  {Ctl::Dauer, "420"}}) {
            f.setze_text(feld, wert);
        }
    }
    f.klicken(Ctl::Speichern);
    const std::string pfad = GetParam() == FormId::MA1_Maske ? "c:\\zelva\\Daten\\2760123456789012344.XML"
                                                             : "c:\\zelva\\Daten\\2760123456789012344_21.12.2006.XML";
    EXPECT_NE(u.pl.datei_lesen(pfad).find("<Punkte_Basis>8</Punkte_Basis>"), std::string::npos);
}

class Zeiten : public ::testing::Test {
protected:
    Erfassung u;
    ui::FakeFenster& f = u.oeffnen(FormId::MA2_Maske);
    void verlassen(Ctl feld, std::string_view text) { test::verlassen(f, feld, text, Ctl::Inhalt); }
};

TEST_F(Zeiten, UhrzeitAusserhalbDesTagesBekommtDieZeitmeldung) {
    for (Ctl feld : {Ctl::Uhrzeit_s, Ctl::Uhrzeit_e}) {
        for (const char* t : {"24:00", "99:99", "12:60", ":30", "1322"}) {
            SCOPED_TRACE(t);
            u.pl.meldungen.clear();
            verlassen(feld, t);
            EXPECT_EQ(u.pl.meldungen, std::vector<std::string>{k_zeit_falsch});
            EXPECT_EQ(f.fokus_bei(), feld);
            EXPECT_EQ(f.text(feld), t);
        }
        u.pl.meldungen.clear();
        for (const char* t : {"00:00", "23:59", "1:5", "13:", "7"}) {
            verlassen(feld, t);
            EXPECT_EQ(f.fokus_bei(), Ctl::Inhalt) << t;
        }
        EXPECT_TRUE(u.pl.meldungen.empty());
    }
}

TEST_F(Zeiten, EnddatumVorDemErstenTagWirdBeimVerlassenAbgelehnt) {
    verlassen(Ctl::Datum_von, "21.12.2006");
    verlassen(Ctl::DATUM_BIS, "20.12.2006");
    EXPECT_EQ(u.pl.meldungen, std::vector<std::string>{k_ende_vorher});
    EXPECT_EQ(f.fokus_bei(), Ctl::DATUM_BIS);
    EXPECT_EQ(f.text(Ctl::DATUM_BIS), "20.12.2006");

    // The same day and a later day pass.
    u.pl.meldungen.clear();
    for (const char* t : {"21.12.2006", "2.1.07"}) {
        verlassen(Ctl::DATUM_BIS, t);
        EXPECT_EQ(f.fokus_bei(), Ctl::Inhalt) << t;
    }
    // An invalid end date keeps its own message.
    verlassen(Ctl::DATUM_BIS, "32.12.2006");
    EXPECT_EQ(u.pl.meldungen, std::vector<std::string>{k_bis_falsch});
}

// The first day left after a later end date is not refused: the user may be
// about to correct the end date, which is checked when it is left.
TEST_F(Zeiten, ErsterTagNachDemEnddatumIstNochKeinFehler) {
    verlassen(Ctl::Datum_von, "21.12.2006");
    verlassen(Ctl::DATUM_BIS, "22.12.2006");
    verlassen(Ctl::Datum_von, "28.12.2006");
    EXPECT_TRUE(u.pl.meldungen.empty());
    EXPECT_EQ(f.fokus_bei(), Ctl::Inhalt);
    EXPECT_EQ(f.text(Ctl::DATUM_BIS), "22.12.2006"); // already filled: not copied

    verlassen(Ctl::DATUM_BIS, "22.12.2006");
    EXPECT_EQ(u.pl.meldungen, std::vector<std::string>{k_ende_vorher});
    verlassen(Ctl::DATUM_BIS, "30.12.2006");
    EXPECT_EQ(u.pl.meldungen.size(), 1U);
}

} // namespace
} // namespace karmo::test
