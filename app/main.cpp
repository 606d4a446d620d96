// Entry point of Karmo.exe: the Win32 platform and renderer wired to the program's windows.
#include <windows.h>

#include <exception>

#include "platform/win32/win32_plattform.hpp"
#include "start/start.hpp"
#include "ui/win32/win32_host.hpp"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        // The platform first: it sets up COM on this, the user-interface thread.
        karmo::Win32Plattform plattform;
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
