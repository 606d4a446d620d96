// Saving, loading and peeking into event files (module Dateizugriff).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "state/programm.hpp"
#include "ui/fenster.hpp"

namespace karmo {

enum class Speicherergebnis { Geschrieben, Abgelehnt };

// Writes the event open in the capture form named by `Modus` ("Speichern1",
// "Speichern2", "Upload1", "Upload2", "Verlassen1", "Verlassen2") to `Pfad`
// and confirms it as the mode asks: the save modes here, the upload modes
// through Uebertragung_bestaetigen once the browser has been asked. Abgelehnt
// after a message: unknown mode, an empty required field of a type-2 event,
// or a text box whose value the file cannot carry back (Wert_Hindernis); the
// focus is moved to that field.
// Raises karmo::Fehler 510 / 1211 when folders cannot be created, and the
// file system's own error when the file cannot be written; the old file of
// that name then stays as it was. A type-2 event's other file is brought
// along when it holds the same event (Zwilling_nachziehen), before the
// confirmation; its failure is raised in the same way.
Speicherergebnis Veranstaltung_speichern(Programm& p, const std::string& Pfad, const std::string& Modus);

// The transfer's confirmation, naming the file `Pfad`, when it exists. It
// says the portal is being opened, so it follows a successful shell call.
void Uebertragung_bestaetigen(Plattform& pl, const std::string& Pfad);

// Creates every missing folder along `Pfad` (prefixes ending in "\", from the
// 4th character on). False after a message when that fails or the path is
// 255 characters or longer.
bool Pfad_anlegen(Programm& p, std::string_view Pfad);

// Datenordner + digits of vnr + ".XML"
std::string Dateiname_einfach(const Zustand& z, std::string_view vnr);
// Datenordner + digits of vnr + "_" + digits and dots of datum_von + ".XML"
std::string Dateiname_datiert(const Zustand& z, std::string_view vnr, std::string_view datum_von);

// Opens row `Index` of the file list into the capture form of its report
// type and shows it. A failure is reported in a message, after which the
// main menu is shown again.
void Veranstaltung_laden(Programm& p, int Index);

// Row text of the file list for the file `Dateiname` of the data folder
// ("" when it is not to be listed); `Dateiname` becomes the full path.
std::string Get_VNR(Programm& p, std::string& Dateiname);

// Report type stored in the file: its first Meldungsart value; 240 when
// there is none, 241 when the file cannot be read or the value is no byte.
std::uint8_t Meldungsart_lesen(Plattform& pl, std::string_view Pfad);

// Puts `Wert` into the text box `Name` of a capture form; with `Anzahl` 2
// only "VNR" and "Punkte" are served. Other names are ignored.
void Feld_setzen(std::string_view Name, const std::string& Wert, ui::Fenster& Form, int Anzahl);

// Fills Zustand::Dateiliste_Pfade and the list box `Dateiliste` of
// `dateidialog` with the event files of the data folder, row r and element r
// belonging together.
void Dateiliste_aufbauen(Programm& p, ui::Fenster& dateidialog);

} // namespace karmo
