// What the renderer's files share: the window class, control ids, private messages, focus moves by code.
#pragma once

#include <windows.h>

namespace karmo::ui::intern {

constexpr wchar_t k_klasse[] = L"KarmoFenster";
// Control ids start above IDOK/IDCANCEL, which the dialog navigation sends
// for Enter and Escape.
constexpr int k_erste_id = 100;
// Posted to a window to let its list boxes draw again (WM_USER and just above
// belong to the dialog navigation's DM_ messages).
constexpr UINT k_nachzeichnen = WM_APP + 1;
// No WS_CLIPCHILDREN: a group box does not paint its inside, the window's
// background must show through it.
constexpr DWORD k_fensterstil = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The program's icon: resource id of the executable's first icon group
// (app/symbol.rc), and the icon at a pixel size (win32_beschriftung.cpp).
constexpr int k_symbol = 1;
HICON programmsymbol(int groesse);

// Marks a focus move made by code (not the user): the focus loss it causes
// raises no LostFocus.
struct CodeFokus {
    explicit CodeFokus(int& z) : zaehler(z) { ++zaehler; }
    ~CodeFokus() { --zaehler; }
    CodeFokus(const CodeFokus&) = delete;
    CodeFokus& operator=(const CodeFokus&) = delete;
    int& zaehler;
};

} // namespace karmo::ui::intern
