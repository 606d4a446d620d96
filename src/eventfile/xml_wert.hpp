// Value of one element in a line of an event file, as every reader of the file takes it.
#pragma once

#include <string>
#include <string_view>

namespace karmo {

// The text between the first "<Tag>" and the first "</Tag>" of `Zeile`
// (UTF-8; several file lines may be joined by CR LF). Kind "n" gives the
// value's leading decimal number rounded half to even, as decimal text; any
// other kind the text unchanged. Whatever cannot be taken gives "": an empty
// element, a closing tag before the opening one, or a `Zeile` longer than
// 32,767 characters (positions are 16-bit in the file format's readers).
std::string XML_Wert(std::string_view Zeile, std::string_view Tag, std::string_view Art);

namespace xml {

// Longest text whose positions the readers can count.
inline constexpr std::size_t k_hoechstlaenge = 32767;

// XML_Wert on a line of single-byte characters as read from the file
// (Windows-1252, one byte per character). `zu_lang` marks a line that was
// longer than the reader kept. The result is in the same single-byte form.
std::string wert_roh(std::string_view zeile, bool zu_lang, std::string_view tag, std::string_view art);

// The leading decimal number of `wert`, rounded half to even, as decimal
// text ("0" when there is none); "" when it is too large for a number.
std::string zahl_runden(std::string_view wert);

} // namespace xml
} // namespace karmo
