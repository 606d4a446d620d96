// Printing from the dialog to the last page against the test printer: pixels on paper, progress, every error path.
#include "druck/ausgabe.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "druck/code39.hpp"
#include "druck/strichcode.hpp"
#include "druck_umgebung.hpp"
#include "strichcode_lesen.hpp"
#include "platform/fake/fake_drucker.hpp"
#include "platform/fake/fake_plattform.hpp"

namespace karmo::druck {
namespace {

using test::veranstaltung;

struct Umgebung {
    FakePlattform p;
    FakeDrucker drucker;
    Umgebung() { p.setze_drucker(&drucker); }
    const Druckprotokoll& auftrag() const { return drucker.auftraege.at(0); }
};

bool hat(const Gedruckte_Seite& s, std::string_view t) {
    return std::any_of(s.texte.begin(), s.texte.end(), [&](const Gedruckter_Text& x) { return x.text == t; });
}

TEST(Drucken, ListGoesToThePrinterWithBarcodesOfMeasuredSizeThatReadBack) {
    for (int dpi : {300, 600}) {
        SCOPED_TRACE(dpi);
        Umgebung u;
        u.drucker.dpi_x = u.drucker.dpi_y = dpi;
        const Druckdaten d = veranstaltung(45, 2);
        EXPECT_EQ(Drucken(u.p, d, Druckart::Anwesenheitsliste), Druckausgang::Gedruckt);
        EXPECT_TRUE(u.p.meldungen.empty());
        const Druckprotokoll& a = u.auftrag();
        EXPECT_TRUE(a.begonnen);
        EXPECT_TRUE(a.beendet);
        EXPECT_FALSE(a.abgebrochen);
        EXPECT_EQ(a.titel, "Anwesenheitsliste " + d.vnr);
        EXPECT_TRUE(a.fortschritt.empty());
        ASSERT_GE(a.seiten.size(), 3U);
        const Strichmass sm = Strichmass::fuer(dpi);
        std::vector<std::string> gelesen;
        for (std::size_t k = 0; k < a.seiten.size(); ++k) {
            const Gedruckte_Seite& s = a.seiten[k];
            EXPECT_TRUE(hat(s, "Seite " + std::to_string(k + 1) + " von " + std::to_string(a.seiten.size())));
            EXPECT_TRUE(hat(s, d.inhalt));
            for (test::Gelesen& c : test::strichcodes_lesen(s, dpi, dpi)) {
                EXPECT_EQ(c.schmal, sm.schmal);
                EXPECT_EQ(c.breit, sm.breit);
                gelesen.push_back(std::move(c.text));
            }
        }
        ASSERT_EQ(gelesen.size(), d.teilnehmer.size());
        for (std::size_t i = 0; i < gelesen.size(); ++i) EXPECT_EQ(gelesen[i], d.teilnehmer[i].efn) << i;
        // Text at the printer's resolution: 3.8 mm type is 45 px at 300 dpi.
        const auto& titel = *std::find_if(a.seiten[0].texte.begin(), a.seiten[0].texte.end(),
                                          [&](const Gedruckter_Text& t) { return t.text == d.vnr; });
        EXPECT_EQ(titel.schrift.hoehe, (380 * dpi + 1270) / 2540);
    }
}

TEST(Drucken, CertificatesOnePagePerParticipantAndNoneForAnEmptyList) {
    Umgebung u;
    const Druckdaten d = veranstaltung(3);
    EXPECT_EQ(Drucken(u.p, d, Druckart::Bescheinigungen), Druckausgang::Gedruckt);
    ASSERT_EQ(u.auftrag().seiten.size(), 3U);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_TRUE(hat(u.auftrag().seiten[i], d.teilnehmer[i].efn));

    Umgebung leer;
    EXPECT_EQ(Drucken(leer.p, veranstaltung(0), Druckart::Bescheinigungen), Druckausgang::Nicht_gedruckt);
    EXPECT_EQ(leer.p.meldungen, std::vector<std::string>{k_keine_bescheinigungen});
    EXPECT_EQ(leer.drucker.dialoge, 0);
    // The empty attendance list prints its page.
    EXPECT_EQ(Drucken(leer.p, veranstaltung(0), Druckart::Anwesenheitsliste), Druckausgang::Gedruckt);
    EXPECT_EQ(leer.auftrag().seiten.size(), 1U);
}

TEST(Drucken, DoorListUnderItsNameEvenWithoutParticipants) {
    Umgebung u;
    Druckdaten d = veranstaltung(0, 2);
    d.anmeldungen = test::anmeldungen(60);
    d.angemeldet = 51;
    d.erfasst = 26;
    EXPECT_EQ(Drucken(u.p, d, Druckart::Anmeldeliste), Druckausgang::Gedruckt);
    const Druckprotokoll& a = u.auftrag();
    EXPECT_EQ(a.titel, "Anmeldeliste " + d.vnr);
    ASSERT_GE(a.seiten.size(), 4U);
    EXPECT_TRUE(hat(a.seiten[0], "Anmeldeliste"));
    EXPECT_TRUE(hat(a.seiten.back(), "Angemeldet: 51, davon erfasst: 26"));
    EXPECT_FALSE(hat(a.seiten[0], "Angemeldet: 51, davon erfasst: 26"));
}

TEST(Drucken, DialogOutcomesNoPrinterCancelAndFailure) {
    {
        FakePlattform p; // no printer wired
        EXPECT_EQ(Drucken(p, veranstaltung(2), Druckart::Anwesenheitsliste), Druckausgang::Nicht_gedruckt);
        EXPECT_EQ(p.meldungen, std::vector<std::string>{k_kein_drucker});
    }
    Umgebung u;
    u.drucker.ausgang = Druckwahl::Ausgang::Kein_Drucker;
    EXPECT_EQ(Drucken(u.p, veranstaltung(2), Druckart::Anwesenheitsliste), Druckausgang::Nicht_gedruckt);
    u.drucker.ausgang = Druckwahl::Ausgang::Abgebrochen;
    EXPECT_EQ(Drucken(u.p, veranstaltung(2), Druckart::Anwesenheitsliste), Druckausgang::Abgebrochen);
    u.drucker.ausgang = Druckwahl::Ausgang::Fehler;
    EXPECT_EQ(Drucken(u.p, veranstaltung(2), Druckart::Bescheinigungen), Druckausgang::Nicht_gedruckt);
    EXPECT_EQ(u.p.meldungen,
              (std::vector<std::string>{k_kein_drucker, "Der Druckdialog konnte nicht geöffnet werden: Das System kann "
                                                        "die angegebene Datei nicht finden."}));
    EXPECT_TRUE(u.drucker.auftraege.empty());
}

TEST(Drucken, FailuresWhileTheJobRunsNameWindowsReasonAndEndTheJob) {
    {
        Umgebung u;
        u.drucker.fehler_beginn = {1801, "Der Druckername ist ungültig."};
        EXPECT_EQ(Drucken(u.p, veranstaltung(2), Druckart::Anwesenheitsliste), Druckausgang::Nicht_gedruckt);
        EXPECT_EQ(u.p.meldungen,
                  std::vector<std::string>{"Der Ausdruck konnte nicht begonnen werden: Der Druckername ist ungültig."});
        EXPECT_TRUE(u.auftrag().seiten.empty());
    }
    {
        Umgebung u;
        u.drucker.fehler_seite = 2;
        EXPECT_EQ(Drucken(u.p, veranstaltung(3), Druckart::Bescheinigungen), Druckausgang::Nicht_gedruckt);
        EXPECT_EQ(u.p.meldungen, std::vector<std::string>{"Der Ausdruck wurde abgebrochen, weil Seite 2 nicht an den "
                                                          "Drucker gesendet werden konnte: Der Drucker ist nicht bereit."});
        EXPECT_TRUE(u.auftrag().abgebrochen);
        EXPECT_FALSE(u.auftrag().beendet);
        EXPECT_EQ(u.auftrag().seiten.size(), 2U);
    }
    {
        Umgebung u;
        u.drucker.fehler_ende = {5, ""};
        EXPECT_EQ(Drucken(u.p, veranstaltung(1), Druckart::Bescheinigungen), Druckausgang::Nicht_gedruckt);
        EXPECT_EQ(u.p.meldungen,
                  std::vector<std::string>{"Der Ausdruck konnte nicht abgeschlossen werden: (Fehler 5)"});
    }
}

TEST(Drucken, ChosenPagesOnly) {
    Umgebung u;
    u.drucker.von = 2;
    u.drucker.bis = 3;
    const Druckdaten d = veranstaltung(5);
    EXPECT_EQ(Drucken(u.p, d, Druckart::Bescheinigungen), Druckausgang::Gedruckt);
    ASSERT_EQ(u.auftrag().seiten.size(), 2U);
    EXPECT_TRUE(hat(u.auftrag().seiten[0], d.teilnehmer[1].efn));
    EXPECT_TRUE(hat(u.auftrag().seiten[1], d.teilnehmer[2].efn));
    u.drucker.von = 9;
    u.drucker.bis = 12;
    EXPECT_EQ(Drucken(u.p, d, Druckart::Bescheinigungen), Druckausgang::Nicht_gedruckt);
    EXPECT_EQ(u.p.meldungen,
              std::vector<std::string>{"Es wurde nichts gedruckt: Der Ausdruck hat 5 Seiten, gewählt war ab Seite 9."});
    EXPECT_FALSE(u.drucker.auftraege[1].begonnen);
}

TEST(Drucken, LongJobsShowProgressAndStopCleanlyOnAbbrechen) {
    {
        Umgebung u;
        EXPECT_EQ(Drucken(u.p, veranstaltung(k_fortschritt_ab - 1), Druckart::Bescheinigungen), Druckausgang::Gedruckt);
        EXPECT_TRUE(u.auftrag().fortschritt.empty());
    }
    {
        Umgebung u;
        EXPECT_EQ(Drucken(u.p, veranstaltung(k_fortschritt_ab), Druckart::Bescheinigungen), Druckausgang::Gedruckt);
        std::vector<int> erwartet(k_fortschritt_ab);
        for (int i = 0; i < k_fortschritt_ab; ++i) erwartet[static_cast<std::size_t>(i)] = i + 1;
        EXPECT_EQ(u.auftrag().fortschritt, erwartet);
        EXPECT_EQ(u.auftrag().fortschritt_seiten, std::vector<int>(k_fortschritt_ab, k_fortschritt_ab));
        EXPECT_TRUE(u.auftrag().fortschritt_geschlossen);
    }
    {
        Umgebung u;
        u.drucker.stopp_bei = 5;
        EXPECT_EQ(Drucken(u.p, veranstaltung(400), Druckart::Anwesenheitsliste), Druckausgang::Abgebrochen);
        EXPECT_EQ(u.auftrag().seiten.size(), 4U);
        EXPECT_TRUE(u.auftrag().abgebrochen);
        EXPECT_FALSE(u.auftrag().beendet);
        EXPECT_TRUE(u.auftrag().fortschritt_geschlossen);
        EXPECT_TRUE(u.p.meldungen.empty());
    }
}

} // namespace
} // namespace karmo::druck
