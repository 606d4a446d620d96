// The capture forms' window declarations: structure, the shared group, texts and tab order.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

#include "capture/ma1_maske.hpp"
#include "capture/ma2_maske.hpp"

namespace karmo {
namespace {

using ui::Art;
using ui::Ctl;

const ui::Steuerelement& finden(const ui::Formular& f, Ctl name, int index = -1) {
    for (const auto& s : f.elemente) {
        if (s.name == name && s.index == index) return s;
    }
    throw std::runtime_error("fehlt");
}

class Deklaration : public ::testing::TestWithParam<const ui::Formular*> {};

INSTANTIATE_TEST_SUITE_P(BeideMasken, Deklaration, ::testing::Values(&k_MA1_Maske, &k_MA2_Maske),
                         [](const auto& i) { return std::string(i.param->name); });

TEST_P(Deklaration, BehaelterVorInhaltUndNamenEindeutig) {
    const ui::Formular& f = *GetParam();
    std::set<Ctl> rahmen;
    std::set<std::pair<Ctl, int>> namen;
    for (const auto& s : f.elemente) {
        EXPECT_TRUE(s.container == Ctl::Keiner || rahmen.count(s.container)) << static_cast<int>(s.name);
        EXPECT_TRUE(namen.insert({s.name, s.index}).second) << static_cast<int>(s.name);
        if (s.art == Art::Rahmen) rahmen.insert(s.name);
        // Every control lies inside its container.
        if (s.container != Ctl::Keiner) {
            const auto& c = finden(f, s.container);
            EXPECT_LE(s.links + s.breite, c.breite) << static_cast<int>(s.name);
            EXPECT_LE(s.oben + s.hoehe, c.hoehe) << static_cast<int>(s.name);
        }
    }
}

TEST_P(Deklaration, TabReihenfolgeOhneLueckenUndDoppel) {
    const ui::Formular& f = *GetParam();
    std::set<int> tabs;
    for (const auto& s : f.elemente) {
        if (s.tabindex < 0) continue;
        EXPECT_TRUE(s.art == Art::Textfeld || s.art == Art::Liste || s.art == Art::Schaltflaeche);
        EXPECT_TRUE(tabs.insert(s.tabindex).second) << s.tabindex;
    }
    ASSERT_FALSE(tabs.empty());
    EXPECT_EQ(*tabs.begin(), 1);
    EXPECT_EQ(*tabs.rbegin(), static_cast<int>(tabs.size()));
    EXPECT_EQ(finden(f, Ctl::VNR).tabindex, -1);
    EXPECT_EQ(finden(f, Ctl::Punkte).tabindex, 1);
}

TEST_P(Deklaration, GemeinsameGruppe) {
    const ui::Formular& f = *GetParam();
    const std::map<Ctl, std::pair<std::string_view, int>> gruppe{
        {Ctl::Punkte_lbl, {"Punkte", 0}},
        {Ctl::Label8, {"Fortbildungspunkte laut Akkreditierungs-/Anerkennungsbescheid", 0}},
        {Ctl::Teilnehmer, {"Teilnehmer", 0}},
        {Ctl::EFN, {"", 15}},
        {Ctl::Label11, {"EFN Erfassung (Barcode des Teilnehmers):", 0}},
        {Ctl::Label13, {"Erfasste EFN (Basis-/Referentenpunkte)", 0}},
        {Ctl::Frame2, {"Basispunktekorrektur", 0}},
        {Ctl::PKT_neu, {"", 3}},
        {Ctl::PKT_Korrektur, {"Korrektur", 0}},
        {Ctl::Frame1, {"Referentenpunkte", 0}},
        {Ctl::referent, {"", 2}},
        {Ctl::Ref_PKT, {"Hinzufügen", 0}},
        {Ctl::Loeschen, {"EFN löschen", 0}},
    };
    for (const auto& [name, erwartet] : gruppe) {
        EXPECT_EQ(finden(f, name).text, erwartet.first);
        EXPECT_EQ(finden(f, name).maxlaenge, erwartet.second);
    }
    EXPECT_EQ(finden(f, Ctl::Punkte).maxlaenge, 3);
    EXPECT_EQ(finden(f, Ctl::Teilnehmerliste).art, Art::Liste);
    EXPECT_EQ(finden(f, Ctl::Teilnehmerliste).container, Ctl::Teilnehmer);
    EXPECT_EQ(finden(f, Ctl::PKT_neu).container, Ctl::Frame2);
    EXPECT_EQ(finden(f, Ctl::referent).container, Ctl::Frame1);
    for (int i : {0, 1, 2, 4}) EXPECT_EQ(finden(f, Ctl::Label10, i).container, Ctl::Teilnehmer);
    EXPECT_EQ(finden(f, Ctl::Lumo).stil, ui::k_arial_black);
    EXPECT_EQ(f.stil, 0U);
    EXPECT_EQ(f.breite, 10350);
    // The first row's height plus a second row of buttons below the frame.
    EXPECT_EQ(f.hoehe, 8535 + 660);
    const auto& rahmen = finden(f, Ctl::Veranstaltungsdaten);
    for (const auto& [name, text] : {std::pair{Ctl::Liste_hinzuladen, "Liste hinzuladen"},
                                     std::pair{Ctl::Auf_Datentraeger, "Auf Datenträger speichern"}}) {
        const auto& knopf = finden(f, name);
        EXPECT_EQ(knopf.text, text);
        EXPECT_EQ(knopf.art, Art::Schaltflaeche);
        EXPECT_EQ(knopf.container, Ctl::Keiner);
        EXPECT_GT(knopf.oben, rahmen.oben + rahmen.hoehe);
        EXPECT_LE(knopf.oben + knopf.hoehe, f.hoehe);
    }
    EXPECT_EQ(finden(f, Ctl::VNR).container, Ctl::Keiner);
    EXPECT_EQ(finden(f, Ctl::VNR).maxlaenge, 19);
    const Ctl hauptmenue = f.id == ui::FormId::MA1_Maske ? Ctl::Hauptmenue : Ctl::Auswahl_BTN;
    EXPECT_EQ(finden(f, hauptmenue).text, " Hauptmenü");
}

TEST(DeklarationMA2, Besonderheiten) {
    const ui::Formular& f = k_MA2_Maske;
    EXPECT_EQ(f.titel, "Karmo - Teilnehmererfassung");
    EXPECT_EQ(finden(f, Ctl::Punkte).text, "");
    EXPECT_EQ(finden(f, Ctl::VNR).stil, ui::k_gesperrt | ui::k_grund_knopf);
    const std::map<Ctl, int> tabs{{Ctl::Datum_von, 2}, {Ctl::DATUM_BIS, 3}, {Ctl::Dauer, 4}, {Ctl::Uhrzeit_s, 5},
                                  {Ctl::Uhrzeit_e, 6}, {Ctl::Inhalt, 7},    {Ctl::EFN, 8}};
    for (const auto& [name, tab] : tabs) EXPECT_EQ(finden(f, name).tabindex, tab);
    const auto& inhalt = finden(f, Ctl::Inhalt);
    EXPECT_EQ(inhalt.maxlaenge, 250);
    EXPECT_TRUE(inhalt.stil & ui::k_mehrzeilig);
    EXPECT_EQ(inhalt.text, "Inhalt der Veranstaltung. Überschrift/Schlagwörter");
    EXPECT_EQ(finden(f, Ctl::Datum_von).maxlaenge, 10);
    EXPECT_EQ(finden(f, Ctl::Uhrzeit_e).maxlaenge, 5);
    EXPECT_EQ(finden(f, Ctl::Dauer).maxlaenge, 4);
    EXPECT_EQ(finden(f, Ctl::Teilnehmer).oben, 2640);
    EXPECT_NE(finden(f, Ctl::Label10, 1).text.find("in der Liste.  Tragen Sie"), std::string_view::npos);
    EXPECT_EQ(finden(f, Ctl::Label10, 0).text.back(), ' ');
    EXPECT_EQ(finden(f, Ctl::Label10, 2).text,
              "Genauso können Sie einer EFN Referentenpunkte zuweisen oder eine EFN ganz aus der Liste löschen.");
    EXPECT_EQ(finden(f, Ctl::Label10, 4).text,
              "Nach dem alle Teilnehmer erfasst sind, können Sie die Daten mit \"Eingegebene Daten speichern\" "
              "speichern.");
}

TEST(DeklarationMA1, Besonderheiten) {
    const ui::Formular& f = k_MA1_Maske;
    EXPECT_EQ(f.titel, "Karmo Teilnehmererfassung");
    EXPECT_EQ(finden(f, Ctl::Punkte).text, "0");
    EXPECT_EQ(finden(f, Ctl::VNR).stil, ui::k_grund_224); // editable
    EXPECT_EQ(finden(f, Ctl::EFN).tabindex, 2);
    EXPECT_EQ(finden(f, Ctl::Senden).text, "Diese Daten zur Kammer übertragen");
    EXPECT_EQ(finden(f, Ctl::Teilnehmer).oben, 1320);
    // 240 twips less than it was, for the count's second line "(angemeldet: M von R)".
    EXPECT_EQ(finden(f, Ctl::Teilnehmerliste).hoehe, 4140);
    EXPECT_EQ(finden(f, Ctl::Label3).container, Ctl::Veranstaltungsdaten);
    EXPECT_EQ(finden(f, Ctl::Label10, 2).text,
              "Genauso können Sie einer EFN Referentenpunkte zuweisen oder aus der Liste löschen.");
    for (Ctl weg : {Ctl::Datum_von, Ctl::DATUM_BIS, Ctl::Uhrzeit_s, Ctl::Uhrzeit_e, Ctl::Dauer, Ctl::Inhalt,
                    Ctl::Senden_web, Ctl::Auswahl_BTN}) {
        EXPECT_THROW(finden(f, weg), std::runtime_error);
    }
}

} // namespace
} // namespace karmo
