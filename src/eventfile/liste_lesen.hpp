// The participants of an event file read without a form: the lines another laptop captured for the same event.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/plattform.hpp"

namespace karmo {

// The event number and the list lines of one file, in the file's order.
// The lines share one buffer: a file of 32,767 lines costs two allocations
// that grow, not one per line.
class Gelesene_Liste {
public:
    std::string vnr;

    std::size_t anzahl() const { return enden_.size(); }
    std::string_view eintrag(std::size_t i) const;
    // The lines whose EFN element in the file is longer than an EFN (15
    // characters), in ascending order: their first 15 characters may look
    // like a valid EFN, but the file's number is another.
    const std::vector<std::size_t>& lange_efn() const { return lange_efn_; }
    // A line, and how many characters its EFN element has in the file.
    void anfuegen(std::string_view e, std::size_t efn_zeichen);
    // Empties the list, keeping its storage for the next file.
    void leeren();

private:
    std::string text_;
    std::vector<std::size_t> enden_;
    std::vector<std::size_t> lange_efn_;
};

// Reads `Pfad` with the loader's rules (Veranstaltung_laden): the same lines
// become the same list lines, the last VNR element gives the number (empty
// without one). The file is only read. Raises karmo::Fehler where the loader
// would refuse the file: it cannot be opened or read (the file system's
// error), its second line lacks "Veranstaltung" (2001), its report type is
// missing or above 200 (200), or a header value runs into the end of the
// file (2002).
void Teilnehmer_lesen(Plattform& pl, const std::string& Pfad, Gelesene_Liste& liste);

} // namespace karmo
