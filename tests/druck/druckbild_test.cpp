// The printed pages of an event without names, organiser or place, pinned: what later data adds leaves them as they are.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "druck/ausgabe.hpp"
#include "druck_umgebung.hpp"
#include "platform/fake/fake_drucker.hpp"
#include "platform/fake/fake_plattform.hpp"

namespace karmo::druck {
namespace {

// Every call the printer received, in order, as one fingerprint (FNV-1a).
std::uint64_t fingerabdruck(const Druckdaten& d, Druckart art) {
    FakePlattform p;
    FakeDrucker drucker;
    p.setze_drucker(&drucker);
    EXPECT_EQ(Drucken(p, d, art), Druckausgang::Gedruckt);
    std::string alles;
    for (const Gedruckte_Seite& s : drucker.auftraege.at(0).seiten) {
        alles += "S\n";
        for (const Gedruckter_Balken& b : s.balken) {
            alles += "B " + std::to_string(b.x) + " " + std::to_string(b.y) + " " + std::to_string(b.breite) + " " +
                     std::to_string(b.hoehe) + "\n";
        }
        for (const Gedruckter_Text& t : s.texte) {
            alles += "T " + std::to_string(t.x) + " " + std::to_string(t.y) + " " + std::to_string(t.schrift.hoehe) +
                     (t.schrift.fett ? "f " : " ") + t.text + "\n";
        }
    }
    std::uint64_t h = 14695981039346656037ULL;
    for (unsigned char c : alles) h = (h ^ c) * 1099511628211ULL;
    return h;
}

// The figures were taken from the layout before names, organiser and place
// came into the data.
TEST(Druckbild, PagesWithoutNamesOrganiserOrPlaceAreAsBefore) {
    const Druckdaten zwei = test::veranstaltung(40, 2);
    const Druckdaten eins = test::veranstaltung(5, 1);
    EXPECT_EQ(fingerabdruck(zwei, Druckart::Anwesenheitsliste), 3305871783767732035ULL);
    EXPECT_EQ(fingerabdruck(zwei, Druckart::Bescheinigungen), 2383974499975101942ULL);
    EXPECT_EQ(fingerabdruck(eins, Druckart::Anwesenheitsliste), 6501973446550509102ULL);
    EXPECT_EQ(fingerabdruck(eins, Druckart::Bescheinigungen), 1246497943184889443ULL);
}

} // namespace
} // namespace karmo::druck
