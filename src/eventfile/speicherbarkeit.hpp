// Which texts an event file can carry and give back unchanged.
#pragma once

#include <string>
#include <string_view>

namespace karmo {

// Why the text `Wert` (UTF-8) of the field captioned `Feld` would not come
// back from its file as it was, as the message the form shows; "" when it
// would. A file holds values unescaped, one byte per character in
// Windows-1252, and its readers find elements by their tags anywhere in a
// line. So a value must not contain a tag the readers look for (a
// "</Bemerkung>" would end the content, a "<Meldungsart>" change the report
// type), a character Windows-1252 lacks, or a line break other than CR LF (a
// lone CR ends a line of the file).
std::string Wert_Hindernis(std::string_view Wert, std::string_view Feld);

} // namespace karmo
