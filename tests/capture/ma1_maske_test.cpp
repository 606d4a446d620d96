// The report-type-1 capture form: plain file names, the editable event number, leaving.
#include <gtest/gtest.h>

#include "capture/erfassung_umgebung.hpp"
#include "checks/portal.hpp"

namespace karmo::test {
namespace {

using ui::Ctl;
using ui::FormId;

constexpr const char* k_andere_vnr = "2767700000000000013";

class MA1 : public ::testing::Test {
protected:
    Erfassung u;
    ui::FakeFenster& f = u.oeffnen(FormId::MA1_Maske);
};

TEST_F(MA1, SpeichernUndHauptmenueSchreibenDenEinfachenNamen) {
    f.setze_text(Ctl::Punkte, "8");
    f.klicken(Ctl::Speichern);
    EXPECT_TRUE(u.existiert(k_einfach));
    ASSERT_EQ(u.pl.meldungen.size(), 1U);
    EXPECT_NE(u.pl.meldungen[0].find(k_einfach), std::string::npos);

    u.pl.loeschen(k_einfach);
    f.klicken(Ctl::Hauptmenue);
    EXPECT_TRUE(u.existiert(k_einfach));
    EXPECT_FALSE(f.sichtbar());
    EXPECT_TRUE(u.fenster(FormId::Auswahl).sichtbar());
    EXPECT_EQ(u.pl.meldungen.size(), 1U);
}

TEST_F(MA1, EndeSpeichertUnterDerGetipptenNummer) {
    f.setze_text(Ctl::VNR, "");
    f.tippen(Ctl::VNR, k_andere_vnr);
    f.benutzer_fokus(Ctl::Punkte);
    EXPECT_TRUE(u.pl.meldungen.empty());
    f.klicken(Ctl::Ende);
    const std::string pfad = std::string("c:\\zelva\\Daten\\") + k_andere_vnr + ".XML";
    EXPECT_TRUE(u.existiert(pfad));
    EXPECT_FALSE(u.existiert(k_einfach));
    // The checked number became the event's: the file holds what it is named after.
    EXPECT_NE(u.pl.datei_lesen(pfad).find(std::string("<VNR>") + k_andere_vnr + "</VNR>"), std::string::npos);
    EXPECT_TRUE(u.sammlung.leer());
}

TEST_F(MA1, EndeMitPraefixBeendetOhneSpeichern) {
    f.setze_text(Ctl::VNR, "276");
    f.klicken(Ctl::Ende);
    EXPECT_TRUE(u.sammlung.leer());
    EXPECT_FALSE(u.existiert(k_einfach));
}

TEST_F(MA1, VnrPruefung) {
    f.setze_text(Ctl::VNR, "");
    f.benutzer_fokus(Ctl::VNR);
    f.benutzer_fokus(Ctl::Punkte);
    EXPECT_EQ(u.pl.meldungen, (std::vector<std::string>{
                                  "Eine VNR hat 19 Stellen! Bitte kontrollieren Sie die Eingabe!"}));
    EXPECT_EQ(f.fokus_bei(), Ctl::VNR);

    f.tippen(Ctl::VNR, "2-7-6");
    f.benutzer_fokus(Ctl::Punkte);
    EXPECT_EQ(f.text(Ctl::VNR), "276");
    EXPECT_EQ(u.pl.meldungen.size(), 1U); // the bare prefix is not checked
    EXPECT_EQ(f.fokus_bei(), Ctl::Punkte);
}

TEST_F(MA1, UebertragenMitEinfachemNamen) {
    f.klicken(Ctl::Senden);
    EXPECT_EQ(u.pl.meldungen, (std::vector<std::string>{"Keine Teilnehmer gefunden!"}));
    EXPECT_TRUE(u.pl.shell_aufrufe.empty());
    EXPECT_TRUE(u.pl.gezeigte_dateien.empty());

    f.setze_text(Ctl::Punkte, "8");
    f.tippen(Ctl::EFN, std::string(k_efn) + "\r");
    f.klicken(Ctl::Senden);
    EXPECT_TRUE(u.existiert(k_einfach));
    EXPECT_EQ(u.p.zustand().Aktuelle_Datei, k_einfach);
    ASSERT_EQ(u.pl.shell_aufrufe.size(), 1U);
    EXPECT_EQ(u.pl.shell_aufrufe[0].ziel, Upload_Adresse(u.pl, k_vnr, k_einfach));
    EXPECT_EQ(u.pl.gezeigte_dateien, std::vector<std::string>{k_einfach});
}

TEST_F(MA1, EinsehenUndSpeicherfehler) {
    f.klicken(Ctl::Einsehen);
    ASSERT_EQ(u.pl.shell_aufrufe.size(), 1U);
    EXPECT_EQ(u.pl.shell_aufrufe[0].ziel, Einsehen_Adresse(k_vnr));

    u.pl.datentraeger_voll = true;
    f.klicken(Ctl::Hauptmenue);
    ASSERT_EQ(u.pl.meldungen.size(), 1U);
    EXPECT_EQ(u.pl.meldungen[0].rfind("Fehler:112 : ", 0), 0U) << u.pl.meldungen[0];
    EXPECT_TRUE(f.sichtbar());
    EXPECT_FALSE(u.geladen(FormId::Auswahl));
    EXPECT_TRUE(u.entkommen.empty());
}

TEST_F(MA1, SchliessfeldSpeichertUnterDerNummerImFeld) {
    f.setze_text(Ctl::VNR, k_andere_vnr);
    u.pl.datentraeger_voll = true;
    u.pl.frage_antwort = false;
    f.schliessen();
    EXPECT_EQ(u.pl.fragen.size(), 1U);
    EXPECT_TRUE(u.geladen(FormId::MA1_Maske));

    u.pl.datentraeger_voll = false;
    f.schliessen();
    EXPECT_TRUE(u.existiert(std::string("c:\\zelva\\Daten\\") + k_andere_vnr + ".XML"));
    EXPECT_TRUE(u.sammlung.leer());
}

// The close box comes without the box's own check: letters typed into it do
// not count as a number to save under.
TEST_F(MA1, SchliessfeldOhneZiffernImFeldSpeichertNicht) {
    f.setze_text(Ctl::VNR, "276abcd");
    f.schliessen();
    EXPECT_FALSE(u.existiert("c:\\zelva\\Daten\\.XML"));
    EXPECT_FALSE(u.existiert("c:\\zelva\\Daten\\276.XML"));
    EXPECT_TRUE(u.sammlung.leer());
}

} // namespace
} // namespace karmo::test
