// The certificates: one page per participant with the event, the EFN and its barcode, the points and the lines to sign.
#include "druck/bescheinigungen.hpp"

#include <gtest/gtest.h>

#include "druck_umgebung.hpp"

namespace karmo::druck {
namespace {

using test::finde;
using test::hat_text;
using test::veranstaltung;

const test::Zeichenmass k_mass;

TEST(Bescheinigungen, OnePagePerParticipantInListOrder) {
    const Druckdaten d = veranstaltung(7, 2);
    const Bescheinigungen b(d, k_mass, test::k_600);
    ASSERT_EQ(b.seitenzahl(), 7);
    for (int k = 1; k <= 7; ++k) {
        SCOPED_TRACE(k);
        const Seite s = b.seite(k);
        const Druckteilnehmer& t = d.teilnehmer[static_cast<std::size_t>(k - 1)];
        EXPECT_TRUE(hat_text(s, "Teilnahmebescheinigung"));
        for (const std::string& wert : {d.vnr, d.kammer, std::string("21.12.2006 bis 22.12.2006"),
                                        std::string("09:00 bis 17:30"), std::string("420 Minuten"), d.inhalt}) {
            EXPECT_TRUE(hat_text(s, wert)) << wert;
        }
        ASSERT_EQ(s.codes.size(), 1U);
        EXPECT_EQ(s.codes[0].text, t.efn);
        EXPECT_GE(s.codes[0].hoehe, 8 * k_mm);
        // The EFN beside its caption and beneath its bars.
        int ziffern = 0;
        for (const Textstueck& x : s.texte) ziffern += x.text == t.efn ? 1 : 0;
        EXPECT_EQ(ziffern, 2);
        EXPECT_TRUE(hat_text(s, "Basispunkte"));
        EXPECT_TRUE(hat_text(s, "Referentenpunkte"));
        EXPECT_TRUE(hat_text(s, t.referent.empty() ? "keine" : t.referent));
        for (const char* linie : {"Name, Vorname", "Ort, Datum", "Unterschrift des Veranstalters"}) {
            const Textstueck* x = finde(s, linie);
            ASSERT_NE(x, nullptr) << linie;
            EXPECT_GT(x->y, s.codes[0].y) << linie;
        }
        EXPECT_FALSE(hat_text(s, "Anwesenheitsliste"));
        for (const Textstueck& x : s.texte) {
            EXPECT_LE(x.y + zeilenhoehe(x.schrift), k_unten) << x.text;
            EXPECT_LE(x.x + k_mass.breite(x.text, x.schrift), k_rechts) << x.text;
        }
    }
}

TEST(Bescheinigungen, PointsNamedAsSuchAndTypeOneWithoutDates) {
    Druckdaten d = veranstaltung(2, 1);
    d.teilnehmer[0] = {d.teilnehmer[0].efn, "6", "3"};
    const Bescheinigungen b(d, k_mass, test::k_600);
    const Seite s = b.seite(1);
    const Textstueck* basis = finde(s, "Basispunkte");
    const Textstueck* referent = finde(s, "Referentenpunkte");
    ASSERT_NE(basis, nullptr);
    ASSERT_NE(referent, nullptr);
    const Textstueck* sechs = finde(s, "6");
    const Textstueck* drei = finde(s, "3");
    ASSERT_NE(sechs, nullptr);
    ASSERT_NE(drei, nullptr);
    EXPECT_EQ(sechs->y, basis->y);
    EXPECT_EQ(drei->y, referent->y);
    EXPECT_FALSE(hat_text(s, "Datum"));
    EXPECT_FALSE(hat_text(s, "Inhalt"));
    EXPECT_TRUE(hat_text(b.seite(2), "keine"));
    for (const Textstueck* t : {basis, referent}) {
        EXPECT_LT(t->x + k_mass.breite(t->text, t->schrift), sechs->x) << t->text;
    }
}

TEST(Bescheinigungen, EmptyListHasNoPages) {
    const Druckdaten d = veranstaltung(0);
    EXPECT_EQ(Bescheinigungen(d, k_mass, test::k_600).seitenzahl(), 0);
}

} // namespace
} // namespace karmo::druck
