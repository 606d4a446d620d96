// Character filters and the check of event (VNR) and participant (EFN) numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/plattform.hpp"

namespace karmo {

// The digits "0" to "9" of `Text`, in their order.
std::string Nur_Ziffern(std::string_view Text);
// Digits and ":".
std::string Nur_Zeitzeichen(std::string_view Text);
// Digits and ".".
std::string Nur_Datumszeichen(std::string_view Text);

// The Luhn check digit ("0" to "9") of the digits in `Nutzteil`: the one
// rule behind Nummer_pruefen, EFN_gueltig and EFN_Zahl.
std::string Pruefziffer_berechnen(std::string_view Nutzteil);

// True when `Nummer` has the length of its kind ("VNR": 19, "EFN": 15) and a
// correct check digit. Otherwise it has shown at most one message and
// returns false; an unknown kind returns false silently.
bool Nummer_pruefen(Plattform& plattform, std::string_view Nummer, std::string_view Art);

// The same check without a word to the user: 15 digits, "0" to "9" only,
// the last being Pruefziffer_berechnen of the other 14.
bool EFN_gueltig(std::string_view efn);
// Its fast form: the number an EFN stands for when EFN_gueltig accepts it,
// nothing when not; the check and the number in one pass, eight bytes at a
// time, for numbers that arrive in bulk (another list's lines).
std::optional<std::uint64_t> EFN_Zahl(std::string_view efn);

} // namespace karmo
