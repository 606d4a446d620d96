// Headless windows for tests: the same surface as the Win32 renderer, driven by test code.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/fenster.hpp"
#include "ui/formular.hpp"

namespace karmo::ui {

// One headless window. Handlers use the Fenster surface; tests act as the
// user through the methods under "user actions", which raise the events a
// real window would raise.
class FakeFenster final : public Fenster {
public:
    FakeFenster(const Formular& deklaration, Formularlogik& ereignisse);
    // Its look-up table points into itself.
    FakeFenster(const FakeFenster&) = delete;
    FakeFenster& operator=(const FakeFenster&) = delete;

    // --- Fenster -----------------------------------------------------------------
    FormId id() const override { return deklaration_.id; }
    void zeigen() override { sichtbar_ = true; }
    void verbergen() override { sichtbar_ = false; }
    bool sichtbar() const override { return sichtbar_; }
    std::string text(Ctl c) const override;
    void setze_text(Ctl c, std::string_view t) override;
    void fokus(Ctl c) override;
    void text_markieren(Ctl c) override { z(c).auswahl = true; }
    int zeilenzahl(Ctl c) const override;
    std::string zeile(Ctl c, int i) const override;
    void zeile_lesen(Ctl c, int i, std::string& ziel) const override;
    void zeilen_lesen(Ctl c, const std::function<void(std::string_view)>& je_zeile) const override;
    void zeile_anfuegen(Ctl c, std::string_view t) override;
    void zeile_ersetzen(Ctl c, int i, std::string_view t) override;
    void zeile_entfernen(Ctl c, int i) override;
    void liste_leeren(Ctl c) override;
    int listenindex(Ctl c) const override;
    void zeile_waehlen(Ctl c, int i) override { z(c).index = i; }
    void setze_vorgabe(Ctl knopf) override { vorgabe_ = knopf; }
    int ausgewaehlt_anzahl(Ctl c) const override;
    std::uint64_t listenstand(Ctl c) const override { return z(c).stand; }
    bool markiert(Ctl c) const override;
    void setze_markiert(Ctl c, bool an) override;
    bool aktiviert(Ctl c) const override;
    void setze_aktiviert(Ctl c, bool an) override;

    // --- inspection ------------------------------------------------------------------
    Ctl fokus_bei() const { return fokus_; }
    bool hat(Ctl c) const { return zustand_.count(c) != 0; }
    // The text and the lines as they are held, without a copy: valid until
    // the control next changes (for checks that run after every action).
    std::string_view text_ansehen(Ctl c) const { return z(c).text; }
    std::string_view zeile_ansehen(Ctl c, int i) const;
    // Whether the whole text of the box is selected (typing replaces it).
    bool text_markiert(Ctl c) const { return z(c).auswahl; }
    const Formular& deklaration() const { return deklaration_; }

    // --- user actions -------------------------------------------------------------------
    // Moves the focus to `c` as Tab or a mouse click would: the control that
    // loses the focus gets its LostFocus event first.
    void benutzer_fokus(Ctl c);
    // Types `t` into text box `c` (focusing it first): each character raises
    // KeyPress ("\r" is Enter, key code 13) and is then inserted unless the
    // handler set the key code to 0, the box is locked, or it is full. The
    // first character inserted replaces a selected text.
    void tippen(Ctl c, std::string_view t);
    // Focuses and clicks a button or check box (a check box toggles).
    void klicken(Ctl c);
    // Clicks line i of a list box: selects it and raises Click.
    void zeile_klicken(Ctl c, int i);
    // The close box.
    void schliessen();
    // Enter where no control takes it: clicks the default button (the one
    // set by setze_vorgabe, else the declared one) when it is enabled.
    void enter();
    // Escape: clicks the button marked k_abbruch when it is enabled.
    void escape();
    // A double click on line i of a list box: selects it, raises Click, and
    // where the list says so (k_doppelklick) presses the default button.
    void zeile_doppelklicken(Ctl c, int i);
    // The renderer's report of a scan typed while `von` had the focus (a
    // control that held it back, see Formularlogik::nimmt_scans).
    void scan_melden(Ctl von, std::string_view ziffern);

private:
    // A list's lines live one after another in blocks of text that are
    // never moved once written, so that a long list costs no allocation per
    // line and no copying as it grows. A replaced or removed line leaves its
    // bytes behind until they make up half of the text.
    struct Zeilenort {
        std::uint32_t block = 0, anfang = 0, laenge = 0;
    };
    struct Zustand {
        const Steuerelement* deklaration = nullptr;
        std::string text;
        std::deque<Zeilenort> zeilen;
        std::vector<std::string> bloecke;
        std::size_t belegt = 0;   // bytes in `bloecke`
        std::size_t verwaist = 0; // of these, bytes no line uses
        int index = -1;
        std::uint64_t stand = 0;
        bool markiert = false;
        bool aktiviert = true;
        bool auswahl = false; // the whole text is selected
    };
    Zustand& z(Ctl c);
    const Zustand& z(Ctl c) const;
    static std::size_t zeilennummer(const Zustand& s, int i);
    static Zeilenort ablegen(Zustand& s, std::string_view t);
    static void verwaist_dazu(Zustand& s, std::size_t n);

    const Formular& deklaration_;
    Formularlogik& ereignisse_;
    std::map<Ctl, Zustand> zustand_;
    // The same entries by control, for the one look-up every call makes.
    std::array<Zustand*, 256> nach_name_{};
    Ctl fokus_ = Ctl::Keiner;
    Ctl vorgabe_ = Ctl::Keiner;
    bool sichtbar_ = false;
};

class FakeHost final : public Fensterhost {
public:
    std::unique_ptr<Fenster> erzeugen(const Formular& deklaration, Formularlogik& ereignisse) override;
};

} // namespace karmo::ui
