// The surface a window offers its handlers and the event-file code.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "ui/steuerelemente.hpp"

namespace karmo::ui {

// One loaded window. Implemented by the Win32 renderer and by the headless
// test host; handlers see nothing else of a window.
class Fenster {
public:
    virtual ~Fenster() = default;

    virtual FormId id() const = 0;

    // Window
    virtual void zeigen() = 0;   // show, not modal
    virtual void verbergen() = 0; // hide; contents stay
    virtual bool sichtbar() const = 0;

    // Text boxes (and captions of other controls)
    virtual std::string text(Ctl c) const = 0;
    virtual void setze_text(Ctl c, std::string_view t) = 0;
    virtual void fokus(Ctl c) = 0;
    // Selects the whole text of a text box, so that what is typed next replaces it.
    virtual void text_markieren(Ctl c) = 0;

    // List boxes; positions count from 0.
    virtual int zeilenzahl(Ctl c) const = 0;
    virtual std::string zeile(Ctl c, int i) const = 0;
    // Line i into `ziel`, whose storage is reused: for reading every line in turn.
    virtual void zeile_lesen(Ctl c, int i, std::string& ziel) const { ziel = zeile(c, i); }
    // Every line in order, each a view valid during its call: for reading the
    // whole list at once (a save reads 32,767 of them).
    virtual void zeilen_lesen(Ctl c, const std::function<void(std::string_view)>& je_zeile) const {
        std::string zeile;
        const int n = zeilenzahl(c);
        for (int i = 0; i < n; ++i) {
            zeile_lesen(c, i, zeile);
            je_zeile(zeile);
        }
    }
    virtual void zeile_anfuegen(Ctl c, std::string_view t) = 0;
    // Replaces line i in place; a selection on it stays.
    virtual void zeile_ersetzen(Ctl c, int i, std::string_view t) = 0;
    // Removes line i; no line is selected afterwards.
    virtual void zeile_entfernen(Ctl c, int i) = 0;
    virtual void liste_leeren(Ctl c) = 0;
    virtual int listenindex(Ctl c) const = 0;          // selected position, -1 for none
    virtual int ausgewaehlt_anzahl(Ctl c) const = 0;   // number of selected lines
    // A count that changes whenever the list's lines change (not its
    // selection), so that a handler can keep its own index of the lines.
    virtual std::uint64_t listenstand(Ctl c) const = 0;

    // Check boxes and enabling
    virtual bool markiert(Ctl c) const = 0;
    virtual void setze_markiert(Ctl c, bool an) = 0;
    virtual bool aktiviert(Ctl c) const = 0;
    virtual void setze_aktiviert(Ctl c, bool an) = 0;

    // Selects line i of a list box (-1: none) without raising its Click.
    virtual void zeile_waehlen(Ctl c, int i) = 0;
    // The button that Enter clicks from now on, wherever the focus is (when
    // it is enabled; a greyed one takes Enter away from every button).
    // Ctl::Keiner: the one the declaration marks (k_vorgabe).
    virtual void setze_vorgabe(Ctl knopf) = 0;
};

} // namespace karmo::ui
