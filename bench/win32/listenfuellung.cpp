// Filling the capture form's participant list under Windows, beside a bare list box filled in a plain loop.
//
// Prints one line "ergebnis <karmo seconds> <bare seconds>" (medians of
// interleaved rounds) and a second line with the rounds' details.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "capture/ma2_maske.hpp"
#include "testdaten.hpp"
#include "ui/win32/win32_host.hpp"

namespace {

double jetzt() {
    static const double frequenz = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / frequenz;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The lines a load of the largest event appends: EFN (base/speaker points).
std::vector<std::string> geladene_zeilen() {
    std::vector<std::string> z;
    for (const auto& t : bench::groesste_veranstaltung().teilnehmer) z.push_back(t.efn + " (" + t.basis + "/" + t.referent + ")");
    return z;
}

// A hidden top-level window of a plain class with one list box, as a
// program without any framework would make it.
struct NackteListe {
    HWND fenster = nullptr;
    HWND liste = nullptr;

    NackteListe() {
        WNDCLASSW k{};
        k.lpfnWndProc = DefWindowProcW;
        k.hInstance = GetModuleHandleW(nullptr);
        k.lpszClassName = L"NackteListe";
        RegisterClassW(&k);
        fenster = CreateWindowExW(0, L"NackteListe", L"Liste", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 600, 400, nullptr,
                                  nullptr, k.hInstance, nullptr);
        liste = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 10, 10,
                                400, 300, fenster, nullptr, k.hInstance, nullptr);
    }
    ~NackteListe() { DestroyWindow(fenster); }

    void fuellen(const std::vector<std::string>& zeilen) {
        std::wstring w;
        for (const auto& z : zeilen) {
            const int n = MultiByteToWideChar(CP_UTF8, 0, z.data(), static_cast<int>(z.size()), nullptr, 0);
            w.resize(static_cast<std::size_t>(n));
            MultiByteToWideChar(CP_UTF8, 0, z.data(), static_cast<int>(z.size()), w.data(), n);
            SendMessageW(liste, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()));
        }
    }
    int anzahl() const { return static_cast<int>(SendMessageW(liste, LB_GETCOUNT, 0, 0)); }
    void leeren() { SendMessageW(liste, LB_RESETCONTENT, 0, 0); }
};

LRESULT CALLBACK durchreichen(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) { return DefSubclassProc(h, m, w, l); }

// Times one fill of list box `h` with LB_ADDSTRING (text converted per line).
double fuellzeit(HWND h, const std::vector<std::string>& zeilen) {
    SendMessageW(h, LB_RESETCONTENT, 0, 0);
    std::wstring w;
    const double t0 = jetzt();
    for (const auto& z : zeilen) {
        const int n = MultiByteToWideChar(CP_UTF8, 0, z.data(), static_cast<int>(z.size()), nullptr, 0);
        w.resize(static_cast<std::size_t>(n));
        MultiByteToWideChar(CP_UTF8, 0, z.data(), static_cast<int>(z.size()), w.data(), n);
        SendMessageW(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()));
    }
    return jetzt() - t0;
}

} // namespace

int wmain() {
    try {
        const std::vector<std::string> zeilen = geladene_zeilen();

        karmo::ui::Win32Host host;
        karmo::ui::Formularlogik ohne_handler;
        auto maske = host.erzeugen(karmo::k_MA2_Maske, ohne_handler);
        NackteListe nackt;

        constexpr int k_runden = 3;
        std::vector<double> karmo_zeiten, nackt_zeiten;
        for (int r = 0; r < k_runden + 1; ++r) {
            maske->liste_leeren(karmo::ui::Ctl::Teilnehmerliste);
            double t0 = jetzt();
            for (const auto& z : zeilen) maske->zeile_anfuegen(karmo::ui::Ctl::Teilnehmerliste, z);
            const double tk = jetzt() - t0;

            nackt.leeren();
            t0 = jetzt();
            nackt.fuellen(zeilen);
            const double tn = jetzt() - t0;

            if (maske->zeilenzahl(karmo::ui::Ctl::Teilnehmerliste) != static_cast<int>(zeilen.size()) ||
                nackt.anzahl() != static_cast<int>(zeilen.size())) {
                std::printf("fehler\nListe nicht vollständig gefüllt\n");
                return 1;
            }
            if (r == 0) continue; // warm-up
            karmo_zeiten.push_back(tk);
            nackt_zeiten.push_back(tn);
        }
        std::printf("ergebnis %.6f %.6f\n", median(karmo_zeiten), median(nackt_zeiten));
        std::printf("%d rounds of %zu lines, hidden windows; karmo %.1f-%.1f ms, bare %.1f-%.1f ms\n", k_runden, zeilen.size(),
                    *std::min_element(karmo_zeiten.begin(), karmo_zeiten.end()) * 1e3,
                    *std::max_element(karmo_zeiten.begin(), karmo_zeiten.end()) * 1e3,
                    *std::min_element(nackt_zeiten.begin(), nackt_zeiten.end()) * 1e3,
                    *std::max_element(nackt_zeiten.begin(), nackt_zeiten.end()) * 1e3);

        // Where the difference lies: the same messages sent straight to the
        // form's list box (still behind the renderer's subclass), and a bare
        // list box behind a pass-through subclass of comctl32.
        auto& w32 = dynamic_cast<karmo::ui::Win32Fenster&>(*maske);
        const double direkt = fuellzeit(w32.steuerelement(karmo::ui::Ctl::Teilnehmerliste), zeilen);
        NackteListe unterklasse;
        SetWindowSubclass(unterklasse.liste, &durchreichen, 1, 0);
        const double mit_unterklasse = fuellzeit(unterklasse.liste, zeilen);
        std::printf("diagnosis: LB_ADDSTRING straight to the form's list box %.1f ms; bare list box behind a pass-through "
                    "SetWindowSubclass %.1f ms\n", direkt * 1e3, mit_unterklasse * 1e3);
        return 0;
    } catch (const std::exception& e) {
        std::printf("fehler\n%s\n", e.what());
        return 1;
    }
}
