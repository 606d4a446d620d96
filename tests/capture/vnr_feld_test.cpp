// The type-1 form's editable number: a file's name and its <VNR> agree, and only a checked number is saved under.
#include <gtest/gtest.h>

#include "capture/erfassung_umgebung.hpp"
#include "checks/portal.hpp"

namespace karmo::test {
namespace {

using ui::Ctl;
using ui::FormId;

constexpr const char* k_andere_vnr = "2767700000000000013";
constexpr const char* k_falsche_vnr = "2767700000000000014"; // wrong check digit
const std::string k_daten = "c:\\zelva\\Daten\\";
const std::string k_pruefziffer = "Die VNR ist nicht korrekt. Bitte überprüfen Sie die Eingabe! (3)";

std::string datei(const char* vnr) { return k_daten + vnr + ".XML"; }

class VnrFeld : public ::testing::Test {
protected:
    Erfassung u;
    ui::FakeFenster& f = u.oeffnen(FormId::MA1_Maske);

    void SetUp() override {
        f.setze_text(Ctl::Punkte, "8");
        f.tippen(Ctl::EFN, std::string(k_efn) + "\r");
    }
    // Every file of the data folder holds the number it is named after.
    void namen_und_inhalt_stimmen() {
        for (const std::string& name : u.pl.dateien(k_daten + "*.XML")) {
            const std::string vnr = name.substr(0, name.size() - 4);
            EXPECT_NE(u.pl.datei_lesen(k_daten + name).find("<VNR>" + vnr + "</VNR>"), std::string::npos) << name;
        }
    }
};

// A checked number typed into the box is the event's number from then on,
// for every button.
TEST_F(VnrFeld, GepruefteNummerWirdDieNummerDerVeranstaltung) {
    f.setze_text(Ctl::VNR, "");
    f.tippen(Ctl::VNR, k_andere_vnr);
    f.benutzer_fokus(Ctl::Punkte);
    EXPECT_EQ(f.text(Ctl::VNR), k_andere_vnr);
    EXPECT_EQ(u.p.zustand().Aktuelle_VNR, k_andere_vnr);

    f.klicken(Ctl::Speichern);
    EXPECT_TRUE(u.existiert(datei(k_andere_vnr)));
    f.klicken(Ctl::Senden);
    EXPECT_EQ(u.pl.shell_aufrufe.back().ziel, Upload_Adresse(u.pl, k_andere_vnr, datei(k_andere_vnr)));
    f.klicken(Ctl::Einsehen);
    EXPECT_EQ(u.pl.shell_aufrufe.back().ziel, Einsehen_Adresse(k_andere_vnr));
    f.klicken(Ctl::Hauptmenue);
    EXPECT_FALSE(u.existiert(datei(k_vnr)));
    namen_und_inhalt_stimmen();
}

// A number that fails its check when the box is left is not taken: the
// message, the focus back, and the event keeps its number.
TEST_F(VnrFeld, FalscheNummerBleibtImFeldUndWirdNichtUebernommen) {
    f.setze_text(Ctl::VNR, k_falsche_vnr);
    f.benutzer_fokus(Ctl::VNR);
    f.benutzer_fokus(Ctl::Punkte);
    EXPECT_EQ(u.pl.meldungen, std::vector<std::string>{k_pruefziffer});
    EXPECT_EQ(f.fokus_bei(), Ctl::VNR);
    EXPECT_EQ(u.p.zustand().Aktuelle_VNR, k_vnr);
}

// The close box and buttons reached without leaving the box: the unchecked
// number is checked before the save, and a failure saves nothing, keeps
// the form and puts the focus into the box.
TEST_F(VnrFeld, UngepruefteNummerWirdVorDemSpeichernGeprueft) {
    f.setze_text(Ctl::VNR, k_falsche_vnr);
    f.schliessen();
    // The number set by code, the focus elsewhere: no LostFocus of the box
    // comes before the click.
    for (Ctl knopf : {Ctl::Ende, Ctl::Speichern, Ctl::Hauptmenue, Ctl::Senden}) {
        f.fokus(Ctl::Punkte);
        f.klicken(knopf);
    }
    EXPECT_EQ(u.pl.meldungen, std::vector<std::string>(5, k_pruefziffer));
    EXPECT_TRUE(u.pl.shell_aufrufe.empty());
    EXPECT_EQ(f.fokus_bei(), Ctl::VNR);
    EXPECT_TRUE(u.geladen(FormId::MA1_Maske));
    EXPECT_TRUE(f.sichtbar());
    EXPECT_FALSE(u.sammlung.endet());
    EXPECT_TRUE(u.pl.dateien(k_daten + "*").empty());
    EXPECT_EQ(f.zeilenzahl(Ctl::Teilnehmerliste), 1);

    // Corrected, the close box saves under it and ends.
    f.setze_text(Ctl::VNR, k_andere_vnr);
    f.schliessen();
    EXPECT_TRUE(u.existiert(datei(k_andere_vnr)));
    EXPECT_TRUE(u.sammlung.leer());
    namen_und_inhalt_stimmen();
}

// The unchanged neighbours: the bare prefix ends without saving, and the
// buttons save the event's number while the box holds no more than it.
TEST_F(VnrFeld, PraefixImFeldWieBisher) {
    f.setze_text(Ctl::VNR, "276");
    f.klicken(Ctl::Speichern);
    EXPECT_TRUE(u.existiert(datei(k_vnr)));
    EXPECT_EQ(f.text(Ctl::VNR), "276");
    f.klicken(Ctl::Ende);
    EXPECT_TRUE(u.sammlung.leer());
    EXPECT_EQ(u.pl.dateien(k_daten + "*.XML").size(), 1U);
    namen_und_inhalt_stimmen();
}

// A loaded event whose number never passed a check (a file from elsewhere)
// is not saved under it until the box holds a checked number.
TEST_F(VnrFeld, UngepruefteNummerAusDerDateiWirdGeprueft) {
    u.p.zustand().Aktuelle_VNR = k_falsche_vnr;
    f.setze_text(Ctl::VNR, k_falsche_vnr);
    f.klicken(Ctl::Speichern);
    EXPECT_EQ(u.pl.meldungen, std::vector<std::string>{k_pruefziffer});
    EXPECT_FALSE(u.existiert(datei(k_falsche_vnr)));
}

// The type-2 form's box is locked and shows the event's number: unchanged.
TEST(VnrFeldTyp2, SpeichertWieBisherUnterDerNummerDerVeranstaltung) {
    Erfassung u;
    auto& f = u.ma2_vollstaendig();
    f.klicken(Ctl::Ende);
    EXPECT_TRUE(u.existiert(k_daten + k_vnr + "_21.12.2006.XML"));
    EXPECT_TRUE(u.pl.meldungen.empty());
}

} // namespace
} // namespace karmo::test
