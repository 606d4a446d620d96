// Printing's benchmark: the attendance list of the largest event laid out and drawn for a printer that only counts.
#pragma once

#include <filesystem>
#include <string>

#include "sicherung_bench.hpp"

namespace bench {

void druck_registrieren(const Registrieren& registrieren, const std::filesystem::path& gross_wurzel,
                        const std::string& gross_windows);

} // namespace bench
