// Keys typed into a message box, with the key times given by the test: a card closes an OK box, never answers a question.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "eingabe/meldungsfang.hpp"

namespace karmo::eingabe {
namespace {

constexpr const char* k_karte = "740000000000013";

// Types into one window; '\r' is Enter, '\t' Tab, 'E' Escape (another key).
// Records what became of each key, as the window's modal loop would see it:
// held keys reach the window when the rule lets them go, the clock ticking
// every millisecond in between (as the catcher's timer would).
struct Box {
    Fangpuffer<char> fang;
    std::uint32_t zeit = 5000;
    std::string an_die_box; // keys that reached the window, in order
    bool geschlossen = false;
    bool schliesst_bei_enter = true; // a person's Enter or Escape closes it

    Box(Boxart art, bool nimmt) : fang(art, nimmt), schliesst_bei_enter(art != Boxart::Fenster) {}

    void ankommen(char c) {
        an_die_box += c;
        if (schliesst_bei_enter && (c == '\r' || c == 'E')) geschlossen = true;
    }
    void tippen(std::string_view t, std::uint32_t abstand) {
        for (char c : t) {
            warten(abstand);
            const Taste art = c >= '0' && c <= '9' ? Taste::Ziffer
                              : (c == '\r' || c == '\t') ? Taste::Ende
                                                          : Taste::Andere;
            if (geschlossen) {
                ADD_FAILURE() << "key after the box closed";
                return;
            }
            switch (fang.taste(art, c, zeit, c, [this](char k) { ankommen(k); })) {
                case Boxschritt::Weiter:
                    ankommen(c);
                    break;
                case Boxschritt::Halten:
                case Boxschritt::Neu:
                case Boxschritt::Schlucken:
                    break;
                case Boxschritt::Schliessen:
                    geschlossen = true;
                    break;
            }
        }
    }
    void warten(std::uint32_t ms) {
        for (std::uint32_t i = 0; i < ms; ++i) fang.uhr(++zeit, [this](char k) { ankommen(k); });
    }
    void scannen(std::string_view karte, char ende = '\r') { tippen(std::string(karte) + ende, 5); }
    std::vector<std::string> karten() const { return fang.regel().karten(); }
};

TEST(Meldungsfang, KarteSchliesstDenHinweisUndWirdBehalten) {
    for (char ende : {'\r', '\t'}) {
        Box b(Boxart::Hinweis, true);
        b.scannen(k_karte, ende);
        EXPECT_TRUE(b.geschlossen);
        EXPECT_EQ(b.an_die_box, "") << "no key of the card reaches the box";
        EXPECT_EQ(b.karten(), std::vector<std::string>{k_karte});
    }
}

TEST(Meldungsfang, EineTeilweiseGeleseneKarteZaehltAuch) {
    Box b(Boxart::Hinweis, true);
    b.scannen("74000000000001");
    EXPECT_TRUE(b.geschlossen);
    EXPECT_EQ(b.karten(), std::vector<std::string>{"74000000000001"});
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
        EXPECT_TRUE(b.karten().empty());
    }
    {
        // One quick digit and Enter are no card.
        Box b(Boxart::Hinweis, true);
        b.tippen("7\r", 5);
        EXPECT_EQ(b.an_die_box, "\r");
        EXPECT_TRUE(b.karten().empty());
    }
    {
        // Enter long after a card's digits is a person's.
        Box b(Boxart::Hinweis, true);
        b.tippen(k_karte, 5);
        b.tippen("\r", 300);
        EXPECT_EQ(b.an_die_box, "\r");
        EXPECT_TRUE(b.karten().empty());
    }
}

TEST(Meldungsfang, EineFrageBeantwortetKeineKarte) {
    Box b(Boxart::Frage, true);
    b.scannen(k_karte);
    b.scannen("100000000000009", '\t');
    EXPECT_FALSE(b.geschlossen);
    EXPECT_EQ(b.an_die_box, "") << "neither Enter nor Tab reached the buttons";
    EXPECT_EQ(b.karten(), (std::vector<std::string>{k_karte, "100000000000009"}));
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
        EXPECT_TRUE(b.karten().empty()) << "no list to take it";
        b.tippen("E", 500);
        EXPECT_TRUE(b.geschlossen);
    }
}

TEST(Meldungsfang, EineZuLangeZifferfolgeIstKeineKarteUndKeineAntwort) {
    // An event number's barcode (19 digits), scanned by mistake into a question.
    for (char ende : {'\r', '\t'}) {
        Box b(Boxart::Frage, true);
        b.scannen("2760123456789012344", ende);
        EXPECT_FALSE(b.geschlossen) << "the question stays open for a person";
        EXPECT_EQ(b.an_die_box, "");
        EXPECT_TRUE(b.karten().empty()) << "it is no card";
        // A card right after it is still a card.
        b.scannen(k_karte);
        EXPECT_EQ(b.karten(), std::vector<std::string>{k_karte});
    }
    Box hinweis(Boxart::Hinweis, true);
    hinweis.scannen("27601234567890123440000");
    EXPECT_FALSE(hinweis.geschlossen);
    EXPECT_TRUE(hinweis.karten().empty());
}

TEST(Meldungsfang, ImFensterBleibtDieKarteDraussenUndWirdBehalten) {
    // Save As with its proposed name, the print dialog, Ausdruck: two cards in a row.
    Box b(Boxart::Fenster, true);
    b.scannen(k_karte);
    b.scannen("100000000000009", '\t');
    EXPECT_FALSE(b.geschlossen);
    EXPECT_EQ(b.an_die_box, "") << "no digit lands in a box, no Enter or Tab presses a button";
    EXPECT_EQ(b.karten(), (std::vector<std::string>{k_karte, "100000000000009"}));
    EXPECT_FALSE(b.fang.haelt());
    // A 19-digit run goes nowhere either, and is not kept.
    b.scannen("2760123456789012344");
    EXPECT_EQ(b.an_die_box, "");
    EXPECT_EQ(b.karten().size(), 2U);
}

TEST(Meldungsfang, ImFensterKommenDieTastenEinesMenschenAn) {
    // A file name typed by hand, digits included, then Enter: all of it, in order.
    Box b(Boxart::Fenster, true);
    b.tippen("liste2024.xml\r", 150);
    EXPECT_EQ(b.an_die_box, "liste2024.xml\r");
    EXPECT_TRUE(b.karten().empty());
    EXPECT_FALSE(b.fang.haelt()) << "each held digit went on after at most one tick past 50 ms";

    // Quick digits that end in a pause, not in Enter: they were a person's after all.
    Box rasch(Boxart::Fenster, true);
    rasch.tippen("12345", 5);
    EXPECT_EQ(rasch.an_die_box, "");
    rasch.warten(60);
    EXPECT_EQ(rasch.an_die_box, "12345");
    // Escape and Tab typed slowly go on as ever.
    rasch.tippen("E\t", 200);
    EXPECT_EQ(rasch.an_die_box, "12345E\t");

    // Another key ends the run: the held digits go first, then the key.
    Box buchstabe(Boxart::Fenster, true);
    buchstabe.tippen("123a", 5);
    EXPECT_EQ(buchstabe.an_die_box, "123a");

    // A digit typed by hand just before a card keeps its place before the card's keys.
    Box davor(Boxart::Fenster, true);
    davor.tippen("7", 100);
    davor.zeit += 70; // the next key before the clock's tick
    davor.scannen(k_karte);
    EXPECT_EQ(davor.an_die_box, "7");
    EXPECT_EQ(davor.karten(), std::vector<std::string>{k_karte});
}

TEST(Meldungsfang, OhneListeBekommtEinFensterJedeTaste) {
    // No capture form open (the main menu's file list): a window is left alone.
    Box b(Boxart::Fenster, false);
    b.scannen(k_karte);
    EXPECT_EQ(b.an_die_box, std::string(k_karte) + "\r");
    EXPECT_TRUE(b.karten().empty());
}

} // namespace
} // namespace karmo::eingabe
