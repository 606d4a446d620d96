// German date recognition and formatting without the C library's locale.
#include "checks/datum.hpp"

#include <cstdio>

namespace karmo {
namespace {

// Reads 1 to `max_ziffern` digits at `pos`, moving it past them; -1 when
// there is none.
int zahl_lesen(std::string_view t, std::size_t& pos, std::size_t max_ziffern, std::size_t& gelesen) {
    int wert = 0;
    gelesen = 0;
    while (pos < t.size() && gelesen < max_ziffern && t[pos] >= '0' && t[pos] <= '9') {
        wert = wert * 10 + (t[pos] - '0');
        ++pos;
        ++gelesen;
    }
    return gelesen == 0 ? -1 : wert;
}

bool schaltjahr(int jahr) { return (jahr % 4 == 0 && jahr % 100 != 0) || jahr % 400 == 0; }

int monatslaenge(int monat, int jahr) {
    constexpr int k_tage[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (monat == 2 && schaltjahr(jahr)) return 29;
    return k_tage[monat - 1];
}

} // namespace

bool Datum_gueltig(std::string_view text) { return Datum_lesen(text).has_value(); }

std::optional<Datum> Datum_lesen(std::string_view text) {
    std::size_t pos = 0, n = 0;
    const int tag = zahl_lesen(text, pos, 2, n);
    if (tag < 0 || pos >= text.size() || text[pos++] != '.') return std::nullopt;
    const int monat = zahl_lesen(text, pos, 2, n);
    if (monat < 0 || pos >= text.size() || text[pos++] != '.') return std::nullopt;
    int jahr = zahl_lesen(text, pos, 4, n);
    if (jahr < 0 || pos != text.size()) return std::nullopt;
    if (n == 2) {
        jahr += jahr < 30 ? 2000 : 1900;
    } else if (n != 4 || jahr == 0) {
        return std::nullopt;
    }
    if (monat < 1 || monat > 12) return std::nullopt;
    if (tag < 1 || tag > monatslaenge(monat, jahr)) return std::nullopt;
    return Datum{tag, monat, jahr};
}

std::string Datum_text(const Datum& datum) {
    char puffer[32];
    std::snprintf(puffer, sizeof puffer, "%02d.%02d.%04d", datum.tag, datum.monat, datum.jahr);
    return puffer;
}

} // namespace karmo
