// What a message box does with a scanner's card typed into it: close it and keep the card, keep the card and stay open, or let the keys go nowhere.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "eingabe/scanerkennung.hpp"

namespace karmo::eingabe {

// The kind of box, by its buttons.
enum class Boxart : std::uint8_t {
    Hinweis, // OK only: a refusal, a confirmation, an error
    Frage,   // Ja/Nein or OK/Abbrechen: only a person answers it
};

// What becomes of one key typed into the box.
enum class Boxschritt : std::uint8_t {
    Weiter,     // the box handles the key as it always did
    Schlucken,  // the key goes nowhere
    Schliessen, // a card ended here: the box closes as its OK would, no key goes on
};

// Follows the keys of one open message box, with their message times.
// Digits go nowhere: no box has a use for them. The Enter or Tab that ends
// a card (two or more digits at scanner speed; a card read in part is still
// a card) never reaches the box. Where there is a list to take the card
// (`nimmt_karten`), it is kept: an OK-only box closes, a question stays open
// for a person and may keep several cards. Where there is none, the box
// stays open and the card is not kept. Every other key, a person's Enter
// included, goes to the box.
class Meldungsfang {
public:
    Meldungsfang(Boxart art, bool nimmt_karten) : art_(art), nimmt_karten_(nimmt_karten) {}

    Boxschritt taste(Taste t, char ziffer, std::uint32_t zeit);

    // The cards kept, oldest first.
    const std::vector<std::string>& karten() const { return karten_; }
    std::vector<std::string> karten_abgeben() { return std::move(karten_); }

private:
    Boxart art_;
    bool nimmt_karten_;
    Scanerkennung erkennung_{2};
    std::vector<std::string> karten_;
};

} // namespace karmo::eingabe
