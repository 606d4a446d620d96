// Message boxes and questions, and a scanner's card typed into one: kept for the list, never an answer.
#include <windows.h>

#include "platform/win32/win32_kartenfang.hpp"
#include "platform/win32/win32_plattform.hpp"

namespace karmo {

// The box's keys pass the thread's card catcher (win32_kartenfang.cpp) with
// the rule of a box: digits go nowhere, a card's Enter or Tab never reaches
// the buttons, an OK-only box closes on it, a question stays open for a person.
int Win32Plattform::box_zeigen(std::string_view text, unsigned knoepfe, bool frage) {
    const win32::Boxrahmen rahmen(frage);
    return MessageBoxW(GetActiveWindow(), win32::breit(text).c_str(), L"Karmo", knoepfe);
}

void Win32Plattform::meldung(std::string_view text) { box_zeigen(text, MB_OK, false); }

bool Win32Plattform::frage(std::string_view text, Vorgabe vorgabe) {
    const UINT art = MB_YESNO | (vorgabe == Vorgabe::Nein ? MB_DEFBUTTON2 : MB_DEFBUTTON1);
    return box_zeigen(text, art, true) == IDYES;
}

} // namespace karmo
