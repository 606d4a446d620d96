// The list's index by EFN against a plain walk over the list, through random appends, replacements and removals.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "capture/efn_verzeichnis.hpp"
#include "eventfile/teilnehmer_eintrag.hpp"
#include "eventfile/testformulare.hpp"

namespace karmo {
namespace {

// A look-up key is made only by EFN_Verzeichnis::nummer, from an EFN's
// number: neither a bare number nor a brace-initialised one (the table
// holds each number + 1) compiles.
static_assert(!std::is_constructible_v<EFN_Verzeichnis::Nummer, std::uint64_t>);
static_assert(!std::is_default_constructible_v<EFN_Verzeichnis::Nummer>);
static_assert(!std::is_aggregate_v<EFN_Verzeichnis::Nummer>);
static_assert(!std::is_convertible_v<std::uint64_t, EFN_Verzeichnis::Nummer>);

using ui::Ctl;

// What the index must answer, from the list itself: the first line whose
// first 15 characters are `efn`.
const std::string* erste(const std::vector<std::string>& liste, const std::string& efn, std::string& punkte) {
    for (const std::string& z : liste) {
        if (z.substr(0, 15) == efn) {
            punkte = Punkteschluessel(z);
            return &punkte;
        }
    }
    return nullptr;
}

// Few distinct numbers, so that lines repeat, collide in the table and are
// removed from the middle of probe chains; some keys are no 15 digits.
std::string efn_aus(std::mt19937& r) {
    const auto k = r() % 300;
    if (k < 8) return std::string("ab") + std::to_string(k); // short and odd: the map beside the table
    std::string s = std::to_string(100000000000000ULL + k * 7919ULL);
    return s;
}

TEST(EFN_Verzeichnis, ZufaelligeAenderungenWieDieListeSelbst) {
    testformulare::Umgebung u;
    ui::FakeFenster& f = u.ma2();
    std::vector<std::string> modell;
    EFN_Verzeichnis v;
    std::mt19937 r(4711);
    for (int schritt = 0; schritt < 6000; ++schritt) {
        v.abgleichen(f);
        const auto art = r() % 10;
        // Now and then points too long for the table's own place.
        const std::string basis = r() % 17 == 0 ? "12345678901" + std::to_string(r() % 3) : std::to_string(r() % 12);
        const std::string zeile = efn_aus(r) + " (" + basis + "/" + std::to_string(r() % 3) + ")";
        if (art < 5 || modell.empty()) {
            f.zeile_anfuegen(Ctl::Teilnehmerliste, zeile);
            modell.push_back(zeile);
            v.hinzu(zeile);
        } else if (art < 7) {
            const auto i = r() % modell.size();
            f.zeile_ersetzen(Ctl::Teilnehmerliste, static_cast<int>(i), zeile);
            v.ersetzt(modell[i], zeile);
            modell[i] = zeile;
        } else if (art < 9) {
            const auto i = r() % modell.size();
            f.zeile_entfernen(Ctl::Teilnehmerliste, static_cast<int>(i));
            v.weg(modell[i]);
            modell.erase(modell.begin() + static_cast<long>(i));
        } else if (r() % 40 == 0) {
            // Changed behind the group's back: rebuilt at the next use.
            f.liste_leeren(Ctl::Teilnehmerliste);
            modell.clear();
            continue;
        }
        v.merken(f);
        v.abgleichen(f);
        for (int k = 0; k < 6; ++k) {
            const std::string efn = efn_aus(r);
            std::string soll;
            const std::string* s = erste(modell, efn, soll);
            const std::optional<std::string_view> ist = v.punkte(efn);
            ASSERT_EQ(ist.has_value(), s != nullptr) << "step " << schritt << ", " << efn;
            if (s) {
                ASSERT_EQ(*ist, *s) << "step " << schritt << ", " << efn;
            }
            ASSERT_EQ(v.enthaelt(efn), s != nullptr);
            // A 15-digit key by its number finds the same.
            if (efn.size() == 15) {
                ASSERT_EQ(v.punkte(EFN_Verzeichnis::nummer(std::stoull(efn))), ist) << efn;
            }
        }
    }
}

// A long list grows the table many times over; every number stays found.
TEST(EFN_Verzeichnis, WaechstMitDerListe) {
    testformulare::Umgebung u;
    ui::FakeFenster& f = u.ma2();
    EFN_Verzeichnis v;
    v.abgleichen(f);
    for (int i = 0; i < 20000; ++i) {
        const std::string z = std::to_string(200000000000000ULL + static_cast<unsigned long long>(i) * 3ULL) + " (" +
                              std::to_string(i % 10) + "/0)";
        f.zeile_anfuegen(Ctl::Teilnehmerliste, z);
        v.hinzu(z);
    }
    v.merken(f);
    for (int i = 0; i < 20000; ++i) {
        const std::string efn = std::to_string(200000000000000ULL + static_cast<unsigned long long>(i) * 3ULL);
        const std::optional<std::string_view> p = v.punkte(efn);
        ASSERT_TRUE(p.has_value()) << i;
        EXPECT_EQ(*p, std::to_string(i % 10) + "/0");
        EXPECT_FALSE(v.enthaelt(std::to_string(200000000000001ULL + static_cast<unsigned long long>(i) * 3ULL)));
    }
}

} // namespace
} // namespace karmo
