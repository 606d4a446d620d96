// The program's icon on every window, big and small, at the window's resolution.
#include <gtest/gtest.h>

#include "start/start.hpp"
#include "ui_hilfe.hpp"

namespace karmo::test {
namespace {

// The icon of the executable's first icon group at a size, as the system
// hands it out (shared: the same handle for the same size).
HICON programmsymbol(int groesse) {
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, groesse, groesse, LR_SHARED));
}

int symbolbreite(HICON symbol) {
    ICONINFO info{};
    if (!GetIconInfo(symbol, &info)) return 0;
    BITMAP bild{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bild, &bild);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return bild.bmWidth;
}

class Symbol : public ::testing::TestWithParam<ui::FormId> {
protected:
    ui::Win32Host host;
    Protokollant logik;
};

TEST_P(Symbol, FensterTraegtDasProgrammsymbol) {
    ASSERT_NE(FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)), nullptr) << "keine Symbolgruppe 1";
    ui::Win32Fenster f(host, Deklaration(GetParam()), logik);
    const auto allgemein = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    for (UINT dpi : {96U, 144U}) {
        RECT r{};
        GetWindowRect(f.hwnd(), &r);
        SendMessageW(f.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&r));
        const auto gross = reinterpret_cast<HICON>(SendMessageW(f.hwnd(), WM_GETICON, ICON_BIG, 0));
        const auto klein = reinterpret_cast<HICON>(SendMessageW(f.hwnd(), WM_GETICON, ICON_SMALL, 0));
        ASSERT_NE(gross, nullptr);
        ASSERT_NE(klein, nullptr);
        EXPECT_NE(gross, allgemein);
        const int soll_gross = GetSystemMetricsForDpi(SM_CXICON, dpi);
        const int soll_klein = GetSystemMetricsForDpi(SM_CXSMICON, dpi);
        EXPECT_EQ(gross, programmsymbol(soll_gross)) << dpi;
        EXPECT_EQ(klein, programmsymbol(soll_klein)) << dpi;
        EXPECT_EQ(symbolbreite(gross), soll_gross);
        EXPECT_EQ(symbolbreite(klein), soll_klein);
    }
    // The class carries it too: a window of the program that sets none shows it.
    EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrW(f.hwnd(), GCLP_HICON)),
              programmsymbol(GetSystemMetrics(SM_CXICON)));
    EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrW(f.hwnd(), GCLP_HICONSM)),
              programmsymbol(GetSystemMetrics(SM_CXSMICON)));
}

INSTANTIATE_TEST_SUITE_P(AlleFenster, Symbol, ::testing::ValuesIn(k_alle_fenster),
                         [](const auto& p) { return fenstername(p.param); });

} // namespace
} // namespace karmo::test
