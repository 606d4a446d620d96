// The Win32 renderer: declared windows as real controls, their events, and the message loop.
#include "ui/win32/win32_host.hpp"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "platform/win32/win32_plattform.hpp"

namespace karmo::ui {
namespace {

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

// An error caught at a window procedure, thrown again by the message loop
// (no C++ exception may unwind through the system's code).
std::exception_ptr g_ausstehend;

struct CodeFokus {
    explicit CodeFokus(int& z) : zaehler(z) { ++zaehler; }
    ~CodeFokus() { --zaehler; }
    CodeFokus(const CodeFokus&) = delete;
    CodeFokus& operator=(const CodeFokus&) = delete;
    int& zaehler;
};

UINT fenster_dpi(HWND h) {
    UINT dpi = h ? GetDpiForWindow(h) : 0;
    if (dpi == 0) {
        HDC dc = GetDC(h);
        dpi = static_cast<UINT>(GetDeviceCaps(dc, LOGPIXELSX));
        ReleaseDC(h, dc);
    }
    return dpi ? dpi : 96;
}

std::wstring fenstertext(HWND h) {
    const auto n = SendMessageW(h, WM_GETTEXTLENGTH, 0, 0);
    std::wstring t(static_cast<std::size_t>(std::max<LRESULT>(n, 0)) + 1, L'\0');
    const auto gelesen = SendMessageW(h, WM_GETTEXT, t.size(), reinterpret_cast<LPARAM>(t.data()));
    t.resize(static_cast<std::size_t>(std::max<LRESULT>(gelesen, 0)));
    return t;
}

std::string listenzeile(HWND h, int i) {
    const auto n = SendMessageW(h, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (n == LB_ERR) throw std::out_of_range("Listenzeile");
    std::wstring t(static_cast<std::size_t>(n) + 1, L'\0');
    const auto gelesen = SendMessageW(h, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(t.data()));
    t.resize(static_cast<std::size_t>(std::max<LRESULT>(gelesen, 0)));
    return win32::schmal(t);
}

void zeile_pruefen(HWND liste, int i) {
    const auto n = SendMessageW(liste, LB_GETCOUNT, 0, 0);
    if (i < 0 || i >= n) throw std::out_of_range("Listenzeile");
}

// Window class and styles of one declared control.
struct Klasse {
    const wchar_t* name;
    DWORD stil;
    DWORD ex_stil;
};

Klasse klasse(const Steuerelement& s) {
    DWORD stil = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    if (s.tabindex >= 0) stil |= WS_TABSTOP;
    switch (s.art) {
        case Art::Label:
            return {L"STATIC", stil | SS_LEFT, 0};
        case Art::Rahmen:
            return {L"BUTTON", stil | BS_GROUPBOX, 0};
        case Art::Textfeld:
            stil |= WS_BORDER | ES_AUTOHSCROLL;
            if (s.stil & k_gesperrt) stil |= ES_READONLY;
            if (s.stil & k_mehrzeilig)
                stil = (stil & ~static_cast<DWORD>(ES_AUTOHSCROLL)) | ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL |
                       ES_AUTOVSCROLL;
            return {L"EDIT", stil, WS_EX_CLIENTEDGE};
        case Art::Liste:
            return {L"LISTBOX", stil | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE};
        case Art::Kontrollkaestchen:
            return {L"BUTTON", stil | BS_AUTOCHECKBOX | BS_MULTILINE, 0};
        case Art::Schaltflaeche:
            // Captions longer than the button wrap, as in the forms they were laid out for.
            return {L"BUTTON", stil | BS_PUSHBUTTON | BS_MULTILINE, 0};
    }
    return {L"STATIC", stil, 0};
}

// Order of creation, which is the z-order (first created on top) and so the
// Tab order: the tab stops by tab index, then the other controls, a later one
// above an earlier one as a forms designer stacks them, then the frames, inner
// ones before outer ones, so that a group box lies beneath what it holds.
std::vector<std::size_t> erzeugungsreihenfolge(std::span<const Steuerelement> el) {
    std::vector<std::size_t> tab, rest, rahmen;
    for (std::size_t i = 0; i < el.size(); ++i) {
        if (el[i].art == Art::Rahmen) {
            rahmen.push_back(i);
        } else if (el[i].tabindex >= 0) {
            tab.push_back(i);
        } else {
            rest.push_back(i);
        }
    }
    std::stable_sort(tab.begin(), tab.end(),
                     [&](std::size_t a, std::size_t b) { return el[a].tabindex < el[b].tabindex; });
    std::reverse(rest.begin(), rest.end());
    std::reverse(rahmen.begin(), rahmen.end());
    tab.insert(tab.end(), rest.begin(), rest.end());
    tab.insert(tab.end(), rahmen.begin(), rahmen.end());
    return tab;
}

// Font families by style bit; the key also carries bold.
enum Familie : std::uint32_t { k_system, k_fam_arial, k_fam_ms_sans_serif, k_fam_arial_black };

std::uint32_t schriftschluessel(std::uint32_t stil_element, std::uint32_t stil_fenster) {
    const auto familie = [](std::uint32_t s) -> std::uint32_t {
        if (s & k_arial_black) return k_fam_arial_black;
        if (s & k_ms_sans_serif) return k_fam_ms_sans_serif;
        if (s & k_arial) return k_fam_arial;
        return k_system;
    };
    std::uint32_t f = familie(stil_element);
    if (f == k_system) f = familie(stil_fenster);
    const bool fett = ((stil_element | stil_fenster) & k_fett) != 0;
    return f * 2 + (fett ? 1U : 0U);
}

} // namespace

// --- Win32Host -------------------------------------------------------------------------

Win32Host::Win32Host() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &Win32Fenster::fensterprozedur;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = k_klasse;
    // A second host in the same process (tests) finds the class registered.
    RegisterClassExW(&wc);
    grau224_ = CreateSolidBrush(RGB(224, 224, 224));
}

Win32Host::~Win32Host() { DeleteObject(grau224_); }

std::unique_ptr<Fenster> Win32Host::erzeugen(const Formular& deklaration, Formularlogik& ereignisse) {
    return std::make_unique<Win32Fenster>(*this, deklaration, ereignisse);
}

void Win32Host::abmelden(Win32Fenster* f) {
    fenster_.erase(std::remove(fenster_.begin(), fenster_.end(), f), fenster_.end());
}

Win32Fenster* Win32Host::fenster_zu(HWND h) const {
    if (!h) return nullptr;
    for (Win32Fenster* f : fenster_) {
        if (f->hwnd() == h) return f;
    }
    return nullptr;
}

void Win32Host::fehler_merken(std::exception_ptr fehler) {
    if (!g_ausstehend) g_ausstehend = std::move(fehler);
}

void Win32Host::ausstehenden_fehler_werfen() {
    if (g_ausstehend) {
        std::exception_ptr f = std::move(g_ausstehend);
        g_ausstehend = nullptr;
        std::rethrow_exception(f);
    }
}

void Win32Host::nachricht_bearbeiten(MSG& msg) {
    Win32Fenster* f = msg.hwnd ? fenster_zu(GetAncestor(msg.hwnd, GA_ROOT)) : nullptr;
    if (f && msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && f->ist_einzeiliges_textfeld(msg.hwnd)) {
        // The dialog navigation would take Enter for a default button; the
        // text box's KeyPress handler wants it as key code 13.
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    } else if (!f || !IsDialogMessageW(f->hwnd(), &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONDBLCLK) klick_abgewiesen(msg.hwnd);
    ausstehenden_fehler_werfen();
}

// A control takes the focus on a mouse press and then captures the mouse.
// When a LostFocus handler refused the move (a failed check sent the focus
// back, usually after a message), the pressed control must let go: else it
// would click on release, and with a message box in between it would keep
// the mouse until the next press anywhere.
void Win32Host::klick_abgewiesen(HWND gedrueckt) {
    if (!IsWindow(gedrueckt) || GetCapture() != gedrueckt || GetFocus() == gedrueckt) return;
    const Win32Fenster* f = fenster_zu(GetAncestor(gedrueckt, GA_ROOT));
    if (f && f->gehoert_dazu(gedrueckt)) ReleaseCapture();
}

int Win32Host::nachrichtenschleife(Formularsammlung& sammlung) {
    if (sammlung.leer()) PostQuitMessage(0);
    MSG msg{};
    for (;;) {
        const BOOL r = GetMessageW(&msg, nullptr, 0, 0);
        if (r == 0) return static_cast<int>(msg.wParam);
        if (r == -1) return 1;
        nachricht_bearbeiten(msg);
        if (sammlung.leer()) PostQuitMessage(0);
    }
}

// --- Win32Fenster: construction ----------------------------------------------------------

Win32Fenster::Win32Fenster(Win32Host& host, const Formular& deklaration, Formularlogik& ereignisse)
    : host_(host), deklaration_(deklaration), ereignisse_(ereignisse) {
    // Absolute positions: a frame's contents are placed relative to its inside.
    elemente_.reserve(deklaration_.elemente.size());
    for (const Steuerelement& s : deklaration_.elemente) {
        Element el{&s, nullptr, s.links, s.oben};
        if (s.container != Ctl::Keiner) {
            auto it = erstes_.find(s.container);
            if (it == erstes_.end()) {
                throw std::logic_error("Rahmen vor seinem Inhalt erwarten: " + std::string(deklaration_.name));
            }
            el.x += elemente_[it->second].x;
            el.y += elemente_[it->second].y;
        }
        erstes_.try_emplace(s.name, elemente_.size());
        elemente_.push_back(el);
    }

    const std::wstring titel = win32::breit(deklaration_.titel);
    hwnd_ = CreateWindowExW(0, k_klasse, titel.c_str(), k_fensterstil, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr,
                            nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_) throw std::runtime_error("Fenster " + std::string(deklaration_.name) + " nicht erzeugt");
    host_.anmelden(this);
    try {
        steuerelemente_anlegen();
        anordnen(fenster_dpi(hwnd_));
    } catch (...) {
        // No destructor runs for a half-built window.
        abbau_ = true;
        host_.abmelden(this);
        DestroyWindow(hwnd_);
        for (auto& [schluessel, f] : schriften_) DeleteObject(f);
        throw;
    }
}

Win32Fenster::~Win32Fenster() {
    abbau_ = true;
    host_.abmelden(this);
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    for (auto& [schluessel, f] : schriften_) DeleteObject(f);
}

void Win32Fenster::steuerelemente_anlegen() {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    for (std::size_t i : erzeugungsreihenfolge(deklaration_.elemente)) {
        Element& el = elemente_[i];
        const Klasse k = klasse(*el.d);
        const std::wstring text = el.d->art == Art::Liste ? std::wstring() : win32::breit(el.d->text);
        el.hwnd = CreateWindowExW(k.ex_stil, k.name, text.c_str(), k.stil, 0, 0, 0, 0, hwnd_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(k_erste_id + static_cast<int>(i))), inst,
                                  nullptr);
        if (!el.hwnd) throw std::runtime_error("Steuerelement nicht erzeugt: " + std::string(deklaration_.name));
        if (el.d->art == Art::Textfeld && el.d->maxlaenge > 0) {
            SendMessageW(el.hwnd, EM_LIMITTEXT, static_cast<WPARAM>(el.d->maxlaenge), 0);
        }
        if (el.d->art == Art::Kontrollkaestchen && (el.d->stil & k_markiert)) {
            SendMessageW(el.hwnd, BM_SETCHECK, BST_CHECKED, 0);
        }
        // List boxes report their focus loss through LBN_KILLFOCUS instead: a
        // subclassed list box pays for the subclass lookup on every line added.
        if (el.d->art != Art::Label && el.d->art != Art::Rahmen && el.d->art != Art::Liste) {
            SetWindowSubclass(el.hwnd, &Win32Fenster::unterprozedur, i, reinterpret_cast<DWORD_PTR>(this));
        }
    }
}

LOGFONTW Win32Fenster::schriftbild(std::uint32_t schluessel) const {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0, dpi_)) {
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);
        ncm.lfMessageFont.lfHeight = MulDiv(ncm.lfMessageFont.lfHeight, static_cast<int>(dpi_), 96);
    }
    LOGFONTW lf = ncm.lfMessageFont;
    const auto gesicht = [&lf](const wchar_t* name) {
        lstrcpynW(lf.lfFaceName, name, LF_FACESIZE);
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    };
    switch (schluessel / 2) {
        case k_fam_arial:
            gesicht(L"Arial");
            break;
        case k_fam_ms_sans_serif:
            gesicht(L"MS Sans Serif");
            lf.lfHeight = -MulDiv(8, static_cast<int>(dpi_), 72);
            break;
        case k_fam_arial_black:
            gesicht(L"Arial Black");
            lf.lfHeight = logo_hoehe_ ? logo_hoehe_ : -MulDiv(20, static_cast<int>(dpi_), 72);
            break;
        default:
            break;
    }
    lf.lfWeight = (schluessel % 2) ? FW_BOLD : FW_NORMAL;
    return lf;
}

HFONT Win32Fenster::schrift(std::uint32_t schluessel) {
    if (auto it = schriften_.find(schluessel); it != schriften_.end()) return it->second;
    const LOGFONTW lf = schriftbild(schluessel);
    HFONT f = CreateFontIndirectW(&lf);
    schriften_[schluessel] = f;
    return f;
}

// The logo type is large, about 20 points, but no larger than lets each logo
// label's text fit its box; all logo labels of a window share one size, so a
// name split over two labels reads as one word.
int Win32Fenster::logo_hoehe() const {
    int hoehe = -MulDiv(20, static_cast<int>(dpi_), 72);
    HDC dc = GetDC(hwnd_);
    for (const Element& el : elemente_) {
        const std::uint32_t schluessel = schriftschluessel(el.d->stil, deklaration_.stil);
        if (schluessel / 2 != k_fam_arial_black || el.d->text.empty()) continue;
        LOGFONTW lf = schriftbild(schluessel);
        lf.lfHeight = hoehe;
        HFONT f = CreateFontIndirectW(&lf);
        HGDIOBJ alt = SelectObject(dc, f);
        const std::wstring t = win32::breit(el.d->text);
        SIZE groesse{};
        GetTextExtentPoint32W(dc, t.c_str(), static_cast<int>(t.size()), &groesse);
        SelectObject(dc, alt);
        DeleteObject(f);
        const int breite = pixel(el.x + el.d->breite, static_cast<int>(dpi_)) - pixel(el.x, static_cast<int>(dpi_));
        if (groesse.cx > breite && groesse.cx > 0) hoehe = -std::max(1, static_cast<int>(-hoehe * breite / groesse.cx));
    }
    ReleaseDC(hwnd_, dc);
    return hoehe;
}

// Places the controls and gives them their fonts for the window's current
// resolution: edges, not sizes, are converted, so touching controls still touch.
void Win32Fenster::anordnen(UINT dpi) {
    dpi_ = dpi;
    std::map<std::uint32_t, HFONT> alt;
    alt.swap(schriften_);
    logo_hoehe_ = 0;
    logo_hoehe_ = logo_hoehe();
    const int d = static_cast<int>(dpi);
    for (Element& el : elemente_) {
        const int links = pixel(el.x, d);
        const int oben = pixel(el.y, d);
        const int rechts = pixel(el.x + el.d->breite, d);
        const int unten = pixel(el.y + el.d->hoehe, d);
        SetWindowPos(el.hwnd, nullptr, links, oben, rechts - links, unten - oben,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        SendMessageW(el.hwnd, WM_SETFONT,
                     reinterpret_cast<WPARAM>(schrift(schriftschluessel(el.d->stil, deklaration_.stil))), FALSE);
    }
    for (auto& [schluessel, f] : alt) DeleteObject(f);
    RECT r{0, 0, pixel(deklaration_.breite, d), pixel(deklaration_.hoehe, d)};
    AdjustWindowRectExForDpi(&r, k_fensterstil, FALSE, 0, dpi);
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

// --- Win32Fenster: lookup -----------------------------------------------------------------

const Win32Fenster::Element& Win32Fenster::e(Ctl c) const {
    auto it = erstes_.find(c);
    if (it == erstes_.end()) {
        throw std::logic_error("Steuerelement fehlt im Fenster " + std::string(deklaration_.name) + ": " +
                               std::to_string(static_cast<int>(c)));
    }
    return elemente_[it->second];
}

HWND Win32Fenster::liste(Ctl c) const {
    const Element& el = e(c);
    if (el.d->art != Art::Liste) throw std::logic_error("keine Liste im Fenster " + std::string(deklaration_.name));
    return el.hwnd;
}

HWND Win32Fenster::steuerelement(Ctl c, int index) const {
    for (const Element& el : elemente_) {
        if (el.d->name == c && (index < 0 || el.d->index == index)) return el.hwnd;
    }
    return nullptr;
}

Win32Fenster::Element* Win32Fenster::element_zu(HWND h) {
    if (!h || GetParent(h) != hwnd_) return nullptr;
    const int i = GetDlgCtrlID(h) - k_erste_id;
    if (i < 0 || i >= static_cast<int>(elemente_.size())) return nullptr;
    Element& el = elemente_[static_cast<std::size_t>(i)];
    return el.hwnd == h ? &el : nullptr;
}

bool Win32Fenster::gehoert_dazu(HWND h) const { return const_cast<Win32Fenster*>(this)->element_zu(h) != nullptr; }

bool Win32Fenster::ist_einzeiliges_textfeld(HWND h) const {
    const Element* el = const_cast<Win32Fenster*>(this)->element_zu(h);
    return el && el->d->art == Art::Textfeld && !(el->d->stil & k_mehrzeilig);
}

// --- Win32Fenster: the surface -------------------------------------------------------------

void Win32Fenster::code_fokus(HWND ziel) {
    CodeFokus markierung(host_.code_fokus_);
    SetFocus(ziel);
}

void Win32Fenster::zeigen() {
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    if (vorgemerkt_) {
        HWND ziel = vorgemerkt_;
        vorgemerkt_ = nullptr;
        code_fokus(ziel);
    }
}

void Win32Fenster::verbergen() { ShowWindow(hwnd_, SW_HIDE); }

bool Win32Fenster::sichtbar() const { return IsWindowVisible(hwnd_) != FALSE; }

std::string Win32Fenster::text(Ctl c) const {
    const Element& el = e(c);
    if (el.d->art == Art::Liste) {
        // A list box's text is its selected line.
        const auto i = SendMessageW(el.hwnd, LB_GETCURSEL, 0, 0);
        return i == LB_ERR ? std::string() : listenzeile(el.hwnd, static_cast<int>(i));
    }
    return win32::schmal(fenstertext(el.hwnd));
}

void Win32Fenster::setze_text(Ctl c, std::string_view t) { SetWindowTextW(e(c).hwnd, win32::breit(t).c_str()); }

void Win32Fenster::fokus(Ctl c) {
    HWND ziel = e(c).hwnd;
    if (!IsWindowVisible(hwnd_)) {
        // Given when the window is shown.
        vorgemerkt_ = ziel;
        return;
    }
    code_fokus(ziel);
}

int Win32Fenster::zeilenzahl(Ctl c) const { return static_cast<int>(SendMessageW(liste(c), LB_GETCOUNT, 0, 0)); }

std::string Win32Fenster::zeile(Ctl c, int i) const {
    HWND h = liste(c);
    zeile_pruefen(h, i);
    return listenzeile(h, i);
}

// A handler that adds many lines (a loaded event) would have the list box
// repaint its scroll bar after every one; drawing waits instead until the
// handler is done and the message loop takes the next message. The posted
// message comes before any waiting keystroke, so nothing is reordered.
void Win32Fenster::zeichnen_aufschieben(HWND liste) {
    if (std::find(aufgeschoben_.begin(), aufgeschoben_.end(), liste) != aufgeschoben_.end()) return;
    if (aufgeschoben_.empty()) PostMessageW(hwnd_, k_nachzeichnen, 0, 0);
    SendMessageW(liste, WM_SETREDRAW, FALSE, 0);
    aufgeschoben_.push_back(liste);
}

void Win32Fenster::nachzeichnen() {
    for (HWND liste : aufgeschoben_) {
        SendMessageW(liste, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(liste, nullptr, TRUE);
    }
    aufgeschoben_.clear();
}

void Win32Fenster::zeile_anfuegen(Ctl c, std::string_view t) {
    HWND h = liste(c);
    const std::wstring w = win32::breit(t);
    zeichnen_aufschieben(h);
    ++listenstaende_[c];
    const auto r = SendMessageW(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()));
    if (r == LB_ERR || r == LB_ERRSPACE) throw std::length_error("Liste voll");
}

void Win32Fenster::zeile_ersetzen(Ctl c, int i, std::string_view t) {
    HWND h = liste(c);
    zeile_pruefen(h, i);
    const auto auswahl = SendMessageW(h, LB_GETCURSEL, 0, 0);
    const auto oben = SendMessageW(h, LB_GETTOPINDEX, 0, 0);
    const std::wstring w = win32::breit(t);
    zeichnen_aufschieben(h);
    ++listenstaende_[c];
    SendMessageW(h, LB_INSERTSTRING, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(w.c_str()));
    SendMessageW(h, LB_DELETESTRING, static_cast<WPARAM>(i + 1), 0);
    if (auswahl != LB_ERR) SendMessageW(h, LB_SETCURSEL, static_cast<WPARAM>(auswahl), 0);
    SendMessageW(h, LB_SETTOPINDEX, static_cast<WPARAM>(oben), 0);
}

void Win32Fenster::zeile_entfernen(Ctl c, int i) {
    HWND h = liste(c);
    zeile_pruefen(h, i);
    ++listenstaende_[c];
    SendMessageW(h, LB_DELETESTRING, static_cast<WPARAM>(i), 0);
    SendMessageW(h, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

void Win32Fenster::liste_leeren(Ctl c) {
    ++listenstaende_[c];
    SendMessageW(liste(c), LB_RESETCONTENT, 0, 0);
}

std::uint64_t Win32Fenster::listenstand(Ctl c) const {
    liste(c);
    const auto it = listenstaende_.find(c);
    return it == listenstaende_.end() ? 0 : it->second;
}

int Win32Fenster::listenindex(Ctl c) const {
    const auto i = SendMessageW(liste(c), LB_GETCURSEL, 0, 0);
    return i == LB_ERR ? -1 : static_cast<int>(i);
}

int Win32Fenster::ausgewaehlt_anzahl(Ctl c) const { return listenindex(c) >= 0 ? 1 : 0; }

bool Win32Fenster::markiert(Ctl c) const { return SendMessageW(e(c).hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Win32Fenster::setze_markiert(Ctl c, bool an) {
    SendMessageW(e(c).hwnd, BM_SETCHECK, an ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32Fenster::aktiviert(Ctl c) const { return IsWindowEnabled(e(c).hwnd) != FALSE; }

void Win32Fenster::setze_aktiviert(Ctl c, bool an) {
    HWND h = e(c).hwnd;
    if (!an && GetFocus() == h) {
        // A disabled control would leave the keyboard with no focus at all.
        HWND weiter = GetNextDlgTabItem(hwnd_, h, FALSE);
        if (weiter && weiter != h) code_fokus(weiter);
    }
    EnableWindow(h, an ? TRUE : FALSE);
}

// --- Win32Fenster: events -------------------------------------------------------------------

LRESULT CALLBACK Win32Fenster::fensterprozedur(HWND h, UINT m, WPARAM w, LPARAM l) noexcept {
    try {
        if (m == WM_NCCREATE) {
            auto* f = static_cast<Win32Fenster*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
            f->hwnd_ = h;
            SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(f));
        }
        auto* f = reinterpret_cast<Win32Fenster*>(GetWindowLongPtrW(h, GWLP_USERDATA));
        if (f && !f->abbau_) return f->bearbeiten(m, w, l);
        return DefWindowProcW(h, m, w, l);
    } catch (...) {
        Win32Host::fehler_merken(std::current_exception());
        return 0;
    }
}

LRESULT Win32Fenster::bearbeiten(UINT m, WPARAM w, LPARAM l) {
    switch (m) {
        case WM_CLOSE:
            // The collection may unload and destroy this window inside the call;
            // nothing of `this` is touched afterwards.
            ereignisse_.form_unload();
            return 0;
        case WM_COMMAND:
            befehl(w, l);
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
            return farbe(m, w, l);
        case WM_ACTIVATE:
            aktivierung(w);
            return 0;
        case k_nachzeichnen:
            nachzeichnen();
            return 0;
        case WM_DPICHANGED: {
            anordnen(HIWORD(w));
            const RECT* r = reinterpret_cast<const RECT*>(l);
            SetWindowPos(hwnd_, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        default:
            return DefWindowProcW(hwnd_, m, w, l);
    }
}

void Win32Fenster::aktivierung(WPARAM w) {
    if (LOWORD(w) == WA_INACTIVE) {
        HWND f = GetFocus();
        if (gehoert_dazu(f)) letzter_fokus_ = f;
        return;
    }
    if (IsIconic(hwnd_)) return;
    // A top-level window would otherwise take the focus itself: give it back
    // to the control that had it, else to the first tab stop.
    HWND ziel = vorgemerkt_;
    vorgemerkt_ = nullptr;
    if (!ziel && gehoert_dazu(letzter_fokus_) && IsWindowEnabled(letzter_fokus_)) ziel = letzter_fokus_;
    if (!ziel) ziel = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
    if (ziel) {
        code_fokus(ziel);
    } else {
        CodeFokus markierung(host_.code_fokus_);
        SetFocus(hwnd_);
    }
}

void Win32Fenster::befehl(WPARAM w, LPARAM l) {
    const int id = LOWORD(w);
    const auto meldung = HIWORD(w);
    HWND quelle = reinterpret_cast<HWND>(l);
    if (id == IDOK && !quelle) {
        // Enter while a command button has the focus clicks it.
        const Element* el = element_zu(GetFocus());
        if (el && el->d->art == Art::Schaltflaeche) ereignisse_.click(el->d->name);
        return;
    }
    const Element* el = element_zu(quelle);
    if (!el) return;
    switch (el->d->art) {
        case Art::Schaltflaeche:
        case Art::Kontrollkaestchen:
            if (meldung == BN_CLICKED) ereignisse_.click(el->d->name);
            break;
        case Art::Liste:
            if (meldung == LBN_SELCHANGE) {
                ereignisse_.click(el->d->name);
            } else if (meldung == LBN_KILLFOCUS) {
                // The focus has already moved on when the list box reports losing it.
                fokusverlust(*el, GetFocus());
            }
            break;
        default:
            break;
    }
}

LRESULT Win32Fenster::farbe(UINT m, WPARAM w, LPARAM l) {
    const LRESULT standard = DefWindowProcW(hwnd_, m, w, l);
    const Element* el = element_zu(reinterpret_cast<HWND>(l));
    if (!el) return standard;
    HDC dc = reinterpret_cast<HDC>(w);
    if (el->d->stil & k_grund_224) {
        SetBkColor(dc, RGB(224, 224, 224));
        return reinterpret_cast<LRESULT>(host_.grau224_);
    }
    if (el->d->stil & k_grund_knopf) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return standard;
}

// LostFocus only for the user's own move to another control of this window:
// not for a handler's fokus(), a message box, another window, or hiding.
void Win32Fenster::fokusverlust(const Element& el, HWND neu) {
    if (host_.code_fokus_ == 0 && neu != el.hwnd && gehoert_dazu(neu)) ereignisse_.lostfocus(el.d->name);
}

LRESULT CALLBACK Win32Fenster::unterprozedur(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR ref) noexcept {
    try {
        if (m == WM_NCDESTROY) {
            RemoveWindowSubclass(h, &Win32Fenster::unterprozedur, id);
            return DefSubclassProc(h, m, w, l);
        }
        auto* f = reinterpret_cast<Win32Fenster*>(ref);
        if (f->abbau_ || id >= f->elemente_.size()) return DefSubclassProc(h, m, w, l);
        return f->steuerelement_bearbeiten(f->elemente_[id], m, w, l);
    } catch (...) {
        Win32Host::fehler_merken(std::current_exception());
        return 0;
    }
}

LRESULT Win32Fenster::steuerelement_bearbeiten(Element& el, UINT m, WPARAM w, LPARAM l) {
    HWND h = el.hwnd;
    switch (m) {
        case WM_CHAR: {
            if (el.d->art != Art::Textfeld) break;
            int taste = static_cast<int>(w);
            const Ctl name = el.d->name;
            ereignisse_.keypress(name, taste);
            // The handler may have unloaded the window; the control tells.
            if (!IsWindow(h)) return 0;
            if (taste == 0) return 0;
            // A single-line box has no use for Enter but to beep.
            if (taste == 13 && !(el.d->stil & k_mehrzeilig)) return 0;
            return DefSubclassProc(h, m, static_cast<WPARAM>(taste), l);
        }
        case WM_GETDLGCODE: {
            // A multi-line box wants every key, Tab included; here Tab moves on,
            // as in every other control.
            LRESULT code = DefSubclassProc(h, m, w, l);
            const MSG* msg = reinterpret_cast<const MSG*>(l);
            if (msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && msg->wParam == VK_TAB) {
                code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
            }
            return code;
        }
        case WM_KILLFOCUS: {
            const LRESULT r = DefSubclassProc(h, m, w, l);
            fokusverlust(el, reinterpret_cast<HWND>(w));
            return r;
        }
        default:
            break;
    }
    return DefSubclassProc(h, m, w, l);
}

} // namespace karmo::ui
