// Values that pass the character filters but cannot be meant: decimal points, impossible times, an end too early.
#pragma once

#include <string_view>

#include "platform/plattform.hpp"

namespace karmo {

// Points are whole numbers. A decimal comma or point would otherwise be
// dropped by the digit filters and multiply the points ("4,5" becoming 45):
// false after the message "Bitte geben Sie ganze Punkte ein!". Any other
// character is left to the filters.
bool Ganze_Punkte(Plattform& plattform, std::string_view Text);

// For a time text whose first colon follows at least one digit: whether the
// hours before that colon are 0 to 23 and the minutes after it (up to a
// further colon; none at all count as 0) are 0 to 59.
bool Uhrzeit_im_Bereich(std::string_view Zeit);

// False only when both texts are dates (Datum_gueltig) and `Bis` lies
// before `Von`; a text that is not yet a date is no reason to object.
bool Enddatum_moeglich(std::string_view Von, std::string_view Bis);

} // namespace karmo
