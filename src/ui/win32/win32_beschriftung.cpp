// The Win32 renderer: captions fitted to their controls, labels kept off their boxes, the program's icon.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/win32/win32_plattform.hpp"
#include "ui/beschriftung.hpp"
#include "ui/reihenfolge.hpp"
#include "ui/win32/win32_host.hpp"
#include "ui/win32/win32_intern.hpp"

namespace karmo::ui {
namespace {

// How the control draws its caption, as DrawText flags.
UINT zeichenart(Art art, bool umbruch) {
    if (!umbruch) return DT_SINGLELINE | DT_LEFT;
    if (art == Art::Label) return DT_WORDBREAK | DT_LEFT | DT_EXPANDTABS;
    return DT_WORDBREAK | DT_CENTER;
}

// Keys of fonts made smaller for one control: above every key of a shared
// font (family and weight, below 16), one per pixel height.
std::uint32_t kleiner_schluessel(std::uint32_t schluessel, int hoehe) {
    return schluessel + 16U * static_cast<std::uint32_t>(hoehe);
}

} // namespace

namespace intern {

// The program's icon (the first icon group of the executable) at a size;
// the system's generic one when the executable carries none. Shared handles,
// never destroyed.
HICON programmsymbol(int groesse) {
    auto* symbol = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(k_symbol), IMAGE_ICON,
                                                 groesse, groesse, LR_SHARED | LR_DEFAULTCOLOR));
    return symbol ? symbol : LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
}

} // namespace intern

// The control's font: the window's font for its style, or, when the caption
// would not fit the control's box at that size, the largest smaller size of
// the same font at which it does. The box itself stays as laid out.
HFONT Win32Fenster::passende_schrift(const Element& el, std::uint32_t schluessel) {
    HFONT grund = schrift(schluessel);
    const int d = static_cast<int>(dpi_);
    const auto rechteck = [d](const Element& e) {
        return Rechteck{pixel(e.x, d), pixel(e.y, d), pixel(e.x + e.d->breite, d), pixel(e.y + e.d->hoehe, d)};
    };
    Rechteck sichtbar = rechteck(el);
    if (el.d->art == Art::Label) {
        // Only the part its box leaves free shows the label's text.
        const auto zu = beschriftungen(deklaration_.elemente);
        const auto eigen = static_cast<std::size_t>(&el - elemente_.data());
        for (std::size_t b = 0; b < zu.size(); ++b) {
            if (zu[b] == eigen) sichtbar = frei_von(sichtbar, rechteck(elemente_[b]));
        }
    }
    const auto raum =
        beschriftungsraum(el.d->art, sichtbar.rechts - sichtbar.links, sichtbar.unten - sichtbar.oben, d);
    if (!raum || el.d->text.empty()) return grund;

    LOGFONTW lf = schriftbild(schluessel);
    if (lf.lfHeight == 0) {
        // The system's size: ask the font made from it.
        GetObjectW(grund, sizeof lf, &lf);
    }
    const std::wstring text = win32::breit(el.d->text);
    const UINT art = zeichenart(el.d->art, raum->umbruch);
    HDC dc = GetDC(hwnd_);
    const auto messen = [&](int schrifthoehe, int zeilenbreite) {
        LOGFONTW probe = lf;
        probe.lfHeight = -schrifthoehe;
        HFONT f = schrifthoehe == std::abs(lf.lfHeight) ? grund : CreateFontIndirectW(&probe);
        HGDIOBJ alt = SelectObject(dc, f);
        RECT r{0, 0, zeilenbreite, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, art | DT_CALCRECT);
        SelectObject(dc, alt);
        if (f != grund) DeleteObject(f);
        return Textmass{r.right - r.left, r.bottom - r.top};
    };
    const int start = std::abs(lf.lfHeight);
    const int passend = passende_schrifthoehe(start, kleinste_schrifthoehe(d), *raum, messen);
    ReleaseDC(hwnd_, dc);
    if (passend == start) return grund;

    const std::uint32_t kleiner = kleiner_schluessel(schluessel, passend);
    if (auto it = schriften_.find(kleiner); it != schriften_.end()) return it->second;
    lf.lfHeight = -passend;
    HFONT f = CreateFontIndirectW(&lf);
    schriften_[kleiner] = f;
    return f;
}

// A label stands directly above its box in z-order, for screen readers; where
// its box reaches into the label's, the label must not cover the box's edge.
// The part they share is cut out of the label's window region.
void Win32Fenster::beschriftungen_freistellen() {
    const auto zu = beschriftungen(deklaration_.elemente);
    for (std::size_t b = 0; b < zu.size(); ++b) {
        if (!zu[b]) continue;
        HWND label = elemente_[*zu[b]].hwnd;
        RECT l{}, k{}, gemeinsam{};
        GetWindowRect(label, &l);
        GetWindowRect(elemente_[b].hwnd, &k);
        if (!IntersectRect(&gemeinsam, &l, &k)) {
            SetWindowRgn(label, nullptr, FALSE);
            continue;
        }
        HRGN bereich = CreateRectRgn(0, 0, l.right - l.left, l.bottom - l.top);
        HRGN weg = CreateRectRgn(gemeinsam.left - l.left, gemeinsam.top - l.top, gemeinsam.right - l.left,
                                 gemeinsam.bottom - l.top);
        CombineRgn(bereich, bereich, weg, RGN_DIFF);
        DeleteObject(weg);
        // The window owns the region from here on.
        if (!SetWindowRgn(label, bereich, FALSE)) DeleteObject(bereich);
    }
}

// The window's icons in the sizes of the title bar and of the task switcher at
// the window's resolution.
void Win32Fenster::symbole_setzen() {
    const int gross = GetSystemMetricsForDpi(SM_CXICON, dpi_);
    const int klein = GetSystemMetricsForDpi(SM_CXSMICON, dpi_);
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(intern::programmsymbol(gross)));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(intern::programmsymbol(klein)));
}

} // namespace karmo::ui
