// The report-type-2 capture form: field checks, saving, transfer, leaving and its close box.
#include <gtest/gtest.h>

#include "capture/erfassung_umgebung.hpp"
#include "checks/portal.hpp"

namespace karmo::test {
namespace {

using ui::Ctl;
using ui::FormId;

constexpr const char* k_datum_falsch = "Das Datum ist ungültig! Bitte geben Sie das Datum im Format 21.12.2006 an!";
constexpr const char* k_bis_falsch = "Das Datum it ungültig! Bitte geben Sie das Datum im Format 21.12.2006 an!";
constexpr const char* k_zeit_falsch = "Die Uhrzeit ist ungültig! Bitte geben Sie die Uhrzeit im Format 13:22 an!";

class MA2 : public ::testing::Test {
protected:
    Erfassung u;
    ui::FakeFenster& f = u.oeffnen(FormId::MA2_Maske);
    void verlassen(Ctl feld, std::string_view text, Ctl nach = Ctl::Inhalt) { test::verlassen(f, feld, text, nach); }
    void teilnehmer_erfassen() {
        f.setze_text(Ctl::Punkte, "8");
        f.tippen(Ctl::EFN, std::string(k_efn) + "\r");
    }
};

TEST_F(MA2, ErsterTagWirdInLeerenLetztenTagUebernommen) {
    verlassen(Ctl::Datum_von, "21.12.2006");
    EXPECT_EQ(f.text(Ctl::DATUM_BIS), "21.12.2006");
    verlassen(Ctl::Datum_von, "20.12.2006");
    EXPECT_EQ(f.text(Ctl::DATUM_BIS), "21.12.2006"); // already filled
    EXPECT_TRUE(u.pl.meldungen.empty());
}

TEST_F(MA2, UngueltigesDatumHaeltDenFokus) {
    verlassen(Ctl::Datum_von, "21-12-2006");
    EXPECT_EQ(u.pl.meldungen, (std::vector<std::string>{k_datum_falsch}));
    EXPECT_EQ(f.text(Ctl::Datum_von), "21122006");
    EXPECT_EQ(f.fokus_bei(), Ctl::Datum_von);
    EXPECT_EQ(f.text(Ctl::DATUM_BIS), ""); // a faulty date is not copied

    f.setze_text(Ctl::Datum_von, "21.12.2006");
    verlassen(Ctl::DATUM_BIS, "31.02.2006");
    EXPECT_EQ(u.pl.meldungen.back(), k_bis_falsch);
    EXPECT_EQ(f.fokus_bei(), Ctl::DATUM_BIS);
}

TEST_F(MA2, EinzelnesZeichenGiltNichtAlsDatum) {
    verlassen(Ctl::Datum_von, "7");
    EXPECT_TRUE(u.pl.meldungen.empty());
    EXPECT_EQ(f.text(Ctl::DATUM_BIS), "7");
    verlassen(Ctl::DATUM_BIS, "x");
    EXPECT_EQ(f.text(Ctl::DATUM_BIS), "");
    EXPECT_TRUE(u.pl.meldungen.empty());
}

// Handlers' own focus moves raise no LostFocus, so two faulty fields cannot
// send the focus back and forth.
TEST_F(MA2, ZweiFalscheDatenPendelnNicht) {
    f.setze_text(Ctl::DATUM_BIS, "99.99.9999");
    f.tippen(Ctl::Datum_von, "32.13.2006");
    f.benutzer_fokus(Ctl::DATUM_BIS);
    EXPECT_EQ(u.pl.meldungen, (std::vector<std::string>{k_datum_falsch}));
    EXPECT_EQ(f.fokus_bei(), Ctl::Datum_von);
}

TEST_F(MA2, Uhrzeiten) {
    for (const char* gut : {"13:22", "1:5", "13:", "23:59", "0:00"}) {
        verlassen(Ctl::Uhrzeit_s, gut);
        EXPECT_EQ(f.fokus_bei(), Ctl::Inhalt) << gut;
    }
    EXPECT_TRUE(u.pl.meldungen.empty());
    verlassen(Ctl::Uhrzeit_s, "1322");
    EXPECT_EQ(f.fokus_bei(), Ctl::Uhrzeit_s);
    EXPECT_EQ(f.text(Ctl::Uhrzeit_s), "1322");
    f.setze_text(Ctl::Uhrzeit_s, "13:22");
    verlassen(Ctl::Uhrzeit_e, ":30");
    EXPECT_EQ(f.fokus_bei(), Ctl::Uhrzeit_e);
    EXPECT_EQ(f.text(Ctl::Uhrzeit_e), ":30");
    verlassen(Ctl::Uhrzeit_e, "9 Uhr");
    EXPECT_EQ(f.text(Ctl::Uhrzeit_e), "9");
    EXPECT_EQ(u.pl.meldungen, (std::vector<std::string>{k_zeit_falsch, k_zeit_falsch}));
}

TEST_F(MA2, DauerUndInhalt) {
    verlassen(Ctl::Dauer, "90 min");
    EXPECT_EQ(f.text(Ctl::Dauer), "90");
    f.setze_text(Ctl::Inhalt, "");
    f.tippen(Ctl::Inhalt, "Zeile 1\rZeile 2");
    EXPECT_EQ(f.text(Ctl::Inhalt), "Zeile 1\r\nZeile 2");
    EXPECT_TRUE(u.pl.meldungen.empty());
}

TEST_F(MA2, VnrFeld) {
    f.setze_text(Ctl::VNR, "276");
    f.benutzer_fokus(Ctl::VNR);
    f.benutzer_fokus(Ctl::Punkte);
    EXPECT_TRUE(u.pl.meldungen.empty());
    f.setze_text(Ctl::VNR, "2760123456789012345");
    f.benutzer_fokus(Ctl::VNR);
    f.benutzer_fokus(Ctl::Punkte);
    EXPECT_EQ(u.pl.meldungen, (std::vector<std::string>{
                                  "Die VNR ist nicht korrekt. Bitte überprüfen Sie die Eingabe! (4)"}));
    EXPECT_EQ(f.fokus_bei(), Ctl::VNR);
}

TEST_F(MA2, SpeichernDatiertDannHauptmenueEinfach) {
    u.ma2_vollstaendig();
    f.klicken(Ctl::Speichern);
    EXPECT_TRUE(u.existiert(k_datiert));
    EXPECT_FALSE(u.existiert(k_einfach));
    ASSERT_EQ(u.pl.meldungen.size(), 1U);
    EXPECT_NE(u.pl.meldungen[0].find(k_datiert), std::string::npos);

    f.klicken(Ctl::Auswahl_BTN);
    EXPECT_TRUE(u.existiert(k_einfach));
    EXPECT_EQ(u.pl.meldungen.size(), 1U); // leaving confirms nothing
    EXPECT_FALSE(f.sichtbar());
    EXPECT_TRUE(u.fenster(FormId::Auswahl).sichtbar());
    EXPECT_EQ(f.text(Ctl::Datum_von), "21.12.2006"); // contents kept
}

TEST_F(MA2, SpeichernBeiMeldungsart1UnterEinfachemNamen) {
    u.ma2_vollstaendig();
    u.p.zustand().Aktuelle_Meldungsart = 1;
    f.klicken(Ctl::Speichern);
    EXPECT_TRUE(u.existiert(k_einfach));
    EXPECT_FALSE(u.existiert(k_datiert));
}

TEST_F(MA2, UebertragenOhneTeilnehmer) {
    u.ma2_vollstaendig();
    f.klicken(Ctl::Senden_web);
    EXPECT_EQ(u.pl.meldungen, (std::vector<std::string>{"Keine Teilnehmer gefunden!"}));
    EXPECT_TRUE(u.pl.shell_aufrufe.empty());
    EXPECT_TRUE(u.pl.gezeigte_dateien.empty());
    EXPECT_FALSE(u.existiert(k_datiert));
}

TEST_F(MA2, UebertragenSpeichertUndOeffnetDasPortal) {
    u.ma2_vollstaendig();
    teilnehmer_erfassen();
    f.klicken(Ctl::Senden_web);
    EXPECT_TRUE(u.existiert(k_datiert));
    EXPECT_EQ(u.p.zustand().Aktuelle_Datei, k_datiert);
    ASSERT_EQ(u.pl.shell_aufrufe.size(), 1U);
    EXPECT_EQ(u.pl.shell_aufrufe[0].ziel, Upload_Adresse(u.pl, k_vnr, k_datiert));
    EXPECT_EQ(u.pl.shell_aufrufe[0].verb, "open");
    EXPECT_EQ(u.pl.shell_aufrufe[0].anzeige, 3);
    // The saved file is put at hand in a file manager window.
    EXPECT_EQ(u.pl.gezeigte_dateien, std::vector<std::string>{k_datiert});
}

// The file manager opens only after the message that names the file, and only
// on a file that was saved; not getting one is nothing the user must answer.
TEST_F(MA2, UebertragenZeigtDieDateiNurNachGelungenemSpeichern) {
    u.ma2_vollstaendig();
    teilnehmer_erfassen();
    std::size_t gezeigt_bei_meldung = 99;
    u.pl.bei_meldung = [&](std::string_view) { gezeigt_bei_meldung = u.pl.gezeigte_dateien.size(); };
    u.pl.datentraeger_voll = true;
    f.klicken(Ctl::Senden_web);
    ASSERT_EQ(u.pl.meldungen.size(), 1U);
    EXPECT_EQ(u.pl.meldungen[0].rfind("Fehler:112 : ", 0), 0U) << u.pl.meldungen[0];
    EXPECT_TRUE(u.pl.gezeigte_dateien.empty());
    EXPECT_TRUE(u.pl.shell_aufrufe.empty());

    u.pl.datentraeger_voll = false;
    u.pl.kein_dateimanager = true;
    u.pl.meldungen.clear();
    f.klicken(Ctl::Senden_web);
    ASSERT_EQ(u.pl.meldungen.size(), 1U);
    EXPECT_NE(u.pl.meldungen[0].find(k_datiert), std::string::npos) << u.pl.meldungen[0];
    EXPECT_EQ(gezeigt_bei_meldung, 0U);
    EXPECT_EQ(u.pl.shell_aufrufe.size(), 1U);
    EXPECT_EQ(u.pl.gezeigte_dateien, std::vector<std::string>{k_datiert});
    EXPECT_TRUE(f.sichtbar());
}

TEST_F(MA2, EinsehenOeffnetDieVeranstaltungsseite) {
    f.klicken(Ctl::Einsehen);
    ASSERT_EQ(u.pl.shell_aufrufe.size(), 1U);
    EXPECT_EQ(u.pl.shell_aufrufe[0].ziel, Einsehen_Adresse(k_vnr));
    EXPECT_NE(u.pl.shell_aufrufe[0].ziel.find("index.php?page=vnr_intern&vnr=2760123456789012344"),
              std::string::npos);
    EXPECT_EQ(u.pl.shell_aufrufe[0].anzeige, 3);
    EXPECT_FALSE(u.pl.ordner_existiert("c:\\zelva\\Daten\\")); // nothing saved
}

TEST_F(MA2, EndeNurMitPraefixSpeichertNicht) {
    u.ma2_vollstaendig();
    f.setze_text(Ctl::VNR, "276");
    f.klicken(Ctl::Ende);
    EXPECT_TRUE(u.sammlung.leer());
    EXPECT_FALSE(u.existiert(k_datiert));
}

TEST_F(MA2, EndeSpeichertDatiertUndBeendet) {
    u.ma2_vollstaendig();
    f.klicken(Ctl::Ende);
    EXPECT_TRUE(u.existiert(k_datiert));
    EXPECT_TRUE(u.sammlung.leer());
    EXPECT_TRUE(u.entkommen.empty());
}

// A save refused for an empty required field keeps the user in the form.
TEST_F(MA2, AbgelehntesSpeichernLaesstNichtWeitergehen) {
    u.ma2_vollstaendig();
    teilnehmer_erfassen();
    f.setze_text(Ctl::Datum_von, "");
    f.klicken(Ctl::Senden_web);
    EXPECT_EQ(u.pl.meldungen, (std::vector<std::string>{"Bitte geben Sie das Veranstaltungsdatum ein!"}));
    EXPECT_TRUE(u.pl.shell_aufrufe.empty());
    EXPECT_EQ(f.fokus_bei(), Ctl::Datum_von);

    f.setze_text(Ctl::Datum_von, "21.12.2006");
    f.setze_text(Ctl::Uhrzeit_e, "");
    f.klicken(Ctl::Auswahl_BTN);
    EXPECT_EQ(u.pl.meldungen.back(), "Bitte geben Sie das Enduhrzeit ein!");
    EXPECT_TRUE(f.sichtbar());
    EXPECT_FALSE(u.geladen(FormId::Auswahl));
    EXPECT_EQ(f.fokus_bei(), Ctl::Uhrzeit_e);

    f.klicken(Ctl::Ende);
    EXPECT_EQ(u.pl.meldungen.size(), 3U);
    EXPECT_TRUE(u.pl.fragen.empty());
    EXPECT_EQ(f.fokus_bei(), Ctl::Uhrzeit_e);
    EXPECT_TRUE(u.geladen(FormId::MA2_Maske));
    EXPECT_FALSE(u.sammlung.endet());
    EXPECT_FALSE(u.existiert(k_datiert));
    EXPECT_FALSE(u.existiert(k_einfach));
}

// An error while saving is shown once and the event stays in the form.
TEST_F(MA2, SpeicherfehlerWirdGemeldetUndDieMaskeBleibt) {
    u.ma2_vollstaendig();
    teilnehmer_erfassen();
    u.pl.ordner_verweigert.insert("c:\\zelva\\");
    u.pl.ordner_verweigert.insert("c:\\zelva");
    f.klicken(Ctl::Senden_web);
    EXPECT_EQ(u.pl.meldungen.back(), "Fehler:510 : Konnte den Pfad c:\\zelva\\Daten\\ nicht erstellen!");
    EXPECT_TRUE(u.pl.shell_aufrufe.empty());

    u.pl.ordner_verweigert.clear();
    u.pl.datentraeger_voll = true;
    u.pl.meldungen.clear();
    u.pl.frage_antwort = false; // not ending anyway
    f.klicken(Ctl::Ende);
    ASSERT_EQ(u.pl.meldungen.size(), 1U);
    EXPECT_EQ(u.pl.meldungen[0].rfind("Fehler:112 : ", 0), 0U) << u.pl.meldungen[0];
    EXPECT_EQ(u.pl.fragen.size(), 1U);

    EXPECT_TRUE(u.entkommen.empty());
    EXPECT_TRUE(u.geladen(FormId::MA2_Maske));
    EXPECT_FALSE(u.sammlung.endet());
    EXPECT_EQ(f.zeilenzahl(Ctl::Teilnehmerliste), 1);
    EXPECT_EQ(f.text(Ctl::Datum_von), "21.12.2006");
}

// The close box behaves like "Programm beenden".
TEST_F(MA2, SchliessfeldSpeichertWieEnde) {
    u.ma2_vollstaendig();
    f.schliessen();
    EXPECT_TRUE(u.existiert(k_datiert));
    EXPECT_TRUE(u.sammlung.leer());
}

TEST_F(MA2, SchliessfeldOhneNummerBeendetOhneSpeichern) {
    u.fenster(FormId::Auswahl); // another window is unloaded as well
    f.setze_text(Ctl::VNR, "276");
    f.schliessen();
    EXPECT_TRUE(u.sammlung.leer());
    EXPECT_FALSE(u.pl.ordner_existiert("c:\\zelva\\Daten\\"));
}

TEST_F(MA2, SchliessfeldBleibtOffenWennSpeichernScheitert) {
    u.ma2_vollstaendig();
    f.setze_text(Ctl::Dauer, "");
    f.schliessen();
    EXPECT_EQ(u.pl.meldungen.back(), "Bitte geben Sie die Veranstaltungsdauer ein!(ohne Pausen in Minuten)");
    EXPECT_TRUE(u.geladen(FormId::MA2_Maske));
    EXPECT_EQ(f.fokus_bei(), Ctl::Dauer);

    EXPECT_TRUE(u.pl.fragen.empty()); // refused, not failed: nothing to ask

    f.setze_text(Ctl::Dauer, "180");
    u.pl.datentraeger_voll = true;
    u.pl.frage_antwort = false;
    f.schliessen();
    EXPECT_EQ(u.pl.fragen.size(), 1U);
    EXPECT_TRUE(u.geladen(FormId::MA2_Maske));
    EXPECT_EQ(u.pl.meldungen.back().rfind("Fehler:", 0), 0U);
    EXPECT_FALSE(u.sammlung.endet());
}

} // namespace
} // namespace karmo::test
