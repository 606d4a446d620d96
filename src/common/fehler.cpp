// Errors that are not the program's own numbered ones, given a number for the user.
#include "common/fehler.hpp"

#include <new>

namespace karmo {

Fehler als_fehler(const std::exception& e) {
    if (const auto* f = dynamic_cast<const Fehler*>(&e)) return *f;
    if (dynamic_cast<const std::bad_alloc*>(&e) != nullptr) return {7, "Laufzeit", "Nicht genügend Speicher."};
    return {5, "Laufzeit", e.what()};
}

} // namespace karmo
