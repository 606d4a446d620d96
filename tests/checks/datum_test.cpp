// German date recognition: real calendar dates only, short forms, and the "dd.mm.yyyy" text.
#include <gtest/gtest.h>

#include "checks/datum.hpp"

namespace karmo {
namespace {

TEST(DatumGueltig, NimmtEchteDaten) {
    for (const char* t :
         {"21.12.2006", "1.1.2006", "01.01.2006", "29.02.2008", "29.02.2000", "31.12.99", "1.1.06", "29.2.28"}) {
        EXPECT_TRUE(Datum_gueltig(t)) << t;
    }
}

TEST(DatumGueltig, LehntUnmoeglichesUndFremdeFormenAb) {
    for (const char* t :
         {"21122006", "31.02.2006", "1.13.2006",  "0.1.2006", "1.0.2006",  "29.02.2006",  "29.02.1900",
          "29.2.30",  "31.04.2006", "21.12",      "21.12.",   "21.12.206", "21.12.20066", "21.12.2006.",
          "",         ".1.2006",    "001.1.2006", "1.1.0000", " 1.1.2006", "2006-12-21",  "21/12/2006"}) {
        EXPECT_FALSE(Datum_gueltig(t)) << t;
    }
}

TEST(DatumText, ZweistelligMitFuehrendenNullen) {
    EXPECT_EQ(Datum_text({1, 2, 2006}), "01.02.2006");
    EXPECT_EQ(Datum_text({21, 12, 2026}), "21.12.2026");
}

} // namespace
} // namespace karmo
