// The Win32 renderer's host: the window class, the message loop and errors caught at window procedures.
#include "ui/win32/win32_host.hpp"

#include <commctrl.h>

#include <algorithm>
#include <exception>

#include "platform/win32/win32_kartenfang.hpp"
#include "ui/win32/win32_intern.hpp"

namespace karmo::ui {
namespace {

using intern::k_klasse;

// An error caught at a window procedure, thrown again by the message loop
// (no C++ exception may unwind through the system's code).
std::exception_ptr g_ausstehend;

} // namespace

// --- Win32Host -------------------------------------------------------------------------

Win32Host::Win32Host() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &Win32Fenster::fensterprozedur;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hIcon = intern::programmsymbol(GetSystemMetrics(SM_CXICON));
    wc.hIconSm = intern::programmsymbol(GetSystemMetrics(SM_CXSMICON));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = k_klasse;
    // A second host in the same process (tests) finds the class registered.
    RegisterClassExW(&wc);
    grau224_ = CreateSolidBrush(RGB(224, 224, 224));
}

Win32Host::~Win32Host() { DeleteObject(grau224_); }

std::unique_ptr<Fenster> Win32Host::erzeugen(const Formular& deklaration, Formularlogik& ereignisse) {
    return std::make_unique<Win32Fenster>(*this, deklaration, ereignisse);
}

void Win32Host::abmelden(Win32Fenster* f) {
    fenster_.erase(std::remove(fenster_.begin(), fenster_.end(), f), fenster_.end());
}

Win32Fenster* Win32Host::fenster_zu(HWND h) const {
    if (!h) return nullptr;
    for (Win32Fenster* f : fenster_) {
        if (f->hwnd() == h) return f;
    }
    return nullptr;
}

void Win32Host::fehler_merken(std::exception_ptr fehler) {
    if (!g_ausstehend) g_ausstehend = std::move(fehler);
}

void Win32Host::ausstehenden_fehler_werfen() {
    if (g_ausstehend) {
        std::exception_ptr f = std::move(g_ausstehend);
        g_ausstehend = nullptr;
        std::rethrow_exception(f);
    }
}

const wchar_t* Win32Host::fensterklasse() { return k_klasse; }

void Win32Host::nachricht_bearbeiten(MSG& msg) {
    if (!scan_abfangen(msg)) weitergeben(msg);
    ausstehenden_fehler_werfen();
}

void Win32Host::weitergeben(MSG& msg) {
    Win32Fenster* f = msg.hwnd ? fenster_zu(GetAncestor(msg.hwnd, GA_ROOT)) : nullptr;
    // Ctrl+P prints from the window that has a button Drucken, Ctrl+F opens
    // the registration list from the one that has a button Anmeldeliste.
    if (f && msg.message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0 &&
        ((msg.wParam == 'P' && f->kuerzel(Ctl::Drucken)) || (msg.wParam == 'F' && f->kuerzel(Ctl::Anmeldeliste)))) {
        return;
    }
    if (f && msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && f->ist_einzeiliges_textfeld(msg.hwnd)) {
        // The dialog navigation would take Enter for a default button; the
        // text box's KeyPress handler wants it as key code 13.
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    } else if (!f || !win32::dialognachricht(f->hwnd(), msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONDBLCLK) klick_abgewiesen(msg.hwnd);
}

// A control takes the focus on a mouse press and then captures the mouse.
// When a LostFocus handler refused the move (a failed check sent the focus
// back, usually after a message), the pressed control must let go: else it
// would click on release, and with a message box in between it would keep
// the mouse until the next press anywhere.
void Win32Host::klick_abgewiesen(HWND gedrueckt) {
    if (!IsWindow(gedrueckt) || GetCapture() != gedrueckt || GetFocus() == gedrueckt) return;
    const Win32Fenster* f = fenster_zu(GetAncestor(gedrueckt, GA_ROOT));
    if (f && f->gehoert_dazu(gedrueckt)) ReleaseCapture();
}

int Win32Host::nachrichtenschleife(Formularsammlung& sammlung) {
    if (sammlung.leer()) PostQuitMessage(0);
    MSG msg{};
    for (;;) {
        const BOOL r = GetMessageW(&msg, nullptr, 0, 0);
        if (r == 0) return static_cast<int>(msg.wParam);
        if (r == -1) return 1;
        nachricht_bearbeiten(msg);
        // A card caught in a window that the loop itself serves (Ausdruck) is
        // captured now, as one after a handler would be.
        if (win32::karten_wartend()) sammlung.ausfuehren([] {});
        if (sammlung.leer()) PostQuitMessage(0);
    }
}

} // namespace karmo::ui
