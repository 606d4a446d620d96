// Keys typed into a message box, with the key times given by the test: a card closes an OK box, never answers a question.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "eingabe/meldungsfang.hpp"

namespace karmo::eingabe {
namespace {

constexpr const char* k_karte = "740000000000013";

// Types into one box; '\r' is Enter, '\t' Tab, 'E' Escape (another key).
// Records what became of each key, as the box's modal loop would see it.
struct Box {
    Meldungsfang fang;
    std::uint32_t zeit = 5000;
    std::string an_die_box; // keys that reached the box
    bool geschlossen = false;

    Box(Boxart art, bool nimmt) : fang(art, nimmt) {}

    void tippen(std::string_view t, std::uint32_t abstand) {
        for (char c : t) {
            zeit += abstand;
            const Taste art = c >= '0' && c <= '9' ? Taste::Ziffer
                              : (c == '\r' || c == '\t') ? Taste::Ende
                                                          : Taste::Andere;
            if (geschlossen) {
                ADD_FAILURE() << "key after the box closed";
                return;
            }
            switch (fang.taste(art, c, zeit)) {
                case Boxschritt::Weiter:
                    an_die_box += c;
                    // A person's Enter or Escape closes an OK box as ever.
                    if (c == '\r' || c == 'E') geschlossen = true;
                    break;
                case Boxschritt::Schlucken:
                    break;
                case Boxschritt::Schliessen:
                    geschlossen = true;
                    break;
            }
        }
    }
    void scannen(std::string_view karte, char ende = '\r') { tippen(std::string(karte) + ende, 5); }
};

TEST(Meldungsfang, KarteSchliesstDenHinweisUndWirdBehalten) {
    for (char ende : {'\r', '\t'}) {
        Box b(Boxart::Hinweis, true);
        b.scannen(k_karte, ende);
        EXPECT_TRUE(b.geschlossen);
        EXPECT_EQ(b.an_die_box, "") << "no key of the card reaches the box";
        EXPECT_EQ(b.fang.karten(), std::vector<std::string>{k_karte});
    }
}

TEST(Meldungsfang, EineTeilweiseGeleseneKarteZaehltAuch) {
    Box b(Boxart::Hinweis, true);
    b.scannen("74000000000001");
    EXPECT_TRUE(b.geschlossen);
    EXPECT_EQ(b.fang.karten(), std::vector<std::string>{"74000000000001"});
}

TEST(Meldungsfang, EinMenschSchliesstDenHinweisWieImmer) {
    {
        Box b(Boxart::Hinweis, true);
        b.tippen("\r", 400);
        EXPECT_TRUE(b.geschlossen);
        EXPECT_EQ(b.an_die_box, "\r");
    }
    {
        // Digits typed slowly go nowhere; the Enter after them is a person's.
        Box b(Boxart::Hinweis, true);
        b.tippen("123\r", 150);
        EXPECT_EQ(b.an_die_box, "\r");
        EXPECT_TRUE(b.fang.karten().empty());
    }
    {
        // One quick digit and Enter are no card.
        Box b(Boxart::Hinweis, true);
        b.tippen("7\r", 5);
        EXPECT_EQ(b.an_die_box, "\r");
        EXPECT_TRUE(b.fang.karten().empty());
    }
    {
        // Enter long after a card's digits is a person's.
        Box b(Boxart::Hinweis, true);
        b.tippen(k_karte, 5);
        b.tippen("\r", 300);
        EXPECT_EQ(b.an_die_box, "\r");
        EXPECT_TRUE(b.fang.karten().empty());
    }
}

TEST(Meldungsfang, EineFrageBeantwortetKeineKarte) {
    Box b(Boxart::Frage, true);
    b.scannen(k_karte);
    b.scannen("100000000000009", '\t');
    EXPECT_FALSE(b.geschlossen);
    EXPECT_EQ(b.an_die_box, "") << "neither Enter nor Tab reached the buttons";
    EXPECT_EQ(b.fang.karten(), (std::vector<std::string>{k_karte, "100000000000009"}));
    // The person answers afterwards, with a key of their own.
    b.tippen("\r", 500);
    EXPECT_TRUE(b.geschlossen);
    EXPECT_EQ(b.an_die_box, "\r");
}

TEST(Meldungsfang, OhneListeGehenDieTastenNirgendwohin) {
    for (Boxart art : {Boxart::Hinweis, Boxart::Frage}) {
        Box b(art, false);
        b.scannen(k_karte);
        EXPECT_FALSE(b.geschlossen) << "the box stays open for a person";
        EXPECT_EQ(b.an_die_box, "");
        EXPECT_TRUE(b.fang.karten().empty()) << "no list to take it";
        b.tippen("E", 500);
        EXPECT_TRUE(b.geschlossen);
    }
}

} // namespace
} // namespace karmo::eingabe
