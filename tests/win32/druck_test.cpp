// Printing's Windows side: the window Ausdruck's option and default buttons, Ctrl+P, the print dialog without a printer.
#include <gtest/gtest.h>

#include "platform/win32/win32_drucker.hpp"
#include "start/start.hpp"
#include "ui_hilfe.hpp"

namespace karmo::test {
namespace {

using ui::Ctl;

class Ausdruckfenster : public ::testing::Test {
protected:
    void SetUp() override {
        f = std::make_unique<ui::Win32Fenster>(host, Deklaration(ui::FormId::Ausdruck), logik);
        f->zeigen();
        pumpen(host);
    }
    HWND h(Ctl c) const { return f->steuerelement(c); }
    LONG_PTR stil(Ctl c) const { return GetWindowLongPtrW(h(c), GWL_STYLE) & BS_TYPEMASK; }

    ui::Win32Host host;
    Protokollant logik;
    std::unique_ptr<ui::Win32Fenster> f;
};

TEST_F(Ausdruckfenster, OptionButtonsChooseOneAndWeiterIsTheDefault) {
    EXPECT_EQ(stil(Ctl::Anwesenheitsliste), BS_AUTORADIOBUTTON);
    EXPECT_EQ(stil(Ctl::Bescheinigungen), BS_AUTORADIOBUTTON);
    EXPECT_EQ(stil(Ctl::Weiter), BS_DEFPUSHBUTTON);
    EXPECT_EQ(stil(Ctl::CancelButton), BS_PUSHBUTTON);
    EXPECT_TRUE(f->markiert(Ctl::Anwesenheitsliste));
    EXPECT_FALSE(f->markiert(Ctl::Bescheinigungen));
    SendMessageW(h(Ctl::Bescheinigungen), BM_CLICK, 0, 0);
    pumpen(host);
    EXPECT_TRUE(f->markiert(Ctl::Bescheinigungen));
    EXPECT_FALSE(f->markiert(Ctl::Anwesenheitsliste));
    EXPECT_EQ(logik.ereignisse.back(), "click:" + Protokollant::n(Ctl::Bescheinigungen));
    // Enter on an option button clicks the default button.
    logik.ereignisse.clear();
    SetFocus(h(Ctl::Bescheinigungen));
    pumpen(host);
    taste_senden(h(Ctl::Bescheinigungen), VK_RETURN);
    pumpen(host);
    EXPECT_EQ(logik.ereignisse, std::vector<std::string>{"click:" + Protokollant::n(Ctl::Weiter)});
}

// Ctrl+P is the button Drucken of a capture form; a window without one lets the keys through.
TEST(Kuerzel, CtrlPClicksDruckenOfTheFormThatHasIt) {
    ui::Win32Host host;
    Protokollant logik;
    ui::Win32Fenster f(host, Deklaration(ui::FormId::MA1_Maske), logik);
    f.zeigen();
    pumpen(host);
    HWND efn = f.steuerelement(Ctl::EFN);
    SetFocus(efn);
    pumpen(host);
    logik.ereignisse.clear();
    BYTE tasten[256]{};
    GetKeyboardState(tasten);
    tasten[VK_CONTROL] = 0x80;
    SetKeyboardState(tasten);
    taste_senden(efn, 'P');
    pumpen(host);
    tasten[VK_CONTROL] = 0;
    SetKeyboardState(tasten);
    EXPECT_EQ(logik.ereignisse, std::vector<std::string>{"click:" + Protokollant::n(Ctl::Drucken)});
    EXPECT_EQ(f.text(Ctl::EFN), "");
    // Without Ctrl the key is typed.
    logik.ereignisse.clear();
    taste_senden(efn, 'P');
    pumpen(host);
    EXPECT_EQ(logik.ereignisse.size(), 1U);
    EXPECT_NE(logik.ereignisse[0], "click:" + Protokollant::n(Ctl::Drucken));
}

// The test prefix has no printer: the dialog is not shown and says so.
TEST(Druckdialog, WithoutAPrinterReportsNoPrinter) {
    Win32Drucker d;
    const Druckwahl w = d.dialog();
    EXPECT_EQ(w.ausgang, Druckwahl::Ausgang::Kein_Drucker);
    EXPECT_EQ(w.auftrag, nullptr);
}

} // namespace
} // namespace karmo::test
