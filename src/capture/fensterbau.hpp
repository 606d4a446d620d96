// Small constexpr helpers for writing a capture form's control table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "capture/teilnehmerliste.hpp"
#include "ui/steuerelemente.hpp"

namespace karmo::fensterbau {

// A control that is no control array.
constexpr ui::Steuerelement element(ui::Art art, ui::Ctl name, std::string_view text, ui::Ctl container, Lage g,
                                    int max = 0, int tab = -1, std::uint32_t stil = ui::k_stil_keiner) {
    return {art, name, -1, text, container, g.links, g.oben, g.breite, g.hoehe, max, tab, stil};
}

// One help text of the label array Label10, inside the frame Teilnehmer.
constexpr ui::Steuerelement hilfe(std::int8_t index, std::string_view text, Lage g) {
    return {ui::Art::Label, ui::Ctl::Label10, index, text, ui::Ctl::Teilnehmer, g.links, g.oben, g.breite, g.hoehe,
            0, -1, ui::k_stil_keiner};
}

// The tables one after the other, in the order given.
template <std::size_t... N>
constexpr std::array<ui::Steuerelement, (N + ...)> verbinden(const std::array<ui::Steuerelement, N>&... teile) {
    std::array<ui::Steuerelement, (N + ...)> alle{};
    std::size_t i = 0;
    const auto anhaengen = [&](const auto& teil) {
        for (const ui::Steuerelement& s : teil) alle[i++] = s;
    };
    (anhaengen(teile), ...);
    return alle;
}

} // namespace karmo::fensterbau

namespace karmo::fensterbau {

// Both forms are 8535 twips high with their first row of buttons; the
// second row, below the frame of the event data, adds 660.
inline constexpr int k_hoehe_mit_zweiter_reihe = 8535 + 660;

// The last help text, the same in both forms.
inline constexpr std::string_view k_hilfe_speichern =
    "Nach dem alle Teilnehmer erfasst sind, können Sie die Daten mit \"Eingegebene Daten speichern\" speichern.";

} // namespace karmo::fensterbau
