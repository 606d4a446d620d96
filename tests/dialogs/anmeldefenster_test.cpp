// The registration list at the door: names on scans, the count against the registered, the window Anmeldeliste.
#include "dialogs/anmeldefenster.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../capture/erfassung_umgebung.hpp"
#include "capture/ma1_maske.hpp"
#include "capture/ma2_maske.hpp"
#include "eventfile/teilnehmerzahl.hpp"

namespace karmo {
namespace {

using ui::Ctl;
using ui::FormId;

constexpr const char* k_vnr = "2767501234567890125";
constexpr const char* k_ablage = "c:\\zelva\\Daten\\2767501234567890125.Anmeldeliste.csv";
// Three registered (one of them twice), one without EFN, one with Excel's cut number.
const std::string k_tabelle = std::string("Nachname;Vorname;Titel;EFN\r\n") + "Weiß;Jürgen;Dr.;" + test::k_efn +
                              "\r\nMüller;Anna;;" + test::k_efn2 + "\r\nAdler;Bert;;\r\nZander;Zoe;;1,23457E+14\r\n" +
                              "Weiß;Zweiter;;" + test::k_efn + "\r\n";

struct Tuer {
    FakePlattform pl;
    ui::FakeHost host;
    ui::Formularsammlung sammlung{host, [](FormId id) -> const ui::Formular& {
                                      if (id == FormId::Anmeldeliste) return k_Anmeldeliste;
                                      return test::erfassung_deklaration(id);
                                  }};
    Programm p{pl, sammlung};

    Tuer() {
        sammlung.setze_fabrik([this](FormId id, ui::Fenster& f) -> std::unique_ptr<ui::Formularlogik> {
            if (id == FormId::MA1_Maske) return std::make_unique<MA1_Maske>(p, f);
            if (id == FormId::MA2_Maske) return std::make_unique<MA2_Maske>(p, f);
            if (id == FormId::Anmeldeliste) return std::make_unique<Anmeldefenster>(p, f);
            return std::make_unique<ui::Formularlogik>();
        });
        Kammern_initialisieren(p.zustand());
        p.zustand().Basisverzeichnis = "c:\\zelva\\";
        p.zustand().Aktuelle_VNR = k_vnr;
        p.zustand().Aktuelle_Meldungsart = 1;
        pl.ordner_anlegen("c:\\zelva\\");
        pl.ordner_anlegen("c:\\zelva\\Daten\\");
        pl.ordner_anlegen("e:\\");
    }
    ui::FakeFenster& f(FormId id) { return dynamic_cast<ui::FakeFenster&>(p.form(id)); }
    ui::FakeFenster& form() {
        ui::FakeFenster& m = f(FormId::MA1_Maske);
        if (!m.sichtbar()) {
            m.setze_text(Ctl::VNR, k_vnr);
            m.setze_text(Ctl::Punkte, "8");
            Teilnehmerzahl_zeigen(p, m);
            m.zeigen();
        }
        return m;
    }
    ui::FakeFenster& fenster() { return f(FormId::Anmeldeliste); }
    void scannen(const std::string& efn) { form().tippen(Ctl::EFN, efn + "\r"); }
    // "Anmeldeliste", "Laden…", the file chosen in the Open dialog.
    void laden(const std::string& pfad, const std::string& bytes) {
        pl.schreiben(pfad, bytes);
        form().klicken(Ctl::Anmeldeliste);
        pl.zu_oeffnen.push_back({pfad});
        fenster().klicken(Ctl::Laden);
    }
    std::vector<std::string> zeilen() {
        std::vector<std::string> z;
        for (int i = 0; i < fenster().zeilenzahl(Ctl::Treffer); ++i) z.push_back(fenster().zeile(Ctl::Treffer, i));
        return z;
    }
};

TEST(Anmeldefenster, OhneListeBleibtAllesWieBisher) {
    Tuer t;
    t.scannen(test::k_efn);
    EXPECT_EQ(t.form().text(Ctl::Teilnehmerzahl), "Erfasste Teilnehmer: 1");
    EXPECT_EQ(t.form().text(Ctl::Zuletzt), "");
    t.form().klicken(Ctl::Anmeldeliste);
    EXPECT_FALSE(t.f(FormId::MA1_Maske).sichtbar());
    EXPECT_EQ(t.fenster().text(Ctl::Trefferzahl), "Keine Anmeldeliste geladen.");
    EXPECT_FALSE(t.fenster().aktiviert(Ctl::Erfassen));
    EXPECT_FALSE(t.fenster().aktiviert(Ctl::Entfernen));
    // Laden… is the default: Enter opens the Open dialog.
    t.fenster().enter();
    ASSERT_EQ(t.pl.dateidialoge.size(), 1U);
    EXPECT_EQ(t.pl.dateidialoge[0].titel, "Anmeldeliste laden");
    EXPECT_EQ(t.pl.dateidialoge[0].filtername, "Tabellen (*.csv;*.txt)");
    EXPECT_EQ(t.pl.dateidialoge[0].muster, "*.csv;*.txt");
    ASSERT_EQ(t.pl.dateidialoge[0].weitere_filter.size(), 1U);
    EXPECT_EQ(t.pl.dateidialoge[0].weitere_filter[0].first, "Alle Dateien (*.*)");
    EXPECT_FALSE(t.pl.dateidialoge[0].mehrere);
    t.fenster().escape();
    EXPECT_TRUE(t.form().sichtbar());
    EXPECT_EQ(t.form().fokus_bei(), Ctl::EFN);
}

TEST(Anmeldefenster, LadenZeigtDieZusammenfassungUndLegtDieListeBeiDerVeranstaltungAb) {
    Tuer t;
    t.scannen(test::k_efn3); // a walk-in captured before the list came
    t.laden("e:\\anmeldungen.csv", k_tabelle);
    EXPECT_EQ(t.pl.meldungen.back(),
              "Anmeldeliste geladen: 5 Anmeldungen, 2 davon mit gültiger EFN.\r\n1 ohne EFN.\r\n1 mit ungültiger EFN:\r\n"
              "Zeile 5: Zander, Zoe (1,23457E+14)\r\n1 EFN standen mehrfach in der Liste und wurden nur einmal "
              "übernommen.\r\nExcel hat lange Nummern gekürzt. Bitte formatieren Sie die EFN-Spalte als Text und "
              "speichern Sie die Datei erneut.");
    EXPECT_FALSE(t.pl.datei_lesen(k_ablage).empty());
    EXPECT_TRUE(t.fenster().sichtbar()) << "the window stays open and shows the new list";
    EXPECT_EQ(t.zeilen(), (std::vector<std::string>{"Adler, Bert – ohne EFN",
                                                    "Müller, Anna – " + std::string(test::k_efn2),
                                                    "Weiß, Dr. Jürgen – " + std::string(test::k_efn),
                                                    "Zander, Zoe – EFN ungültig"}));
    EXPECT_EQ(t.fenster().text(Ctl::Trefferzahl), "4 von 4 angezeigt");
    EXPECT_EQ(t.form().text(Ctl::Teilnehmerzahl), "Erfasste Teilnehmer: 1 (angemeldet: 0 von 2)");
    // The file list of events never shows it.
    EXPECT_EQ(t.pl.dateien("c:\\zelva\\Daten\\*.XML"), std::vector<std::string>{});
}

TEST(Anmeldefenster, SucheUndErfassenOhneKarte) {
    Tuer t;
    t.laden("e:\\a.csv", k_tabelle);
    t.fenster().tippen(Ctl::Suche, "weiss");
    EXPECT_EQ(t.zeilen(), std::vector<std::string>{"Weiß, Dr. Jürgen – " + std::string(test::k_efn)});
    EXPECT_EQ(t.fenster().text(Ctl::Trefferzahl), "1 von 1 angezeigt");
    EXPECT_TRUE(t.fenster().aktiviert(Ctl::Erfassen));
    // Enter in the search box captures the line found, as a scan would.
    t.fenster().tippen(Ctl::Suche, "\r");
    EXPECT_FALSE(t.fenster().sichtbar());
    ASSERT_EQ(t.form().zeilenzahl(Ctl::Teilnehmerliste), 1);
    EXPECT_EQ(t.form().zeile(Ctl::Teilnehmerliste, 0), std::string(test::k_efn) + " (8/0)");
    EXPECT_EQ(t.form().fokus_bei(), Ctl::EFN);
    EXPECT_EQ(t.form().text(Ctl::Zuletzt), "Zuletzt: Weiß, Dr. Jürgen");
    EXPECT_EQ(t.form().text(Ctl::Teilnehmerzahl), "Erfasste Teilnehmer: 1 (angemeldet: 1 von 2)");

    // Again: the same checks as a scan, so the duplicate message.
    t.form().klicken(Ctl::Anmeldeliste);
    t.fenster().tippen(Ctl::Suche, "mueller");
    EXPECT_EQ(t.zeilen().size(), 1U);
    t.fenster().setze_text(Ctl::Suche, "");
    t.fenster().zeile_doppelklicken(Ctl::Treffer, 2); // Weiß again, by a double click
    EXPECT_EQ(t.pl.meldungen.back(), "Diese Nummer ist in der Liste schon vorhanden!");
    EXPECT_EQ(t.form().zeilenzahl(Ctl::Teilnehmerliste), 1);

    // Lines that cannot be captured grey the button.
    t.form().klicken(Ctl::Anmeldeliste);
    t.fenster().zeile_klicken(Ctl::Treffer, 0); // Adler, without EFN
    EXPECT_FALSE(t.fenster().aktiviert(Ctl::Erfassen));
    t.fenster().enter();
    EXPECT_TRUE(t.fenster().sichtbar()) << "Enter on a greyed Erfassen does nothing";
    // Only those not yet captured.
    t.fenster().klicken(Ctl::Nur_offene);
    EXPECT_EQ(t.zeilen().size(), 3U);
    EXPECT_EQ(t.fenster().text(Ctl::Trefferzahl), "3 von 3 angezeigt");
}

TEST(Anmeldefenster, NamenBeimScannenUndDieZaehlungFolgtJederAenderung) {
    Tuer t;
    t.laden("e:\\a.csv", k_tabelle);
    t.fenster().klicken(Ctl::Schliessen);
    t.scannen(test::k_efn2);
    EXPECT_EQ(t.form().text(Ctl::Zuletzt), "Zuletzt: Müller, Anna");
    t.scannen(test::k_efn3);
    EXPECT_EQ(t.form().text(Ctl::Zuletzt), "Zuletzt: " + std::string(test::k_efn3) + " – nicht angemeldet");
    EXPECT_EQ(t.form().text(Ctl::Teilnehmerzahl), "Erfasste Teilnehmer: 2 (angemeldet: 1 von 2)");
    // Choosing a line names it.
    t.form().zeile_klicken(Ctl::Teilnehmerliste, 0);
    EXPECT_EQ(t.form().text(Ctl::Zuletzt), "Ausgewählt: Müller, Anna");
    t.form().zeile_klicken(Ctl::Teilnehmerliste, 1);
    EXPECT_EQ(t.form().text(Ctl::Zuletzt), "Ausgewählt: " + std::string(test::k_efn3) + " – nicht angemeldet");
    // Deleting Müller's line.
    t.form().zeile_klicken(Ctl::Teilnehmerliste, 0);
    t.form().klicken(Ctl::Loeschen);
    EXPECT_EQ(t.form().text(Ctl::Teilnehmerzahl), "Erfasste Teilnehmer: 1 (angemeldet: 0 von 2)");
    // The list refilled from outside (a file loaded): counted anew.
    t.form().zeile_anfuegen(Ctl::Teilnehmerliste, std::string(test::k_efn) + " (8/0)");
    Teilnehmerzahl_zeigen(t.p, t.form());
    EXPECT_EQ(t.form().text(Ctl::Teilnehmerzahl), "Erfasste Teilnehmer: 2 (angemeldet: 1 von 2)");
}

TEST(Anmeldefenster, KarteWaehrendDasFensterOffenIst) {
    Tuer t;
    t.laden("e:\\a.csv", k_tabelle);
    t.fenster().tippen(Ctl::Suche, "müll");
    ASSERT_EQ(t.zeilen().size(), 1U);
    t.pl.karte_im_fenster(test::k_efn2);
    t.sammlung.ausfuehren([] {});
    EXPECT_TRUE(t.fenster().sichtbar()) << "the window stays open";
    EXPECT_EQ(t.fenster().text(Ctl::Suche), "müll") << "the card is not typed into the search";
    EXPECT_EQ(t.zeilen(), std::vector<std::string>{"Müller, Anna – " + std::string(test::k_efn2) + " – erfasst"});
    EXPECT_EQ(t.form().zeilenzahl(Ctl::Teilnehmerliste), 1);
    EXPECT_EQ(t.form().text(Ctl::Teilnehmerzahl), "Erfasste Teilnehmer: 1 (angemeldet: 1 von 2)");
}

TEST(Anmeldefenster, ErsetzenFragtUndAbgelehnteDateienLassenDieListe) {
    Tuer t;
    t.laden("e:\\a.csv", k_tabelle);
    const std::string abgelegt = t.pl.datei_lesen(k_ablage);
    // A workbook: refused, no question.
    t.pl.schreiben("e:\\a.xlsx", std::string("PK\x03\x04", 4) + "rest");
    t.pl.zu_oeffnen.push_back({"e:\\a.xlsx"});
    const std::size_t fragen = t.pl.fragen.size();
    t.fenster().klicken(Ctl::Laden);
    EXPECT_EQ(t.pl.meldungen.back(), "Die Datei e:\\a.xlsx ist eine Arbeitsmappe, keine Textdatei. Bitte speichern Sie "
                                     "die Tabelle als „CSV (Trennzeichen-getrennt)“ und laden Sie diese Datei.");
    EXPECT_EQ(t.pl.fragen.size(), fragen);
    EXPECT_EQ(t.pl.datei_lesen(k_ablage), abgelegt);
    // Another list: the question, Nein keeps the old one.
    t.pl.schreiben("e:\\b.csv", "EFN;Name\r\n" + std::string(test::k_efn3) + ";Neu\r\n");
    t.pl.zu_oeffnen.push_back({"e:\\b.csv"});
    t.pl.frage_antwort = false;
    t.fenster().klicken(Ctl::Laden);
    EXPECT_EQ(t.pl.fragen.back(),
              "Die Veranstaltung hat schon eine Anmeldeliste mit 5 Anmeldungen. Soll sie ersetzt werden?");
    EXPECT_EQ(t.pl.datei_lesen(k_ablage), abgelegt);
    EXPECT_EQ(t.zeilen().size(), 4U);
    // Ja replaces it.
    t.pl.zu_oeffnen.push_back({"e:\\b.csv"});
    t.pl.frage_antwort = true;
    t.fenster().klicken(Ctl::Laden);
    EXPECT_EQ(t.zeilen(), std::vector<std::string>{"Neu – " + std::string(test::k_efn3)});
    EXPECT_EQ(t.pl.meldungen.back(), "Anmeldeliste geladen: 1 Anmeldungen, 1 davon mit gültiger EFN.");
}

TEST(Anmeldefenster, EntfernenFragtUndLoeschtNurDieListe) {
    Tuer t;
    t.scannen(test::k_efn);
    t.laden("e:\\a.csv", k_tabelle);
    t.pl.frage_antwort = false;
    t.fenster().klicken(Ctl::Entfernen);
    EXPECT_EQ(t.pl.fragen.back(), "Soll die Anmeldeliste dieser Veranstaltung gelöscht werden? Die erfassten "
                                  "Teilnehmer bleiben erhalten.");
    EXPECT_FALSE(t.pl.datei_lesen(k_ablage).empty());
    t.pl.frage_antwort = true;
    t.fenster().klicken(Ctl::Entfernen);
    EXPECT_TRUE(t.pl.datei_lesen(k_ablage).empty());
    EXPECT_EQ(t.fenster().text(Ctl::Trefferzahl), "Keine Anmeldeliste geladen.");
    EXPECT_EQ(t.form().zeilenzahl(Ctl::Teilnehmerliste), 1);
    EXPECT_EQ(t.form().text(Ctl::Teilnehmerzahl), "Erfasste Teilnehmer: 1");
}

// The list belongs to the event number: a later run, the other report type's
// form or another day's file of the same event finds it.
TEST(Anmeldefenster, DieListeGehoertZurVeranstaltungsnummer) {
    Tuer erste;
    erste.laden("e:\\a.csv", k_tabelle);
    Tuer spaeter;
    spaeter.pl.schreiben(k_ablage, erste.pl.datei_lesen(k_ablage));
    spaeter.p.zustand().Aktuelle_Meldungsart = 2;
    ui::FakeFenster& m = spaeter.f(FormId::MA2_Maske);
    m.setze_text(Ctl::VNR, k_vnr);
    m.setze_text(Ctl::Punkte, "8");
    m.zeigen();
    Teilnehmerzahl_zeigen(spaeter.p, m);
    EXPECT_EQ(m.text(Ctl::Teilnehmerzahl), "Erfasste Teilnehmer: 0 (angemeldet: 0 von 2)");
    m.tippen(Ctl::EFN, std::string(test::k_efn) + "\r");
    EXPECT_EQ(m.text(Ctl::Zuletzt), "Zuletzt: Weiß, Dr. Jürgen");
    // Another event has none.
    spaeter.p.zustand().Aktuelle_VNR = "2760123456789012344";
    m.setze_text(Ctl::VNR, "2760123456789012344");
    Teilnehmerzahl_zeigen(spaeter.p, m);
    EXPECT_EQ(m.text(Ctl::Teilnehmerzahl), "Erfasste Teilnehmer: 1");
}

} // namespace
} // namespace karmo
