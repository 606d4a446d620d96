// A scanner's card typed into any window of the program's thread other than a capture form: kept for the list, never a key for the window.
#pragma once

#include <windows.h>

namespace karmo {
class Win32Plattform;
}

namespace karmo::win32 {

// The one place where the keys of every window pass while a capture form is
// open: the program's message loops call karte_abfangen() for each message,
// and the thread's WH_MSGFILTER hook calls it for the modal loops of dialogs
// (message boxes, the print dialog, Open, Save As and their own boxes). What
// a key does follows one portable rule (eingabe/meldungsfang.hpp); a card
// kept goes to the platform's queue (Plattform::scan_aus_meldung), and the
// program captures it once the handler that opened the window has returned.

// The platform whose boxes and cards these are; set up on the thread that
// shows the windows (Win32Plattform's constructor and destructor).
void kartenfang_anmelden(Win32Plattform* pl);
void kartenfang_abmelden(Win32Plattform* pl);

// Takes `msg` when it is a key of a card, a digit held while it may be one,
// or the catcher's own clock; false lets the caller handle it as always.
// `fremd`: the key is for a window that is not a capture form's (whose own
// boxes take scans another way); keys for a capture form only let held
// digits go on.
bool karte_abfangen(MSG& msg, bool fremd = true);

// Whether cards wait in the platform's queue, to be captured now.
bool karten_wartend();

// A message box or question (win32_meldung.cpp) is open: its keys follow
// the box's rule, not a window's. `frage`: it has Ja/Nein.
class Boxrahmen {
public:
    explicit Boxrahmen(bool frage);
    ~Boxrahmen();
    Boxrahmen(const Boxrahmen&) = delete;
    Boxrahmen& operator=(const Boxrahmen&) = delete;

private:
    int vorher_;
};

// Hands `msg` to IsDialogMessageW after it has been judged already: the
// hook, which IsDialogMessageW may call with it, lets it pass.
BOOL dialognachricht(HWND dialog, MSG& msg);

} // namespace karmo::win32
