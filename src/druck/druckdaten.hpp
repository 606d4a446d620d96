// What a printout shows of the open event: its data and its participants, in list order; and the registrations for the door list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace karmo::druck {

struct Druckteilnehmer {
    std::string efn;
    std::string basis;    // base points, digits
    std::string referent; // speaker points, digits; empty when none
    // The display name the registration list gives this EFN ("Weiß, Dr.
    // Jürgen"); empty for a walk-in, whose name is left to the pen.
    std::string name = {};
};

// One registration of the door list.
struct Druckanmeldung {
    std::string name; // display name
    // A valid EFN as its 15 digits; otherwise the EFN cell's text as given
    // (empty when the cell was).
    std::string efn;
    bool efn_gueltig = false;
    bool erfasst = false; // its EFN is in the participant list
};

struct Druckdaten {
    std::string vnr;
    std::string kammer; // the chamber's full name; empty when the catalogue has none
    std::string punkte;
    std::uint8_t meldungsart = 1;
    // Report type 2 only.
    std::string datum_von, datum_bis, uhrzeit_s, uhrzeit_e, dauer, inhalt;
    std::vector<Druckteilnehmer> teilnehmer;
    // Lines "Veranstalter" and "Ort" of the event's block on the attendance
    // list and the certificates; left out when empty.
    std::string veranstalter, ort;
    // The door list: every registration in the order to print, and its
    // closing count "Angemeldet: <angemeldet>, davon erfasst: <erfasst>"
    // (the caller counts: the distinct valid EFNs, and those of them captured).
    std::vector<Druckanmeldung> anmeldungen;
    int angemeldet = 0;
    int erfasst = 0;
};

} // namespace karmo::druck
