// The Win32 renderer: the surface a window offers its handlers (texts, focus, lists, check boxes).
#include "ui/win32/win32_host.hpp"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "platform/win32/win32_plattform.hpp"
#include "ui/win32/win32_intern.hpp"

namespace karmo::ui {
namespace {

using intern::k_erste_id;
using intern::CodeFokus;
using intern::k_nachzeichnen;

std::wstring fenstertext(HWND h) {
    const auto n = SendMessageW(h, WM_GETTEXTLENGTH, 0, 0);
    std::wstring t(static_cast<std::size_t>(std::max<LRESULT>(n, 0)) + 1, L'\0');
    const auto gelesen = SendMessageW(h, WM_GETTEXT, t.size(), reinterpret_cast<LPARAM>(t.data()));
    t.resize(static_cast<std::size_t>(std::max<LRESULT>(gelesen, 0)));
    return t;
}

std::string listenzeile(HWND h, int i) {
    const auto n = SendMessageW(h, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (n == LB_ERR) throw std::out_of_range("Listenzeile");
    std::wstring t(static_cast<std::size_t>(n) + 1, L'\0');
    const auto gelesen = SendMessageW(h, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(t.data()));
    t.resize(static_cast<std::size_t>(std::max<LRESULT>(gelesen, 0)));
    return win32::schmal(t);
}

void zeile_pruefen(HWND liste, int i) {
    const auto n = SendMessageW(liste, LB_GETCOUNT, 0, 0);
    if (i < 0 || i >= n) throw std::out_of_range("Listenzeile");
}

} // namespace

// --- Win32Fenster: lookup -----------------------------------------------------------------

const Win32Fenster::Element& Win32Fenster::e(Ctl c) const {
    auto it = erstes_.find(c);
    if (it == erstes_.end()) {
        throw std::logic_error("Steuerelement fehlt im Fenster " + std::string(deklaration_.name) + ": " +
                               std::to_string(static_cast<int>(c)));
    }
    return elemente_[it->second];
}

HWND Win32Fenster::liste(Ctl c) const {
    const Element& el = e(c);
    if (el.d->art != Art::Liste) throw std::logic_error("keine Liste im Fenster " + std::string(deklaration_.name));
    return el.hwnd;
}

HWND Win32Fenster::steuerelement(Ctl c, int index) const {
    for (const Element& el : elemente_) {
        if (el.d->name == c && (index < 0 || el.d->index == index)) return el.hwnd;
    }
    return nullptr;
}

Win32Fenster::Element* Win32Fenster::element_zu(HWND h) {
    if (!h || GetParent(h) != hwnd_) return nullptr;
    const int i = GetDlgCtrlID(h) - k_erste_id;
    if (i < 0 || i >= static_cast<int>(elemente_.size())) return nullptr;
    Element& el = elemente_[static_cast<std::size_t>(i)];
    return el.hwnd == h ? &el : nullptr;
}

bool Win32Fenster::gehoert_dazu(HWND h) const { return const_cast<Win32Fenster*>(this)->element_zu(h) != nullptr; }

bool Win32Fenster::ist_einzeiliges_textfeld(HWND h) const {
    const Element* el = const_cast<Win32Fenster*>(this)->element_zu(h);
    return el && el->d->art == Art::Textfeld && !(el->d->stil & k_mehrzeilig);
}

// --- Win32Fenster: the surface -------------------------------------------------------------

void Win32Fenster::code_fokus(HWND ziel) {
    CodeFokus markierung(host_.code_fokus_);
    SetFocus(ziel);
}

void Win32Fenster::zeigen() {
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    if (vorgemerkt_) {
        HWND ziel = vorgemerkt_;
        vorgemerkt_ = nullptr;
        code_fokus(ziel);
    }
}

void Win32Fenster::verbergen() { ShowWindow(hwnd_, SW_HIDE); }

bool Win32Fenster::sichtbar() const { return IsWindowVisible(hwnd_) != FALSE; }

std::string Win32Fenster::text(Ctl c) const {
    const Element& el = e(c);
    if (el.d->art == Art::Liste) {
        // A list box's text is its selected line.
        const auto i = SendMessageW(el.hwnd, LB_GETCURSEL, 0, 0);
        return i == LB_ERR ? std::string() : listenzeile(el.hwnd, static_cast<int>(i));
    }
    return win32::schmal(fenstertext(el.hwnd));
}

void Win32Fenster::setze_text(Ctl c, std::string_view t) { SetWindowTextW(e(c).hwnd, win32::breit(t).c_str()); }

void Win32Fenster::fokus(Ctl c) {
    HWND ziel = e(c).hwnd;
    if (!IsWindowVisible(hwnd_)) {
        // Given when the window is shown.
        vorgemerkt_ = ziel;
        return;
    }
    code_fokus(ziel);
}

void Win32Fenster::text_markieren(Ctl c) { SendMessageW(e(c).hwnd, EM_SETSEL, 0, -1); }

int Win32Fenster::zeilenzahl(Ctl c) const { return static_cast<int>(SendMessageW(liste(c), LB_GETCOUNT, 0, 0)); }

std::string Win32Fenster::zeile(Ctl c, int i) const {
    HWND h = liste(c);
    zeile_pruefen(h, i);
    return listenzeile(h, i);
}

// A handler that adds many lines (a loaded event) would have the list box
// repaint its scroll bar after every one; drawing waits instead until the
// handler is done and the message loop takes the next message. The posted
// message comes before any waiting keystroke, so nothing is reordered.
void Win32Fenster::zeichnen_aufschieben(HWND liste) {
    if (std::find(aufgeschoben_.begin(), aufgeschoben_.end(), liste) != aufgeschoben_.end()) return;
    if (aufgeschoben_.empty()) PostMessageW(hwnd_, k_nachzeichnen, 0, 0);
    SendMessageW(liste, WM_SETREDRAW, FALSE, 0);
    aufgeschoben_.push_back(liste);
}

void Win32Fenster::nachzeichnen() {
    for (HWND liste : aufgeschoben_) {
        SendMessageW(liste, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(liste, nullptr, TRUE);
    }
    aufgeschoben_.clear();
}

void Win32Fenster::zeile_anfuegen(Ctl c, std::string_view t) {
    HWND h = liste(c);
    const std::wstring w = win32::breit(t);
    zeichnen_aufschieben(h);
    ++listenstaende_[c];
    const auto r = SendMessageW(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()));
    if (r == LB_ERR || r == LB_ERRSPACE) throw std::length_error("Liste voll");
}

void Win32Fenster::zeile_ersetzen(Ctl c, int i, std::string_view t) {
    HWND h = liste(c);
    zeile_pruefen(h, i);
    const auto auswahl = SendMessageW(h, LB_GETCURSEL, 0, 0);
    const auto oben = SendMessageW(h, LB_GETTOPINDEX, 0, 0);
    const std::wstring w = win32::breit(t);
    zeichnen_aufschieben(h);
    ++listenstaende_[c];
    SendMessageW(h, LB_INSERTSTRING, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(w.c_str()));
    SendMessageW(h, LB_DELETESTRING, static_cast<WPARAM>(i + 1), 0);
    if (auswahl != LB_ERR) SendMessageW(h, LB_SETCURSEL, static_cast<WPARAM>(auswahl), 0);
    SendMessageW(h, LB_SETTOPINDEX, static_cast<WPARAM>(oben), 0);
}

void Win32Fenster::zeile_entfernen(Ctl c, int i) {
    HWND h = liste(c);
    zeile_pruefen(h, i);
    ++listenstaende_[c];
    SendMessageW(h, LB_DELETESTRING, static_cast<WPARAM>(i), 0);
    SendMessageW(h, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

void Win32Fenster::liste_leeren(Ctl c) {
    ++listenstaende_[c];
    SendMessageW(liste(c), LB_RESETCONTENT, 0, 0);
}

std::uint64_t Win32Fenster::listenstand(Ctl c) const {
    liste(c);
    const auto it = listenstaende_.find(c);
    return it == listenstaende_.end() ? 0 : it->second;
}

int Win32Fenster::listenindex(Ctl c) const {
    const auto i = SendMessageW(liste(c), LB_GETCURSEL, 0, 0);
    return i == LB_ERR ? -1 : static_cast<int>(i);
}

int Win32Fenster::ausgewaehlt_anzahl(Ctl c) const { return listenindex(c) >= 0 ? 1 : 0; }

void Win32Fenster::zeile_waehlen(Ctl c, int i) { SendMessageW(liste(c), LB_SETCURSEL, static_cast<WPARAM>(i), 0); }

// The default button's frame moves with it, as in a dialog.
void Win32Fenster::setze_vorgabe(Ctl knopf) {
    vorgabe_ = knopf;
    for (const Element& v : elemente_) {
        if (v.d->art != Art::Schaltflaeche) continue;
        const bool vorgabe = knopf == Ctl::Keiner ? (v.d->stil & k_vorgabe) != 0 : v.d->name == knopf;
        SendMessageW(v.hwnd, BM_SETSTYLE, vorgabe ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
}

bool Win32Fenster::markiert(Ctl c) const { return SendMessageW(e(c).hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Win32Fenster::setze_markiert(Ctl c, bool an) {
    SendMessageW(e(c).hwnd, BM_SETCHECK, an ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32Fenster::aktiviert(Ctl c) const { return IsWindowEnabled(e(c).hwnd) != FALSE; }

void Win32Fenster::setze_aktiviert(Ctl c, bool an) {
    HWND h = e(c).hwnd;
    if (!an && GetFocus() == h) {
        // A disabled control would leave the keyboard with no focus at all.
        HWND weiter = GetNextDlgTabItem(hwnd_, h, FALSE);
        if (weiter && weiter != h) code_fokus(weiter);
    }
    EnableWindow(h, an ? TRUE : FALSE);
}

} // namespace karmo::ui
