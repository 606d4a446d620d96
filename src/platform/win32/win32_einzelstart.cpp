// One program at a time: the named mutex, and the running program's window brought to the front.
#include "platform/win32/win32_einzelstart.hpp"

#include <windows.h>

#include <cwchar>

namespace karmo::win32 {

Einzelstart::Einzelstart(const wchar_t* name) {
    mutex_ = CreateMutexW(nullptr, TRUE, name);
    // Without a mutex at all (no rights, no memory) the program still runs.
    erster_ = !(mutex_ && GetLastError() == ERROR_ALREADY_EXISTS);
    besitzt_ = mutex_ && erster_;
}

Einzelstart::~Einzelstart() {
    if (!mutex_) return;
    if (besitzt_) ReleaseMutex(static_cast<HANDLE>(mutex_));
    CloseHandle(static_cast<HANDLE>(mutex_));
}

bool Einzelstart::nehmen() {
    if (besitzt_ || !mutex_) return erster_;
    const DWORD r = WaitForSingleObject(static_cast<HANDLE>(mutex_), 0);
    besitzt_ = r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
    erster_ = besitzt_;
    return besitzt_;
}

namespace {

struct Suche {
    const wchar_t* klasse;
    HWND gefunden;
};

BOOL CALLBACK pruefen(HWND h, LPARAM l) {
    auto* s = reinterpret_cast<Suche*>(l);
    DWORD prozess = 0;
    GetWindowThreadProcessId(h, &prozess);
    if (prozess == GetCurrentProcessId() || !IsWindowVisible(h)) return TRUE;
    wchar_t name[64] = {};
    if (GetClassNameW(h, name, 64) == 0 || std::wcscmp(name, s->klasse) != 0) return TRUE;
    s->gefunden = h;
    return FALSE;
}

} // namespace

bool nach_vorne(const wchar_t* klasse) {
    Suche s{klasse, nullptr};
    EnumWindows(&pruefen, reinterpret_cast<LPARAM>(&s));
    if (!s.gefunden) return false;
    if (IsIconic(s.gefunden)) ShowWindow(s.gefunden, SW_RESTORE);
    // A message box open on the window is what the user must see and answer.
    HWND oben = GetLastActivePopup(s.gefunden);
    SetForegroundWindow(oben ? oben : s.gefunden);
    return true;
}

} // namespace karmo::win32
