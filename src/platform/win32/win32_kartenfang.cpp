// The keys of every window while a capture form is open: held, let go, or taken as a card, by one rule.
#include "platform/win32/win32_kartenfang.hpp"

#include <optional>
#include <string>
#include <utility>

#include "eingabe/meldungsfang.hpp"
#include "platform/win32/win32_plattform.hpp"
#include "platform/win32/win32_tasten.hpp"

namespace karmo::win32 {
namespace {

using eingabe::Boxart;
using eingabe::Boxschritt;

// A key held back, with the digit it was when it came.
struct Gehalten {
    MSG msg;
    char ziffer;
};

// Everything the catcher knows, per thread (every window of the program
// lives on one thread; tests may run platforms one after another).
struct Faden {
    Win32Plattform* pl = nullptr;
    HHOOK hook = nullptr;
    int anmeldungen = 0;
    // The rule for the window the keys go to now, and that window.
    std::optional<eingabe::Fangpuffer<Gehalten>> fang;
    HWND wurzel = nullptr;
    bool nimmt = false;
    // The open message box's kind: -1 none, else a Boxart.
    int box = -1;
    UINT_PTR uhr = 0;
    // A message judged already and handed on by its loop: the hook lets it pass once.
    std::optional<MSG> durchgelassen;
};

Faden& faden() {
    thread_local Faden f;
    return f;
}

bool gleich(const MSG& a, const MSG& b) {
    return a.hwnd == b.hwnd && a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam &&
           a.time == b.time;
}

// A held digit goes on as the digit it was when typed (translating its key
// now would read the keyboard as it is now), straight to its control:
// digits mean nothing to a dialog's navigation.
void zustellen(const Gehalten& g) {
    MSG m = g.msg;
    if (!IsWindow(m.hwnd)) return;
    DispatchMessageW(&m);
    m.message = WM_CHAR;
    m.wParam = static_cast<WPARAM>(static_cast<unsigned char>(g.ziffer));
    if (IsWindow(m.hwnd)) DispatchMessageW(&m);
}

// The clock runs only while keys are held.
void uhr_stellen(Faden& f) {
    const bool haelt = f.fang && f.fang->haelt();
    if (haelt && f.uhr == 0) {
        f.uhr = SetTimer(nullptr, 0, eingabe::k_scan_abstand_ms + 5, nullptr);
    } else if (!haelt && f.uhr != 0) {
        KillTimer(nullptr, f.uhr);
        f.uhr = 0;
    }
}

void loslassen(Faden& f) {
    if (f.fang) f.fang->freigeben(&zustellen);
    uhr_stellen(f);
}

void karten_weitergeben(Faden& f) {
    if (!f.fang || !f.pl) return;
    for (std::string& k : f.fang->karten_abgeben()) f.pl->karte_gefangen(std::move(k));
}

// The thread's filter for the modal loops of dialogs and boxes.
LRESULT CALLBACK nachrichtenfilter(int code, WPARAM w, LPARAM l) {
    auto* msg = reinterpret_cast<MSG*>(l);
    Faden& f = faden();
    if (code == MSGF_DIALOGBOX && msg) {
        if (f.durchgelassen && gleich(*f.durchgelassen, *msg)) {
            f.durchgelassen.reset();
        } else if (karte_abfangen(*msg)) {
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, w, l);
}

} // namespace

void kartenfang_anmelden(Win32Plattform* pl) {
    Faden& f = faden();
    f.pl = pl;
    if (f.anmeldungen++ == 0) f.hook = SetWindowsHookExW(WH_MSGFILTER, &nachrichtenfilter, nullptr, GetCurrentThreadId());
}

void kartenfang_abmelden(Win32Plattform* pl) {
    Faden& f = faden();
    if (f.pl == pl) {
        // Held digits had a person behind them: they go on before the platform goes.
        loslassen(f);
        f.fang.reset();
        f.pl = nullptr;
    }
    if (--f.anmeldungen == 0) {
        if (f.hook) UnhookWindowsHookEx(f.hook);
        f.hook = nullptr;
        if (f.uhr) KillTimer(nullptr, f.uhr);
        f.uhr = 0;
    }
}

bool karte_abfangen(MSG& msg, bool fremd) {
    Faden& f = faden();
    if (msg.message == WM_TIMER && msg.hwnd == nullptr && f.uhr != 0 && msg.wParam == f.uhr) {
        // A key already waiting in the queue decides by its own time.
        if (f.fang && !(HIWORD(GetQueueStatus(QS_KEY)) & QS_KEY)) {
            f.fang->uhr(static_cast<std::uint32_t>(msg.time), &zustellen);
        }
        uhr_stellen(f);
        return true;
    }
    if (win32::ist_klick(msg.message)) {
        loslassen(f);
        return false;
    }
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;

    const Boxart art = f.box >= 0 ? static_cast<Boxart>(f.box) : Boxart::Fenster;
    const bool nimmt = f.pl && f.pl->nimmt_karten();
    if (!fremd || (art == Boxart::Fenster && !nimmt)) {
        loslassen(f);
        f.fang.reset();
        return false;
    }
    HWND wurzel = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    // Held keys belong to one control; each window starts its own run.
    const bool anderes = !f.fang || f.wurzel != wurzel || f.nimmt != nimmt || f.fang->regel().art() != art ||
                         (f.fang->haelt() && f.fang->gehalten().front().msg.hwnd != msg.hwnd);
    if (anderes) {
        loslassen(f);
        f.fang.emplace(art, nimmt);
        f.wurzel = wurzel;
        f.nimmt = nimmt;
    }
    char ziffer = 0;
    const eingabe::Taste taste =
        msg.message == WM_KEYDOWN ? win32::tastenart(msg.wParam, ziffer) : eingabe::Taste::Andere;
    const Boxschritt s = f.fang->taste(taste, ziffer, static_cast<std::uint32_t>(msg.time), Gehalten{msg, ziffer},
                                       &zustellen);
    karten_weitergeben(f);
    uhr_stellen(f);
    switch (s) {
        case Boxschritt::Weiter:
            return false;
        case Boxschritt::Halten:
        case Boxschritt::Neu:
        case Boxschritt::Schlucken:
            return true;
        case Boxschritt::Schliessen:
            if (wurzel) EndDialog(wurzel, IDOK);
            return true;
    }
    return true;
}

bool karten_wartend() {
    const Faden& f = faden();
    return f.pl && f.pl->karten_wartend();
}

Boxrahmen::Boxrahmen(bool frage) : vorher_(faden().box) {
    Faden& f = faden();
    loslassen(f);
    f.fang.reset();
    f.box = static_cast<int>(frage ? Boxart::Frage : Boxart::Hinweis);
}

Boxrahmen::~Boxrahmen() {
    Faden& f = faden();
    loslassen(f);
    f.fang.reset();
    f.box = vorher_;
}

BOOL dialognachricht(HWND dialog, MSG& msg) {
    Faden& f = faden();
    f.durchgelassen = msg;
    const BOOL r = IsDialogMessageW(dialog, &msg);
    f.durchgelassen.reset();
    return r;
}

} // namespace karmo::win32
