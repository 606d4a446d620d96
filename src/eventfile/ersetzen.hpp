// A whole file replaced, or copied elsewhere, so that a power cut leaves the old one or the new one, never a part of either.
#pragma once

#include <string>
#include <string_view>

#include "platform/plattform.hpp"

namespace karmo {

// Writes `inhalt` beside `pfad` (its name and ".tmp", which the file lists
// do not show), flushed to the disk by `schreiben`, and then moves it over
// `pfad` in one step. On a failure the temporary file is removed, the old
// file stays as it was, and karmo::Fehler is raised with the platform's
// error under `quelle`.
void Datei_ersetzen(Plattform& pl, const std::string& pfad, std::string_view inhalt, const char* quelle);

// Copies the file `quelle` to `ziel` (another folder or drive, a stick) as
// safely: its bytes are read whole, written beside `ziel` (its name and
// ".tmp"), flushed, and moved over `ziel`. The platform's error of the step
// that failed; `quelle` is only read, and an old `ziel` stays as it was.
Ergebnis Kopie_ablegen(Plattform& pl, const std::string& quelle, const std::string& ziel);

} // namespace karmo
