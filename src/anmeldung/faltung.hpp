// Texts compared as people read names: case ignored, umlauts and ß as their spellings.
#pragma once

#include <string>
#include <string_view>

namespace karmo::anmeldung {

// How an umlaut is spelt in a folded text: as its letter ("a") or as the
// two letters that stand for it ("ae"). ß is "ss" in both.
enum class Umlaute { Grundbuchstabe, Umschrieben };

// `text` folded for comparing: lower case (ASCII and Latin-1), ä ö ü as
// chosen, ß as "ss", the other accented Latin-1 letters as their base
// letter; other characters unchanged. Appended to `out`.
void falten(std::string_view text, Umlaute umlaute, std::string& out);
std::string gefaltet(std::string_view text, Umlaute umlaute);

// A column heading as it is compared: folded with umlauts spelt out, and
// without blanks (any white space), dots, hyphens and underscores; into `out`.
void ueberschrift_schluessel(std::string_view heading, std::string& out);

} // namespace karmo::anmeldung
