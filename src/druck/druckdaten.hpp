// What a printout shows of the open event: its data and its participants, in list order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace karmo::druck {

struct Druckteilnehmer {
    std::string efn;
    std::string basis;    // base points, digits
    std::string referent; // speaker points, digits; empty when none
};

struct Druckdaten {
    std::string vnr;
    std::string kammer; // the chamber's full name; empty when the catalogue has none
    std::string punkte;
    std::uint8_t meldungsart = 1;
    // Report type 2 only.
    std::string datum_von, datum_bis, uhrzeit_s, uhrzeit_e, dauer, inhalt;
    std::vector<Druckteilnehmer> teilnehmer;
};

} // namespace karmo::druck
