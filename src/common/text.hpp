// Text helpers: the program holds UTF-8, files hold Windows-1252, lengths count characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace karmo::text {

// Number of characters (code points) in a UTF-8 text.
std::size_t zeichenzahl(std::string_view utf8);

// Byte offset of the character with the 0-based index `zeichen`, or the
// text's size when the text is shorter.
std::size_t byte_offset(std::string_view utf8, std::size_t zeichen);

// The first `anzahl` characters (VB Left$); the whole text when shorter.
std::string_view links(std::string_view utf8, std::size_t anzahl);

// The characters from the 1-based position `start` on (VB Mid$ without length).
std::string_view ab(std::string_view utf8, std::size_t start);

// Windows-1252 bytes to UTF-8. Every byte maps to a character; the five
// bytes that Windows-1252 leaves undefined map to the C1 control of that code.
std::string cp1252_zu_utf8(std::string_view bytes);

// UTF-8 to Windows-1252 bytes. A character that Windows-1252 cannot hold
// becomes "?"; invalid UTF-8 sequences become "?" byte by byte.
std::string utf8_zu_cp1252(std::string_view utf8);

// ASCII case folding, for file names compared without regard to case
// (non-ASCII letters of Windows-1252 folded as well).
std::string klein(std::string_view utf8);
bool gleich_ohne_gross_klein(std::string_view a, std::string_view b);

} // namespace karmo::text
