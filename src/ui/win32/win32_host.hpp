// The Win32 renderer: declared windows as real controls, their events, and the message loop.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "eingabe/scanpuffer.hpp"
#include "ui/formular.hpp"

namespace karmo::ui {

class Win32Host;

// One declared window as a top-level window with child controls. Every
// control is a child of the top-level window itself (a frame is drawn as a
// group box, but a group box would swallow its children's notifications).
class Win32Fenster final : public Fenster {
public:
    Win32Fenster(Win32Host& host, const Formular& deklaration, Formularlogik& ereignisse);
    ~Win32Fenster() override;
    Win32Fenster(const Win32Fenster&) = delete;
    Win32Fenster& operator=(const Win32Fenster&) = delete;

    // --- Fenster -----------------------------------------------------------------
    FormId id() const override { return deklaration_.id; }
    void zeigen() override;
    void verbergen() override;
    bool sichtbar() const override;
    std::string text(Ctl c) const override;
    void setze_text(Ctl c, std::string_view t) override;
    void fokus(Ctl c) override;
    void text_markieren(Ctl c) override;
    int zeilenzahl(Ctl c) const override;
    std::string zeile(Ctl c, int i) const override;
    void zeile_anfuegen(Ctl c, std::string_view t) override;
    void zeile_ersetzen(Ctl c, int i, std::string_view t) override;
    void zeile_entfernen(Ctl c, int i) override;
    void liste_leeren(Ctl c) override;
    std::uint64_t listenstand(Ctl c) const override;
    int listenindex(Ctl c) const override;
    int ausgewaehlt_anzahl(Ctl c) const override;
    bool markiert(Ctl c) const override;
    void setze_markiert(Ctl c, bool an) override;
    bool aktiviert(Ctl c) const override;
    void setze_aktiviert(Ctl c, bool an) override;
    void zeile_waehlen(Ctl c, int i) override;
    void setze_vorgabe(Ctl knopf) override;

    // --- the window system's side ----------------------------------------------------
    HWND hwnd() const { return hwnd_; }
    // The control's window; with `index` >= 0 the member of a control array
    // (or of two same-named labels). nullptr when the window has no such control.
    HWND steuerelement(Ctl c, int index = -1) const;
    // Whether `h` is one of this window's controls.
    bool gehoert_dazu(HWND h) const;
    // Whether `h` is one of this window's single-line text boxes (Enter goes
    // to them as a key press instead of to the dialog navigation).
    bool ist_einzeiliges_textfeld(HWND h) const;
    UINT dpi() const { return dpi_; }
    // A shortcut key of the window (Ctrl+P: its button Drucken) clicks that
    // button when the window has one that is enabled; false when it has none.
    bool kuerzel(Ctl knopf);

private:
    friend class Win32Host;
    struct Element {
        const Steuerelement* d = nullptr;
        HWND hwnd = nullptr;
        int x = 0; // twips from the client area's origin
        int y = 0;
    };

    static LRESULT CALLBACK fensterprozedur(HWND h, UINT m, WPARAM w, LPARAM l) noexcept;
    static LRESULT CALLBACK unterprozedur(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR ref) noexcept;
    LRESULT bearbeiten(UINT m, WPARAM w, LPARAM l);
    LRESULT steuerelement_bearbeiten(Element& e, UINT m, WPARAM w, LPARAM l);
    void befehl(WPARAM w, LPARAM l);
    LRESULT farbe(UINT m, WPARAM w, LPARAM l);
    void aktivierung(WPARAM w);
    void fokusverlust(const Element& el, HWND neu);

    void steuerelemente_anlegen();
    void anordnen(UINT dpi);
    LOGFONTW schriftbild(std::uint32_t schluessel) const;
    HFONT schrift(std::uint32_t schluessel);
    int logo_hoehe() const;
    // win32_beschriftung.cpp: captions fitted, labels kept off their boxes, icons.
    HFONT passende_schrift(const Element& el, std::uint32_t schluessel);
    void beschriftungen_freistellen();
    void symbole_setzen();
    void code_fokus(HWND ziel);
    void zeichnen_aufschieben(HWND liste);
    void nachzeichnen();

    const Element& e(Ctl c) const;
    HWND liste(Ctl c) const;
    Element* element_zu(HWND h);

    Win32Host& host_;
    const Formular& deklaration_;
    Formularlogik& ereignisse_;
    HWND hwnd_ = nullptr;
    UINT dpi_ = 96;
    std::vector<Element> elemente_;            // in declaration order; control id = 100 + position
    std::map<Ctl, std::size_t> erstes_;        // name -> first element of that name
    std::map<std::uint32_t, HFONT> schriften_; // font key -> font at the current dpi
    int logo_hoehe_ = 0;                       // font height of the large logo type at the current dpi
    HWND letzter_fokus_ = nullptr;             // focus to give back when the window is activated again
    HWND vorgemerkt_ = nullptr;                // focus asked for while the window was hidden
    std::map<Ctl, std::uint64_t> listenstaende_; // bumped by every change of a list's lines
    std::vector<HWND> aufgeschoben_;           // list boxes whose drawing waits for the message loop
    Ctl vorgabe_ = Ctl::Keiner;                // the default button set by code; Keiner: the declared one
    bool abbau_ = false;
};

// Creates Win32Fenster windows and runs the program's message loop.
class Win32Host final : public Fensterhost {
public:
    Win32Host();
    ~Win32Host() override;
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;

    std::unique_ptr<Fenster> erzeugen(const Formular& deklaration, Formularlogik& ereignisse) override;

    // Runs until the collection holds no window (at once when it is empty
    // already); returns the exit code of the WM_QUIT that ended it. An error
    // that escaped a window procedure is thrown again from here.
    int nachrichtenschleife(Formularsammlung& sammlung);
    // Handles one message as the loop does: Enter reaches single-line text
    // boxes as a key press, Tab and the other keys navigate as in a dialog.
    void nachricht_bearbeiten(MSG& msg);
    // Throws the error a window procedure caught, if any.
    void ausstehenden_fehler_werfen();

    // The window among this host's windows whose top-level window is `h`.
    Win32Fenster* fenster_zu(HWND h) const;
    // The window class of every window the host creates.
    static const wchar_t* fensterklasse();

private:
    friend class Win32Fenster;
    void anmelden(Win32Fenster* f) { fenster_.push_back(f); }
    void abmelden(Win32Fenster* f);
    static void fehler_merken(std::exception_ptr fehler);
    void klick_abgewiesen(HWND gedrueckt);
    // The message as the loop handles it when no scan is involved.
    void weitergeben(MSG& msg);
    // Scans typed into a control that is not the place for them
    // (win32_scan.cpp): true when the message was taken here.
    bool scan_abfangen(MSG& msg);
    void scanuhr_stellen();
    // A key held back, with the digit it was when it came (0 for another key).
    struct Gehalten {
        MSG msg;
        char ziffer;
    };
    void freigeben(const Gehalten& g);

    std::vector<Win32Fenster*> fenster_;
    HBRUSH grau224_ = nullptr;
    // Set while code (not the user) moves the focus; a focus loss then raises
    // no LostFocus.
    int code_fokus_ = 0;
    // Digit keys held back while they may be a scan, and the timer that
    // passes them on when they are not.
    eingabe::Scanpuffer<Gehalten> scans_;
    UINT_PTR scanuhr_ = 0;
};

} // namespace karmo::ui
