// Whole points, times within a day, an end date not before the first day.
#include <gtest/gtest.h>

#include "checks/datum.hpp"
#include "checks/eingabegrenzen.hpp"
#include "platform/fake/fake_plattform.hpp"

namespace karmo {
namespace {

TEST(GanzePunkte, DezimalzeichenWerdenAbgelehntAnderesNicht) {
    FakePlattform p;
    for (const char* t : {"", "8", "12", "1a2", "8 P", "-3"}) EXPECT_TRUE(Ganze_Punkte(p, t)) << t;
    EXPECT_TRUE(p.meldungen.empty());
    for (const char* t : {"4,5", "4.5", ",5", "5.", "1,0"}) {
        p.meldungen.clear();
        EXPECT_FALSE(Ganze_Punkte(p, t)) << t;
        EXPECT_EQ(p.meldungen, std::vector<std::string>{"Bitte geben Sie ganze Punkte ein!"}) << t;
    }
}

TEST(UhrzeitImBereich, InnerhalbEinesTages) {
    for (const char* t : {"0:00", "00:00", "13:22", "23:59", "1:5", "13:", "9:0", "12:30:99"}) {
        EXPECT_TRUE(Uhrzeit_im_Bereich(t)) << t;
    }
    for (const char* t : {"24:00", "99:99", "23:60", "12:345", "123:0", ":30", "1322", ""}) {
        EXPECT_FALSE(Uhrzeit_im_Bereich(t)) << t;
    }
}

TEST(EnddatumMoeglich, NurEinEchtesDatumVorDemErstenTagIstFalsch) {
    EXPECT_TRUE(Enddatum_moeglich("21.12.2006", "21.12.2006"));
    EXPECT_TRUE(Enddatum_moeglich("21.12.2006", "22.12.2006"));
    EXPECT_TRUE(Enddatum_moeglich("31.12.2006", "1.1.07"));
    EXPECT_FALSE(Enddatum_moeglich("21.12.2006", "20.12.2006"));
    EXPECT_FALSE(Enddatum_moeglich("1.1.2007", "31.12.2006"));
    EXPECT_FALSE(Enddatum_moeglich("21.12.2006", "21.11.2006"));
    // Comparing needs two dates: anything else is the date check's business.
    for (const char* t : {"", "7", "32.12.2006", "21122006"}) {
        EXPECT_TRUE(Enddatum_moeglich(t, "1.1.2000")) << t;
        EXPECT_TRUE(Enddatum_moeglich("1.1.2030", t)) << t;
    }
}

TEST(DatumLesen, JahrVierstellig) {
    const auto d = Datum_lesen("1.2.06");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->tag, 1);
    EXPECT_EQ(d->monat, 2);
    EXPECT_EQ(d->jahr, 2006);
    EXPECT_FALSE(Datum_lesen("29.2.30").has_value());
}

} // namespace
} // namespace karmo
