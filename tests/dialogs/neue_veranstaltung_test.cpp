// A new event: event-number entry, chamber look-up, category choice and the prepared capture form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_umgebung.hpp"

namespace karmo::dialogtest {
namespace {

constexpr std::string_view k_nicht_unterstuetzt =
    "Die akkreditierende Kammer dieser Veranstaltung unterstützt ZELVA noch nicht.";

std::vector<std::string> zeilen(ui::Fenster& f, Ctl c) {
    std::vector<std::string> z;
    for (int i = 0; i < f.zeilenzahl(c); ++i) z.push_back(f.zeile(c, i));
    return z;
}

TEST(VNR_Eingabe, NeuLeertDasFeldUndWechseltZurEingabe) {
    DialogUmgebung u;
    u.fenster(FormId::VNR_Eingabe).setze_text(Ctl::VNR_FELD, "12345");
    u.hauptmenue().klicken(Ctl::Neu);
    ui::FakeFenster& e = u.fenster(FormId::VNR_Eingabe);
    EXPECT_EQ(e.text(Ctl::VNR_FELD), "");
    EXPECT_TRUE(e.sichtbar());
    EXPECT_FALSE(u.fenster(FormId::Auswahl).sichtbar());
}

TEST(VNR_Eingabe, NorviaNummerWaehltKammer1MitGesperrtemKaestchen) {
    DialogUmgebung u;
    u.vnr_eingeben(k_vnr_norvia);
    const Zustand& z = u.p.zustand();
    EXPECT_EQ(z.Aktuelle_Kammer, 1);
    EXPECT_EQ(z.Aktuelle_VNR, k_vnr_norvia);
    ui::FakeFenster& kat = u.fenster(FormId::Kat_Auswahl);
    EXPECT_TRUE(kat.sichtbar());
    EXPECT_FALSE(u.fenster(FormId::VNR_Eingabe).sichtbar());
    EXPECT_FALSE(kat.aktiviert(Ctl::Akkred_VA));
    const auto liste = zeilen(kat, Ctl::Kategorie);
    ASSERT_EQ(liste.size(), 9U);
    EXPECT_EQ(liste[0], "Vortrag und Diskussion");
    EXPECT_EQ(liste[3], "Supervisor/Supersorin");
    EXPECT_EQ(liste[8], "Hospitation, Fallkonferenz, Kolloquium, Klinikkonferenz");
    EXPECT_EQ(kat.listenindex(Ctl::Kategorie), -1);
    EXPECT_TRUE(u.pl.meldungen.empty());
}

TEST(VNR_Eingabe, SeltaviaNummerWaehltKammer2UndBautDieListeNeu) {
    DialogUmgebung u;
    u.vnr_eingeben(k_vnr_norvia);
    ui::FakeFenster& kat = u.fenster(FormId::Kat_Auswahl);
    kat.zeile_klicken(Ctl::Kategorie, 2);
    kat.verbergen();

    u.vnr_eingeben(k_vnr_seltavia);
    ui::FakeFenster& kat2 = u.fenster(FormId::Kat_Auswahl);
    EXPECT_EQ(u.p.zustand().Aktuelle_Kammer, 2);
    EXPECT_EQ(u.p.zustand().Aktuelle_VNR, k_vnr_seltavia);
    EXPECT_TRUE(kat2.aktiviert(Ctl::Akkred_VA));
    const auto liste = zeilen(kat2, Ctl::Kategorie);
    ASSERT_EQ(liste.size(), 9U);
    EXPECT_EQ(liste[3], "Supervison/Selbsterfahrung");
    EXPECT_EQ(liste[6], liste[8]);
    EXPECT_EQ(kat2.listenindex(Ctl::Kategorie), -1);
}

TEST(VNR_Eingabe, FremdzeichenWerdenVorDerPruefungEntfernt) {
    DialogUmgebung u;
    u.hauptmenue().klicken(Ctl::Neu);
    ui::FakeFenster& e = u.fenster(FormId::VNR_Eingabe);
    // Set directly: typed, the separators would count against the 19 characters.
    e.setze_text(Ctl::VNR_FELD, "2767 50-1234 5678 9012 5x");
    e.klicken(Ctl::Weiter);
    EXPECT_EQ(e.text(Ctl::VNR_FELD), k_vnr_norvia);
    EXPECT_EQ(u.p.zustand().Aktuelle_VNR, k_vnr_norvia);
    EXPECT_TRUE(u.fenster(FormId::Kat_Auswahl).sichtbar());
}

TEST(VNR_Eingabe, TrennzeichenZaehlenBeimTippenGegenDie19Zeichen) {
    DialogUmgebung u;
    u.vnr_eingeben("2767 501234567890125");
    ui::FakeFenster& e = u.fenster(FormId::VNR_Eingabe);
    EXPECT_EQ(e.text(Ctl::VNR_FELD), "276750123456789012"); // the last digit did not fit
    EXPECT_EQ(u.pl.meldungen.size(), 1U);
    EXPECT_TRUE(e.sichtbar());
    EXPECT_FALSE(u.formulare.geladen(FormId::Kat_Auswahl));
}

TEST(VNR_Eingabe, LeeresFeldTutNichts) {
    DialogUmgebung u;
    u.vnr_eingeben("");
    ui::FakeFenster& e = u.fenster(FormId::VNR_Eingabe);
    EXPECT_TRUE(e.sichtbar());
    u.vnr_eingeben("abc -");
    EXPECT_EQ(e.text(Ctl::VNR_FELD), "");
    EXPECT_TRUE(e.sichtbar());
    EXPECT_TRUE(u.pl.meldungen.empty());
    EXPECT_FALSE(u.formulare.geladen(FormId::Kat_Auswahl));
    EXPECT_EQ(u.p.zustand().Aktuelle_Kammer, 0);
}

TEST(VNR_Eingabe, FalscheNummerBleibtImFeld) {
    DialogUmgebung u;
    u.vnr_eingeben("2767501234567890124"); // wrong check digit
    ui::FakeFenster& e = u.fenster(FormId::VNR_Eingabe);
    EXPECT_EQ(u.pl.meldungen.size(), 1U);
    EXPECT_TRUE(e.sichtbar());
    EXPECT_EQ(e.fokus_bei(), Ctl::VNR_FELD);
    EXPECT_EQ(e.text(Ctl::VNR_FELD), "2767501234567890124");
    EXPECT_FALSE(u.formulare.geladen(FormId::Kat_Auswahl));
    EXPECT_EQ(u.p.zustand().Aktuelle_VNR, "");
}

TEST(VNR_Eingabe, NichtUnterstuetzteKammerFuehrtZumHauptmenueUndBehaeltDieAlteVNR) {
    DialogUmgebung u;
    u.vnr_eingeben(k_vnr_norvia);
    u.fenster(FormId::Kat_Auswahl).verbergen();

    u.vnr_eingeben(k_vnr_fremd);
    ASSERT_EQ(u.pl.meldungen.size(), 1U);
    EXPECT_EQ(u.pl.meldungen[0], k_nicht_unterstuetzt);
    EXPECT_TRUE(u.fenster(FormId::Auswahl).sichtbar());
    EXPECT_FALSE(u.fenster(FormId::VNR_Eingabe).sichtbar());
    EXPECT_FALSE(u.fenster(FormId::Kat_Auswahl).sichtbar());
    EXPECT_EQ(u.p.zustand().Aktuelle_VNR, k_vnr_norvia);
    EXPECT_EQ(u.p.zustand().Aktuelle_Kammer, 1);
}

TEST(VNR_Eingabe, AbbrechenUndSchliessenZeigenDasHauptmenue) {
    DialogUmgebung u;
    u.hauptmenue().klicken(Ctl::Neu);
    u.fenster(FormId::VNR_Eingabe).klicken(Ctl::CancelButton);
    EXPECT_FALSE(u.fenster(FormId::VNR_Eingabe).sichtbar());
    EXPECT_TRUE(u.fenster(FormId::Auswahl).sichtbar());

    u.fenster(FormId::Auswahl).klicken(Ctl::Neu);
    u.fenster(FormId::VNR_Eingabe).schliessen();
    EXPECT_FALSE(u.formulare.geladen(FormId::VNR_Eingabe));
    EXPECT_TRUE(u.fenster(FormId::Auswahl).sichtbar());
    EXPECT_FALSE(u.formulare.endet());
}

TEST(Kat_Auswahl, OhneAuswahlKommtEineMeldungUndDasFensterBleibt) {
    DialogUmgebung u;
    u.vnr_eingeben(k_vnr_seltavia);
    ui::FakeFenster& kat = u.fenster(FormId::Kat_Auswahl);
    kat.klicken(Ctl::Weiter);
    EXPECT_EQ(u.pl.meldungen, std::vector<std::string>{"Bitte wählen Sie eine Kategorie aus!"});
    EXPECT_TRUE(kat.sichtbar());
    EXPECT_FALSE(u.formulare.geladen(FormId::MA1_Maske));
    EXPECT_FALSE(u.formulare.geladen(FormId::MA2_Maske));
}

TEST(Kat_Auswahl, VortragOhneHakenOeffnetMA1Vorbereitet) {
    DialogUmgebung u;
    ui::FakeFenster& ma1 = u.fenster(FormId::MA1_Maske);
    ma1.zeile_anfuegen(Ctl::Teilnehmerliste, "alte Zeile");
    u.vnr_eingeben(k_vnr_seltavia);
    ui::FakeFenster& kat = u.fenster(FormId::Kat_Auswahl);
    kat.zeile_klicken(Ctl::Kategorie, 0);
    kat.klicken(Ctl::Weiter);

    EXPECT_EQ(u.p.zustand().Aktuelle_Meldungsart, 1);
    EXPECT_TRUE(ma1.sichtbar());
    EXPECT_FALSE(kat.sichtbar());
    EXPECT_EQ(ma1.text(Ctl::VNR), k_vnr_seltavia);
    EXPECT_EQ(ma1.text(Ctl::Punkte), "");
    EXPECT_EQ(ma1.zeilenzahl(Ctl::Teilnehmerliste), 0);
    EXPECT_EQ(ma1.text(Ctl::Teilnehmerzahl), "Erfasste Teilnehmer: 0");
    EXPECT_EQ(ma1.fokus_bei(), Ctl::Punkte);
    EXPECT_FALSE(u.formulare.geladen(FormId::MA2_Maske));
}

TEST(Kat_Auswahl, VortragMitHakenOeffnetMA2MitHeutigemDatum) {
    DialogUmgebung u;
    ui::FakeFenster& ma2 = u.fenster(FormId::MA2_Maske);
    ma2.zeile_anfuegen(Ctl::Teilnehmerliste, "alte Zeile");
    ma2.setze_text(Ctl::Teilnehmerzahl, "Erfasste Teilnehmer: 1");
    u.vnr_eingeben(k_vnr_seltavia);
    ui::FakeFenster& kat = u.fenster(FormId::Kat_Auswahl);
    kat.zeile_klicken(Ctl::Kategorie, 0);
    kat.klicken(Ctl::Akkred_VA);
    kat.klicken(Ctl::Weiter);

    EXPECT_EQ(u.p.zustand().Aktuelle_Meldungsart, 2);
    EXPECT_TRUE(ma2.sichtbar());
    EXPECT_FALSE(kat.sichtbar());
    EXPECT_EQ(ma2.text(Ctl::VNR), k_vnr_seltavia);
    EXPECT_EQ(ma2.text(Ctl::Datum_von), "21.12.2006");
    EXPECT_EQ(ma2.text(Ctl::DATUM_BIS), "21.12.2006");
    for (Ctl c : {Ctl::Punkte, Ctl::Uhrzeit_s, Ctl::Uhrzeit_e, Ctl::Dauer, Ctl::Inhalt}) {
        EXPECT_EQ(ma2.text(c), "") << static_cast<int>(c);
    }
    EXPECT_EQ(ma2.zeilenzahl(Ctl::Teilnehmerliste), 0);
    EXPECT_EQ(ma2.text(Ctl::Teilnehmerzahl), "Erfasste Teilnehmer: 0");
    EXPECT_EQ(ma2.fokus_bei(), Ctl::Punkte);
    EXPECT_FALSE(u.formulare.geladen(FormId::MA1_Maske));
}

TEST(Kat_Auswahl, DatumKommtVomSystemMitZweistelligemTagUndMonat) {
    DialogUmgebung u;
    u.pl.datum = {3, 4, 2007};
    u.vnr_eingeben(k_vnr_norvia);
    ui::FakeFenster& kat = u.fenster(FormId::Kat_Auswahl);
    kat.zeile_klicken(Ctl::Kategorie, 3); // fourth category: report type 2
    kat.klicken(Ctl::Weiter);
    EXPECT_EQ(u.p.zustand().Aktuelle_Meldungsart, 2);
    EXPECT_EQ(u.fenster(FormId::MA2_Maske).text(Ctl::Datum_von), "03.04.2007");
    EXPECT_EQ(u.fenster(FormId::MA2_Maske).text(Ctl::DATUM_BIS), "03.04.2007");
}

TEST(Kat_Auswahl, HakenBleibtNachWeiterUndZaehltNurWoDieKammerIhnAnbietet) {
    DialogUmgebung u;
    u.vnr_eingeben(k_vnr_seltavia);
    ui::FakeFenster& kat = u.fenster(FormId::Kat_Auswahl);
    kat.zeile_klicken(Ctl::Kategorie, 1);
    kat.klicken(Ctl::Akkred_VA);
    kat.klicken(Ctl::Weiter);
    ASSERT_EQ(u.p.zustand().Aktuelle_Meldungsart, 2);

    // Next new event, same chamber: the tick is still there.
    u.fenster(FormId::MA2_Maske).verbergen();
    u.vnr_eingeben(k_vnr_seltavia_2);
    EXPECT_TRUE(kat.markiert(Ctl::Akkred_VA));
    EXPECT_EQ(u.p.zustand().Aktuelle_VNR, k_vnr_seltavia_2);

    // A chamber without the offer: the box is disabled, its tick ignored.
    kat.verbergen();
    u.vnr_eingeben(k_vnr_norvia);
    EXPECT_FALSE(kat.aktiviert(Ctl::Akkred_VA));
    EXPECT_TRUE(kat.markiert(Ctl::Akkred_VA));
    kat.zeile_klicken(Ctl::Kategorie, 0);
    kat.klicken(Ctl::Weiter);
    EXPECT_EQ(u.p.zustand().Aktuelle_Meldungsart, 1);
    EXPECT_TRUE(u.fenster(FormId::MA1_Maske).sichtbar());
    EXPECT_EQ(u.fenster(FormId::MA1_Maske).text(Ctl::VNR), k_vnr_norvia);
}

TEST(Kat_Auswahl, SchliessenZeigtHauptmenueUndVerwirftDenHaken) {
    DialogUmgebung u;
    u.vnr_eingeben(k_vnr_seltavia);
    u.fenster(FormId::Kat_Auswahl).klicken(Ctl::Akkred_VA);
    u.fenster(FormId::Kat_Auswahl).schliessen();
    EXPECT_TRUE(u.fenster(FormId::Auswahl).sichtbar());
    EXPECT_FALSE(u.formulare.geladen(FormId::Kat_Auswahl));

    u.vnr_eingeben(k_vnr_seltavia);
    EXPECT_FALSE(u.fenster(FormId::Kat_Auswahl).markiert(Ctl::Akkred_VA));
}

} // namespace
} // namespace karmo::dialogtest
