// A whole file replaced so that a power cut leaves the old one or the new one, never a part of either.
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

} // namespace karmo
