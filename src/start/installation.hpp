// The installation state: the settings file config.ini and the program file in the base directory.
#pragma once

#include <cstdint>

#include "state/programm.hpp"

namespace karmo {

// 0: the settings name this version; 1: settings file missing, unreadable or
// empty; 2: the settings name another version. Only the last line counts.
std::uint8_t Installation_pruefen(Programm& p);

// Writes config.ini anew with the single line of this version. 0 when
// written, otherwise a number from 1 to 255 for the failure.
std::uint8_t Einstellungen_schreiben(Programm& p);

// Copies the running program file to Basisverzeichnis + "Karmo.exe",
// overwriting it; false when that fails or the program is that file itself.
bool Programm_kopieren(Programm& p);

// Whether the running program is Basisverzeichnis + "Karmo.exe" itself
// (names compared without regard to case).
bool Laeuft_installiert(Programm& p);

} // namespace karmo
