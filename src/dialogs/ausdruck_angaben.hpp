// What the window Ausdruck remembers between runs: the organiser and the place, kept in c:\zelva\Ausdruck.ini.
#pragma once

#include <string>
#include <string_view>

#include "platform/plattform.hpp"

namespace karmo {

struct Ausdruck_Angaben {
    std::string veranstalter;
    std::string ort;
    bool operator==(const Ausdruck_Angaben&) const = default;
};

// "<Basisverzeichnis>Ausdruck.ini".
std::string Ausdruck_ini_pfad(std::string_view basisverzeichnis);

// The file's text, UTF-8: "Veranstalter=<…>" and "Ort=<…>", each line ended
// by CR LF. Line breaks inside a value (only a pasted text brings one)
// become blanks, so that each value stays on its line.
std::string Ausdruck_ini_text(const Ausdruck_Angaben& a);
// Reads what Ausdruck_ini_text wrote (any line end, a BOM, other lines and
// blanks around the key ignored); a missing or unreadable file gives empty values.
Ausdruck_Angaben Ausdruck_ini_lesen(std::string_view text);
Ausdruck_Angaben Ausdruck_Angaben_laden(Plattform& pl, std::string_view pfad);

} // namespace karmo
