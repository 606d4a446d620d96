// Printing's benchmark: the attendance list of the largest event laid out and drawn for a printer that only counts.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "sicherung_bench.hpp"
#include "wechsel.hpp"

namespace bench {

void druck_registrieren(const Registrieren& registrieren, const std::filesystem::path& gross_wurzel,
                        const std::string& gross_windows);

// The layout of the largest event's attendance list, every page, from the
// event read out of the capture form beforehand (text measured by a 600 dpi
// printer that only counts), in turns with loading the same event into the
// capture form; with `tuerliste` the door list of its 32,767 numbers as
// registrations instead.
std::optional<Im_Wechsel> druck_im_wechsel(const std::filesystem::path& gross_wurzel, const std::string& gross_windows,
                                           bool tuerliste, int runden);

} // namespace bench
