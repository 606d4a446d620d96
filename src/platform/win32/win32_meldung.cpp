// Message boxes and questions, and a scanner's card typed into one: kept for the list, never an answer.
#include <windows.h>

#include <utility>

#include "eingabe/meldungsfang.hpp"
#include "platform/win32/win32_plattform.hpp"
#include "platform/win32/win32_tasten.hpp"

namespace karmo {
namespace {

// The open box's key rule; the hook runs on the thread that shows the box.
thread_local eingabe::Meldungsfang* g_fang = nullptr;

// Sees every message of the box's modal loop before the box does, and does
// with each key what the rule says (eingabe/meldungsfang.hpp): a swallowed
// key is kept from the box; a card's end closes an OK box as its button
// would. Clicks and every other key go to the box as they always did.
LRESULT CALLBACK meldungsfilter(int code, WPARAM w, LPARAM l) {
    auto* msg = reinterpret_cast<MSG*>(l);
    if (code == MSGF_DIALOGBOX && g_fang && msg && msg->message == WM_KEYDOWN) {
        char ziffer = 0;
        const eingabe::Taste art = win32::tastenart(msg->wParam, ziffer);
        switch (g_fang->taste(art, ziffer, msg->time)) {
            case eingabe::Boxschritt::Weiter:
                break;
            case eingabe::Boxschritt::Schlucken:
                return 1;
            case eingabe::Boxschritt::Schliessen:
                if (HWND box = msg->hwnd ? GetAncestor(msg->hwnd, GA_ROOT) : nullptr) EndDialog(box, IDOK);
                return 1;
        }
    }
    return CallNextHookEx(nullptr, code, w, l);
}

} // namespace

int Win32Plattform::box_zeigen(std::string_view text, unsigned knoepfe, bool frage) {
    eingabe::Meldungsfang fang(frage ? eingabe::Boxart::Frage : eingabe::Boxart::Hinweis, nimmt_karten());
    eingabe::Meldungsfang* aussen = std::exchange(g_fang, &fang);
    // One hook for the outermost box: a box opened while another is open
    // shares it (a second hook would see every key twice).
    HHOOK hook = aussen ? nullptr : SetWindowsHookExW(WH_MSGFILTER, &meldungsfilter, nullptr, GetCurrentThreadId());
    const int antwort = MessageBoxW(GetActiveWindow(), win32::breit(text).c_str(), L"Karmo", knoepfe);
    if (hook) UnhookWindowsHookEx(hook);
    g_fang = aussen;
    for (std::string& karte : fang.karten_abgeben()) karte_merken(std::move(karte));
    return antwort;
}

void Win32Plattform::meldung(std::string_view text) { box_zeigen(text, MB_OK, false); }

bool Win32Plattform::frage(std::string_view text, Vorgabe vorgabe) {
    const UINT art = MB_YESNO | (vorgabe == Vorgabe::Nein ? MB_DEFBUTTON2 : MB_DEFBUTTON1);
    return box_zeigen(text, art, true) == IDYES;
}

} // namespace karmo
