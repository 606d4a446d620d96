// "Auf Datenträger speichern" in both capture forms: the save, the Save As dialog, the copy and each way it can fail.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture/erfassung_umgebung.hpp"
#include "sicherung/sicherung.hpp"

namespace karmo::test {
namespace {

using ui::Ctl;
using ui::FormId;

constexpr const char* k_ziel = "e:\\Tuer 2\\2760123456789012344.XML";
constexpr const char* k_gespeichert = "Datei erfolgreich gespeichert! Sie finden die Datei unter:\r\n";

class Datentraeger : public ::testing::TestWithParam<FormId> {
protected:
    Erfassung u;
    ui::FakeFenster& f = GetParam() == FormId::MA1_Maske ? u.oeffnen(FormId::MA1_Maske) : u.ma2_vollstaendig();
    // Where "Eingegebene Daten speichern" saves this form's event.
    const std::string eigene = GetParam() == FormId::MA1_Maske ? k_einfach : k_datiert;

    Datentraeger() {
        f.setze_text(Ctl::Punkte, "8");
        f.tippen(Ctl::EFN, std::string(k_efn) + "\r");
        f.tippen(Ctl::EFN, std::string(k_efn2) + "\r");
        u.pl.ordner_anlegen("e:\\");
        u.pl.ordner_anlegen("e:\\Tuer 2\\");
    }
    void klicken(std::optional<std::string> ziel) {
        u.pl.speicherorte.push_back(std::move(ziel));
        f.klicken(Ctl::Auf_Datentraeger);
    }
    std::vector<std::string> auf_dem_stick() { return u.pl.dateien("e:\\Tuer 2\\*"); }
};

INSTANTIATE_TEST_SUITE_P(BeideMasken, Datentraeger, ::testing::Values(FormId::MA1_Maske, FormId::MA2_Maske),
                         [](const auto& i) { return i.param == FormId::MA1_Maske ? "MA1" : "MA2"; });

TEST_P(Datentraeger, SpeichertUndLegtDieselbenBytesAufDenStick) {
    klicken(k_ziel);
    const std::string bytes = u.pl.datei_lesen(eigene);
    ASSERT_NE(bytes.find(k_efn2), std::string::npos);
    EXPECT_EQ(u.pl.datei_lesen(k_ziel), bytes);
    EXPECT_EQ(auf_dem_stick(), std::vector<std::string>{"2760123456789012344.XML"}); // no temporary file left
    EXPECT_EQ(u.pl.meldungen,
              (std::vector<std::string>{k_gespeichert + eigene,
                                        "Die Teilnehmerliste wurde zusätzlich hier gespeichert:\r\n" + std::string(k_ziel)}));
    ASSERT_EQ(u.pl.dateidialoge.size(), 1U);
    EXPECT_EQ(u.pl.dateidialoge[0].titel, "Teilnehmerliste auf Datenträger speichern");
    EXPECT_EQ(u.pl.dateidialoge[0].filtername, "Veranstaltungen (*.XML)");
    EXPECT_EQ(u.pl.dateidialoge[0].muster, "*.XML");
    EXPECT_EQ(u.pl.dateidialoge[0].vorschlag, eigene.substr(eigene.rfind('\\') + 1));

    // A second copy over the first (the dialog has asked): the newer bytes.
    f.tippen(Ctl::EFN, std::string(k_efn3) + "\r");
    klicken(k_ziel);
    EXPECT_EQ(u.pl.datei_lesen(k_ziel), u.pl.datei_lesen(eigene));
    EXPECT_NE(u.pl.datei_lesen(k_ziel).find(k_efn3), std::string::npos);
}

// A card scanned into Save As neither replaces the proposed name nor saves:
// the person's choice stands, and the card is in the list afterwards.
TEST_P(Datentraeger, KarteImSpeichernDialogWirdErfasst) {
    u.pl.scans_in_meldungen = {"", k_efn3}; // the save's confirmation, then Save As
    klicken(k_ziel);
    EXPECT_EQ(auf_dem_stick(), std::vector<std::string>{"2760123456789012344.XML"});
    EXPECT_EQ(u.pl.datei_lesen(k_ziel), u.pl.datei_lesen(eigene)) << "the copy is the file saved before the card";
    ASSERT_EQ(f.zeilenzahl(Ctl::Teilnehmerliste), 3);
    EXPECT_EQ(f.zeile(Ctl::Teilnehmerliste, 2).substr(0, 15), k_efn3);
    EXPECT_FALSE(u.pl.karten_wartend());
    EXPECT_EQ(f.fokus_bei(), Ctl::EFN);
}

TEST_P(Datentraeger, AbbrechenLaesstNurDasSpeichern) {
    klicken(std::nullopt);
    EXPECT_TRUE(u.existiert(eigene));
    EXPECT_TRUE(auf_dem_stick().empty());
    EXPECT_EQ(u.pl.meldungen, std::vector<std::string>{k_gespeichert + eigene});
}

// A save that is refused asks nothing more.
TEST(DatentraegerMA2, AbgelehntesSpeichernZeigtKeinenDialog) {
    Erfassung u;
    auto& f = u.ma2_vollstaendig();
    f.setze_text(Ctl::Dauer, "");
    u.pl.speicherorte.push_back(k_ziel);
    f.klicken(Ctl::Auf_Datentraeger);
    EXPECT_TRUE(u.pl.dateidialoge.empty());
    EXPECT_EQ(u.pl.meldungen, std::vector<std::string>{"Bitte geben Sie die Veranstaltungsdauer ein!(ohne Pausen in Minuten)"});
    EXPECT_FALSE(u.existiert(k_ziel));
}

// Each step of the copy failing: one message with the path and the
// system's reason; the file in Daten stays as saved, an old copy on the
// stick as it was, and no temporary file is left.
TEST_P(Datentraeger, JederFehlschlagEineMeldungUndNichtsVerloren) {
    struct Fall {
        const char* name;
        std::string ziel;
        std::function<void(FakePlattform&)> stoeren;
        const char* grund;
    };
    const std::string alt = "alte Kopie";
    const std::vector<Fall> faelle{
        {"Lesen der gespeicherten Datei", k_ziel,
         [this](FakePlattform& pl) {
             // In use from the moment the save has confirmed.
             pl.bei_meldung = [this, &pl](std::string_view t) {
                 if (t.starts_with("Datei erfolgreich")) pl.in_benutzung.insert(eigene);
             };
         },
         "Der Prozess kann nicht auf die Datei zugreifen, da sie von einem anderen Prozess verwendet wird."},
        {"Schreiben der Zwischendatei", k_ziel,
         [](FakePlattform& pl) { pl.schreibgeschuetzt.insert(std::string(k_ziel) + ".tmp"); }, "Zugriff verweigert"},
        {"Ersetzen der alten Kopie", k_ziel, [](FakePlattform& pl) { pl.schreibgeschuetzt.insert(k_ziel); },
         "Zugriff verweigert"},
        {"Stick gezogen", "f:\\2760123456789012344.XML", [](FakePlattform&) {},
         "Das System kann den angegebenen Pfad nicht finden."},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        u.pl.meldungen.clear();
        u.pl.bei_meldung = nullptr;
        u.pl.in_benutzung.clear();
        u.pl.schreibgeschuetzt.clear();
        u.pl.datei_ablegen(k_ziel, alt);
        fall.stoeren(u.pl);
        klicken(fall.ziel);
        u.pl.in_benutzung.clear();
        ASSERT_EQ(u.pl.meldungen.size(), 2U);
        EXPECT_EQ(u.pl.meldungen[0], k_gespeichert + eigene);
        EXPECT_EQ(u.pl.meldungen[1],
                  "Die Teilnehmerliste konnte nicht hier gespeichert werden:\r\n" + fall.ziel + "\r\n" + fall.grund);
        EXPECT_NE(u.pl.datei_lesen(eigene).find(k_efn2), std::string::npos);
        EXPECT_EQ(u.pl.datei_lesen(k_ziel), alt);
        EXPECT_EQ(auf_dem_stick(), std::vector<std::string>{"2760123456789012344.XML"});
        EXPECT_EQ(f.zeilenzahl(Ctl::Teilnehmerliste), 2);
    }
}

// With a journal: the save removes it as the save button does, and a copy
// that fails afterwards leaves it so.
TEST_P(Datentraeger, JournalWieBeimSpeichern) {
    auto s = std::make_shared<Sicherung>(u.p);
    u.p.setze_sicherung(s);
    f.tippen(Ctl::EFN, std::string(k_efn3) + "\r");
    ASSERT_TRUE(s->offen());
    u.pl.schreibgeschuetzt.insert(std::string(k_ziel) + ".tmp");
    klicken(k_ziel);
    EXPECT_FALSE(s->offen());
    EXPECT_FALSE(u.existiert(Sicherung::pfad()));
    EXPECT_NE(u.pl.datei_lesen(eigene).find(k_efn3), std::string::npos);
}

} // namespace
} // namespace karmo::test
