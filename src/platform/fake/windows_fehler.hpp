// The numbers and texts Windows gives for the file failures the platform doubles imitate.
#pragma once

#include "common/fehler.hpp"

namespace karmo::windows_fehler {

inline const Ergebnis k_nicht_gefunden{2, "Das System kann die angegebene Datei nicht finden."};
inline const Ergebnis k_pfad_fehlt{3, "Das System kann den angegebenen Pfad nicht finden."};
inline const Ergebnis k_zugriff{5, "Zugriff verweigert"};
inline const Ergebnis k_benutzt{32, "Der Prozess kann nicht auf die Datei zugreifen, da sie von einem anderen Prozess verwendet wird."};
inline const Ergebnis k_voll{112, "Auf dem Datenträger ist nicht genügend Speicherplatz vorhanden."};
inline const Ergebnis k_vorhanden{183, "Eine Datei kann nicht erstellt werden, wenn sie bereits vorhanden ist."};

} // namespace karmo::windows_fehler
