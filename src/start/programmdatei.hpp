// Steps shared by setup and update: putting the program file and the settings in place.
#pragma once

#include <string>

#include "common/fehler.hpp"
#include "state/programm.hpp"

namespace karmo {

// Source name of the errors raised while installing.
inline constexpr const char* k_quelle_anlegen = "Anlegen";

// Whether Basisverzeichnis + "Karmo.exe" is an ordinary file.
bool Programmdatei_vorhanden(Programm& p);
// Copies the running program over Basisverzeichnis + "Karmo.exe"; raises 1003
// when that fails.
void Programmdatei_kopieren(Programm& p);
// Raises 1004 when Basisverzeichnis + "Karmo.exe" is missing.
void Programmdatei_pruefen(Programm& p);

// config.ini written; raises the settings error's number otherwise.
void Einstellungen_bereitstellen(Programm& p);

// The setup's and the update's failure message: `anlass` + CR LF +
// "Fehler: " + number + " " + text.
std::string Fehlermeldung(std::string_view anlass, const Fehler& f);

// A platform failure as the error shown to the user.
[[noreturn]] void Plattformfehler(const Ergebnis& e);

} // namespace karmo
