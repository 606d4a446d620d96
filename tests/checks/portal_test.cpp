// Portal addresses: path encoding, the 255-character limit, and an event number that cannot inject parameters.
#include <gtest/gtest.h>

#include "checks/portal.hpp"
#include "platform/fake/fake_plattform.hpp"

namespace karmo {
namespace {

const std::string k_meldung = "Fehler bei der Erzeugung des Dateinamens für die Serverübergabe!";

TEST(PfadKodieren, NurDoppelpunktUndRueckstrich) {
    FakePlattform p;
    EXPECT_EQ(Pfad_kodieren(p, "c:\\zelva\\Daten\\beispiel.XML"), "c%3A%5Czelva%5CDaten%5Cbeispiel.XML");
    EXPECT_EQ(Pfad_kodieren(p, "a::\\\\b\\"), "a%3A%3A%5C%5Cb%5C");
    EXPECT_EQ(Pfad_kodieren(p, "ohne Trenner & #%ä"), "ohne Trenner & #%ä");
    EXPECT_EQ(Pfad_kodieren(p, ""), "");
    EXPECT_TRUE(p.meldungen.empty());
}

TEST(PfadKodieren, GrenzeBei255Zeichen) {
    FakePlattform p;
    const std::string kurz = "c:\\" + std::string(251, 'x');
    ASSERT_EQ(kurz.size(), 254U);
    EXPECT_EQ(Pfad_kodieren(p, kurz), "c%3A%5C" + std::string(251, 'x'));
    EXPECT_TRUE(p.meldungen.empty());

    EXPECT_EQ(Pfad_kodieren(p, kurz + "x"), "");
    EXPECT_EQ(p.meldungen, std::vector<std::string>{k_meldung});

    // Characters count, not bytes: 254 umlauts are 508 bytes and still pass.
    p.meldungen.clear();
    std::string umlaute;
    for (int i = 0; i < 254; ++i) umlaute += "ä";
    EXPECT_EQ(Pfad_kodieren(p, umlaute), umlaute);
    EXPECT_TRUE(p.meldungen.empty());
}

TEST(Portal, UploadOeffnetDieAdresseMaximiert) {
    FakePlattform p;
    Portal_Upload_aufrufen(p, "2760123456789012344", "c:\\zelva\\Daten\\beispiel.XML");
    ASSERT_EQ(p.shell_aufrufe.size(), 1U);
    const auto& a = p.shell_aufrufe[0];
    EXPECT_EQ(a.verb, "open");
    EXPECT_EQ(a.anzeige, 3);
    EXPECT_EQ(a.ziel, std::string(k_portal_basis) +
                          "index.php?page=eingabe&vnr=2760123456789012344&datei=c%3A%5Czelva%5CDaten%5Cbeispiel.XML");
    EXPECT_EQ(k_portal_basis.substr(0, 7), "http://");
    EXPECT_EQ(k_portal_basis.back(), '/');
}

TEST(Portal, ZuLangerPfadOeffnetTrotzdemMitLeeremWert) {
    FakePlattform p;
    Portal_Upload_aufrufen(p, "2760123456789012344", std::string(300, 'x'));
    EXPECT_EQ(p.meldungen, std::vector<std::string>{k_meldung});
    ASSERT_EQ(p.shell_aufrufe.size(), 1U);
    EXPECT_TRUE(p.shell_aufrufe[0].ziel.ends_with("&vnr=2760123456789012344&datei="));
}

TEST(Portal, VeranstaltungsnummerKannKeineParameterEinschleusen) {
    FakePlattform p;
    const std::string adresse = Upload_Adresse(p, "276&datei=x#y z/ä", "c:\\a.XML");
    EXPECT_EQ(adresse, std::string(k_portal_basis) +
                           "index.php?page=eingabe&vnr=276%26datei%3Dx%23y%20z%2F%C3%A4&datei=c%3A%5Ca.XML");
    EXPECT_EQ(Einsehen_Adresse("1-2._~?"), std::string(k_portal_basis) + "index.php?page=vnr_intern&vnr=1-2._~%3F");
}

TEST(Portal, EinsehenUndShellErgebnis) {
    FakePlattform p;
    Veranstaltung_einsehen(p, "2760123456789012344");
    ASSERT_EQ(p.shell_aufrufe.size(), 1U);
    EXPECT_EQ(p.shell_aufrufe[0].ziel,
              std::string(k_portal_basis) + "index.php?page=vnr_intern&vnr=2760123456789012344");
    EXPECT_EQ(p.shell_aufrufe[0].anzeige, 3);

    p.shell_ergebnis = 33;
    EXPECT_TRUE(Shell_Oeffnen(p, "x", 3, "open"));
    p.shell_ergebnis = 32;
    EXPECT_FALSE(Shell_Oeffnen(p, "x", 3, "open"));
    EXPECT_EQ(p.shell_aufrufe.back().verb, "open");
    EXPECT_TRUE(p.meldungen.empty()); // the bare shell call says nothing
}

// A browser that cannot be opened: one message with the address to type in;
// a working shell, also at 33, says nothing.
TEST(Portal, BrowserNichtGeoeffnetNenntDieAdresse) {
    const std::string k_text = "Der Browser konnte nicht geöffnet werden. Bitte rufen Sie diese Adresse selbst auf:\r\n";
    FakePlattform p;
    p.shell_ergebnis = 33;
    EXPECT_TRUE(Portal_Upload_aufrufen(p, "2760123456789012344", "c:\\a.XML"));
    EXPECT_TRUE(Veranstaltung_einsehen(p, "2760123456789012344"));
    EXPECT_TRUE(p.meldungen.empty());

    for (long ergebnis : {32L, 31L, 2L, 0L}) {
        SCOPED_TRACE(ergebnis);
        p.meldungen.clear();
        p.shell_ergebnis = ergebnis;
        EXPECT_FALSE(Portal_Upload_aufrufen(p, "2760123456789012344", "c:\\a.XML"));
        EXPECT_FALSE(Veranstaltung_einsehen(p, "2760123456789012344"));
        EXPECT_EQ(p.meldungen, (std::vector<std::string>{k_text + Upload_Adresse(p, "2760123456789012344", "c:\\a.XML"),
                                                         k_text + Einsehen_Adresse("2760123456789012344")}));
    }
}

} // namespace
} // namespace karmo
