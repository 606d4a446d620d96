// A start that finds the single-start lock held: the running program's window, a program still going away, or a message.
#pragma once

#include <chrono>
#include <functional>
#include <string_view>

namespace karmo {

// Shown when the lock stays held and no window of the holder appears.
inline constexpr std::string_view k_einzelstart_meldung =
    "Karmo läuft bereits, aber sein Fenster wurde nicht gefunden. Bitte beenden Sie Karmo im Task-Manager und "
    "starten Sie es erneut.";

// How long a start waits for a program that holds the lock but shows no
// window (one killed a moment ago may hold it while it is torn down), and
// how often it looks again meanwhile.
inline constexpr std::chrono::milliseconds k_einzelstart_frist{5000};
inline constexpr std::chrono::milliseconds k_einzelstart_takt{100};

// What the start sees of the program that holds the lock; the Win32 layer
// answers with the named mutex and the window list.
struct Laufendes_Programm {
    // Brings the running program's window to the front; false when it shows none.
    std::function<bool()> fenster_nach_vorne;
    // Takes the lock if it has come free; true when it is now this start's.
    std::function<bool()> sperre_nehmen;
    std::function<void(std::chrono::milliseconds)> warten;
};

enum class Zweiter_Start {
    Fenster_gezeigt, // the running program is in front: this start ends
    Starten,         // the lock came free: this start is the program
    Melden,          // still held, no window: k_einzelstart_meldung, then end
};

// The lock was found held. A window of the running program is brought to
// the front at once; otherwise the lock and the window are looked at again
// every `takt` until `frist` has been waited: a lock come free starts the
// program, a window that appears (a program still starting) is brought to
// the front. Neither within `frist`: Melden.
Zweiter_Start Einzelstart_entscheiden(const Laufendes_Programm& l,
                                      std::chrono::milliseconds frist = k_einzelstart_frist,
                                      std::chrono::milliseconds takt = k_einzelstart_takt);

} // namespace karmo
