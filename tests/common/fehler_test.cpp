// Errors shown to the user always carry a number.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "common/fehler.hpp"

namespace karmo {
namespace {

TEST(Fehler, AndereFehlerBekommenEineNummer) {
    const Fehler eigen = als_fehler(Fehler(2002, "XML-Loader", "Unerwartets Dateiende- Datei fehlerhaft!"));
    EXPECT_EQ(eigen.nummer(), 2002);
    EXPECT_EQ(eigen.text(), "Unerwartets Dateiende- Datei fehlerhaft!");

    const Fehler speicher = als_fehler(std::bad_alloc());
    EXPECT_EQ(speicher.nummer(), 7);
    EXPECT_EQ(speicher.text(), "Nicht genügend Speicher.");

    const Fehler sonst = als_fehler(std::length_error("Liste voll"));
    EXPECT_EQ(sonst.nummer(), 5);
    EXPECT_EQ(sonst.text(), "Liste voll");
}

} // namespace
} // namespace karmo
