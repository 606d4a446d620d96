// The capture forms' portal buttons when the shell opens the browser, and when it cannot.
#include <gtest/gtest.h>

#include "capture/erfassung_umgebung.hpp"
#include "checks/portal.hpp"

namespace karmo::test {
namespace {

using ui::Ctl;
using ui::FormId;

const std::string k_kein_browser =
    "Der Browser konnte nicht geöffnet werden. Bitte rufen Sie diese Adresse selbst auf:\r\n";
const std::string k_uebertragung = "Die ZELVA-Webseite wird jetzt aufgerufen. \r\n"
                                   "Die zu übertragende Datei Sie finden Sie hier:\r\n";

struct Fall {
    FormId form;
    Ctl senden;
    const char* pfad;
};

class Browser : public ::testing::TestWithParam<Fall> {
protected:
    Erfassung u;
    ui::FakeFenster& f = GetParam().form == FormId::MA2_Maske ? u.ma2_vollstaendig() : u.oeffnen(FormId::MA1_Maske);
    // How many shell calls had been made when each message was shown.
    std::vector<std::size_t> aufrufe_bei_meldung;

    void SetUp() override {
        u.pl.bei_meldung = [this](std::string_view) { aufrufe_bei_meldung.push_back(u.pl.shell_aufrufe.size()); };
        f.setze_text(Ctl::Punkte, "8");
        f.tippen(Ctl::EFN, std::string(k_efn) + "\r");
    }
};

// The confirmation says the page is being opened: it comes after the shell
// has accepted the address, with its text unchanged.
TEST_P(Browser, UebertragungBestaetigtNachDemGeoeffnetenBrowser) {
    f.klicken(GetParam().senden);
    ASSERT_EQ(u.pl.shell_aufrufe.size(), 1U);
    EXPECT_EQ(u.pl.shell_aufrufe[0].ziel, Upload_Adresse(u.pl, k_vnr, GetParam().pfad));
    EXPECT_EQ(u.pl.meldungen, std::vector<std::string>{k_uebertragung + GetParam().pfad});
    EXPECT_EQ(aufrufe_bei_meldung, std::vector<std::size_t>{1});
}

// The shell cannot open the address: the file is saved, and the one message
// gives the address instead of claiming the page opens.
TEST_P(Browser, UebertragungOhneBrowserNenntDieAdresse) {
    u.pl.shell_ergebnis = 31; // no program for the address
    f.klicken(GetParam().senden);
    EXPECT_TRUE(u.existiert(GetParam().pfad));
    EXPECT_EQ(u.pl.meldungen, std::vector<std::string>{k_kein_browser + Upload_Adresse(u.pl, k_vnr, GetParam().pfad)});
    EXPECT_TRUE(f.sichtbar());
    // The saved file is at hand all the same, for the page opened by hand.
    EXPECT_EQ(u.pl.gezeigte_dateien, std::vector<std::string>{GetParam().pfad});
}

TEST_P(Browser, EinsehenOhneBrowserNenntDieAdresse) {
    u.pl.shell_ergebnis = 2;
    f.klicken(Ctl::Einsehen);
    EXPECT_EQ(u.pl.meldungen, std::vector<std::string>{k_kein_browser + Einsehen_Adresse(k_vnr)});
    u.pl.shell_ergebnis = 42;
    f.klicken(Ctl::Einsehen);
    EXPECT_EQ(u.pl.meldungen.size(), 1U);
    EXPECT_EQ(u.pl.shell_aufrufe.size(), 2U);
}

INSTANTIATE_TEST_SUITE_P(BeideMasken, Browser,
                         ::testing::Values(Fall{FormId::MA1_Maske, Ctl::Senden, k_einfach},
                                           Fall{FormId::MA2_Maske, Ctl::Senden_web, k_datiert}),
                         [](const auto& fall) { return fall.param.form == FormId::MA1_Maske ? "Typ1" : "Typ2"; });

// A refused save still opens nothing and says only what is missing.
TEST(BrowserTyp2, AbgelehntesSpeichernOeffnetNichts) {
    Erfassung u;
    auto& f = u.ma2_vollstaendig();
    f.tippen(Ctl::EFN, std::string(k_efn) + "\r");
    u.pl.shell_ergebnis = 31;
    f.setze_text(Ctl::Dauer, "");
    f.klicken(Ctl::Senden_web);
    EXPECT_EQ(u.pl.meldungen,
              std::vector<std::string>{"Bitte geben Sie die Veranstaltungsdauer ein!(ohne Pausen in Minuten)"});
    EXPECT_TRUE(u.pl.shell_aufrufe.empty());
    EXPECT_TRUE(u.pl.gezeigte_dateien.empty());
}

} // namespace
} // namespace karmo::test
