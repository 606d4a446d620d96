// The two files of a type-2 event (plain and dated name) kept equal after each save.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "state/programm.hpp"

namespace karmo {

// Event number and first day as a file holds them (program text).
struct Kopfwerte {
    std::string vnr;
    std::string datum_von;
};

// The first VNR and Datum_von values of an event file, read up to its first
// participant. nullopt when the file is no event file. Raises karmo::Fehler
// with the platform's error when it cannot be opened or read.
std::optional<Kopfwerte> Kopfwerte_lesen(Plattform& pl, std::string_view pfad);

// After a type-2 event was written to `gespeichert`, one of its two names
// (Dateiname_einfach / Dateiname_datiert of `vnr` and `datum_von`): when the
// other name exists and its file holds the same event (the same VNR and the
// same Datum_von), the same bytes `inhalt` replace it the way the save
// replaces its own file. Any other file under that name, such as another
// session's of the same number, is left alone; nothing is ever deleted
// except the temporary file of a failed write. Raises karmo::Fehler when the
// other file cannot be read or replaced; it then stays as it was.
void Zwilling_nachziehen(Programm& p, std::string_view gespeichert, std::string_view vnr, std::string_view datum_von,
                         std::string_view inhalt);

} // namespace karmo
