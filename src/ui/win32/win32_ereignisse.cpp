// The Win32 renderer: window and control messages turned into the portable events.
#include "ui/win32/win32_host.hpp"

#include <commctrl.h>

#include <exception>

#include "ui/win32/win32_intern.hpp"

namespace karmo::ui {

using intern::CodeFokus;
using intern::k_nachzeichnen;

// --- Win32Fenster: events -------------------------------------------------------------------

LRESULT CALLBACK Win32Fenster::fensterprozedur(HWND h, UINT m, WPARAM w, LPARAM l) noexcept {
    try {
        if (m == WM_NCCREATE) {
            auto* f = static_cast<Win32Fenster*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
            f->hwnd_ = h;
            SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(f));
        }
        auto* f = reinterpret_cast<Win32Fenster*>(GetWindowLongPtrW(h, GWLP_USERDATA));
        if (f && !f->abbau_) return f->bearbeiten(m, w, l);
        return DefWindowProcW(h, m, w, l);
    } catch (...) {
        Win32Host::fehler_merken(std::current_exception());
        return 0;
    }
}

LRESULT Win32Fenster::bearbeiten(UINT m, WPARAM w, LPARAM l) {
    switch (m) {
        case WM_CLOSE:
            // The collection may unload and destroy this window inside the call;
            // nothing of `this` is touched afterwards.
            ereignisse_.form_unload();
            return 0;
        case WM_COMMAND:
            befehl(w, l);
            return 0;
        case WM_QUERYENDSESSION:
            // Shutdown or log-off: what must outlive the program goes to the
            // disk now, before Windows may end the process without asking again.
            ereignisse_.sitzungsende();
            return TRUE;
        case WM_ENDSESSION:
            if (w) ereignisse_.sitzungsende();
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
            return farbe(m, w, l);
        case WM_ACTIVATE:
            aktivierung(w);
            return 0;
        case k_nachzeichnen:
            nachzeichnen();
            return 0;
        case WM_DPICHANGED: {
            anordnen(HIWORD(w));
            const RECT* r = reinterpret_cast<const RECT*>(l);
            SetWindowPos(hwnd_, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        default:
            return DefWindowProcW(hwnd_, m, w, l);
    }
}

void Win32Fenster::aktivierung(WPARAM w) {
    if (LOWORD(w) == WA_INACTIVE) {
        HWND f = GetFocus();
        if (gehoert_dazu(f)) letzter_fokus_ = f;
        return;
    }
    if (IsIconic(hwnd_)) return;
    // A top-level window would otherwise take the focus itself: give it back
    // to the control that had it, else to the first tab stop.
    HWND ziel = vorgemerkt_;
    vorgemerkt_ = nullptr;
    if (!ziel && gehoert_dazu(letzter_fokus_) && IsWindowEnabled(letzter_fokus_)) ziel = letzter_fokus_;
    if (!ziel) ziel = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
    if (ziel) {
        code_fokus(ziel);
    } else {
        CodeFokus markierung(host_.code_fokus_);
        SetFocus(hwnd_);
    }
}

void Win32Fenster::befehl(WPARAM w, LPARAM l) {
    const int id = LOWORD(w);
    const auto meldung = HIWORD(w);
    HWND quelle = reinterpret_cast<HWND>(l);
    if (id == IDOK && !quelle) {
        // Enter while a command button has the focus clicks it; elsewhere
        // the window's default button, if it has one.
        const Element* el = element_zu(GetFocus());
        if (el && el->d->art == Art::Schaltflaeche) {
            ereignisse_.click(el->d->name);
            return;
        }
        if (vorgabe_ != Ctl::Keiner) {
            if (IsWindowEnabled(steuerelement(vorgabe_))) ereignisse_.click(vorgabe_);
            return;
        }
        for (const Element& v : elemente_) {
            if (v.d->art == Art::Schaltflaeche && (v.d->stil & k_vorgabe) && IsWindowEnabled(v.hwnd)) {
                ereignisse_.click(v.d->name);
                return;
            }
        }
        return;
    }
    if (id == IDCANCEL && !quelle) {
        // Escape clicks the window's cancel button, if it has one.
        for (const Element& v : elemente_) {
            if (v.d->art == Art::Schaltflaeche && (v.d->stil & k_abbruch) && IsWindowEnabled(v.hwnd)) {
                ereignisse_.click(v.d->name);
                return;
            }
        }
        return;
    }
    const Element* el = element_zu(quelle);
    if (!el) return;
    switch (el->d->art) {
        case Art::Schaltflaeche:
        case Art::Kontrollkaestchen:
            if (meldung == BN_CLICKED) ereignisse_.click(el->d->name);
            break;
        case Art::Textfeld:
            // Also for text set by code, as for typing.
            if (meldung == EN_CHANGE) ereignisse_.aenderung(el->d->name);
            break;
        case Art::Liste:
            if (meldung == LBN_SELCHANGE) {
                ereignisse_.click(el->d->name);
            } else if (meldung == LBN_DBLCLK && (el->d->stil & k_doppelklick)) {
                // The line is chosen already (its click came first): the default button takes it.
                SendMessageW(hwnd_, WM_COMMAND, IDOK, 0);
            } else if (meldung == LBN_KILLFOCUS) {
                // The focus has already moved on when the list box reports losing it.
                fokusverlust(*el, GetFocus());
            }
            break;
        default:
            break;
    }
}

LRESULT Win32Fenster::farbe(UINT m, WPARAM w, LPARAM l) {
    const LRESULT standard = DefWindowProcW(hwnd_, m, w, l);
    const Element* el = element_zu(reinterpret_cast<HWND>(l));
    if (!el) return standard;
    HDC dc = reinterpret_cast<HDC>(w);
    if (el->d->stil & k_grund_224) {
        SetBkColor(dc, RGB(224, 224, 224));
        return reinterpret_cast<LRESULT>(host_.grau224_);
    }
    if (el->d->stil & k_grund_knopf) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return standard;
}

bool Win32Fenster::kuerzel(Ctl knopf) {
    const HWND h = steuerelement(knopf);
    const Element* el = element_zu(h);
    if (!el || el->d->art != Art::Schaltflaeche || !IsWindowEnabled(h)) return false;
    ereignisse_.click(knopf);
    return true;
}

// LostFocus only for the user's own move to another control of this window:
// not for a handler's fokus(), a message box, another window, or hiding.
void Win32Fenster::fokusverlust(const Element& el, HWND neu) {
    if (host_.code_fokus_ == 0 && neu != el.hwnd && gehoert_dazu(neu)) ereignisse_.lostfocus(el.d->name);
}

LRESULT CALLBACK Win32Fenster::unterprozedur(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR ref) noexcept {
    try {
        if (m == WM_NCDESTROY) {
            RemoveWindowSubclass(h, &Win32Fenster::unterprozedur, id);
            return DefSubclassProc(h, m, w, l);
        }
        auto* f = reinterpret_cast<Win32Fenster*>(ref);
        if (f->abbau_ || id >= f->elemente_.size()) return DefSubclassProc(h, m, w, l);
        return f->steuerelement_bearbeiten(f->elemente_[id], m, w, l);
    } catch (...) {
        Win32Host::fehler_merken(std::current_exception());
        return 0;
    }
}

LRESULT Win32Fenster::steuerelement_bearbeiten(Element& el, UINT m, WPARAM w, LPARAM l) {
    HWND h = el.hwnd;
    switch (m) {
        case WM_CHAR: {
            if (el.d->art != Art::Textfeld) break;
            int taste = static_cast<int>(w);
            const Ctl name = el.d->name;
            ereignisse_.keypress(name, taste);
            // The handler may have unloaded the window; the control tells.
            if (!IsWindow(h)) return 0;
            if (taste == 0) return 0;
            // A single-line box has no use for Enter but to beep.
            if (taste == 13 && !(el.d->stil & k_mehrzeilig)) return 0;
            return DefSubclassProc(h, m, static_cast<WPARAM>(taste), l);
        }
        case WM_GETDLGCODE: {
            // A multi-line box wants every key, Tab included; here Tab moves on,
            // as in every other control.
            LRESULT code = DefSubclassProc(h, m, w, l);
            const MSG* msg = reinterpret_cast<const MSG*>(l);
            if (msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && msg->wParam == VK_TAB) {
                code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
            }
            return code;
        }
        case WM_KILLFOCUS: {
            const LRESULT r = DefSubclassProc(h, m, w, l);
            fokusverlust(el, reinterpret_cast<HWND>(w));
            return r;
        }
        default:
            break;
    }
    return DefSubclassProc(h, m, w, l);
}

} // namespace karmo::ui
