// The in-process benchmarks, registered with Google Benchmark under the names the table reads.
#pragma once

#include <optional>

#include "messwerkzeug.hpp"
#include "wechsel.hpp"

namespace bench {

void benchmarks_registrieren(const Orte& orte);

// Taking a list in, measured in turns with loading the file (im_wechsel):
// the largest event taken into a list that holds every other participant
// of it (16,384; the other 16,383 are new and journaled), against loading
// it into the capture form. Nothing when the merge is not in the tree or a
// round went wrong. Needs benchmarks_registrieren first (it writes the half
// list).
std::optional<Im_Wechsel> hinzuladen_im_wechsel(const Orte& orte, int runden);

// A person's keys into Inhalt through the key buffer and its detector (as
// the message loop hands them on), in turns with the same keys typed
// straight in: each round types the k_tasten keys 40 times on each side.
// Seconds per key. Nothing when a side lost a key.
std::optional<Im_Wechsel> tasten_im_wechsel(const Orte& orte, int runden);

} // namespace bench
