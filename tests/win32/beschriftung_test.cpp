// Every caption of every window whole at 96, 120, 144 and 192 dpi: measured with DrawText in the control's font.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <tuple>

#include "start/start.hpp"
#include "ui_hilfe.hpp"

namespace karmo::test {
namespace {

using ui::Art;

// The window moved to a screen of `dpi`, as the system tells it.
void auf_dpi(HWND fenster, UINT dpi) {
    RECT r{};
    GetWindowRect(fenster, &r);
    SendMessageW(fenster, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&r));
}

LOGFONTW schrift_von(HWND h) {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf;
}

// Room for the caption inside the control's client area as the system draws
// it (96 dpi pixels scaled, rounded up): a push button's raised edge and focus
// rectangle, a check box's mark and gap, a frame's corners. Stated here apart
// from the renderer's own rule, so that a wrong rule there shows.
struct Raum {
    RECT r;
    UINT art;
    bool nachumbruch = false; // drawn again into the width of its measured lines
};

Raum raum(Art art, HWND h, UINT dpi) {
    RECT c{};
    GetClientRect(h, &c);
    const auto px = [dpi](int n96) { return static_cast<LONG>((n96 * static_cast<int>(dpi) + 95) / 96); };
    switch (art) {
        case Art::Schaltflaeche:
            InflateRect(&c, -px(3), -px(3));
            return {c, DT_WORDBREAK | DT_CENTER, true};
        case Art::Kontrollkaestchen:
            c.left += px(20);
            return {c, DT_WORDBREAK | DT_LEFT, true};
        case Art::Rahmen:
            InflateRect(&c, -px(9), 0);
            return {c, DT_SINGLELINE | DT_LEFT};
        default: {
            // A label gives way to the box it names (right below it in
            // z-order) where that box reaches into it.
            HWND feld = GetWindow(h, GW_HWNDNEXT);
            const std::string k = feld ? klassenname(feld) : "";
            RECT l = lage(h), f = feld ? lage(feld) : RECT{}, gemeinsam{};
            if ((k == "Edit" || k == "ListBox") && IntersectRect(&gemeinsam, &l, &f)) {
                if (f.top > l.top) {
                    c.bottom = f.top - l.top;
                } else if (f.left > l.left) {
                    c.right = f.left - l.left;
                }
            }
            return {c, DT_WORDBREAK | DT_LEFT | DT_EXPANDTABS};
        }
    }
}

class Beschriftungen : public ::testing::TestWithParam<std::tuple<ui::FormId, UINT>> {
protected:
    ui::Win32Host host;
    Protokollant logik;
};

TEST_P(Beschriftungen, JedeBeschriftungPasstGanz) {
    const auto [id, dpi] = GetParam();
    const ui::Formular& d = Deklaration(id);
    ui::Win32Fenster f(host, d, logik);
    auf_dpi(f.hwnd(), dpi);
    ASSERT_EQ(f.dpi(), dpi);

    HDC dc = GetDC(f.hwnd());
    int gemessen = 0;
    std::map<ui::Ctl, std::pair<int, int>> ursprung;
    for (const ui::Steuerelement& s : d.elemente) {
        int x = s.links, y = s.oben;
        if (s.container != ui::Ctl::Keiner) {
            x += ursprung[s.container].first;
            y += ursprung[s.container].second;
        }
        ursprung.try_emplace(s.name, x, y);
        if (s.art == Art::Textfeld || s.art == Art::Liste || s.text.empty()) continue;
        HWND h = f.steuerelement(s.name, s.index);
        ASSERT_NE(h, nullptr);
        const std::string name = std::string(d.name) + " \"" + std::string(s.text.substr(0, 40)) + "\"";
        SCOPED_TRACE(name + " bei " + std::to_string(dpi) + " dpi");

        // Laid out as declared: only the type may be smaller.
        const RECT lage_ist = lage(h);
        const int di = static_cast<int>(dpi);
        EXPECT_EQ(lage_ist.left, ui::pixel(x, di));
        EXPECT_EQ(lage_ist.top, ui::pixel(y, di));
        EXPECT_EQ(lage_ist.right, ui::pixel(x + s.breite, di));
        EXPECT_EQ(lage_ist.bottom, ui::pixel(y + s.hoehe, di));

        const LOGFONTW lf = schrift_von(h);
        // Never shrunk below 5 points.
        EXPECT_GE(std::abs(lf.lfHeight), MulDiv(5, di, 72));
        HFONT schrift = reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0));
        ASSERT_NE(schrift, nullptr);
        HGDIOBJ alt = SelectObject(dc, schrift);
        const Raum soll = raum(s.art, h, dpi);
        RECT r{0, 0, soll.r.right - soll.r.left, 0};
        const std::wstring text = win32::breit(s.text);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, soll.art | DT_CALCRECT);
        EXPECT_LE(r.right - r.left, soll.r.right - soll.r.left) << "zu breit";
        EXPECT_LE(r.bottom - r.top, soll.r.bottom - soll.r.top) << "zu hoch";
        if (soll.nachumbruch) {
            // A button lays its caption out in a box as wide as the lines it
            // measured and wraps it there again: no line may move on.
            RECT nochmal{0, 0, r.right - r.left, 0};
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &nochmal, soll.art | DT_CALCRECT);
            EXPECT_LE(nochmal.bottom - nochmal.top, r.bottom - r.top) << "bricht beim Zeichnen neu um";
        }
        SelectObject(dc, alt);
        ++gemessen;
    }
    ReleaseDC(f.hwnd(), dc);
    EXPECT_GT(gemessen, 0);
}

INSTANTIATE_TEST_SUITE_P(
    AlleFensterAlleSkalen, Beschriftungen,
    ::testing::Combine(::testing::ValuesIn(k_alle_fenster), ::testing::Values(96U, 120U, 144U, 192U)),
    [](const auto& p) { return fenstername(std::get<0>(p.param)) + "_" + std::to_string(std::get<1>(p.param)); });

// The caption that wrapped to three lines and lost its last one: whole now, in
// a smaller size of the same font, while the buttons beside it keep theirs.
TEST(Beschriftungen, LangeSchaltflaecheBekommtKleinereSchriftDesselbenGesichts) {
    ui::Win32Host host;
    Protokollant logik;
    ui::Win32Fenster f(host, Deklaration(ui::FormId::MA2_Maske), logik);
    for (UINT dpi : {96U, 144U}) {
        auf_dpi(f.hwnd(), dpi);
        const LOGFONTW einsehen = schrift_von(f.steuerelement(ui::Ctl::Einsehen));
        const LOGFONTW ende = schrift_von(f.steuerelement(ui::Ctl::Ende));
        EXPECT_EQ(std::wstring(einsehen.lfFaceName), std::wstring(ende.lfFaceName));
        EXPECT_EQ(einsehen.lfWeight, ende.lfWeight);
        EXPECT_LT(std::abs(einsehen.lfHeight), std::abs(ende.lfHeight)) << dpi;
    }
}

} // namespace
} // namespace karmo::test
