// Entry point of Karmo.exe: the Win32 platform and renderer wired to the program's windows.
#include <windows.h>

#include <chrono>
#include <exception>

#include "platform/win32/win32_drucker.hpp"
#include "platform/win32/win32_einzelstart.hpp"
#include "platform/win32/win32_plattform.hpp"
#include "start/einzelstart.hpp"
#include "start/start.hpp"
#include "ui/win32/win32_host.hpp"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        // One program at a time, from before the first window (setup and
        // update included) to the end: a second start shows the running
        // program instead and ends, waits for one that is going away, or
        // says that it cannot find its window (Einzelstart_entscheiden).
        karmo::win32::Einzelstart einzelstart(L"Local\\Karmo.Programm");
        if (!einzelstart.erster()) {
            const karmo::Laufendes_Programm laufend{
                [] { return karmo::win32::nach_vorne(karmo::ui::Win32Host::fensterklasse()); },
                [&einzelstart] { return einzelstart.nehmen(); },
                [](std::chrono::milliseconds ms) { Sleep(static_cast<DWORD>(ms.count())); }};
            switch (karmo::Einzelstart_entscheiden(laufend)) {
                case karmo::Zweiter_Start::Starten:
                    break;
                case karmo::Zweiter_Start::Fenster_gezeigt:
                    return 0;
                case karmo::Zweiter_Start::Melden:
                    MessageBoxW(nullptr, karmo::win32::breit(karmo::k_einzelstart_meldung).c_str(), L"Karmo", MB_OK);
                    return 0;
            }
        }
        // The platform first: it sets up COM on this, the user-interface thread.
        karmo::Win32Plattform plattform;
        karmo::Win32Drucker drucker;
        plattform.setze_drucker(&drucker);
        // The host registers the window class and the common controls (visual
        // styles of Common Controls 6, selected by the manifest).
        karmo::ui::Win32Host host;
        karmo::ui::Formularsammlung formulare(host, karmo::Deklaration);
        karmo::Programm programm(plattform, formulare);
        karmo::Programm_einrichten(programm);
        // The start runs under the same top-level error handling as every handler.
        formulare.ausfuehren([&programm] { karmo::Main(programm); });
        return host.nachrichtenschleife(formulare);
    } catch (const std::exception& e) {
        // Only an error the top-level handling itself could not deal with gets here.
        MessageBoxW(nullptr, karmo::win32::breit(e.what()).c_str(), L"Karmo", MB_OK);
        return 1;
    } catch (...) {
        return 1;
    }
}
