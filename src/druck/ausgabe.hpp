// A printout from the print dialog to the last page: layout on the chosen printer, progress, every error in one message.
#pragma once

#include <string>

#include "druck/druckdaten.hpp"
#include "druck/seite.hpp"
#include "platform/drucker.hpp"
#include "platform/plattform.hpp"

namespace karmo::druck {

inline constexpr const char* k_kein_drucker =
    "Es ist kein Drucker eingerichtet. Bitte richten Sie in Windows einen Drucker ein (zum Beispiel „Microsoft "
    "Print to PDF“).";
inline constexpr const char* k_keine_bescheinigungen =
    "Die Teilnehmerliste ist leer. Es gibt keine Bescheinigungen zu drucken.";

// From this many pages on, a progress window shows the job's pages and can stop it.
inline constexpr int k_fortschritt_ab = 20;

// The attendance list to sign, a certificate per participant, and the door
// list of the registrations (Druckdaten::anmeldungen).
enum class Druckart { Anwesenheitsliste, Bescheinigungen, Anmeldeliste };

// How a printout ended (each failure has been told the user already).
enum class Druckausgang { Gedruckt, Abgebrochen, Nicht_gedruckt };

// The printer's text measured in the layout's units.
class Druckermass final : public Textmass {
public:
    explicit Druckermass(Druckauftrag& a) : a_(a), dpi_x_(a.dpi_x()), dpi_y_(a.dpi_y()) {}
    int breite(std::string_view text, Schrift s) const override;

private:
    Druckauftrag& a_;
    int dpi_x_, dpi_y_; // a job's resolution stays
    // The last font asked for, in the printer's pixels: a list asks for few, row by row.
    mutable Schrift zuletzt_{};
    mutable Druckschrift zuletzt_px_{};
};

// The page in the printer's pixels, its barcodes by Strichmass::fuer(dpi_x).
void zeichnen(const Seite& s, Druckauftrag& a);

// The whole printout: the dialog, then every chosen page of `art`. Nothing
// of the event is changed; every failure is one message.
Druckausgang Drucken(Plattform& p, const Druckdaten& d, Druckart art);

// The messages composed around Windows' reason.
std::string Meldung_dialog(const Ergebnis& e);
std::string Meldung_beginn(const Ergebnis& e);
std::string Meldung_seite(int seite, const Ergebnis& e);
std::string Meldung_ende(const Ergebnis& e);
std::string Meldung_keine_seiten(int von, int seiten);

} // namespace karmo::druck
