// Ending the program although the save behind it failed: the question, and the journal the next start offers.
#include <gtest/gtest.h>

#include "capture/erfassungsmaske.hpp"
#include "sicherung/lauf_umgebung.hpp"

namespace karmo::neustart {
namespace {

constexpr const char* k_typ1_datei = "c:\\zelva\\Daten\\2767701234567890123.XML";
constexpr const char* k_typ2_datei = "c:\\zelva\\Daten\\2767701234567890123_21.12.2006.XML";

struct TrotzdemBeenden : Neustart {
    // A type-2 event every required box of which is filled, with one participant.
    ui::FakeFenster& vollstaendig() {
        auto& m = lauf->neu(3);
        m.tippen(Ctl::Punkte, "8");
        m.tippen(Ctl::Uhrzeit_s, "09:00");
        m.tippen(Ctl::Uhrzeit_e, "17:00");
        m.tippen(Ctl::Dauer, "420");
        scannen(m, k_efn1);
        return m;
    }
    // The event file cannot be written, as in a read-only folder (error 5).
    void datei_gesperrt(const std::string& datei) { pl().schreibgeschuetzt.insert(datei + ".tmp"); }
};

TEST_F(TrotzdemBeenden, JaBeendetUndDerNaechsteStartBietetDieSicherungAn) {
    starten();
    auto& m = vollstaendig();
    const Abbild vorher = abbild(*lauf, FormId::MA2_Maske);
    const std::string journal = pl().datei_lesen(k_journal);
    datei_gesperrt(k_typ2_datei);
    m.klicken(Ctl::Ende);
    ASSERT_EQ(pl().meldungen.size(), 1U);
    EXPECT_EQ(pl().meldungen[0].rfind("Fehler:5 : ", 0), 0U) << pl().meldungen[0];
    EXPECT_EQ(pl().fragen, std::vector<std::string>{k_frage_trotzdem_beenden});
    EXPECT_EQ(pl().frage_vorgaben, std::vector<Vorgabe>{Vorgabe::Ja});
    EXPECT_TRUE(lauf->sammlung.leer());
    // Kept as it was, not put aside.
    EXPECT_EQ(pl().datei_lesen(k_journal), journal);
    EXPECT_TRUE(verworfene().empty());
    EXPECT_FALSE(pl().datei_existiert(k_typ2_datei));

    Lauf& neu = starten();
    EXPECT_EQ(pl().fragen, std::vector<std::string>{frage_text(1)});
    EXPECT_EQ(abbild(neu, FormId::MA2_Maske), vorher);
}

// Only a failure asks: a save refused for a box the user can fill keeps the
// focus there, and so does the number check of a type-1 form.
TEST_F(TrotzdemBeenden, AbgelehntesSpeichernFragtNicht) {
    starten();
    auto& m = vollstaendig();
    m.setze_text(Ctl::Dauer, "");
    m.klicken(Ctl::Ende);
    m.schliessen();
    EXPECT_EQ(pl().meldungen, (std::vector<std::string>(2, "Bitte geben Sie die Veranstaltungsdauer ein!(ohne "
                                                           "Pausen in Minuten)")));
    EXPECT_EQ(m.fokus_bei(), Ctl::Dauer);
    EXPECT_TRUE(pl().fragen.empty());
    EXPECT_TRUE(lauf->sichtbar(FormId::MA2_Maske));

    starten(false); // the journal of that form put aside
    auto& m1 = lauf->neu(0);
    m1.tippen(Ctl::Punkte, "5");
    m1.setze_text(Ctl::VNR, "2767701234567890124"); // a wrong check digit
    m1.schliessen();
    EXPECT_EQ(pl().fragen.size(), 1U); // the restore question of this start only
    EXPECT_TRUE(lauf->sichtbar(FormId::MA1_Maske));
    EXPECT_EQ(m1.fokus_bei(), Ctl::VNR);
}

// Nein stays in the form with its journal; a save that works later ends as always.
TEST_F(TrotzdemBeenden, NeinBleibtInDerMaske) {
    auto& m = starten().neu(0);
    m.tippen(Ctl::Punkte, "5");
    scannen(m, k_efn1);
    datei_gesperrt(k_typ1_datei);
    pl().frage_antwort = false;
    m.schliessen();
    EXPECT_EQ(pl().fragen, std::vector<std::string>{k_frage_trotzdem_beenden});
    EXPECT_TRUE(lauf->sichtbar(FormId::MA1_Maske));
    EXPECT_FALSE(lauf->sammlung.endet());
    EXPECT_TRUE(pl().datei_existiert(k_journal));
    EXPECT_EQ(m.zeilenzahl(Ctl::Teilnehmerliste), 1);

    pl().schreibgeschuetzt.clear();
    m.schliessen();
    EXPECT_EQ(pl().fragen.size(), 1U);
    EXPECT_TRUE(lauf->sammlung.leer());
    EXPECT_TRUE(pl().datei_existiert(k_typ1_datei));
    EXPECT_FALSE(pl().datei_existiert(k_journal));
}

// A row whose append failed is written with the whole journal anew before
// the question; so the question may promise it.
TEST_F(TrotzdemBeenden, DieSicherungWirdVorDerFrageGeheilt) {
    starten();
    auto& m = vollstaendig();
    pl().datentraeger_voll = true;
    scannen(m, k_efn2);
    EXPECT_FALSE(lauf->p.sicherung()->gesund());
    pl().datentraeger_voll = false;
    const Abbild vorher = abbild(*lauf, FormId::MA2_Maske);
    datei_gesperrt(k_typ2_datei);
    m.klicken(Ctl::Ende);
    EXPECT_EQ(pl().fragen, std::vector<std::string>{k_frage_trotzdem_beenden});
    EXPECT_TRUE(lauf->sammlung.leer());

    Lauf& neu = starten();
    EXPECT_EQ(pl().fragen, std::vector<std::string>{frage_text(2)});
    EXPECT_EQ(abbild(neu, FormId::MA2_Maske), vorher);
}

// When the journal cannot be written either, the question says the data is
// lost and Nein is the default.
TEST_F(TrotzdemBeenden, OhneSicherungSagtDieFrageDassDieDatenVerlorenGehen) {
    starten();
    pl().ordner_verweigert.insert("c:\\zelva\\Sicherung\\");
    auto& m = vollstaendig();
    EXPECT_FALSE(lauf->p.sicherung()->gesund());
    datei_gesperrt(k_typ2_datei);
    pl().frage_antwort = false;
    m.klicken(Ctl::Ende);
    EXPECT_EQ(pl().fragen, std::vector<std::string>{k_frage_beenden_ohne_sicherung});
    EXPECT_EQ(pl().frage_vorgaben, std::vector<Vorgabe>{Vorgabe::Nein});
    EXPECT_TRUE(lauf->sichtbar(FormId::MA2_Maske));

    // A full disk: neither the file nor the rest of the journal.
    pl().ordner_verweigert.clear();
    pl().schreibgeschuetzt.clear();
    pl().datentraeger_voll = true;
    pl().frage_antwort = true;
    m.schliessen();
    EXPECT_EQ(pl().fragen.back(), k_frage_beenden_ohne_sicherung);
    EXPECT_EQ(pl().frage_vorgaben.back(), Vorgabe::Nein);
    EXPECT_TRUE(lauf->sammlung.leer());
}

} // namespace
} // namespace karmo::neustart
