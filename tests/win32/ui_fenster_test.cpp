// The renderer with a test window: controls, the Fenster surface, keys, focus loss, clicks, closing.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "ui_hilfe.hpp"

namespace karmo::test {
namespace {

using ui::Art;
using ui::Ctl;

constexpr std::array<ui::Steuerelement, 10> k_elemente{{
    {Art::Schaltflaeche, Ctl::Weiter, -1, "Weiter", Ctl::Keiner, 4500, 150, 1500, 450, 0, 5, 0},
    {Art::Textfeld, Ctl::VNR, -1, "276", Ctl::Keiner, 300, 150, 2676, 300, 19, -1, ui::k_gesperrt | ui::k_grund_knopf},
    {Art::Rahmen, Ctl::Veranstaltungsdaten, -1, "Daten", Ctl::Keiner, 180, 600, 6000, 4200, 0, -1, 0},
    {Art::Label, Ctl::Label1, -1, "Punkte", Ctl::Veranstaltungsdaten, 150, 300, 900, 300, 0, -1, ui::k_fett},
    {Art::Textfeld, Ctl::Punkte, -1, "", Ctl::Veranstaltungsdaten, 990, 270, 1056, 336, 3, 1, 0},
    {Art::Textfeld, Ctl::EFN, -1, "", Ctl::Veranstaltungsdaten, 990, 700, 2500, 336, 15, 0, 0},
    {Art::Textfeld, Ctl::Inhalt, -1, "Inhalt", Ctl::Veranstaltungsdaten, 990, 1100, 4000, 600, 250, 2,
     ui::k_mehrzeilig},
    {Art::Liste, Ctl::Teilnehmerliste, -1, "", Ctl::Veranstaltungsdaten, 990, 1800, 4000, 1800, 0, 3, 0},
    {Art::Kontrollkaestchen, Ctl::Akkred_VA, -1, "Akkreditiert", Ctl::Veranstaltungsdaten, 990, 3700, 3000, 285, 0, 4,
     ui::k_markiert},
    {Art::Schaltflaeche, Ctl::Ende, -1, "Ende", Ctl::Keiner, 6300, 150, 1500, 450, 0, -1, ui::k_arial},
}};

const ui::Formular k_test{ui::FormId::MA2_Maske, "Test", "Prüffenster", 8000, 5000, 0, k_elemente};

class Win32Fenster : public ::testing::Test {
protected:
    void SetUp() override {
        fenster = std::make_unique<ui::Win32Fenster>(host, k_test, logik);
        f = fenster.get();
    }
    void TearDown() override { fenster.reset(); }

    HWND h(Ctl c) const { return f->steuerelement(c); }
    // The user moves the focus (mouse or Tab): not through the Fenster surface.
    void benutzer_fokus(Ctl c) {
        SetFocus(h(c));
        pumpen(host);
    }
    void zeigen() {
        f->zeigen();
        pumpen(host);
    }

    ui::Win32Host host;
    Protokollant logik;
    std::unique_ptr<ui::Win32Fenster> fenster;
    ui::Win32Fenster* f = nullptr;
};

TEST_F(Win32Fenster, ControlsAreChildrenOfTheWindowWithTheirClassesAndStyles) {
    for (const auto& s : k_elemente) {
        HWND c = h(s.name);
        ASSERT_NE(c, nullptr);
        // Frames hold nothing: a group box would swallow its children's notifications.
        EXPECT_EQ(GetParent(c), f->hwnd());
    }
    EXPECT_EQ(fenstertext(f->hwnd()), "Prüffenster");
    EXPECT_EQ(klassenname(h(Ctl::Veranstaltungsdaten)), "Button");
    EXPECT_TRUE(hat_stil(h(Ctl::Veranstaltungsdaten), BS_GROUPBOX));
    EXPECT_EQ(klassenname(h(Ctl::Label1)), "Static");
    EXPECT_EQ(klassenname(h(Ctl::EFN)), "Edit");
    EXPECT_EQ(klassenname(h(Ctl::Teilnehmerliste)), "ListBox");
    EXPECT_TRUE(hat_stil(h(Ctl::Teilnehmerliste), LBS_NOTIFY | LBS_NOINTEGRALHEIGHT));
    EXPECT_FALSE(hat_stil(h(Ctl::Teilnehmerliste), LBS_SORT));
    EXPECT_TRUE(hat_stil(h(Ctl::Akkred_VA), BS_AUTOCHECKBOX));
    EXPECT_EQ(SendMessageW(h(Ctl::Akkred_VA), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(hat_stil(h(Ctl::VNR), ES_READONLY));
    EXPECT_FALSE(hat_stil(h(Ctl::VNR), WS_TABSTOP));
    EXPECT_TRUE(hat_stil(h(Ctl::Inhalt), ES_MULTILINE | ES_WANTRETURN));
    EXPECT_FALSE(hat_stil(h(Ctl::EFN), ES_MULTILINE));
    EXPECT_EQ(SendMessageW(h(Ctl::EFN), EM_GETLIMITTEXT, 0, 0), 15);
    EXPECT_EQ(SendMessageW(h(Ctl::Punkte), EM_GETLIMITTEXT, 0, 0), 3);
    EXPECT_FALSE(f->sichtbar());
}

TEST_F(Win32Fenster, FrameContentsArePlacedByEdgesInsideTheirFrame) {
    if (f->dpi() != 96) GTEST_SKIP() << "dpi " << f->dpi();
    RECT c{};
    GetClientRect(f->hwnd(), &c);
    EXPECT_EQ(c.right, ui::pixel(8000, 96));
    EXPECT_EQ(c.bottom, ui::pixel(5000, 96));
    // EFN: frame 180/600 plus 990/700, 2500 x 336 twips.
    const RECT r = lage(h(Ctl::EFN));
    EXPECT_EQ(r.left, ui::pixel(180 + 990, 96));
    EXPECT_EQ(r.top, ui::pixel(600 + 700, 96));
    EXPECT_EQ(r.right, ui::pixel(180 + 990 + 2500, 96));
    EXPECT_EQ(r.bottom, ui::pixel(600 + 700 + 336, 96));
}

TEST_F(Win32Fenster, ReadOnlyBoxOnButtonFaceAndFontsByStyle) {
    HDC dc = GetDC(h(Ctl::VNR));
    const auto pinsel =
        SendMessageW(f->hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(h(Ctl::VNR)));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(pinsel), GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
    ReleaseDC(h(Ctl::VNR), dc);

    LOGFONTW arial{}, fett{}, normal{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(h(Ctl::Ende), WM_GETFONT, 0, 0)), sizeof arial, &arial);
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(h(Ctl::Label1), WM_GETFONT, 0, 0)), sizeof fett, &fett);
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(h(Ctl::EFN), WM_GETFONT, 0, 0)), sizeof normal, &normal);
    EXPECT_EQ(std::wstring(arial.lfFaceName), L"Arial");
    EXPECT_EQ(fett.lfWeight, FW_BOLD);
    EXPECT_EQ(normal.lfWeight, FW_NORMAL);
    EXPECT_NE(std::wstring(normal.lfFaceName), L"Arial");
}

TEST_F(Win32Fenster, TabOrderFollowsTheTabIndexAndSkipsNonStops) {
    std::vector<HWND> reihe;
    HWND c = GetNextDlgTabItem(f->hwnd(), nullptr, FALSE);
    for (int i = 0; c && i < 20; ++i) {
        if (!reihe.empty() && c == reihe.front()) break;
        reihe.push_back(c);
        c = GetNextDlgTabItem(f->hwnd(), c, FALSE);
    }
    const std::vector<HWND> erwartet{h(Ctl::EFN),       h(Ctl::Punkte), h(Ctl::Inhalt), h(Ctl::Teilnehmerliste),
                                     h(Ctl::Akkred_VA), h(Ctl::Weiter)};
    EXPECT_EQ(reihe, erwartet);
}

TEST_F(Win32Fenster, TextsAndChecksGoThroughTheControls) {
    f->setze_text(Ctl::EFN, "12345");
    EXPECT_EQ(fenstertext(h(Ctl::EFN)), "12345");
    SetWindowTextW(h(Ctl::Punkte), L"7ä");
    EXPECT_EQ(f->text(Ctl::Punkte), "7ä");
    EXPECT_EQ(f->text(Ctl::Label1), "Punkte");

    EXPECT_TRUE(f->markiert(Ctl::Akkred_VA));
    f->setze_markiert(Ctl::Akkred_VA, false);
    EXPECT_EQ(SendMessageW(h(Ctl::Akkred_VA), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    f->setze_aktiviert(Ctl::Weiter, false);
    EXPECT_FALSE(IsWindowEnabled(h(Ctl::Weiter)));
    EXPECT_FALSE(f->aktiviert(Ctl::Weiter));
    f->setze_aktiviert(Ctl::Weiter, true);
    EXPECT_TRUE(f->aktiviert(Ctl::Weiter));

    EXPECT_THROW(f->text(Ctl::Dateiliste), std::logic_error);
}

TEST_F(Win32Fenster, ListLinesAreAddedReplacedRemovedAndCleared) {
    HWND l = h(Ctl::Teilnehmerliste);
    f->zeile_anfuegen(Ctl::Teilnehmerliste, "a (1/0)");
    f->zeile_anfuegen(Ctl::Teilnehmerliste, "b (1/0)");
    f->zeile_anfuegen(Ctl::Teilnehmerliste, "c (1/0)");
    EXPECT_EQ(SendMessageW(l, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(f->zeilenzahl(Ctl::Teilnehmerliste), 3);
    EXPECT_EQ(f->zeile(Ctl::Teilnehmerliste, 2), "c (1/0)");
    EXPECT_EQ(f->listenindex(Ctl::Teilnehmerliste), -1);
    EXPECT_EQ(f->ausgewaehlt_anzahl(Ctl::Teilnehmerliste), 0);

    SendMessageW(l, LB_SETCURSEL, 1, 0);
    f->zeile_ersetzen(Ctl::Teilnehmerliste, 1, "b (2/1)");
    EXPECT_EQ(f->zeile(Ctl::Teilnehmerliste, 1), "b (2/1)");
    EXPECT_EQ(f->zeilenzahl(Ctl::Teilnehmerliste), 3);
    EXPECT_EQ(SendMessageW(l, LB_GETCURSEL, 0, 0), 1) << "replacing keeps the selection";
    EXPECT_EQ(f->text(Ctl::Teilnehmerliste), "b (2/1)");
    EXPECT_EQ(f->ausgewaehlt_anzahl(Ctl::Teilnehmerliste), 1);

    f->zeile_ersetzen(Ctl::Teilnehmerliste, 0, "a (3/0)");
    EXPECT_EQ(f->listenindex(Ctl::Teilnehmerliste), 1) << "replacing another line leaves the selection";
    std::vector<std::string> alle;
    f->zeilen_lesen(Ctl::Teilnehmerliste, [&alle](std::string_view z) { alle.emplace_back(z); });
    EXPECT_EQ(alle, (std::vector<std::string>{"a (3/0)", "b (2/1)", "c (1/0)"}));

    f->zeile_entfernen(Ctl::Teilnehmerliste, 0);
    EXPECT_EQ(f->zeilenzahl(Ctl::Teilnehmerliste), 2);
    EXPECT_EQ(f->zeile(Ctl::Teilnehmerliste, 0), "b (2/1)");
    EXPECT_EQ(SendMessageW(l, LB_GETCURSEL, 0, 0), LB_ERR) << "no selection after removing";

    EXPECT_THROW(f->zeile(Ctl::Teilnehmerliste, 2), std::out_of_range);
    EXPECT_THROW(f->zeile_entfernen(Ctl::Teilnehmerliste, -1), std::out_of_range);

    f->liste_leeren(Ctl::Teilnehmerliste);
    EXPECT_EQ(SendMessageW(l, LB_GETCOUNT, 0, 0), 0);
    // The handlers never changed the list through anything but these calls.
    EXPECT_TRUE(logik.ereignisse.empty());
}

// Lines added by a handler are drawn once it is done: the scroll bar then
// covers every line.
TEST_F(Win32Fenster, AListFilledWhileShownIsDrawnWhenTheHandlerIsDone) {
    zeigen();
    for (int i = 0; i < 300; ++i) f->zeile_anfuegen(Ctl::Teilnehmerliste, "Zeile " + std::to_string(i));
    pumpen(host);
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(h(Ctl::Teilnehmerliste), SB_VERT, &si));
    EXPECT_EQ(si.nMax, 299);
    EXPECT_EQ(f->zeile(Ctl::Teilnehmerliste, 299), "Zeile 299");
}

TEST_F(Win32Fenster, EnterInASingleLineBoxIsKeyCode13AndNotInserted) {
    zeigen();
    benutzer_fokus(Ctl::EFN);
    ziffern_senden(h(Ctl::EFN), "42");
    taste_senden(h(Ctl::EFN), VK_RETURN);
    pumpen(host);
    const std::string efn = Protokollant::n(Ctl::EFN);
    EXPECT_EQ(logik.ereignisse,
              (std::vector<std::string>{"key:" + efn + ":52", "key:" + efn + ":50", "key:" + efn + ":13"}));
    EXPECT_EQ(f->text(Ctl::EFN), "42");
}

TEST_F(Win32Fenster, AKeyCodeSetToZeroIsSwallowedAndEnterBreaksAMultiLineBox) {
    logik.bei_taste = [](Ctl, int& taste) {
        if (taste == 'x') taste = 0;
    };
    zeigen();
    benutzer_fokus(Ctl::EFN);
    ziffern_senden(h(Ctl::EFN), "1");
    taste_senden(h(Ctl::EFN), 'X'); // unshifted: 'x'
    ziffern_senden(h(Ctl::EFN), "2");
    pumpen(host);
    EXPECT_EQ(f->text(Ctl::EFN), "12");

    f->setze_text(Ctl::Inhalt, "");
    f->fokus(Ctl::Inhalt);
    ziffern_senden(h(Ctl::Inhalt), "1");
    taste_senden(h(Ctl::Inhalt), VK_RETURN);
    ziffern_senden(h(Ctl::Inhalt), "2");
    pumpen(host);
    EXPECT_EQ(f->text(Ctl::Inhalt), "1\r\n2");
    EXPECT_EQ(logik.anzahl("key:" + Protokollant::n(Ctl::Inhalt) + ":13"), 1);

    // Tab leaves a multi-line box like any other instead of being typed into it.
    taste_senden(h(Ctl::Inhalt), VK_TAB);
    pumpen(host);
    EXPECT_EQ(f->text(Ctl::Inhalt), "1\r\n2");
    EXPECT_EQ(GetFocus(), h(Ctl::Teilnehmerliste));
}

// A keyboard-wedge scanner: 15 digits and Enter per card, card after card,
// all queued before the first is handled. Every card lands whole and in order.
TEST_F(Win32Fenster, ScannedCardsArriveWholeAndInOrder) {
    logik.bei_taste = [this](Ctl c, int& taste) {
        if (c == Ctl::EFN && taste == 13) {
            f->zeile_anfuegen(Ctl::Teilnehmerliste, f->text(Ctl::EFN));
            f->setze_text(Ctl::EFN, "");
            f->fokus(Ctl::EFN);
        }
    };
    zeigen();
    benutzer_fokus(Ctl::EFN);
    const std::vector<std::string> karten{"123456789012345", "987654321098765", "555555555555555", "100000000000001"};
    for (const auto& k : karten) {
        ziffern_senden(h(Ctl::EFN), k);
        taste_senden(h(Ctl::EFN), VK_RETURN);
    }
    pumpen(host);
    ASSERT_EQ(f->zeilenzahl(Ctl::Teilnehmerliste), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(f->zeile(Ctl::Teilnehmerliste, i), karten[static_cast<std::size_t>(i)]);
    EXPECT_EQ(f->text(Ctl::EFN), "");
    EXPECT_EQ(logik.anzahl("lost:" + Protokollant::n(Ctl::EFN)), 0);
}

TEST_F(Win32Fenster, UserFocusMovesRaiseLostFocusButCodeFocusDoesNot) {
    zeigen();
    benutzer_fokus(Ctl::EFN);
    ASSERT_EQ(GetFocus(), h(Ctl::EFN));
    logik.ereignisse.clear();

    // Tab, through the loop's dialog navigation.
    taste_senden(h(Ctl::EFN), VK_TAB);
    pumpen(host);
    EXPECT_EQ(GetFocus(), h(Ctl::Punkte));
    EXPECT_EQ(logik.ereignisse, std::vector<std::string>{"lost:" + Protokollant::n(Ctl::EFN)});

    // A handler's own focus move raises nothing.
    logik.ereignisse.clear();
    f->fokus(Ctl::EFN);
    pumpen(host);
    EXPECT_EQ(GetFocus(), h(Ctl::EFN));
    EXPECT_TRUE(logik.ereignisse.empty());

    // Two failing fields: each LostFocus sends the focus back; no ping-pong.
    logik.bei_fokusverlust = [this](Ctl c) { f->fokus(c); };
    benutzer_fokus(Ctl::Punkte);
    EXPECT_EQ(GetFocus(), h(Ctl::EFN));
    EXPECT_EQ(logik.ereignisse, std::vector<std::string>{"lost:" + Protokollant::n(Ctl::EFN)});
}

// A list box is not subclassed (that would slow down filling it); it reports
// its focus loss through its notification, under the same rule.
TEST_F(Win32Fenster, AListLosingTheFocusToAControlRaisesLostFocusToo) {
    zeigen();
    benutzer_fokus(Ctl::Teilnehmerliste);
    logik.ereignisse.clear();
    benutzer_fokus(Ctl::EFN);
    EXPECT_EQ(logik.ereignisse, std::vector<std::string>{"lost:" + Protokollant::n(Ctl::Teilnehmerliste)});
    benutzer_fokus(Ctl::Teilnehmerliste);
    logik.ereignisse.clear();
    f->fokus(Ctl::Punkte);
    EXPECT_TRUE(logik.ereignisse.empty());
}

TEST_F(Win32Fenster, FocusLeavingForAnotherWindowOrHidingRaisesNothing) {
    zeigen();
    benutzer_fokus(Ctl::EFN);
    logik.ereignisse.clear();

    HWND fremd = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 20, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(fremd, nullptr);
    SetForegroundWindow(fremd);
    SetFocus(fremd);
    pumpen(host);
    EXPECT_NE(GetFocus(), h(Ctl::EFN));
    DestroyWindow(fremd);
    pumpen(host);

    zeigen();
    benutzer_fokus(Ctl::Punkte);
    logik.ereignisse.clear();
    f->verbergen();
    pumpen(host);
    EXPECT_FALSE(f->sichtbar());
    EXPECT_TRUE(logik.ereignisse.empty());
}

TEST_F(Win32Fenster, FocusAskedForWhileHiddenIsGivenOnShowing) {
    f->fokus(Ctl::Punkte);
    EXPECT_NE(GetFocus(), h(Ctl::Punkte));
    zeigen();
    EXPECT_TRUE(f->sichtbar());
    EXPECT_EQ(GetFocus(), h(Ctl::Punkte));
    EXPECT_TRUE(logik.ereignisse.empty());
}

TEST_F(Win32Fenster, ButtonClickComesAfterTheLostFocusItCaused) {
    zeigen();
    benutzer_fokus(Ctl::EFN);
    logik.ereignisse.clear();
    SendMessageW(h(Ctl::Weiter), BM_CLICK, 0, 0);
    pumpen(host);
    EXPECT_EQ(logik.ereignisse,
              (std::vector<std::string>{"lost:" + Protokollant::n(Ctl::EFN), "click:" + Protokollant::n(Ctl::Weiter)}));

    // Enter on a focused command button clicks it.
    logik.ereignisse.clear();
    taste_senden(h(Ctl::Weiter), VK_RETURN);
    pumpen(host);
    EXPECT_EQ(logik.ereignisse, std::vector<std::string>{"click:" + Protokollant::n(Ctl::Weiter)});

    // A check box toggles and clicks.
    logik.ereignisse.clear();
    SendMessageW(h(Ctl::Akkred_VA), BM_CLICK, 0, 0);
    pumpen(host);
    EXPECT_FALSE(f->markiert(Ctl::Akkred_VA));
    EXPECT_EQ(logik.anzahl("click:" + Protokollant::n(Ctl::Akkred_VA)), 1);
}

// A failed check in LostFocus sends the focus back: the button that was
// pressed lets go of the mouse and does not click.
TEST_F(Win32Fenster, APressRefusedByLostFocusNeitherClicksNorHoldsTheMouse) {
    zeigen();
    benutzer_fokus(Ctl::EFN);
    logik.ereignisse.clear();
    logik.bei_fokusverlust = [this](Ctl c) { f->fokus(c); };
    RECT r{};
    GetClientRect(h(Ctl::Weiter), &r);
    const LPARAM mitte = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageW(h(Ctl::Weiter), WM_LBUTTONDOWN, MK_LBUTTON, mitte);
    PostMessageW(h(Ctl::Weiter), WM_LBUTTONUP, 0, mitte);
    pumpen(host);
    EXPECT_EQ(logik.ereignisse, std::vector<std::string>{"lost:" + Protokollant::n(Ctl::EFN)});
    EXPECT_EQ(GetFocus(), h(Ctl::EFN));
    EXPECT_EQ(GetCapture(), nullptr);

    // Accepted, the same press clicks.
    logik.bei_fokusverlust = nullptr;
    logik.ereignisse.clear();
    PostMessageW(h(Ctl::Weiter), WM_LBUTTONDOWN, MK_LBUTTON, mitte);
    PostMessageW(h(Ctl::Weiter), WM_LBUTTONUP, 0, mitte);
    pumpen(host);
    EXPECT_EQ(logik.ereignisse,
              (std::vector<std::string>{"lost:" + Protokollant::n(Ctl::EFN), "click:" + Protokollant::n(Ctl::Weiter)}));
}

TEST_F(Win32Fenster, KeyboardSelectionInAListIsAClick) {
    f->zeile_anfuegen(Ctl::Teilnehmerliste, "eins");
    f->zeile_anfuegen(Ctl::Teilnehmerliste, "zwei");
    zeigen();
    benutzer_fokus(Ctl::Teilnehmerliste);
    logik.ereignisse.clear();
    taste_senden(h(Ctl::Teilnehmerliste), VK_DOWN);
    pumpen(host);
    EXPECT_GE(f->listenindex(Ctl::Teilnehmerliste), 0);
    EXPECT_EQ(logik.anzahl("click:" + Protokollant::n(Ctl::Teilnehmerliste)), 1);
    // Selecting from code is no click.
    logik.ereignisse.clear();
    SendMessageW(h(Ctl::Teilnehmerliste), LB_SETCURSEL, 1, 0);
    f->zeile_entfernen(Ctl::Teilnehmerliste, 1);
    pumpen(host);
    EXPECT_TRUE(logik.ereignisse.empty());
}

TEST_F(Win32Fenster, CloseBoxReportsFormUnloadAndLeavesTheWindowToTheCollection) {
    zeigen();
    SendMessageW(f->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(logik.ereignisse, std::vector<std::string>{"unload"});
    EXPECT_TRUE(IsWindow(f->hwnd())) << "the host itself destroys nothing";
}

TEST_F(Win32Fenster, AnErrorEscapingAHandlerIsThrownFromTheLoopNotThroughWindows) {
    logik.bei_klick = [](Ctl) { throw std::runtime_error("aus dem Handler"); };
    zeigen();
    PostMessageW(f->hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h(Ctl::Weiter)), BN_CLICKED),
                 reinterpret_cast<LPARAM>(h(Ctl::Weiter)));
    EXPECT_THROW(pumpen(host), std::runtime_error);
    EXPECT_NO_THROW(pumpen(host));
}

// --- with the window collection ----------------------------------------------------------

const ui::Formular& nur_test(ui::FormId) { return k_test; }

TEST(Win32Sammlung, CloseBoxUnloadsAndDestroysTheWindowAndTheLoopEnds) {
    ui::Win32Host host;
    ui::Formularsammlung sammlung(host, nur_test);
    Protokollant* logik = nullptr;
    sammlung.setze_fabrik([&logik](ui::FormId, ui::Fenster&) {
        auto l = std::make_unique<Protokollant>();
        logik = l.get();
        return l;
    });
    auto& fenster = static_cast<ui::Win32Fenster&>(sammlung.laden(ui::FormId::MA2_Maske));
    fenster.zeigen();
    HWND h = fenster.hwnd();
    std::vector<std::string> vorher;
    logik->bei_entladen = [&] { vorher = logik->ereignisse; };
    PostMessageW(h, WM_CLOSE, 0, 0);
    EXPECT_EQ(host.nachrichtenschleife(sammlung), 0);
    EXPECT_EQ(vorher, std::vector<std::string>{"unload"});
    EXPECT_FALSE(IsWindow(h));
    EXPECT_TRUE(sammlung.leer());
    // An empty collection ends the loop at once.
    EXPECT_EQ(host.nachrichtenschleife(sammlung), 0);
}

TEST(Win32Sammlung, QueryUnloadCanKeepTheWindow) {
    struct Bleibt final : ui::Formularlogik {
        bool query_unload() override { return false; }
    };
    ui::Win32Host host;
    ui::Formularsammlung sammlung(host, nur_test);
    sammlung.setze_fabrik([](ui::FormId, ui::Fenster&) { return std::make_unique<Bleibt>(); });
    auto& fenster = static_cast<ui::Win32Fenster&>(sammlung.laden(ui::FormId::MA2_Maske));
    SendMessageW(fenster.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(fenster.hwnd()));
    EXPECT_TRUE(sammlung.geladen(ui::FormId::MA2_Maske));
}

} // namespace
} // namespace karmo::test
