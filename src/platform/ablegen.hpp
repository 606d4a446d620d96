// A whole file written so that a power cut leaves the old one or the new one, never a part of either.
#pragma once

#include <string_view>

#include "platform/plattform.hpp"

namespace karmo {

// Writes `bytes` beside `ziel` (its name and ".tmp", which the file lists do
// not show), flushed to the disk by `schreiben`, and then moves it over
// `ziel` in one step. The platform's error of the step that failed; then the
// temporary file is removed and an old `ziel` stays as it was.
Ergebnis Datei_ablegen(Plattform& pl, std::string_view ziel, std::string_view bytes);

} // namespace karmo
