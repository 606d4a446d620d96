// The renderer's message loop with scanner and person timing: scans into another control reach no control.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "ui_hilfe.hpp"

namespace karmo::test {
namespace {

using ui::Art;
using ui::Ctl;

constexpr const char* k_karte = "740000000000013";

constexpr std::array<ui::Steuerelement, 4> k_elemente{{
    {Art::Textfeld, Ctl::Punkte, -1, "8", Ctl::Keiner, 300, 150, 1056, 336, 0, 0, 0},
    {Art::Textfeld, Ctl::EFN, -1, "", Ctl::Keiner, 300, 600, 3000, 336, 0, 1, 0},
    {Art::Textfeld, Ctl::Inhalt, -1, "Vortrag", Ctl::Keiner, 300, 1050, 4000, 600, 250, 2, ui::k_mehrzeilig},
    {Art::Schaltflaeche, Ctl::Speichern, -1, "Speichern", Ctl::Keiner, 300, 1800, 1500, 450, 0, 3, 0},
}};
const ui::Formular k_test{ui::FormId::MA2_Maske, "Test", "Scanfenster", 6000, 3000, 0, k_elemente};

// Takes scans everywhere but in EFN, as the capture forms do; records them
// and every key press.
class Scanlogik final : public ui::Formularlogik {
public:
    std::vector<std::string> scans;
    std::string tasten;
    bool nimmt_scans(Ctl c) override { return c != Ctl::EFN; }
    void scan(Ctl von, std::string_view ziffern) override {
        scans.push_back(Protokollant::n(von) + ":" + std::string(ziffern));
    }
    void keypress(Ctl, int& taste) override { tasten += static_cast<char>(taste); }
    void click(Ctl c) override { tasten += "[click:" + Protokollant::n(c) + "]"; }
};

class Scan : public ::testing::Test {
protected:
    void SetUp() override {
        fenster = std::make_unique<ui::Win32Fenster>(host, k_test, logik);
        fenster->zeigen();
        pumpen(host);
    }
    void TearDown() override { fenster.reset(); }

    HWND h(Ctl c) const { return fenster->steuerelement(c); }
    std::string text(Ctl c) const { return fenster->text(c); }
    // Keys at scanner speed: queued together, handled in one go.
    void scanner(Ctl c, const std::string& ziffern, UINT ende) {
        SetFocus(h(c));
        pumpen(host);
        ziffern_senden(h(c), ziffern);
        if (ende) taste_senden(h(c), ende);
        pumpen(host);
    }
    // Waits until the loop's timer has had its chance.
    void warten(DWORD ms) {
        const DWORD bis = GetTickCount() + ms;
        while (static_cast<LONG>(GetTickCount() - bis) < 0) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            pumpen(host);
        }
    }

    ui::Win32Host host;
    Scanlogik logik;
    std::unique_ptr<ui::Win32Fenster> fenster;
};

TEST_F(Scan, KarteInPunkteOderInhaltGehtAlsScanAnDasFenster) {
    scanner(Ctl::Punkte, k_karte, VK_RETURN);
    scanner(Ctl::Inhalt, k_karte, VK_TAB);
    scanner(Ctl::Speichern, k_karte, VK_RETURN);
    EXPECT_EQ(logik.scans, (std::vector<std::string>{Protokollant::n(Ctl::Punkte) + ":" + k_karte,
                                                     Protokollant::n(Ctl::Inhalt) + ":" + k_karte,
                                                     Protokollant::n(Ctl::Speichern) + ":" + k_karte}));
    // None of the keys reached a control: no text, no key press, no click,
    // no new line in Inhalt and the focus did not move on with the Tab.
    EXPECT_EQ(text(Ctl::Punkte), "8");
    EXPECT_EQ(text(Ctl::Inhalt), "Vortrag");
    EXPECT_EQ(logik.tasten, "");
    warten(120);
    EXPECT_EQ(logik.tasten, "") << "nothing is released later either";
}

TEST_F(Scan, ImEfnTipptDerScannerWieImmer) {
    scanner(Ctl::EFN, k_karte, VK_RETURN);
    EXPECT_TRUE(logik.scans.empty());
    EXPECT_EQ(text(Ctl::EFN), k_karte);
    EXPECT_EQ(logik.tasten, std::string(k_karte) + "\r");
}

TEST_F(Scan, ZuLangOderZuKurzGehtInDasFeldInReihenfolge) {
    SendMessageW(h(Ctl::Punkte), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    scanner(Ctl::Punkte, "2760123456789012344", VK_RETURN);
    EXPECT_TRUE(logik.scans.empty());
    EXPECT_EQ(text(Ctl::Punkte), "2760123456789012344");
    EXPECT_EQ(logik.tasten, "2760123456789012344\r");

    // 14 digits and Enter: held, then let go by the Enter, in order.
    SendMessageW(h(Ctl::Punkte), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    logik.tasten.clear();
    scanner(Ctl::Punkte, "74000000000001", VK_RETURN);
    EXPECT_EQ(text(Ctl::Punkte), "74000000000001");
    EXPECT_EQ(logik.tasten, "74000000000001\r");
}

TEST_F(Scan, GehalteneZiffernKommenNachDerPauseAn) {
    SetFocus(h(Ctl::Punkte));
    SendMessageW(h(Ctl::Punkte), EM_SETSEL, 1, 1);
    pumpen(host);
    ziffern_senden(h(Ctl::Punkte), "12");
    pumpen(host);
    EXPECT_EQ(text(Ctl::Punkte), "8") << "held while they may be a scan";
    warten(150);
    EXPECT_EQ(text(Ctl::Punkte), "812");
    EXPECT_TRUE(logik.scans.empty());
}

TEST_F(Scan, EinMenschTipptInsInhaltsfeld) {
    SetFocus(h(Ctl::Inhalt));
    pumpen(host);
    SendMessageW(h(Ctl::Inhalt), EM_SETSEL, 7, 7);
    const std::string ziffern = k_karte;
    for (char z : ziffern) {
        taste_senden(h(Ctl::Inhalt), static_cast<UINT>(z));
        warten(120);
    }
    taste_senden(h(Ctl::Inhalt), VK_TAB);
    pumpen(host);
    EXPECT_TRUE(logik.scans.empty());
    EXPECT_EQ(text(Ctl::Inhalt), "Vortrag" + ziffern);
}

TEST_F(Scan, KlickGibtGehalteneZiffernVorherFrei) {
    SetFocus(h(Ctl::Punkte));
    SendMessageW(h(Ctl::Punkte), EM_SETSEL, 1, 1);
    pumpen(host);
    ziffern_senden(h(Ctl::Punkte), "12");
    pumpen(host);
    // The button's release comes as a later input, after the characters
    // that the press let go.
    PostMessageW(h(Ctl::Speichern), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    pumpen(host);
    PostMessageW(h(Ctl::Speichern), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    pumpen(host);
    EXPECT_EQ(text(Ctl::Punkte), "812");
    EXPECT_EQ(logik.tasten, "12[click:" + Protokollant::n(Ctl::Speichern) + "]");
}

} // namespace
} // namespace karmo::test
