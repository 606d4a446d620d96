// The Win32 renderer: a card scanned while a capture form's focus is not in EFN reaches no control and goes to EFN.
#include <string>

#include "platform/win32/win32_kartenfang.hpp"
#include "platform/win32/win32_tasten.hpp"
#include "ui/win32/win32_host.hpp"

namespace karmo::ui {

// Key-downs for a control whose window takes scans there are held while they
// may be a scan; each goes on exactly as it came (through the dialog
// navigation, translated into its character) once it cannot be one: at the
// next key that breaks the run, at a click, or when the timer finds it more
// than 50 ms old. A person's key so arrives, at most about 50 ms late. A
// complete scan's keys go nowhere: the window gets scan() instead. Key-ups
// pass unheld (a control makes nothing of a key-up without its key-down).
//
// Every other window, while a capture form is open, passes the program's
// card catcher first (platform/win32/win32_kartenfang.cpp): the same rule as
// in message boxes and the system's dialogs.
bool Win32Host::scan_abfangen(MSG& msg) {
    const auto weiter = [this](const Gehalten& g) { freigeben(g); };
    const bool taste = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    Win32Fenster* f = msg.hwnd ? fenster_zu(GetAncestor(msg.hwnd, GA_ROOT)) : nullptr;
    const bool erfassung = f && f->ereignisse_.nimmt_scans(Ctl::Keiner);
    if (win32::karte_abfangen(msg, !erfassung)) {
        if (taste) {
            scans_.freigeben(weiter);
            scanuhr_stellen();
        }
        return true;
    }
    if (msg.message == WM_TIMER && msg.hwnd == nullptr && scanuhr_ != 0 && msg.wParam == scanuhr_) {
        // A key already waiting in the queue decides by its own time.
        if (!(HIWORD(GetQueueStatus(QS_KEY)) & QS_KEY)) scans_.uhr(static_cast<std::uint32_t>(msg.time), weiter);
        scanuhr_stellen();
        return true;
    }
    if (win32::ist_klick(msg.message)) {
        scans_.freigeben(weiter);
        scanuhr_stellen();
        return false;
    }
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;

    // Held keys belong to one control; a key for another lets them go first.
    if (scans_.haelt() && scans_.gehalten().front().msg.hwnd != msg.hwnd) scans_.freigeben(weiter);
    const Win32Fenster::Element* el = f ? f->element_zu(msg.hwnd) : nullptr;
    const Ctl ctl = el ? el->d->name : Ctl::Keiner;
    if (!f || !f->ereignisse_.nimmt_scans(ctl)) {
        scans_.freigeben(weiter);
        scanuhr_stellen();
        return false;
    }
    char ziffer = 0;
    const eingabe::Taste art =
        msg.message == WM_KEYDOWN ? win32::tastenart(msg.wParam, ziffer) : eingabe::Taste::Andere;
    std::string scan;
    // The Enter or Tab after a run longer than a card (an event number's
    // barcode) ends the number in a text box, as it always did; it presses
    // no button.
    const auto ueberlang = [this, f](const Gehalten& g) {
        if (f->ist_einzeiliges_textfeld(g.msg.hwnd)) freigeben(g);
    };
    scans_.taste(art, ziffer, static_cast<std::uint32_t>(msg.time), Gehalten{msg, ziffer}, weiter,
                 [&scan](std::string_view z) { scan = z; }, ueberlang);
    scanuhr_stellen();
    // A scan passed no key on, so the window is still there.
    if (!scan.empty()) f->ereignisse_.scan(ctl, scan);
    return true;
}

// A digit goes on as the digit it was when typed: translating its key now
// would read the keyboard as it is now (a Shift pressed since, for the next
// character, would make it another character). Digits mean nothing to the
// dialog navigation, so the key and its character go straight to the control.
void Win32Host::freigeben(const Gehalten& g) {
    MSG m = g.msg;
    if (g.ziffer == 0) {
        weitergeben(m);
        return;
    }
    DispatchMessageW(&m);
    m.message = WM_CHAR;
    m.wParam = static_cast<WPARAM>(static_cast<unsigned char>(g.ziffer));
    if (IsWindow(m.hwnd)) DispatchMessageW(&m);
}

// The timer runs only while keys are held.
void Win32Host::scanuhr_stellen() {
    if (scans_.haelt() && scanuhr_ == 0) {
        scanuhr_ = SetTimer(nullptr, 0, eingabe::k_scan_abstand_ms + 5, nullptr);
    } else if (!scans_.haelt() && scanuhr_ != 0) {
        KillTimer(nullptr, scanuhr_);
        scanuhr_ = 0;
    }
}

} // namespace karmo::ui
