// A print job on a printer device context: fonts, text and bars in device pixels, the abort procedure and its window.
#include "platform/win32/win32_drucker.hpp"

#include <windows.h>
#include <commdlg.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/win32/win32_kartenfang.hpp"
#include "platform/win32/win32_plattform.hpp"

namespace karmo {
namespace {

constexpr wchar_t k_fortschrittsklasse[] = L"KarmoAusdruckLaeuft";
constexpr int k_id_text = 100;

// The messages of every window, let through while a job runs (the abort
// procedure, and between pages); the progress window's keys go to its button.
// A card scanned meanwhile, into any window, is kept and captured when the
// job has ended: it neither cancels the job nor lands in a box.
void nachrichten_durchlassen(HWND fortschritt) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (win32::karte_abfangen(msg)) continue;
        if (fortschritt && win32::dialognachricht(fortschritt, msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The job that the abort procedure answers for; one at a time.
bool g_abbruch = false;
HWND g_fortschritt = nullptr;

BOOL CALLBACK abbruchprozedur(HDC, int) {
    nachrichten_durchlassen(g_fortschritt);
    return g_abbruch ? FALSE : TRUE;
}

LRESULT CALLBACK fortschrittsprozedur(HWND h, UINT m, WPARAM w, LPARAM l) {
    switch (m) {
        case WM_COMMAND:
            if (LOWORD(w) == IDCANCEL) {
                g_abbruch = true;
                EnableWindow(GetDlgItem(h, IDCANCEL), FALSE);
            }
            return 0;
        case WM_CLOSE:
            g_abbruch = true;
            return 0;
        default:
            return DefWindowProcW(h, m, w, l);
    }
}

void klasse_anmelden() {
    static bool angemeldet = false;
    if (angemeldet) return;
    WNDCLASSW k{};
    k.lpfnWndProc = fortschrittsprozedur;
    k.hInstance = GetModuleHandleW(nullptr);
    k.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    k.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    k.lpszClassName = k_fortschrittsklasse;
    RegisterClassW(&k);
    angemeldet = true;
}

Ergebnis letzter_fehler() {
    DWORD n = GetLastError();
    if (n == ERROR_SUCCESS) n = ERROR_GEN_FAILURE;
    return {static_cast<int>(n), win32::fehlertext(n)};
}

class Win32Auftrag final : public Druckauftrag {
public:
    Win32Auftrag(HDC dc, HWND besitzer) : dc_(dc), besitzer_(besitzer) {
        dpi_x_ = GetDeviceCaps(dc_, LOGPIXELSX);
        dpi_y_ = GetDeviceCaps(dc_, LOGPIXELSY);
        // The device's origin is the printable area's corner; the layout's is the paper's.
        versatz_x_ = GetDeviceCaps(dc_, PHYSICALOFFSETX);
        versatz_y_ = GetDeviceCaps(dc_, PHYSICALOFFSETY);
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, RGB(0, 0, 0));
        SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    }
    ~Win32Auftrag() override {
        fortschritt_schliessen();
        if (laeuft_) AbortDoc(dc_);
        SelectObject(dc_, GetStockObject(SYSTEM_FONT));
        for (auto& [schluessel, schrift] : schriften_) DeleteObject(schrift);
        DeleteDC(dc_);
        g_abbruch = false;
    }
    Win32Auftrag(const Win32Auftrag&) = delete;
    Win32Auftrag& operator=(const Win32Auftrag&) = delete;

    int dpi_x() const override { return dpi_x_; }
    int dpi_y() const override { return dpi_y_; }

    int textbreite(std::string_view text, Druckschrift s) override {
        waehlen(s);
        const std::wstring w = win32::breit(text);
        SIZE g{};
        GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &g);
        return g.cx;
    }

    Ergebnis beginnen(std::string_view titel) override {
        g_abbruch = false;
        SetAbortProc(dc_, abbruchprozedur);
        const std::wstring name = win32::breit(titel);
        DOCINFOW info{};
        info.cbSize = sizeof(info);
        info.lpszDocName = name.c_str();
        SetLastError(ERROR_SUCCESS);
        if (StartDocW(dc_, &info) <= 0) return letzter_fehler();
        laeuft_ = true;
        return {};
    }
    Ergebnis seite_beginnen() override {
        SetLastError(ERROR_SUCCESS);
        if (StartPage(dc_) <= 0) return letzter_fehler();
        // A driver may reset the context at every page.
        SetBkMode(dc_, TRANSPARENT);
        SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        aktuell_ = nullptr;
        return {};
    }
    void text(int x, int y, std::string_view t, Druckschrift s) override {
        waehlen(s);
        const std::wstring w = win32::breit(t);
        TextOutW(dc_, x - versatz_x_, y - versatz_y_, w.c_str(), static_cast<int>(w.size()));
    }
    void balken(int x, int y, int breite, int hoehe) override {
        const RECT r{x - versatz_x_, y - versatz_y_, x - versatz_x_ + breite, y - versatz_y_ + hoehe};
        FillRect(dc_, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    Ergebnis seite_beenden() override {
        SetLastError(ERROR_SUCCESS);
        if (EndPage(dc_) <= 0) return letzter_fehler();
        return {};
    }
    Ergebnis beenden() override {
        laeuft_ = false;
        SetLastError(ERROR_SUCCESS);
        if (EndDoc(dc_) <= 0) return letzter_fehler();
        return {};
    }
    void abbrechen() override {
        if (laeuft_) AbortDoc(dc_);
        laeuft_ = false;
    }

    bool fortschritt(int seite, int seiten) override {
        if (!fenster_) fenster_oeffnen();
        if (fenster_) {
            const std::wstring t = L"Seite " + std::to_wstring(seite) + L" von " + std::to_wstring(seiten);
            SetDlgItemTextW(fenster_, k_id_text, t.c_str());
            UpdateWindow(fenster_);
        }
        nachrichten_durchlassen(fenster_);
        return !g_abbruch;
    }
    void fortschritt_schliessen() override {
        if (!fenster_) return;
        if (besitzer_) EnableWindow(besitzer_, TRUE);
        DestroyWindow(fenster_);
        fenster_ = nullptr;
        g_fortschritt = nullptr;
        if (besitzer_) SetForegroundWindow(besitzer_);
    }

private:
    void waehlen(Druckschrift s) {
        const auto schluessel = std::make_pair(s.hoehe, s.fett);
        auto it = schriften_.find(schluessel);
        if (it == schriften_.end()) {
            HFONT f = CreateFontW(-s.hoehe, 0, 0, 0, s.fett ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_SWISS, L"Arial");
            it = schriften_.emplace(schluessel, f).first;
        }
        if (aktuell_ != it->second) {
            SelectObject(dc_, it->second);
            aktuell_ = it->second;
        }
    }

    // "Ausdruck läuft": the page count and Abbrechen; the program's window
    // takes no input meanwhile.
    void fenster_oeffnen() {
        klasse_anmelden();
        HINSTANCE inst = GetModuleHandleW(nullptr);
        const UINT dpi = besitzer_ ? GetDpiForWindow(besitzer_) : 96;
        const auto px = [dpi](int v) { return MulDiv(v, static_cast<int>(dpi), 96); };
        RECT r{0, 0, px(300), px(110)};
        const DWORD stil = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        AdjustWindowRectExForDpi(&r, stil, FALSE, WS_EX_DLGMODALFRAME, dpi);
        RECT b{};
        if (besitzer_) GetWindowRect(besitzer_, &b);
        const int breite = r.right - r.left;
        const int hoehe = r.bottom - r.top;
        fenster_ = CreateWindowExW(WS_EX_DLGMODALFRAME, k_fortschrittsklasse, L"Ausdruck läuft", stil,
                                   b.left + ((b.right - b.left) - breite) / 2, b.top + ((b.bottom - b.top) - hoehe) / 2,
                                   breite, hoehe, besitzer_, nullptr, inst, nullptr);
        if (!fenster_) return;
        NONCLIENTMETRICSW ncm{};
        ncm.cbSize = sizeof(ncm);
        SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0, dpi);
        schrift_fenster_.reset(CreateFontIndirectW(&ncm.lfMessageFont));
        HWND text = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTER, px(10), px(18), px(280),
                                    px(20), fenster_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(k_id_text)), inst,
                                    nullptr);
        HWND knopf = CreateWindowExW(0, L"BUTTON", L"Abbrechen", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                     px(105), px(60), px(90), px(26), fenster_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDCANCEL)), inst, nullptr);
        for (HWND c : {text, knopf}) SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(schrift_fenster_.get()), TRUE);
        g_fortschritt = fenster_;
        if (besitzer_) EnableWindow(besitzer_, FALSE);
        ShowWindow(fenster_, SW_SHOW);
        SetFocus(knopf);
    }

    struct Schriftloeschung {
        void operator()(HFONT f) const { DeleteObject(f); }
    };

    HDC dc_;
    HWND besitzer_;
    int dpi_x_ = 300, dpi_y_ = 300;
    int versatz_x_ = 0, versatz_y_ = 0;
    bool laeuft_ = false;
    std::map<std::pair<int, bool>, HFONT> schriften_;
    HFONT aktuell_ = nullptr;
    HWND fenster_ = nullptr;
    std::unique_ptr<std::remove_pointer_t<HFONT>, Schriftloeschung> schrift_fenster_;
};

// The program's window that owns the dialog: the active one, or else (the
// window that asked has just been hidden and the next one shown, which Wine
// activates a moment later) the thread's visible top-level window.
HWND programmfenster() {
    if (HWND h = GetActiveWindow()) return h;
    HWND gefunden = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM l) -> BOOL {
            if (!IsWindowVisible(h) || GetWindow(h, GW_OWNER)) return TRUE;
            *reinterpret_cast<HWND*>(l) = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&gefunden));
    return gefunden;
}

// Whether Windows knows any printer at all.
bool drucker_vorhanden() {
    DWORD noetig = 0;
    DWORD anzahl = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &noetig, &anzahl);
    return noetig > 0;
}

} // namespace

Druckwahl Win32Drucker::dialog() {
    Druckwahl w;
    if (!drucker_vorhanden()) {
        w.ausgang = Druckwahl::Ausgang::Kein_Drucker;
        return w;
    }
    HWND besitzer = programmfenster();
    PRINTDLGW pd{};
    pd.lStructSize = sizeof(pd);
    pd.hwndOwner = besitzer;
    pd.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION | PD_ALLPAGES;
    pd.nFromPage = 1;
    pd.nToPage = 1;
    pd.nMinPage = 1;
    pd.nMaxPage = 0xFFFF;
    pd.nCopies = 1;
    const BOOL ok = PrintDlgW(&pd);
    // The owner gets the foreground back (Wine leaves it to no window after
    // Cancel), and with it the focus it had. The activation changes that the
    // closing dialog set off arrive a moment later: they are handled first,
    // so that none of them takes the foreground away again afterwards.
    if (besitzer && IsWindow(besitzer)) {
        SetForegroundWindow(besitzer);
        const ULONGLONG bis = GetTickCount64() + 150;
        MSG msg;
        while (GetTickCount64() < bis) {
            // Not the input: a card scanned now stays queued for the message
            // loop, which tells scans from other keys.
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE | PM_QS_PAINT)) {
                if (msg.message == WM_QUIT) {
                    PostQuitMessage(static_cast<int>(msg.wParam));
                    break;
                }
                if (win32::karte_abfangen(msg)) continue; // the catcher's clock
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            if (GetForegroundWindow() != besitzer) SetForegroundWindow(besitzer);
            Sleep(10);
        }
        SetActiveWindow(besitzer);
    }
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    if (!ok) {
        const DWORD fehler = CommDlgExtendedError();
        if (fehler == 0) {
            w.ausgang = Druckwahl::Ausgang::Abgebrochen;
        } else if (fehler == PDERR_NODEFAULTPRN || fehler == PDERR_NODEVICES) {
            w.ausgang = Druckwahl::Ausgang::Kein_Drucker;
        } else {
            w.ausgang = Druckwahl::Ausgang::Fehler;
            char nummer[16];
            wsprintfA(nummer, "0x%04lX", fehler);
            w.fehler = {static_cast<int>(fehler), std::string("Fehler des Druckdialogs ") + nummer + "."};
        }
        return w;
    }
    if (!pd.hDC) {
        w.ausgang = Druckwahl::Ausgang::Fehler;
        w.fehler = letzter_fehler();
        return w;
    }
    w.ausgang = Druckwahl::Ausgang::Drucken;
    w.auftrag = std::make_unique<Win32Auftrag>(pd.hDC, besitzer);
    if (pd.Flags & PD_PAGENUMS) {
        w.von = pd.nFromPage;
        w.bis = pd.nToPage;
    }
    return w;
}

} // namespace karmo
