// The Win32 renderer: a declared window built as real controls, placed and given fonts at its resolution.
#include "ui/win32/win32_host.hpp"

#include <commctrl.h>

#include <algorithm>
#include <span>
#include <stdexcept>
#include <string>

#include "platform/win32/win32_plattform.hpp"
#include "ui/reihenfolge.hpp"
#include "ui/win32/win32_intern.hpp"

namespace karmo::ui {
namespace {

using intern::k_erste_id;
using intern::k_fensterstil;
using intern::k_klasse;

UINT fenster_dpi(HWND h) {
    UINT dpi = h ? GetDpiForWindow(h) : 0;
    if (dpi == 0) {
        HDC dc = GetDC(h);
        dpi = static_cast<UINT>(GetDeviceCaps(dc, LOGPIXELSX));
        ReleaseDC(h, dc);
    }
    return dpi ? dpi : 96;
}

// Window class and styles of one declared control.
struct Klasse {
    const wchar_t* name;
    DWORD stil;
    DWORD ex_stil;
};

Klasse klasse(const Steuerelement& s) {
    DWORD stil = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    if (s.tabindex >= 0) stil |= WS_TABSTOP;
    switch (s.art) {
        case Art::Label:
            return {L"STATIC", stil | SS_LEFT, 0};
        case Art::Rahmen:
            return {L"BUTTON", stil | BS_GROUPBOX, 0};
        case Art::Textfeld:
            stil |= WS_BORDER | ES_AUTOHSCROLL;
            if (s.stil & k_gesperrt) stil |= ES_READONLY;
            if (s.stil & k_mehrzeilig)
                stil = (stil & ~static_cast<DWORD>(ES_AUTOHSCROLL)) | ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL |
                       ES_AUTOVSCROLL;
            return {L"EDIT", stil, WS_EX_CLIENTEDGE};
        case Art::Liste:
            return {L"LISTBOX", stil | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE};
        case Art::Kontrollkaestchen:
            if (s.stil & k_option) return {L"BUTTON", stil | BS_AUTORADIOBUTTON | BS_MULTILINE, 0};
            return {L"BUTTON", stil | BS_AUTOCHECKBOX | BS_MULTILINE, 0};
        case Art::Schaltflaeche:
            // Captions longer than the button wrap, as in the forms they were laid out for.
            return {L"BUTTON", stil | ((s.stil & k_vorgabe) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_MULTILINE, 0};
    }
    return {L"STATIC", stil, 0};
}

// Font families by style bit; the key also carries bold.
enum Familie : std::uint32_t { k_system, k_fam_arial, k_fam_ms_sans_serif, k_fam_arial_black };

std::uint32_t schriftschluessel(std::uint32_t stil_element, std::uint32_t stil_fenster) {
    const auto familie = [](std::uint32_t s) -> std::uint32_t {
        if (s & k_arial_black) return k_fam_arial_black;
        if (s & k_ms_sans_serif) return k_fam_ms_sans_serif;
        if (s & k_arial) return k_fam_arial;
        return k_system;
    };
    std::uint32_t f = familie(stil_element);
    if (f == k_system) f = familie(stil_fenster);
    const bool fett = ((stil_element | stil_fenster) & k_fett) != 0;
    return f * 2 + (fett ? 1U : 0U);
}

} // namespace

// --- Win32Fenster: construction ----------------------------------------------------------

Win32Fenster::Win32Fenster(Win32Host& host, const Formular& deklaration, Formularlogik& ereignisse)
    : host_(host), deklaration_(deklaration), ereignisse_(ereignisse) {
    // Absolute positions: a frame's contents are placed relative to its inside.
    elemente_.reserve(deklaration_.elemente.size());
    for (const Steuerelement& s : deklaration_.elemente) {
        Element el{&s, nullptr, s.links, s.oben};
        if (s.container != Ctl::Keiner) {
            auto it = erstes_.find(s.container);
            if (it == erstes_.end()) {
                throw std::logic_error("Rahmen vor seinem Inhalt erwarten: " + std::string(deklaration_.name));
            }
            el.x += elemente_[it->second].x;
            el.y += elemente_[it->second].y;
        }
        erstes_.try_emplace(s.name, elemente_.size());
        elemente_.push_back(el);
    }

    const std::wstring titel = win32::breit(deklaration_.titel);
    hwnd_ = CreateWindowExW(0, k_klasse, titel.c_str(), k_fensterstil, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr,
                            nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_) throw std::runtime_error("Fenster " + std::string(deklaration_.name) + " nicht erzeugt");
    host_.anmelden(this);
    try {
        steuerelemente_anlegen();
        anordnen(fenster_dpi(hwnd_));
    } catch (...) {
        // No destructor runs for a half-built window.
        abbau_ = true;
        host_.abmelden(this);
        DestroyWindow(hwnd_);
        for (auto& [schluessel, f] : schriften_) DeleteObject(f);
        throw;
    }
}

Win32Fenster::~Win32Fenster() {
    abbau_ = true;
    host_.abmelden(this);
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    for (auto& [schluessel, f] : schriften_) DeleteObject(f);
}

void Win32Fenster::steuerelemente_anlegen() {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    for (std::size_t i : erzeugungsreihenfolge(deklaration_.elemente)) {
        Element& el = elemente_[i];
        const Klasse k = klasse(*el.d);
        const std::wstring text = el.d->art == Art::Liste ? std::wstring() : win32::breit(el.d->text);
        el.hwnd = CreateWindowExW(k.ex_stil, k.name, text.c_str(), k.stil, 0, 0, 0, 0, hwnd_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(k_erste_id + static_cast<int>(i))), inst,
                                  nullptr);
        if (!el.hwnd) throw std::runtime_error("Steuerelement nicht erzeugt: " + std::string(deklaration_.name));
        if (el.d->art == Art::Textfeld && el.d->maxlaenge > 0) {
            SendMessageW(el.hwnd, EM_LIMITTEXT, static_cast<WPARAM>(el.d->maxlaenge), 0);
        }
        if (el.d->art == Art::Kontrollkaestchen && (el.d->stil & k_markiert)) {
            SendMessageW(el.hwnd, BM_SETCHECK, BST_CHECKED, 0);
        }
        // List boxes report their focus loss through LBN_KILLFOCUS instead: a
        // subclassed list box pays for the subclass lookup on every line added.
        if (el.d->art != Art::Label && el.d->art != Art::Rahmen && el.d->art != Art::Liste) {
            SetWindowSubclass(el.hwnd, &Win32Fenster::unterprozedur, i, reinterpret_cast<DWORD_PTR>(this));
        }
    }
}

LOGFONTW Win32Fenster::schriftbild(std::uint32_t schluessel) const {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0, dpi_)) {
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);
        ncm.lfMessageFont.lfHeight = MulDiv(ncm.lfMessageFont.lfHeight, static_cast<int>(dpi_), 96);
    }
    LOGFONTW lf = ncm.lfMessageFont;
    const auto gesicht = [&lf](const wchar_t* name) {
        lstrcpynW(lf.lfFaceName, name, LF_FACESIZE);
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    };
    switch (schluessel / 2) {
        case k_fam_arial:
            gesicht(L"Arial");
            break;
        case k_fam_ms_sans_serif:
            gesicht(L"MS Sans Serif");
            lf.lfHeight = -MulDiv(8, static_cast<int>(dpi_), 72);
            break;
        case k_fam_arial_black:
            gesicht(L"Arial Black");
            lf.lfHeight = logo_hoehe_ ? logo_hoehe_ : -MulDiv(20, static_cast<int>(dpi_), 72);
            break;
        default:
            break;
    }
    lf.lfWeight = (schluessel % 2) ? FW_BOLD : FW_NORMAL;
    return lf;
}

HFONT Win32Fenster::schrift(std::uint32_t schluessel) {
    if (auto it = schriften_.find(schluessel); it != schriften_.end()) return it->second;
    const LOGFONTW lf = schriftbild(schluessel);
    HFONT f = CreateFontIndirectW(&lf);
    schriften_[schluessel] = f;
    return f;
}

// The logo type is large, about 20 points, but no larger than lets each logo
// label's text fit its box; all logo labels of a window share one size, so a
// name split over two labels reads as one word.
int Win32Fenster::logo_hoehe() const {
    int hoehe = -MulDiv(20, static_cast<int>(dpi_), 72);
    HDC dc = GetDC(hwnd_);
    for (const Element& el : elemente_) {
        const std::uint32_t schluessel = schriftschluessel(el.d->stil, deklaration_.stil);
        if (schluessel / 2 != k_fam_arial_black || el.d->text.empty()) continue;
        LOGFONTW lf = schriftbild(schluessel);
        lf.lfHeight = hoehe;
        HFONT f = CreateFontIndirectW(&lf);
        HGDIOBJ alt = SelectObject(dc, f);
        const std::wstring t = win32::breit(el.d->text);
        SIZE groesse{};
        GetTextExtentPoint32W(dc, t.c_str(), static_cast<int>(t.size()), &groesse);
        SelectObject(dc, alt);
        DeleteObject(f);
        const int breite = pixel(el.x + el.d->breite, static_cast<int>(dpi_)) - pixel(el.x, static_cast<int>(dpi_));
        if (groesse.cx > breite && groesse.cx > 0) hoehe = -std::max(1, static_cast<int>(-hoehe * breite / groesse.cx));
    }
    ReleaseDC(hwnd_, dc);
    return hoehe;
}

// Places the controls and gives them their fonts for the window's current
// resolution: edges, not sizes, are converted, so touching controls still touch.
void Win32Fenster::anordnen(UINT dpi) {
    dpi_ = dpi;
    std::map<std::uint32_t, HFONT> alt;
    alt.swap(schriften_);
    logo_hoehe_ = 0;
    logo_hoehe_ = logo_hoehe();
    const int d = static_cast<int>(dpi);
    for (Element& el : elemente_) {
        const int links = pixel(el.x, d);
        const int oben = pixel(el.y, d);
        const int rechts = pixel(el.x + el.d->breite, d);
        const int unten = pixel(el.y + el.d->hoehe, d);
        SetWindowPos(el.hwnd, nullptr, links, oben, rechts - links, unten - oben,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        SendMessageW(el.hwnd, WM_SETFONT,
                     reinterpret_cast<WPARAM>(passende_schrift(el, schriftschluessel(el.d->stil, deklaration_.stil))),
                     FALSE);
    }
    for (auto& [schluessel, f] : alt) DeleteObject(f);
    beschriftungen_freistellen();
    symbole_setzen();
    RECT r{0, 0, pixel(deklaration_.breite, d), pixel(deklaration_.hoehe, d)};
    AdjustWindowRectExForDpi(&r, k_fensterstil, FALSE, 0, dpi);
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

} // namespace karmo::ui
