// German dates (day.month.year): recognition independent of the machine's locale, and today's text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/plattform.hpp"

namespace karmo {

// True when `text` is a real calendar date written day.month.year: day and
// month of one or two digits, the year of two or four digits ("21.12.2006",
// "1.1.06"), nothing before or after. Two-digit years 00-29 mean 2000-2029,
// 30-99 mean 1930-1999. A missing year ("21.12") or other separators are not
// accepted, so the result never depends on the machine's date settings.
bool Datum_gueltig(std::string_view text);
// The date that Datum_gueltig accepts, with the year in four digits;
// nullopt for any text it refuses.
std::optional<Datum> Datum_lesen(std::string_view text);

// "dd.mm.yyyy".
std::string Datum_text(const Datum& datum);

} // namespace karmo
