// Whole points, times within a day, and an end date not before the first day.
#include "checks/eingabegrenzen.hpp"

#include <tuple>

#include "checks/datum.hpp"

namespace karmo {
namespace {

// The value of the digits of `t`; -1 when there are more than fit a clock.
int zahl(std::string_view t) {
    if (t.size() > 4) return -1;
    int wert = 0;
    for (char c : t) {
        if (c < '0' || c > '9') return -1;
        wert = wert * 10 + (c - '0');
    }
    return wert;
}

} // namespace

bool Ganze_Punkte(Plattform& plattform, std::string_view Text) {
    if (Text.find_first_of(",.") == std::string_view::npos) return true;
    plattform.meldung("Bitte geben Sie ganze Punkte ein!");
    return false;
}

bool Uhrzeit_im_Bereich(std::string_view Zeit) {
    const std::size_t doppelpunkt = Zeit.find(':');
    if (doppelpunkt == std::string_view::npos || doppelpunkt == 0) return false;
    std::string_view minuten = Zeit.substr(doppelpunkt + 1);
    minuten = minuten.substr(0, minuten.find(':'));
    const int h = zahl(Zeit.substr(0, doppelpunkt));
    const int m = zahl(minuten);
    return h >= 0 && h <= 23 && m >= 0 && m <= 59;
}

bool Enddatum_moeglich(std::string_view Von, std::string_view Bis) {
    const auto von = Datum_lesen(Von);
    const auto bis = Datum_lesen(Bis);
    if (!von || !bis) return true;
    return std::tie(bis->jahr, bis->monat, bis->tag) >= std::tie(von->jahr, von->monat, von->tag);
}

} // namespace karmo
