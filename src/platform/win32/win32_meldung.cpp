// Message boxes, and a scanner's card typed into one: it closes the box and is handed back, not lost.
#include <windows.h>

#include <utility>

#include "platform/win32/win32_plattform.hpp"
#include "platform/win32/win32_tasten.hpp"

namespace karmo {
namespace {

// What the hook follows while a message box of this thread is open.
struct Meldungsfang {
    // A box has no use for digits: a card read in part counts too.
    eingabe::Scanerkennung erkennung{2};
    std::string scan;
};

// The open box's state; the hook runs on the thread that shows the box.
thread_local Meldungsfang* g_fang = nullptr;

// Sees every message of the box's modal loop before the box does. Digits
// are kept from the box (it has no use for them). The Enter or Tab that ends
// two or more digits typed at scanner speed is kept too: it closes the box as its OK button would, and the digits are
// kept for the caller. Every other key, a person's Enter, Space and Escape
// included, and every click go to the box as they always did.
LRESULT CALLBACK meldungsfilter(int code, WPARAM w, LPARAM l) {
    auto* msg = reinterpret_cast<MSG*>(l);
    if (code == MSGF_DIALOGBOX && g_fang && msg && msg->message == WM_KEYDOWN) {
        char ziffer = 0;
        const eingabe::Taste art = win32::tastenart(msg->wParam, ziffer);
        const eingabe::Entscheidung e = g_fang->erkennung.taste(art, ziffer, msg->time);
        if (art == eingabe::Taste::Ziffer) return 1;
        HWND box = msg->hwnd ? GetAncestor(msg->hwnd, GA_ROOT) : nullptr;
        if (e == eingabe::Entscheidung::Scan && box) {
            g_fang->scan = g_fang->erkennung.ziffern();
            EndDialog(box, IDOK);
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, w, l);
}

} // namespace

void Win32Plattform::meldung(std::string_view text) {
    scan_aus_meldung_.clear();
    Meldungsfang fang;
    Meldungsfang* aussen = std::exchange(g_fang, &fang);
    // One hook for the outermost box: a box opened while another is open
    // shares it (a second hook would see every key twice).
    HHOOK hook = aussen ? nullptr : SetWindowsHookExW(WH_MSGFILTER, &meldungsfilter, nullptr, GetCurrentThreadId());
    MessageBoxW(GetActiveWindow(), win32::breit(text).c_str(), L"Karmo", MB_OK);
    if (hook) UnhookWindowsHookEx(hook);
    g_fang = aussen;
    scan_aus_meldung_ = std::move(fang.scan);
}

std::string Win32Plattform::scan_aus_meldung() { return std::exchange(scan_aus_meldung_, {}); }

} // namespace karmo
