// The in-process benchmarks, registered with Google Benchmark under the names the table reads.
#pragma once

#include "messwerkzeug.hpp"

namespace bench {

void benchmarks_registrieren(const Orte& orte);

} // namespace bench
