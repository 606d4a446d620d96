// A start that finds the lock held: window in front, waiting for a program going away, or the message.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "start/einzelstart.hpp"

namespace karmo {
namespace {

using std::chrono::milliseconds;

// The other program over a clock that only waiting moves: its lock comes
// free at `frei_ab`, its window appears at `fenster_ab` (never: nullopt).
struct Anderer {
    Anderer(std::optional<milliseconds> frei, std::optional<milliseconds> fenster) : frei_ab(frei), fenster_ab(fenster) {}
    std::optional<milliseconds> frei_ab, fenster_ab;
    milliseconds jetzt{0};
    int versuche = 0;
    std::vector<milliseconds> fenster_gesucht;

    Laufendes_Programm sicht() {
        return {[this] {
                    fenster_gesucht.push_back(jetzt);
                    return fenster_ab && jetzt >= *fenster_ab;
                },
                [this] {
                    ++versuche;
                    return frei_ab && jetzt >= *frei_ab;
                },
                [this](milliseconds ms) { jetzt += ms; }};
    }
};

TEST(Einzelstart_entscheiden, FensterDaGleichNachVorn) {
    Anderer a{std::nullopt, milliseconds{0}};
    EXPECT_EQ(Einzelstart_entscheiden(a.sicht()), Zweiter_Start::Fenster_gezeigt);
    EXPECT_EQ(a.jetzt, milliseconds{0});
    EXPECT_EQ(a.versuche, 0);
}

// A program killed a moment ago: its lock comes free within the 5 s, and
// this start becomes the program as soon as it looks again.
TEST(Einzelstart_entscheiden, FreiWerdendeSperreStartetNormal) {
    Anderer a{milliseconds{1250}, std::nullopt};
    EXPECT_EQ(Einzelstart_entscheiden(a.sicht()), Zweiter_Start::Starten);
    EXPECT_EQ(a.jetzt, milliseconds{1300});
    EXPECT_EQ(a.versuche, 13);
    // Freed at the very last look, it still counts.
    Anderer spaet{milliseconds{5000}, std::nullopt};
    EXPECT_EQ(Einzelstart_entscheiden(spaet.sicht()), Zweiter_Start::Starten);
    EXPECT_EQ(spaet.jetzt, milliseconds{5000});
}

// A program still starting shows its window while this one waits.
TEST(Einzelstart_entscheiden, SpaeterErscheinendesFensterKommtNachVorn) {
    Anderer a{std::nullopt, milliseconds{450}};
    EXPECT_EQ(Einzelstart_entscheiden(a.sicht()), Zweiter_Start::Fenster_gezeigt);
    EXPECT_EQ(a.jetzt, milliseconds{500});
    EXPECT_EQ(a.fenster_gesucht.size(), 6U);
}

// Held for good and no window: after 5 s of looking every 100 ms, the
// message; the lock was tried at every look.
TEST(Einzelstart_entscheiden, BleibtDieSperreOhneFensterDannDieMeldung) {
    Anderer a{milliseconds{5100}, std::nullopt};
    EXPECT_EQ(Einzelstart_entscheiden(a.sicht()), Zweiter_Start::Melden);
    EXPECT_EQ(a.jetzt, milliseconds{5000});
    EXPECT_EQ(a.versuche, 50);
    EXPECT_EQ(a.fenster_gesucht.size(), 51U);
    // Another span and step, as the Win32 test uses them.
    Anderer b{std::nullopt, std::nullopt};
    EXPECT_EQ(Einzelstart_entscheiden(b.sicht(), milliseconds{300}, milliseconds{20}), Zweiter_Start::Melden);
    EXPECT_EQ(b.jetzt, milliseconds{300});
}

} // namespace
} // namespace karmo
