// The participant's list line "EFN (base/speaker)", its reading by position, and the count shown beside the list.
#pragma once

#include <string>
#include <string_view>

#include "ui/fenster.hpp"

namespace karmo {

// The line cut by position: its first 15 characters, the points part up to
// and including the first "/" (empty without one), and the rest after it.
struct Eintragsteile {
    std::string_view efn;
    std::string_view basis;
    std::string_view referent;
};
Eintragsteile eintrag_teilen(std::string_view zeile);

// efn + " (" + basis + "/" + referent + ")"
std::string Teilnehmer_Eintrag(std::string_view efn, std::string_view basis, std::string_view referent);
// The same into `ziel`, whose storage is reused.
void eintrag_bauen(std::string& ziel, std::string_view efn, std::string_view basis, std::string_view referent);

// The first 15 characters of the line (all of it when shorter).
std::string_view eintrag_efn(std::string_view zeile);
// The digits of the points part (from the 17th character on) up to and
// including its first "/"; "" when the part has no "/".
std::string eintrag_basispunkte(std::string_view zeile);
// The digits of the points part after its first "/"; the digits of the
// whole part when it has no "/".
std::string eintrag_referentenpunkte(std::string_view zeile);

} // namespace karmo
