// The headless list box against a plain vector of lines, through many replacements and removals.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/fake/fake_fenster.hpp"

namespace karmo::ui {
namespace {

constexpr std::array<Steuerelement, 1> k_elemente{{
    {Art::Liste, Ctl::Teilnehmerliste, -1, "", Ctl::Keiner, 0, 0, 100, 100, 0, 0, k_stil_keiner},
}};
constexpr Formular k_form{FormId::MA2_Maske, "F", "Titel", 1000, 1000, 0, k_elemente};

void gleich(const FakeFenster& f, const std::vector<std::string>& erwartet) {
    ASSERT_EQ(f.zeilenzahl(Ctl::Teilnehmerliste), static_cast<int>(erwartet.size()));
    for (std::size_t i = 0; i < erwartet.size(); ++i) EXPECT_EQ(f.zeile(Ctl::Teilnehmerliste, static_cast<int>(i)), erwartet[i]) << i;
    // Read all at once (a save), the lines come in the same order.
    std::vector<std::string> alle;
    f.zeilen_lesen(Ctl::Teilnehmerliste, [&alle](std::string_view z) { alle.emplace_back(z); });
    EXPECT_EQ(alle, erwartet);
}

TEST(FakeFensterListe, BleibtBeiErsetzenUndEntfernenWieEineZeilenliste) {
    Formularlogik logik;
    FakeFenster f(k_form, logik);
    std::vector<std::string> soll;
    std::uint64_t x = 12345;
    const auto zufall = [&x](std::uint64_t n) {
        x = x * 6364136223846793005ULL + 1442695040888963407ULL;
        return (x >> 33) % n;
    };
    // Enough churn that the unused bytes are packed away many times over,
    // with empty and long lines among them.
    for (int runde = 0; runde < 4000; ++runde) {
        const std::string zeile = std::string(zufall(40), static_cast<char>('a' + zufall(26))) + std::to_string(runde);
        const auto art = zufall(4);
        if (art == 0 || soll.empty()) {
            f.zeile_anfuegen(Ctl::Teilnehmerliste, zeile);
            soll.push_back(zeile);
        } else if (art == 1) {
            const auto i = zufall(soll.size());
            f.zeile_entfernen(Ctl::Teilnehmerliste, static_cast<int>(i));
            soll.erase(soll.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            const auto i = zufall(soll.size());
            const std::string neu = art == 2 ? std::string() : zeile + zeile;
            f.zeile_ersetzen(Ctl::Teilnehmerliste, static_cast<int>(i), neu);
            soll[i] = neu;
        }
        if (runde % 500 == 0) gleich(f, soll);
    }
    gleich(f, soll);
    f.liste_leeren(Ctl::Teilnehmerliste);
    f.zeile_anfuegen(Ctl::Teilnehmerliste, "danach");
    gleich(f, {"danach"});
}

TEST(FakeFensterListe, StandUndAuswahlFolgenDenAenderungen) {
    Formularlogik logik;
    FakeFenster f(k_form, logik);
    for (const char* z : {"eins", "zwei", "drei"}) f.zeile_anfuegen(Ctl::Teilnehmerliste, z);
    const auto stand = f.listenstand(Ctl::Teilnehmerliste);
    f.zeile_klicken(Ctl::Teilnehmerliste, 1);
    EXPECT_EQ(f.listenstand(Ctl::Teilnehmerliste), stand);
    f.zeile_ersetzen(Ctl::Teilnehmerliste, 1, "ZWEI");
    EXPECT_EQ(f.listenindex(Ctl::Teilnehmerliste), 1);
    EXPECT_GT(f.listenstand(Ctl::Teilnehmerliste), stand);
    f.zeile_entfernen(Ctl::Teilnehmerliste, 0);
    EXPECT_EQ(f.listenindex(Ctl::Teilnehmerliste), -1);
    gleich(f, {"ZWEI", "drei"});
    EXPECT_THROW(f.zeile(Ctl::Teilnehmerliste, 2), std::out_of_range);
    EXPECT_THROW(f.zeile_ersetzen(Ctl::Teilnehmerliste, -1, "x"), std::out_of_range);
    EXPECT_THROW(f.zeile_entfernen(Ctl::Teilnehmerliste, 2), std::out_of_range);
}

} // namespace
} // namespace karmo::ui
