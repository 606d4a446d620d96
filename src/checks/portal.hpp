// The chamber portal's addresses and the shell call that opens them in the browser.
#pragma once

#include <string>
#include <string_view>

#include "platform/plattform.hpp"

namespace karmo {

// "http://" + the portal's host + "/".
extern const std::string_view k_portal_basis;

// Opens `Ziel` through the shell; true when the shell's result is above 32.
bool Shell_Oeffnen(Plattform& plattform, std::string_view Ziel, int Anzeige, std::string_view Verb);

// The path with ":" and "\" percent-encoded; "" (after a message) when it has
// 255 characters or more.
std::string Pfad_kodieren(Plattform& plattform, std::string_view Pfad);

// Opens `Adresse` maximised in the browser. When the shell cannot (its
// result is 32 or less), one message gives the address for the user to type
// into a browser, and the result is false.
bool Adresse_oeffnen(Plattform& plattform, std::string_view Adresse);

// The upload address for event `VNR` and file `Pfad`, opened as
// Adresse_oeffnen does; false when the browser could not be opened.
bool Portal_Upload_aufrufen(Plattform& plattform, std::string_view VNR, std::string_view Pfad);
std::string Upload_Adresse(Plattform& plattform, std::string_view VNR, std::string_view Pfad);

// The event-view address for `VNR`, opened as Adresse_oeffnen does (the
// "Einsehen" buttons).
bool Veranstaltung_einsehen(Plattform& plattform, std::string_view VNR);
std::string Einsehen_Adresse(std::string_view VNR);

} // namespace karmo
