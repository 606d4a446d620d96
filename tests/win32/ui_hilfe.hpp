// Shared pieces of the renderer tests: a handler recorder, message pumping, simulated keys.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/win32_plattform.hpp"
#include "start/start.hpp"
#include "ui/win32/win32_host.hpp"

namespace karmo::test {

// Every window the program declares, for tests that run once a window,
// named after its declaration.
inline constexpr std::array<ui::FormId, 9> k_alle_fenster{
    ui::FormId::Einrichtung, ui::FormId::Update,      ui::FormId::Auswahl,   ui::FormId::VNR_Eingabe,
    ui::FormId::Kat_Auswahl, ui::FormId::Dateidialog, ui::FormId::MA1_Maske, ui::FormId::MA2_Maske,
    ui::FormId::Ausdruck};
inline std::string fenstername(ui::FormId id) { return std::string(Deklaration(id).name); }

// Records every event as "art:Ctl-number[:key]"; hooks let a test act as a handler.
class Protokollant final : public ui::Formularlogik {
public:
    std::vector<std::string> ereignisse;
    std::function<void(ui::Ctl, int&)> bei_taste;
    std::function<void(ui::Ctl)> bei_fokusverlust;
    std::function<void(ui::Ctl)> bei_klick;
    std::function<void()> bei_entladen;

    static std::string n(ui::Ctl c) { return std::to_string(static_cast<int>(c)); }

    void click(ui::Ctl c) override {
        ereignisse.push_back("click:" + n(c));
        if (bei_klick) bei_klick(c);
    }
    void keypress(ui::Ctl c, int& taste) override {
        ereignisse.push_back("key:" + n(c) + ":" + std::to_string(taste));
        if (bei_taste) bei_taste(c, taste);
    }
    void lostfocus(ui::Ctl c) override {
        ereignisse.push_back("lost:" + n(c));
        if (bei_fokusverlust) bei_fokusverlust(c);
    }
    void form_unload() override {
        ereignisse.push_back("unload");
        if (bei_entladen) bei_entladen();
    }
    int anzahl(const std::string& e) const {
        int z = 0;
        for (const auto& x : ereignisse) z += x == e ? 1 : 0;
        return z;
    }
};

// Handles every queued message the way the program's loop does.
inline void pumpen(ui::Win32Host& host) {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) host.nachricht_bearbeiten(msg);
}

// Queues a key press at `ziel` as the keyboard driver would deliver it; the
// loop's TranslateMessage turns it into WM_CHAR.
inline void taste_senden(HWND ziel, UINT vk) {
    const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    PostMessageW(ziel, WM_KEYDOWN, vk, static_cast<LPARAM>(1 | (scan << 16)));
    PostMessageW(ziel, WM_KEYUP, vk, static_cast<LPARAM>(1 | (scan << 16) | (3U << 30)));
}

inline void ziffern_senden(HWND ziel, const std::string& ziffern) {
    for (char z : ziffern) taste_senden(ziel, static_cast<UINT>(z));
}

inline std::string fenstertext(HWND h) {
    wchar_t puffer[1024] = {};
    GetWindowTextW(h, puffer, 1024);
    return win32::schmal(puffer);
}

inline std::string klassenname(HWND h) {
    wchar_t puffer[64] = {};
    GetClassNameW(h, puffer, 64);
    return win32::schmal(puffer);
}

inline bool hat_stil(HWND h, LONG_PTR stil) { return (GetWindowLongPtrW(h, GWL_STYLE) & stil) == stil; }

// The control's rectangle in its parent's client coordinates.
inline RECT lage(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace karmo::test
