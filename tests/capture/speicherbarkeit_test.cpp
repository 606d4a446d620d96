// Text boxes whose value the event file cannot carry back: refused when the content is left and at every save; the rest comes back.
#include <gtest/gtest.h>

#include "capture/erfassung_umgebung.hpp"
#include "eventfile/dateizugriff.hpp"
#include "eventfile/speicherbarkeit.hpp"

namespace karmo::test {
namespace {

using ui::Ctl;
using ui::FormId;


class Speicherbarkeit : public ::testing::Test {
protected:
    Erfassung u;
    ui::FakeFenster& f = u.ma2_vollstaendig();

    // The user types the content (Enter for "\r") and moves on.
    void eingeben(std::string_view text) {
        f.benutzer_fokus(Ctl::Inhalt);
        f.setze_text(Ctl::Inhalt, "");
        f.tippen(Ctl::Inhalt, text);
    }
    // Saves, then opens the saved file again from the file list.
    void speichern_und_laden() {
        f.klicken(Ctl::Speichern);
        ASSERT_TRUE(u.existiert(k_datiert));
        f.setze_text(Ctl::Inhalt, "anderes");
        Zustand& z = u.p.zustand();
        z.Dateiliste_Pfade = {k_datiert};
        z.Lade_Zweck = 1;
        Veranstaltung_laden(u.p, 0);
    }
};

// What a reader does with each of these in a content line, had it been saved.
TEST(Wert_Hindernis, JedeMarkierungDieEinLeserSuchtWirdGenannt) {
    for (const char* tag : {
             "</Bemerkung>",     // ends the content there
             "<VNR>",            // the file list and the loader take the event number from it
             "<Punkte>",         // the loader takes the line for the points
             "<Uhrzeit_von>",    // the file list shows it as the start time
             "<Meldungsart>",    // decides the report type, standing before the real one
             "<Teilnehmer>",     // starts a participant block that swallows the header after it
             "</Veranstaltung>", // the loader stops reading
         }) {
        const std::string grund = Wert_Hindernis(std::string("Seminar ") + tag + " Teil 2", "Inhalt");
        EXPECT_NE(grund.find(std::string("\"") + tag + "\""), std::string::npos) << tag;
    }
    EXPECT_EQ(Wert_Hindernis("Paare & Familien <ganztägig> a<b, Teil 1/2 <VNR >", "Inhalt"), "");
}

TEST(Wert_Hindernis, NurZeichenAusWindows1252UndZeilenumbruecheAlsCrLf) {
    EXPECT_EQ(Wert_Hindernis("Übungen für „Anfänger“ – 20 € … ß œ Š ™", "Inhalt"), "");
    EXPECT_EQ(Wert_Hindernis("Zeile 1\r\nZeile 2\r\n", "Inhalt"), "");
    EXPECT_EQ(Wert_Hindernis("ein\nZeilenvorschub allein", "Inhalt"), ""); // a lone LF stays inside the file's line
    EXPECT_EQ(Wert_Hindernis("Łódź", "Inhalt"),
              "Das Feld \"Inhalt\" enthält das Zeichen \"Ł\", das nicht gespeichert werden kann. Bitte ändern Sie den Text!");
    EXPECT_NE(Wert_Hindernis("Pfeil →", "Inhalt"), "");
    EXPECT_NE(Wert_Hindernis("Lachen \xF0\x9F\x98\x80", "Inhalt"), "");
    EXPECT_EQ(Wert_Hindernis("Teil 1\rTeil 2", "Dauer (Min)"),
              "Das Feld \"Dauer (Min)\" enthält einen Zeilenumbruch, der nicht gespeichert werden kann. Bitte ändern Sie "
              "den Text!");
    EXPECT_NE(Wert_Hindernis("am Ende\r", "Inhalt"), "");
}

TEST_F(Speicherbarkeit, VerlassenMitMarkierungMeldetUndHaeltDenFokus) {
    eingeben("Vortrag</Bemerkung>Teil 2");
    f.benutzer_fokus(Ctl::EFN);
    EXPECT_EQ(u.pl.meldungen,
              (std::vector<std::string>{"Das Feld \"Inhalt\" darf die Zeichenfolge \"</Bemerkung>\" nicht enthalten, "
                                        "weil sie in der Datei als Markierung gelesen wird. Bitte ändern Sie den Text!"}));
    EXPECT_EQ(f.fokus_bei(), Ctl::Inhalt);
    EXPECT_EQ(f.text(Ctl::Inhalt), "Vortrag</Bemerkung>Teil 2"); // left for the user to mend
}

TEST_F(Speicherbarkeit, SpeichernSchreibtKeineDateiDieAndersZurueckkaeme) {
    // Pasted text can hold what typing cannot; saving refuses it in every way out.
    f.setze_text(Ctl::Inhalt, "Gruppe A\r\n<Meldungsart>1</Meldungsart>");
    f.setze_text(Ctl::EFN, "");
    f.tippen(Ctl::EFN, std::string(k_efn) + "\r");
    for (Ctl knopf : {Ctl::Speichern, Ctl::Senden_web, Ctl::Auswahl_BTN, Ctl::Ende}) {
        u.pl.meldungen.clear();
        f.fokus(Ctl::EFN);
        f.klicken(knopf);
        ASSERT_FALSE(u.pl.meldungen.empty());
        EXPECT_NE(u.pl.meldungen.back().find("\"<Meldungsart>\""), std::string::npos);
        EXPECT_EQ(f.fokus_bei(), Ctl::Inhalt);
        EXPECT_TRUE(f.sichtbar()); // neither left for the main menu nor ended
    }
    EXPECT_TRUE(u.pl.shell_aufrufe.empty()); // no transfer of a file never written
    EXPECT_FALSE(u.existiert(k_datiert));
    EXPECT_FALSE(u.existiert("c:\\zelva\\Daten\\2760123456789012344.XML"));

    // Mended, it is saved.
    f.setze_text(Ctl::Inhalt, "Gruppe A");
    f.klicken(Ctl::Speichern);
    EXPECT_TRUE(u.existiert(k_datiert));
}

// The points box keeps a refused text with a decimal sign for correction;
// what else that text holds must not reach a file either.
TEST_F(Speicherbarkeit, PunkteMitZeichenDieDieDateiNichtTraegtWerdenNichtGespeichert) {
    f.benutzer_fokus(Ctl::Punkte);
    f.setze_text(Ctl::Punkte, "");
    f.tippen(Ctl::Punkte, "Ł,5");
    f.klicken(Ctl::Speichern);
    ASSERT_FALSE(u.pl.meldungen.empty());
    EXPECT_EQ(u.pl.meldungen.back(), "Das Feld \"Punkte\" enthält das Zeichen \"Ł\", das nicht gespeichert werden kann. "
                                     "Bitte ändern Sie den Text!");
    EXPECT_EQ(f.fokus_bei(), Ctl::Punkte);
    EXPECT_FALSE(u.existiert(k_datiert));

    // Type 1 the same: only its points box is written from the form.
    ui::FakeFenster& f1 = u.oeffnen(FormId::MA1_Maske);
    f1.setze_text(Ctl::Punkte, "");
    f1.tippen(Ctl::Punkte, "→.5");
    u.pl.meldungen.clear();
    f1.klicken(Ctl::Speichern);
    ASSERT_FALSE(u.pl.meldungen.empty());
    EXPECT_NE(u.pl.meldungen.back().find("\"→\""), std::string::npos);
    EXPECT_EQ(f1.fokus_bei(), Ctl::Punkte);
    EXPECT_FALSE(u.existiert("c:\\zelva\\Daten\\2760123456789012344.XML"));
}

TEST_F(Speicherbarkeit, WasErlaubtIstKommtUnveraendertZurueck) {
    const std::string inhalt = "Übungen für „Anfänger“ & <Fortgeschrittene>\r\nTeil 2: 20 € … ™\r\n\r\nEnde";
    eingeben("Übungen für „Anfänger“ & <Fortgeschrittene>\rTeil 2: 20 € … ™\r\rEnde");
    ASSERT_EQ(f.text(Ctl::Inhalt), inhalt);
    speichern_und_laden();
    EXPECT_EQ(f.text(Ctl::Inhalt), inhalt);
    EXPECT_EQ(u.pl.meldungen.size(), 1U); // the save's confirmation only
}

TEST_F(Speicherbarkeit, DerVorgabetextDerMaskeIstSpeicherbar) {
    // A form that was never prepared still shows its initial text.
    f.setze_text(Ctl::Inhalt, "Inhalt der Veranstaltung. Überschrift/Schlagwörter");
    speichern_und_laden();
    EXPECT_EQ(f.text(Ctl::Inhalt), "Inhalt der Veranstaltung. Überschrift/Schlagwörter");
}

} // namespace
} // namespace karmo::test
