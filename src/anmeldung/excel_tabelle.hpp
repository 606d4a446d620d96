// The participant list as a table for the organiser's spreadsheet: who came, who was registered, the points.
#pragma once

#include <string>
#include <vector>

#include "anmeldung/register.hpp"

namespace karmo::anmeldung {

// One line of the participant list: its EFN and points as the line holds them.
struct Teilnehmerzeile {
    std::string efn;
    std::string basispunkte;
    std::string referentenpunkte;
};

// The table's bytes: UTF-8 with BOM, ";", CR LF after every line, the
// header "EFN;Nachname;Vorname;Titel;Basispunkte;Referentenpunkte;Angemeldet;Erfasst";
// one row per participant line in list order ("Erfasst" "ja", "Angemeldet"
// "ja" when the register knows the EFN, with its names); then one row per
// registration none of the lines has, in the window's order (points empty,
// "ja", "nein"). The EFN is written as ="<EFN>" (an invalid cell's text the
// same way, an empty one empty); name cells trimmed, with a leading
// apostrophe when they begin with "=", "+", "-" or "@"; fields with ";",
// quotes or line breaks in quotes. `register` may be null: no list.
std::string Excel_Tabelle(const std::vector<Teilnehmerzeile>& zeilen, const Anmelderegister* register_);

} // namespace karmo::anmeldung
