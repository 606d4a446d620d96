// The main menu's file listing, the file dialog, and the program's end with the dialogs loaded.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "dialog_umgebung.hpp"

namespace karmo::dialogtest {
namespace {

// An event file as the program writes it, without participants.
std::string ereignisdatei(std::string_view vnr, int meldungsart, std::string_view datum = "",
                          std::string_view zeit = "") {
    std::string s = "<?xml version=\"1.0\" encoding=\"iso-8859-15\" ?>\r\n<Veranstaltung>\r\n"
                    "<Dateiversion>A1.0</Dateiversion>\r\n<Erstellt_durch>Karmo V1.051</Erstellt_durch>\r\n";
    s += "<VNR>" + std::string(vnr) + "</VNR>\r\n";
    s += "<Datum_von>" + std::string(datum) + "</Datum_von>\r\n<Datum_bis></Datum_bis>\r\n";
    s += "<Bemerkung></Bemerkung>\r\n<Dauer></Dauer>\r\n";
    s += "<Uhrzeit_von>" + std::string(zeit) + "</Uhrzeit_von>\r\n<Uhrzeit_bis></Uhrzeit_bis>\r\n";
    s += "<Punkte>8</Punkte>\r\n<eMail></eMail >\r\n<Teilnehmeranzahl>0</Teilnehmeranzahl>\r\n";
    s += "<Meldungsart>" + std::to_string(meldungsart) + "</Meldungsart>\r\n</Veranstaltung>\r\n";
    return s;
}

std::string daten(std::string_view name) { return "c:\\zelva\\Daten\\" + std::string(name); }

// Every row must describe the file in the path element of the same position.
void erwarte_zeilen_zu_pfaden(DialogUmgebung& u, const std::map<std::string, std::string>& zeile_je_pfad) {
    ui::FakeFenster& d = u.fenster(FormId::Dateidialog);
    const auto& pfade = u.p.zustand().Dateiliste_Pfade;
    ASSERT_EQ(d.zeilenzahl(Ctl::Dateiliste), static_cast<int>(zeile_je_pfad.size()));
    ASSERT_EQ(pfade.size(), zeile_je_pfad.size());
    for (std::size_t r = 0; r < pfade.size(); ++r) {
        const auto it = zeile_je_pfad.find(pfade[r]);
        ASSERT_NE(it, zeile_je_pfad.end()) << pfade[r];
        EXPECT_EQ(d.zeile(Ctl::Dateiliste, static_cast<int>(r)), it->second) << "Zeile " << r;
    }
}

TEST(Auswahl, LeererDatenordnerOeffnetLeerenDateidialog) {
    DialogUmgebung u;
    u.hauptmenue().klicken(Ctl::Laden);
    ui::FakeFenster& d = u.fenster(FormId::Dateidialog);
    EXPECT_TRUE(d.sichtbar());
    EXPECT_FALSE(u.fenster(FormId::Auswahl).sichtbar());
    EXPECT_EQ(d.zeilenzahl(Ctl::Dateiliste), 0);
    EXPECT_TRUE(u.p.zustand().Dateiliste_Pfade.empty());
    EXPECT_EQ(u.p.zustand().Lade_Zweck, 1);
    EXPECT_TRUE(u.pl.meldungen.empty());
}

TEST(Auswahl, FremdeDateienFehlenUndZeilenBleibenBeiIhrenPfaden) {
    DialogUmgebung u;
    u.pl.datei_ablegen(daten("2767501234567890125_21.12.2006.XML"),
                       ereignisdatei(k_vnr_norvia, 2, "21.12.2006", "09:00"));
    u.pl.datei_ablegen(daten("notiz.XML"), "Einkaufsliste\r\nBrot\r\n");
    u.pl.datei_ablegen(daten("2767701234567890123.XML"), ereignisdatei(k_vnr_seltavia, 1));
    u.pl.datei_ablegen(daten("leer.XML"), "");
    u.hauptmenue().klicken(Ctl::Uebertragen);
    EXPECT_EQ(u.p.zustand().Lade_Zweck, 2);
    erwarte_zeilen_zu_pfaden(
        u, {
               {daten("2767501234567890125_21.12.2006.XML"), std::string(k_vnr_norvia) + " am 21.12.2006 um 09:00"},
               {daten("2767701234567890123.XML"), std::string(k_vnr_seltavia)},
           });
}

TEST(Auswahl, NachAbbrechenBautLadenDieListeNeuAusDemOrdner) {
    DialogUmgebung u;
    u.pl.datei_ablegen(daten("a.XML"), ereignisdatei(k_vnr_norvia, 1));
    u.hauptmenue().klicken(Ctl::Uebertragen);
    ui::FakeFenster& d = u.fenster(FormId::Dateidialog);
    ASSERT_EQ(d.zeilenzahl(Ctl::Dateiliste), 1);
    d.klicken(Ctl::CancelButton);
    EXPECT_FALSE(d.sichtbar());
    EXPECT_TRUE(u.fenster(FormId::Auswahl).sichtbar());

    u.pl.datei_ablegen(daten("b.XML"), ereignisdatei(k_vnr_seltavia, 1));
    u.fenster(FormId::Auswahl).klicken(Ctl::Laden);
    EXPECT_EQ(u.p.zustand().Lade_Zweck, 1);
    erwarte_zeilen_zu_pfaden(u, {
                                    {daten("a.XML"), std::string(k_vnr_norvia)},
                                    {daten("b.XML"), std::string(k_vnr_seltavia)},
                                });
}

TEST(Auswahl, MehrAls300DateienWerdenAlleAngebotenUndGeladen) {
    DialogUmgebung u;
    std::map<std::string, std::string> erwartet;
    for (int i = 0; i < 305; ++i) {
        char vnr[20];
        std::snprintf(vnr, sizeof vnr, "27675000000000%05d", i);
        const std::string pfad = daten(std::string(vnr) + ".XML");
        u.pl.datei_ablegen(pfad, ereignisdatei(vnr, 1));
        erwartet[pfad] = vnr;
    }
    u.hauptmenue().klicken(Ctl::Laden);
    erwarte_zeilen_zu_pfaden(u, erwartet);

    ui::FakeFenster& d = u.fenster(FormId::Dateidialog);
    d.zeile_klicken(Ctl::Dateiliste, 302);
    EXPECT_EQ(u.p.zustand().Aktuelle_Datei, u.p.zustand().Dateiliste_Pfade[302]);
    EXPECT_EQ(u.fenster(FormId::MA1_Maske).text(Ctl::VNR), erwartet[u.p.zustand().Dateiliste_Pfade[302]]);
}

TEST(Dateidialog, DritteZeileLaedtDieDateiDesDrittenPfades) {
    DialogUmgebung u;
    u.pl.datei_ablegen(daten("eins.XML"), ereignisdatei("1111111111111111111", 1));
    u.pl.datei_ablegen(daten("zwei.XML"), ereignisdatei("2222222222222222222", 2, "01.02.2007", "10:00"));
    u.pl.datei_ablegen(daten("drei.XML"), ereignisdatei("3333333333333333333", 2, "03.04.2007", "11:30"));
    u.hauptmenue().klicken(Ctl::Laden);
    ui::FakeFenster& d = u.fenster(FormId::Dateidialog);
    ASSERT_EQ(d.zeilenzahl(Ctl::Dateiliste), 3);
    const std::string zeile = d.zeile(Ctl::Dateiliste, 2);
    const std::string pfad = u.p.zustand().Dateiliste_Pfade[2];

    d.zeile_klicken(Ctl::Dateiliste, 2);
    EXPECT_FALSE(d.sichtbar());
    EXPECT_EQ(u.p.zustand().Aktuelle_Datei, pfad);
    const std::string vnr = zeile.substr(0, 19);
    EXPECT_EQ(u.p.zustand().Aktuelle_VNR, vnr);
    // Whichever file it is, it opens in the form of its report type.
    const FormId form = vnr == "1111111111111111111" ? FormId::MA1_Maske : FormId::MA2_Maske;
    EXPECT_TRUE(u.fenster(form).sichtbar());
    EXPECT_EQ(u.fenster(form).text(Ctl::VNR), vnr);
    EXPECT_FALSE(u.fenster(FormId::Auswahl).sichtbar());
    EXPECT_TRUE(u.pl.meldungen.empty()); // opened for editing: no transfer hint
}

TEST(Dateidialog, KlickOhneAusgewaehlteZeileTutNichts) {
    DialogUmgebung u;
    u.hauptmenue().klicken(Ctl::Laden);
    // A list box can report a click while nothing is selected.
    u.formulare.logik(FormId::Dateidialog)->click(Ctl::Dateiliste);
    EXPECT_TRUE(u.fenster(FormId::Dateidialog).sichtbar());
    EXPECT_TRUE(u.pl.meldungen.empty());
    EXPECT_FALSE(u.formulare.geladen(FormId::MA1_Maske));
    EXPECT_FALSE(u.formulare.geladen(FormId::MA2_Maske));
    EXPECT_EQ(u.p.zustand().Aktuelle_Datei, "");
}

TEST(Dateidialog, SchliessenZeigtHauptmenue) {
    DialogUmgebung u;
    u.hauptmenue().klicken(Ctl::Laden);
    u.fenster(FormId::Dateidialog).schliessen();
    EXPECT_FALSE(u.formulare.geladen(FormId::Dateidialog));
    EXPECT_TRUE(u.fenster(FormId::Auswahl).sichtbar());
    EXPECT_FALSE(u.formulare.endet());
}

TEST(Dateidialog, MisslungenesLadenFuehrtZumHauptmenueZurueck) {
    DialogUmgebung u;
    u.pl.datei_ablegen(daten("weg.XML"), ereignisdatei(k_vnr_norvia, 1));
    u.hauptmenue().klicken(Ctl::Laden);
    // The file disappears between listing and choosing.
    std::filesystem::remove(u.pl.echt(daten("weg.XML")));
    u.fenster(FormId::Dateidialog).zeile_klicken(Ctl::Dateiliste, 0);
    ASSERT_EQ(u.pl.meldungen.size(), 1U);
    EXPECT_EQ(u.pl.meldungen[0].rfind("Fehler:", 0), 0U) << u.pl.meldungen[0];
    EXPECT_FALSE(u.fenster(FormId::Dateidialog).sichtbar());
    EXPECT_TRUE(u.fenster(FormId::Auswahl).sichtbar());
}

// The dialogs' closing handlers show the main menu; while the program ends
// that must not keep any window alive.
TEST(Programmende, EndeBeiGeladenenDialogenLeertDieSammlung) {
    DialogUmgebung u;
    u.vnr_eingeben(k_vnr_seltavia);              // Auswahl, VNR_Eingabe, Kat_Auswahl
    u.fenster(FormId::Kat_Auswahl).schliessen(); // back to the main menu
    u.vnr_eingeben(k_vnr_seltavia);              // Kat_Auswahl loaded again
    u.fenster(FormId::Kat_Auswahl).verbergen();
    u.hauptmenue().klicken(Ctl::Laden); // Dateidialog
    ASSERT_TRUE(u.formulare.geladen(FormId::VNR_Eingabe));
    ASSERT_TRUE(u.formulare.geladen(FormId::Kat_Auswahl));
    ASSERT_TRUE(u.formulare.geladen(FormId::Dateidialog));
    u.fenster(FormId::Dateidialog).klicken(Ctl::CancelButton);

    u.fenster(FormId::Auswahl).klicken(Ctl::Ende);
    EXPECT_TRUE(u.formulare.leer());
    EXPECT_TRUE(u.formulare.endet());
}

TEST(Programmende, SchliessenDesHauptmenuesEndetAuchWennDialogeVorIhmGeladenWurden) {
    DialogUmgebung u;
    // Dialogs loaded before the main menu: their closing handlers find it
    // still loaded while the program ends.
    u.fenster(FormId::Dateidialog).zeigen();
    u.fenster(FormId::Kat_Auswahl);
    u.fenster(FormId::VNR_Eingabe);
    u.hauptmenue();
    u.fenster(FormId::Auswahl).schliessen();
    EXPECT_TRUE(u.formulare.leer());

    // Nothing is created again once the program ends.
    u.p.form(FormId::Auswahl).zeigen();
    EXPECT_TRUE(u.formulare.leer());
}

} // namespace
} // namespace karmo::dialogtest
