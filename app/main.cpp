// Entry point of Karmo.exe: the Win32 platform and renderer wired to the program's windows.
#include <windows.h>

#include <exception>

#include "platform/win32/win32_drucker.hpp"
#include "platform/win32/win32_einzelstart.hpp"
#include "platform/win32/win32_plattform.hpp"
#include "start/start.hpp"
#include "ui/win32/win32_host.hpp"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        // One program at a time, from before the first window (setup and
        // update included) to the end: a second start shows the running
        // program instead and ends.
        const karmo::win32::Einzelstart einzelstart(L"Local\\Karmo.Programm");
        if (!einzelstart.erster()) {
            karmo::win32::nach_vorne(karmo::ui::Win32Host::fensterklasse());
            return 0;
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
