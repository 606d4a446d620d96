// A table file's bytes as UTF-8 text: which encoding it has, and the characters one by one.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace karmo::anmeldung {

// The file's text as UTF-8, from UTF-8 with or without its BOM, UTF-16 LE
// with its BOM, or otherwise Windows-1252 (bytes that are not valid UTF-8
// as a whole). Nothing when the file is no text: NUL bytes without the
// UTF-16 BOM, or a NUL character in UTF-16. The BOM is not part of the text.
// Invalid sequences behind a BOM become U+FFFD.
std::optional<std::string> als_utf8(std::string_view bytes);

// Whether `bytes` is UTF-8 throughout: no overlong forms, no surrogates,
// nothing above U+10FFFF.
bool utf8_gueltig(std::string_view bytes);

// The character at `i` of a UTF-8 text, `i` moved past it. An invalid byte
// is returned as U+FFFD and skipped alone.
char32_t zeichen_lesen(std::string_view utf8, std::size_t& i);
void zeichen_anhaengen(std::string& out, char32_t cp);

} // namespace karmo::anmeldung
