// Cards scanned into any message box or question of a capture form: captured and journaled, never an answer.
#include <gtest/gtest.h>

#include "capture/erfassungsmaske.hpp"
#include "sicherung/lauf_umgebung.hpp"

namespace karmo::neustart {
namespace {

constexpr const char* k_typ2_datei = "c:\\zelva\\Daten\\2767701234567890123_21.12.2006.XML";
constexpr const char* k_gespeichert = "Datei erfolgreich gespeichert! Sie finden die Datei unter:\r\n";
constexpr const char* k_uebertragung = "Die ZELVA-Webseite wird jetzt aufgerufen. \r\n";

std::vector<std::string> zeilen(ui::FakeFenster& m) {
    std::vector<std::string> z;
    for (int i = 0; i < m.zeilenzahl(Ctl::Teilnehmerliste); ++i) z.push_back(m.zeile(Ctl::Teilnehmerliste, i));
    return z;
}

struct KartenInMeldungen : Neustart {
    // A type-2 event with one participant; Uhrzeit_s left empty when asked.
    ui::FakeFenster& typ2(bool mit_startzeit = true) {
        auto& m = lauf->neu(3);
        m.tippen(Ctl::Punkte, "8");
        if (mit_startzeit) m.tippen(Ctl::Uhrzeit_s, "09:00");
        m.tippen(Ctl::Uhrzeit_e, "17:00");
        m.tippen(Ctl::Dauer, "420");
        scannen(m, k_efn1);
        return m;
    }
    // The card is scanned into the first box whose text begins with `anfang`.
    void karte_in(std::string anfang, std::string karte) {
        pl().bei_meldung = [this, anfang, karte](std::string_view text) {
            if (text.rfind(anfang, 0) == 0) pl().scans_in_meldungen.push_back(karte);
        };
    }
    // After a crash, the next start restores exactly these lines.
    void nach_absturz_wiederhergestellt(const std::vector<std::string>& erwartet) {
        Lauf& neu = starten();
        EXPECT_EQ(zeilen(neu.f(FormId::MA2_Maske)), erwartet);
    }
};

const std::vector<std::string> k_beide{"123456789012347 (8/0)", "100000000000009 (8/0)"};

TEST_F(KartenInMeldungen, KarteInDieAbgelehnteSpeicherung) {
    starten();
    auto& m = typ2(false);
    karte_in("Bitte geben Sie die Startuhrzeit ein!", k_efn2);
    m.klicken(Ctl::Speichern);
    EXPECT_EQ(pl().meldungen.back(), "Bitte geben Sie die Startuhrzeit ein!");
    EXPECT_EQ(zeilen(m), k_beide);
    EXPECT_EQ(m.text(Ctl::Teilnehmerzahl), "Erfasste Teilnehmer: 2");
    EXPECT_EQ(m.fokus_bei(), Ctl::EFN) << "ready for the next card";
    EXPECT_FALSE(pl().karten_wartend());
    nach_absturz_wiederhergestellt(k_beide);
}

TEST_F(KartenInMeldungen, KarteInDieSpeicherbestaetigung) {
    starten();
    auto& m = typ2();
    karte_in(k_gespeichert, k_efn2);
    m.klicken(Ctl::Speichern);
    EXPECT_EQ(zeilen(m), k_beide);
    // Saved before the card came: the card is the journal's, not yet the file's.
    EXPECT_EQ(pl().datei_lesen(k_typ2_datei).find(k_efn2), std::string::npos);
    nach_absturz_wiederhergestellt(k_beide);
}

TEST_F(KartenInMeldungen, KarteInDieUebertragungsbestaetigung) {
    starten();
    auto& m = typ2();
    karte_in(k_uebertragung, k_efn2);
    m.klicken(Ctl::Senden_web);
    EXPECT_EQ(pl().meldungen.back().rfind(k_uebertragung, 0), 0U);
    EXPECT_EQ(pl().shell_aufrufe.size(), 1U) << "the portal was still opened";
    EXPECT_EQ(zeilen(m), k_beide);
}

// Several cards into one message: one closes it, the next goes to the
// duplicate's box, and so on; each captured in order.
TEST_F(KartenInMeldungen, KartenKetteUeberMehrereMeldungen) {
    starten();
    auto& m = typ2();
    karte_in(k_gespeichert, k_efn1); // a duplicate: its own message takes the next
    m.klicken(Ctl::Speichern);
    pl().bei_meldung = nullptr;
    EXPECT_EQ(pl().meldungen.back(), "Diese Nummer ist in der Liste schon vorhanden!");
    EXPECT_EQ(zeilen(m), std::vector<std::string>{"123456789012347 (8/0)"});
}

// Nein: the question stays a person's; the card comes after it.
TEST_F(KartenInMeldungen, KarteInDieBeendenFrageNein) {
    starten();
    auto& m = typ2();
    pl().schreibgeschuetzt.insert(std::string(k_typ2_datei) + ".tmp");
    pl().frage_antwort = false;
    pl().bei_meldung = [this](std::string_view) {};
    pl().scans_in_meldungen = {"", k_efn2}; // the error closed by a person, the card into the question
    m.klicken(Ctl::Ende);
    EXPECT_EQ(pl().fragen, std::vector<std::string>{k_frage_trotzdem_beenden});
    EXPECT_TRUE(lauf->sichtbar(FormId::MA2_Maske));
    EXPECT_EQ(zeilen(m), k_beide);
    EXPECT_EQ(m.fokus_bei(), Ctl::EFN);
}

// Ja ends the program, but the cards of the error and of the question are
// in the journal first.
TEST_F(KartenInMeldungen, KarteInDieBeendenFrageJa) {
    starten();
    auto& m = typ2();
    pl().schreibgeschuetzt.insert(std::string(k_typ2_datei) + ".tmp");
    pl().scans_in_meldungen = {k_efn3, k_efn2};
    m.klicken(Ctl::Ende);
    EXPECT_EQ(pl().fragen, std::vector<std::string>{k_frage_trotzdem_beenden});
    EXPECT_TRUE(lauf->sammlung.leer());
    Lauf& neu = starten();
    EXPECT_EQ(pl().fragen, std::vector<std::string>{frage_text(3)});
    EXPECT_EQ(zeilen(neu.f(FormId::MA2_Maske)),
              (std::vector<std::string>{"123456789012347 (8/0)", "987654321098767 (8/0)", "100000000000009 (8/0)"}));
}

// Where no list is open (the restore question at the start, the main
// menu's boxes) a card's keys go nowhere: nothing is kept for later.
TEST_F(KartenInMeldungen, OhneListeWirdKeineKarteBehalten) {
    starten();
    typ2();
    lauf.reset(); // a crash: the journal remains
    lauf = std::make_unique<Lauf>(wurzel, false, std::deque<std::string>{k_efn2});
    EXPECT_EQ(pl().fragen, std::vector<std::string>{frage_text(1)});
    EXPECT_TRUE(pl().scans_in_meldungen.empty()) << "the card was typed into the question";
    EXPECT_FALSE(pl().karten_wartend());
    auto& m = lauf->neu(3);
    m.tippen(Ctl::Punkte, "8");
    EXPECT_TRUE(zeilen(m).empty());
}

} // namespace
} // namespace karmo::neustart
