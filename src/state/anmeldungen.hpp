// The open event's registration list: read once for its event number, and whether its count of the captured is current.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "anmeldung/register.hpp"
#include "platform/plattform.hpp"
#include "ui/fenster.hpp"

namespace karmo {

// The list belongs to the event number, not to a file: both names of a
// type-2 event, every day of a multi-day event and every later opening find
// the same one (c:\zelva\Daten\<VNR>.Anmeldeliste.csv). It is read when an
// event's form first asks for it, and kept while the number stays.
//
// Who of the list is captured follows the participant list: the group's own
// changes tell the register line by line and then `gezaehlt_bei`; any other
// change of the list box (a new event, a file loaded, a journal restored, a
// merge) shows in the list's change count, and the lines are counted anew
// once (Teilnehmerzahl_zeigen).
class Anmeldungen {
public:
    // The register of the event `vnr`, read from `datenordner` the first
    // time; null when the event has none (or its stored list cannot be read).
    anmeldung::Anmelderegister* fuer(Plattform& pl, std::string_view datenordner, std::string_view vnr);

    // A list loaded for `vnr` (window "Anmeldeliste"), or none after "Entfernen".
    void setzen(std::string_view vnr, anmeldung::Anmelderegister r);
    void entfernen(std::string_view vnr);

    // Whether the register's count of the captured holds for `form`'s list as it is now.
    bool gezaehlt(const ui::Fenster& form) const;
    // The count now holds for `form`'s list as it is.
    void gezaehlt_bei(const ui::Fenster& form);

private:
    std::string vnr_;
    bool gelesen_ = false;
    std::optional<anmeldung::Anmelderegister> register_;
    const ui::Fenster* form_ = nullptr;
    std::uint64_t stand_ = 0;
};

} // namespace karmo
