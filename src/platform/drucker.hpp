// What Karmo asks of the operating system to print: the print dialog and a printer to draw on.
//
// Everything here is in the printer's own units (device pixels), with the
// origin at the paper's top left corner; the portable page layout
// (druck/) converts its own units to these and decides everything else.
#pragma once

#include <memory>
#include <string_view>

#include "common/fehler.hpp"

namespace karmo {

// A font of the printer: Arial at a character height in device pixels.
struct Druckschrift {
    int hoehe = 0;
    bool fett = false;
};

// One print job on the printer the user chose, from the dialog to its end.
// Drawing calls come between seite_beginnen and seite_beenden.
class Druckauftrag {
public:
    virtual ~Druckauftrag() = default;

    // Device pixels per inch, across and down.
    virtual int dpi_x() const = 0;
    virtual int dpi_y() const = 0;
    // Width of `text` (UTF-8) in device pixels.
    virtual int textbreite(std::string_view text, Druckschrift s) = 0;

    // Starts the job under the document name `titel`.
    virtual Ergebnis beginnen(std::string_view titel) = 0;
    virtual Ergebnis seite_beginnen() = 0;
    // `text` with the top left of its line at x, y.
    virtual void text(int x, int y, std::string_view text, Druckschrift s) = 0;
    // A filled black rectangle.
    virtual void balken(int x, int y, int breite, int hoehe) = 0;
    virtual Ergebnis seite_beenden() = 0;
    // Ends the job: the printer gets what was sent.
    virtual Ergebnis beenden() = 0;
    // Ends a started job without printing the rest.
    virtual void abbrechen() = 0;

    // For long jobs: shows (on the first call) or updates a progress window
    // with "Seite k von N" and an Abbrechen button, and lets the window's
    // messages through. False once the user has asked to stop.
    virtual bool fortschritt(int seite, int seiten) = 0;
    // Closes the progress window, if one is shown.
    virtual void fortschritt_schliessen() = 0;
};

// What the print dialog ended with.
struct Druckwahl {
    enum class Ausgang { Drucken, Abgebrochen, Kein_Drucker, Fehler };
    Ausgang ausgang = Ausgang::Abgebrochen;
    std::unique_ptr<Druckauftrag> auftrag; // with Drucken
    // The pages chosen, 1-based and inclusive; 0 and 0 for all of them.
    int von = 0;
    int bis = 0;
    Ergebnis fehler; // with Fehler: the system's reason
};

class Drucker {
public:
    virtual ~Drucker() = default;
    // The system's print dialog (printer, copies, pages) with the default
    // printer chosen, owned by the program's active window. Copies are the
    // printer's business.
    virtual Druckwahl dialog() = 0;
};

} // namespace karmo
