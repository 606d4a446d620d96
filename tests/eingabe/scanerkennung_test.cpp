// The scan detector and the key buffer around it, with the key times given by the test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "eingabe/scanpuffer.hpp"

namespace karmo::eingabe {
namespace {

constexpr const char* k_karte = "740000000000013";

// Types keys into a buffer as the message loop does: '\r' is Enter, '\t'
// Tab, a digit a digit, anything else another key. What goes on to the
// target and which scans were taken are recorded.
struct Tastatur {
    Scanpuffer<char> puffer;
    std::string weiter;
    std::vector<std::string> scans;
    std::uint32_t zeit = 1000;

    void taste(char c) {
        const Taste art = c >= '0' && c <= '9' ? Taste::Ziffer : (c == '\r' || c == '\t') ? Taste::Ende : Taste::Andere;
        puffer.taste(
            art, c, zeit, c, [this](char k) { weiter += k; }, [this](std::string_view s) { scans.emplace_back(s); });
    }
    // Each key `abstand` ms after the one before; the clock ticks in between
    // (as the message loop's timer would).
    void tippen(std::string_view t, std::uint32_t abstand) {
        for (char c : t) {
            warten(abstand);
            taste(c);
        }
    }
    void warten(std::uint32_t ms) {
        for (std::uint32_t i = 0; i < ms; ++i) {
            ++zeit;
            puffer.uhr(zeit, [this](char k) { weiter += k; });
        }
    }
};

TEST(Scanerkennung, FuenfzehnSchnelleZiffernMitEnterOderTabSindEinScan) {
    for (const char* ende : {"\r", "\t"}) {
        Tastatur t;
        t.tippen(std::string(k_karte) + ende, 5);
        EXPECT_EQ(t.scans, (std::vector<std::string>{k_karte})) << int(ende[0]);
        EXPECT_EQ(t.weiter, "") << "no key of a scan reaches the target";
        EXPECT_FALSE(t.puffer.haelt());
    }
}

TEST(Scanerkennung, GrenzeLiegtBeiGenauFuenfzigMillisekunden) {
    Tastatur an_der_grenze;
    an_der_grenze.tippen(std::string(k_karte) + "\r", k_scan_abstand_ms);
    EXPECT_EQ(an_der_grenze.scans.size(), 1U);

    // One key a millisecond too late anywhere breaks it: the keys go on in order.
    for (std::size_t spaet = 1; spaet <= 15; ++spaet) {
        Tastatur t;
        const std::string keys = std::string(k_karte) + "\r";
        for (std::size_t i = 0; i < keys.size(); ++i) t.tippen(keys.substr(i, 1), i == spaet ? 51 : 5);
        EXPECT_TRUE(t.scans.empty()) << spaet;
        EXPECT_EQ(t.weiter, keys) << spaet;
    }
}

TEST(Scanerkennung, EinMenschWirdNieFuerEinenScannerGehalten) {
    Tastatur t;
    t.tippen(std::string(k_karte) + "\r", 120);
    EXPECT_TRUE(t.scans.empty());
    EXPECT_EQ(t.weiter, std::string(k_karte) + "\r");
    // Each digit was held at most 51 ms: a person's key arrives, just late.
    EXPECT_FALSE(t.puffer.haelt());
}

TEST(Scanerkennung, FalscheLaengeIstKeinScan) {
    // 14 digits, then Enter; a 19-digit number (the event number) and its Enter.
    for (const std::string keys : {"74000000000001\r", "2760123456789012344\r", "7400000000000133\t"}) {
        Tastatur t;
        t.tippen(keys, 5);
        EXPECT_TRUE(t.scans.empty()) << keys;
        EXPECT_EQ(t.weiter, keys) << keys;
    }
    // 30 quick digits are no two cards: no part of an overlong run counts.
    Tastatur t;
    t.tippen(std::string(k_karte) + k_karte + "\r", 5);
    EXPECT_TRUE(t.scans.empty());
    EXPECT_EQ(t.weiter.size(), 31U);
}

TEST(Scanerkennung, AndereTasteBrichtAbUndGehtNachDenGehaltenenWeiter) {
    Tastatur t;
    t.tippen("1234a567890123456\r", 5);
    EXPECT_TRUE(t.scans.empty());
    EXPECT_EQ(t.weiter, "1234a567890123456\r");
}

TEST(Scanerkennung, KartenDichtHintereinander) {
    // The next card's first digit 5 ms after the Enter: a new run at once.
    Tastatur t;
    t.tippen(std::string(k_karte) + "\r" + "100000000000009\r" + "987654321098767\t", 5);
    EXPECT_EQ(t.scans, (std::vector<std::string>{k_karte, "100000000000009", "987654321098767"}));
    EXPECT_EQ(t.weiter, "");
}

TEST(Scanerkennung, EinePauseBeginntEinenNeuenLauf) {
    // A digit typed by hand, then a card after a pause shorter than the
    // clock's tick: the held digit goes on, the card is still a card.
    Tastatur t;
    t.taste('8');
    t.zeit += 200; // no tick: the timer has not fired
    t.tippen(std::string(k_karte) + "\r", 5);
    EXPECT_EQ(t.weiter, "8");
    EXPECT_EQ(t.scans, (std::vector<std::string>{k_karte}));
}

TEST(Scanerkennung, FreigebenGibtDieGehaltenenInReihenfolge) {
    Tastatur t;
    t.tippen("123", 5);
    EXPECT_TRUE(t.puffer.haelt());
    EXPECT_EQ(t.puffer.gehalten(), (std::vector<char>{'1', '2', '3'}));
    t.puffer.freigeben([&](char k) { t.weiter += k; }); // a click
    EXPECT_EQ(t.weiter, "123");
    // What follows starts afresh: 12 more digits make no scan with the 3 released.
    t.tippen("456789012345\r", 5);
    EXPECT_TRUE(t.scans.empty());
    EXPECT_EQ(t.weiter, "123456789012345\r");
}

TEST(Scanerkennung, InEinerMeldungZaehltAuchEineKuerzereKarte) {
    Scanerkennung e(2);
    std::uint32_t t = 100;
    for (char c : std::string("74000000000001")) EXPECT_EQ(e.taste(Taste::Ziffer, c, t += 5), Entscheidung::Halten);
    EXPECT_EQ(e.taste(Taste::Ende, 0, t += 5), Entscheidung::Scan);
    EXPECT_EQ(e.ziffern(), "74000000000001");
    // One digit and Enter, or a person's pace, are no card.
    EXPECT_EQ(e.taste(Taste::Ziffer, '1', t += 5), Entscheidung::Halten);
    EXPECT_EQ(e.taste(Taste::Ende, 0, t += 5), Entscheidung::Freigeben);
    EXPECT_EQ(e.taste(Taste::Ziffer, '1', t += 120), Entscheidung::Halten);
    EXPECT_EQ(e.taste(Taste::Ziffer, '2', t += 120), Entscheidung::Neu);
    EXPECT_EQ(e.taste(Taste::Ende, 0, t += 120), Entscheidung::Freigeben);
    // 16 digits are still too many: a machine's run, told apart by its end.
    for (char c : std::string("7400000000000133")) e.taste(Taste::Ziffer, c, t += 5);
    EXPECT_EQ(e.taste(Taste::Ende, 0, t += 5), Entscheidung::Ueberlang);
    // Ended by a person, later, it is only a long number.
    for (char c : std::string("7400000000000133")) e.taste(Taste::Ziffer, c, t += 5);
    EXPECT_EQ(e.taste(Taste::Ende, 0, t += 120), Entscheidung::Freigeben);
}

TEST(Scanerkennung, UeberlangeLaeufeGehaltenOderWeitergegeben) {
    // Where such a run has a place (the form's boxes), its digits go on, and
    // the caller decides about its Enter.
    Scanpuffer<char> puffer;
    std::string weiter, ende;
    std::uint32_t t = 100;
    for (char c : std::string("2760123456789012344\r")) {
        const Taste art = c == '\r' ? Taste::Ende : Taste::Ziffer;
        puffer.taste(
            art, c, t += 5, c, [&](char k) { weiter += k; }, [](std::string_view) { ADD_FAILURE(); },
            [&](char k) { ende += k; });
    }
    EXPECT_EQ(weiter, "2760123456789012344");
    EXPECT_EQ(ende, "\r");

    // Held on, no digit of it goes anywhere before its end.
    Scanerkennung h(2, true);
    t = 100;
    for (char c : std::string("2760123456789012344")) EXPECT_EQ(h.taste(Taste::Ziffer, c, t += 5), Entscheidung::Halten);
    EXPECT_TRUE(h.haelt());
    EXPECT_EQ(h.taste(Taste::Ende, 0, t += 5), Entscheidung::Ueberlang);
    EXPECT_FALSE(h.haelt());
}

TEST(Scanerkennung, UhrUeberlauf) {
    Tastatur t;
    t.zeit = 0xFFFFFFF0U;
    t.tippen(std::string(k_karte) + "\r", 5);
    EXPECT_EQ(t.scans, (std::vector<std::string>{k_karte}));
}

TEST(Scanerkennung, EntscheidungenEinzeln) {
    Scanerkennung e;
    EXPECT_EQ(e.taste(Taste::Ziffer, '1', 100), Entscheidung::Halten);
    EXPECT_FALSE(e.verfallen(150));
    EXPECT_TRUE(e.verfallen(151));
    EXPECT_EQ(e.taste(Taste::Ziffer, '2', 300), Entscheidung::Neu);
    EXPECT_EQ(e.ziffern(), "2");
    EXPECT_EQ(e.taste(Taste::Ende, 0, 310), Entscheidung::Freigeben);
    EXPECT_FALSE(e.haelt());
    EXPECT_EQ(e.taste(Taste::Andere, 0, 311), Entscheidung::Freigeben);
}

} // namespace
} // namespace karmo::eingabe
