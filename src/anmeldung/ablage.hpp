// The registration list on disk: read from the file the user chose, kept beside the events under the event number.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "anmeldung/liste.hpp"
#include "platform/plattform.hpp"

namespace karmo::anmeldung {

// A list read from a file: the list, or nothing and the refusal's message.
// After a file the user chose, `meldung` is the summary when the list came.
struct Einlesung {
    std::optional<Anmeldeliste> liste;
    std::string meldung;
};

// Reads the table the user chose in the Open dialog (at most
// k_hoechstgroesse bytes and one more, to know it is too large) and applies
// Tabelle_lesen. A list whose stored form would be larger than a list may
// be is refused as too large, so that what is stored can be read again.
Einlesung Anmeldeliste_einlesen(Plattform& pl, std::string_view pfad);

// Where the event `vnr` keeps its list: `datenordner` (with its trailing
// backslash, "c:\zelva\Daten\") + vnr + ".Anmeldeliste.csv".
std::string Anmeldeliste_pfad(std::string_view datenordner, std::string_view vnr);

// The stored form: UTF-8 with BOM, ";", CR LF after every line, the header
// "Nachname;Vorname;Titel;EFN", then every row of the list with its cells as
// given, quoted where needed; a cell that begins as Excel's text formula
// ="… is itself written as one, so that reading it gives the cell back.
std::string Ablagetext(const Anmeldeliste& liste);

// Stores the list as a save writes a file: beside the target (its name and
// ".tmp"), flushed, then moved over it in one step, so that a crash leaves
// the old list or none. The platform's error of the step that failed.
Ergebnis Anmeldeliste_ablegen(Plattform& pl, std::string_view datenordner, std::string_view vnr, const Anmeldeliste& liste);

// The event's stored list: nothing (and no message) when it has none; a
// stored file that cannot be read gives nothing and the refusal's message.
Einlesung Anmeldeliste_laden(Plattform& pl, std::string_view datenordner, std::string_view vnr);

// "Entfernen": deletes the stored list.
Ergebnis Anmeldeliste_entfernen(Plattform& pl, std::string_view datenordner, std::string_view vnr);

// The message when storing failed: the path and the platform's reason.
std::string Ablagefehler_Text(std::string_view pfad, const Ergebnis& e);

} // namespace karmo::anmeldung
