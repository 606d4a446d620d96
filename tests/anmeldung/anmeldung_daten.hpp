// What the registration list's tests share: valid EFNs and a table read without a refusal.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "anmeldung/liste.hpp"
#include "checks/nummern.hpp"

namespace karmo::test {

// A valid EFN from a running number.
inline std::string gueltige_efn(int n) {
    std::string nutz = std::to_string(n);
    nutz.insert(0, 14 - nutz.size(), '0');
    nutz[0] = '1';
    return nutz + Pruefziffer_berechnen(nutz);
}

// The list of a table that must be read.
inline anmeldung::Anmeldeliste gelesen(std::string_view bytes) {
    anmeldung::Leseergebnis e = anmeldung::Tabelle_lesen(bytes);
    EXPECT_EQ(e.ablehnung, anmeldung::Ablehnung::Keine);
    return std::move(e.liste);
}

} // namespace karmo::test
