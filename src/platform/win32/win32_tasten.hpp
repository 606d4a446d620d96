// Key messages as the scan detector sees them: digit, Enter or Tab, or another key.
#pragma once

#include <windows.h>

#include "eingabe/scanerkennung.hpp"

namespace karmo::win32 {

// The kind of a WM_KEYDOWN's virtual key, read while the message is the one
// being handled (the modifier state is the thread's for that message). A
// digit is one of the top row or the number pad without Shift, Ctrl or Alt;
// `ziffer` gets it.
inline eingabe::Taste tastenart(WPARAM vk, char& ziffer) {
    const bool umgeschaltet = GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
    if (umgeschaltet) return eingabe::Taste::Andere;
    if (vk >= '0' && vk <= '9') {
        ziffer = static_cast<char>(vk);
        return eingabe::Taste::Ziffer;
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) {
        ziffer = static_cast<char>('0' + (vk - VK_NUMPAD0));
        return eingabe::Taste::Ziffer;
    }
    if (vk == VK_RETURN || vk == VK_TAB) return eingabe::Taste::Ende;
    return eingabe::Taste::Andere;
}

// A mouse press anywhere in a window: held keys go on before it.
inline bool ist_klick(UINT m) {
    switch (m) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
        case WM_XBUTTONDOWN:
        case WM_XBUTTONDBLCLK:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
        case WM_NCXBUTTONDOWN:
            return true;
        default:
            return false;
    }
}

} // namespace karmo::win32
