// The register: telephone-book order, the look-up by EFN, who is captured, the search's folding, its limit and filter, the texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "anmeldung/register.hpp"
#include "anmeldung_daten.hpp"

namespace karmo::test {
namespace {

using anmeldung::Anmelderegister;

const std::string A = gueltige_efn(1), B = gueltige_efn(2), C = gueltige_efn(3), D = gueltige_efn(4);

Anmelderegister register_aus(const std::string& zeilen) {
    return Anmelderegister(gelesen("Nachname;Vorname;Titel;EFN\r\n" + zeilen));
}

std::vector<std::string> reihenfolge(const Anmelderegister& r) {
    std::vector<std::string> n;
    for (std::size_t i = 0; i < r.groesse(); ++i) n.push_back(r.eintrag(i).anzeigename);
    return n;
}

std::vector<std::string> gefunden(const Anmelderegister& r, std::string_view anfrage, bool nur_nicht_erfasste = false) {
    std::vector<std::string> n;
    for (const std::uint32_t p : r.suchen(anfrage, nur_nicht_erfasste).plaetze) n.push_back(r.eintrag(p).anzeigename);
    return n;
}

TEST(Anmelderegister, TelefonbuchOrdnungStabil) {
    const Anmelderegister r = register_aus("Weißer;Anna;;\r\n"
                                           "weiss;Bernd;;\r\n"
                                           "Weiß;Anna;;\r\n"
                                           "Müller;Zoe;;\r\n"
                                           "Mueller;Adam;;\r\n"
                                           "Muller;Bea;;\r\n"
                                           "Weiß;Anna;Dr.;\r\n"
                                           "Weiß;anna;;\r\n"
                                           "Abel;Ärmel;;\r\n"
                                           "Abel;Aron;;\r\n");
    // ä as a, ß as ss, case ignored: "Müller" sorts as "muller", after
    // "mueller"; the surname before the first name ("Weiß" before
    // "Weißer"); the title last; equal rows in file order.
    EXPECT_EQ(reihenfolge(r), (std::vector<std::string>{"Abel, Ärmel", "Abel, Aron", "Mueller, Adam", "Muller, Bea", "Müller, Zoe",
                                                        "Weiß, Anna", "Weiß, anna", "Weiß, Dr. Anna", "weiss, Bernd",
                                                        "Weißer, Anna"}));
}

TEST(Anmelderegister, DoppelteNichtImRegisterFindenUeberDenIndex) {
    const Anmelderegister r = register_aus("Erst;;;" + A + "\r\nZweit;;;" + A + "\r\nOhne;;;\r\nFalsch;;;123\r\nB;;;" + B + "\r\n");
    EXPECT_EQ(r.groesse(), 4u);
    EXPECT_EQ(r.gueltige(), 2u);
    ASSERT_NE(r.finden(A), nullptr);
    EXPECT_EQ(r.finden(A)->anzeigename, "Erst");
    EXPECT_EQ(r.finden(B)->anzeigename, "B");
    EXPECT_EQ(r.finden(C), nullptr);
    EXPECT_EQ(r.finden("123"), nullptr);
    EXPECT_EQ(r.finden(""), nullptr);
    EXPECT_EQ(Anmelderegister().finden(A), nullptr);
}

TEST(Anmelderegister, IndexMitVielenEfn) {
    std::string t;
    for (int i = 0; i < 5000; ++i) t += "N" + std::to_string(i) + ";;;" + gueltige_efn(i) + "\r\n";
    const Anmelderegister r = register_aus(t);
    EXPECT_EQ(r.gueltige(), 5000u);
    for (int i = 0; i < 5000; i += 7) {
        const auto* a = r.finden(gueltige_efn(i));
        ASSERT_NE(a, nullptr) << i;
        EXPECT_EQ(a->anzeigename, "N" + std::to_string(i));
    }
    EXPECT_EQ(r.finden(gueltige_efn(5000)), nullptr);
}

TEST(Anmelderegister, ErfassteZaehlen) {
    Anmelderegister r = register_aus("A;;;" + A + "\r\nB;;;" + B + "\r\nOhne;;;\r\n");
    EXPECT_TRUE(r.erfasst_dazu(A));
    EXPECT_FALSE(r.erfasst_dazu(C)); // a walk-in
    EXPECT_EQ(r.angemeldet_erfasst(), 1u);
    EXPECT_TRUE(r.erfasst_dazu(A)); // the same EFN in a second line
    EXPECT_EQ(r.angemeldet_erfasst(), 1u);
    EXPECT_TRUE(r.erfasst_weg(A));
    EXPECT_EQ(r.angemeldet_erfasst(), 1u); // one line with it is left
    EXPECT_TRUE(r.erfasst_weg(A));
    EXPECT_EQ(r.angemeldet_erfasst(), 0u);
    EXPECT_TRUE(r.erfasst_weg(A)); // more removals than lines change nothing
    EXPECT_EQ(r.angemeldet_erfasst(), 0u);
    r.erfasst_dazu(A);
    r.erfasst_dazu(B);
    EXPECT_EQ(r.angemeldet_erfasst(), 2u);
    EXPECT_TRUE(r.erfasst(0));
    EXPECT_FALSE(r.erfasst(2));
    r.erfasst_leeren();
    EXPECT_EQ(r.angemeldet_erfasst(), 0u);
    EXPECT_FALSE(r.erfasst(0));
}

TEST(Anmelderegister, SucheFaltetGrossKleinUmlauteUndSz) {
    const Anmelderegister r = register_aus("Weiß;Jürgen;Dr.;" + A + "\r\nMüller;Anna;;" + B + "\r\nMueller;Bernd;;" + C +
                                           "\r\nMustermann;Max;;" + D + "\r\nStrauss;Eva;;\r\n");
    EXPECT_EQ(gefunden(r, "weiss"), std::vector<std::string>{"Weiß, Dr. Jürgen"});
    EXPECT_EQ(gefunden(r, "WEIß"), std::vector<std::string>{"Weiß, Dr. Jürgen"});
    EXPECT_EQ(gefunden(r, "muller"), std::vector<std::string>{"Müller, Anna"});
    EXPECT_EQ(gefunden(r, "mueller"), (std::vector<std::string>{"Mueller, Bernd", "Müller, Anna"}));
    EXPECT_EQ(gefunden(r, "Müller"), (std::vector<std::string>{"Mueller, Bernd", "Müller, Anna"}));
    EXPECT_EQ(gefunden(r, "juergen"), std::vector<std::string>{"Weiß, Dr. Jürgen"});
    EXPECT_EQ(gefunden(r, "straus"), std::vector<std::string>{"Strauss, Eva"});
    EXPECT_EQ(gefunden(r, "strauß"), std::vector<std::string>{"Strauss, Eva"});
    // "mue" is not "mu": Mustermann is no match.
    EXPECT_EQ(gefunden(r, "mue"), (std::vector<std::string>{"Mueller, Bernd", "Müller, Anna"}));
    EXPECT_EQ(gefunden(r, "  dr. j "), std::vector<std::string>{"Weiß, Dr. Jürgen"});
    EXPECT_EQ(gefunden(r, "xyz"), std::vector<std::string>{});
}

TEST(Anmelderegister, SucheInDerEfnAberNichtUeberDieGrenzeZumNamen) {
    const Anmelderegister r = register_aus("Amsel;;;" + A + "\r\nBrand;;;" + B + "\r\nFalsch;;;12-ab\r\n");
    EXPECT_EQ(gefunden(r, A.substr(9, 5)), std::vector<std::string>{"Amsel"});
    EXPECT_EQ(gefunden(r, B), std::vector<std::string>{"Brand"});
    EXPECT_EQ(gefunden(r, "l" + A.substr(0, 2)), std::vector<std::string>{}); // name's end and the EFN's start
    EXPECT_EQ(gefunden(r, "12-AB"), std::vector<std::string>{"Falsch"});       // an invalid cell as given
}

// Typed letter by letter (and taken back), a search finds what it finds
// in a register that saw no search before: the search before only narrows
// the ones to test when the new one continues it.
TEST(Anmelderegister, TippenFindetDasselbeWieEineFrischeSuche) {
    const char* namen[] = {"Müller", "Mueller", "Muller", "Weiß", "Weiss", "Weißmüller", "Schäfer", "Schaefer", "Jürgens"};
    std::string t;
    for (int i = 0; i < 400; ++i) {
        t += std::string(namen[i % 9]) + ";" + (i % 2 ? "Jörg" : "Anna") + ";;" + (i % 5 ? gueltige_efn(i) : "x-" + std::to_string(i)) + "\r\n";
    }
    const std::string tabelle = "Nachname;Vorname;Titel;EFN\r\n" + t;
    const Anmelderegister getippt(gelesen(tabelle));
    for (const char* folge : {"weißmü", "muel", "müll", "schae", "jo", "x-1", "10000", "weissm"}) {
        const std::string f = folge;
        std::vector<std::string> schritte;
        for (std::size_t n = 1; n <= f.size(); ++n) {
            if ((static_cast<unsigned char>(f[n - 1]) & 0xC0U) != 0x80U || n == f.size()) schritte.push_back(f.substr(0, n));
        }
        for (std::size_t n = schritte.size(); n-- > 1;) schritte.push_back(schritte[n - 1]); // taken back again
        for (const std::string& q : schritte) {
            if ((static_cast<unsigned char>(q.back()) & 0xC0U) == 0xC0U) continue; // half an umlaut
            const Anmelderegister frisch(gelesen(tabelle));
            const auto a = getippt.suchen(q, false, 1000);
            const auto b = frisch.suchen(q, false, 1000);
            EXPECT_EQ(a.plaetze, b.plaetze) << q;
            EXPECT_EQ(a.gesamt, b.gesamt) << q;
        }
    }
    // Rows 0 to 3 modulo 9 come 45 times, the others 44 times.
    EXPECT_EQ(getippt.suchen("weissm", false).gesamt, 44u);          // Weißmüller
    EXPECT_EQ(getippt.suchen("mull", false).gesamt, 45u + 45u + 44u); // Müller, Muller, Weißmüller; not Mueller
}

TEST(Anmelderegister, SucheHoechstensZweihundertUndGesamtzahl) {
    std::string t;
    for (int i = 0; i < 450; ++i) t += "Name" + std::to_string(1000 + i) + ";;;" + gueltige_efn(i) + "\r\n";
    Anmelderegister r = register_aus(t);
    const auto alle = r.suchen("", false);
    EXPECT_EQ(alle.gesamt, 450u);
    ASSERT_EQ(alle.plaetze.size(), 200u);
    EXPECT_EQ(alle.plaetze.front(), 0u);
    EXPECT_EQ(alle.plaetze.back(), 199u);
    const auto elf = r.suchen("name11", false); // Name1100 to Name1199
    EXPECT_EQ(elf.gesamt, 100u);
    EXPECT_EQ(r.eintrag(elf.plaetze.front()).anzeigename, "Name1100");
    EXPECT_EQ(r.suchen("name", false, 5).plaetze.size(), 5u);
}

TEST(Anmelderegister, NurNochNichtErfasste) {
    Anmelderegister r = register_aus("Abel;;;" + A + "\r\nBerg;;;" + B + "\r\nOhne;;;\r\n");
    r.erfasst_dazu(A);
    EXPECT_EQ(gefunden(r, "", true), (std::vector<std::string>{"Berg", "Ohne"}));
    EXPECT_EQ(gefunden(r, "abel", true), std::vector<std::string>{});
    EXPECT_EQ(gefunden(r, "abel", false), std::vector<std::string>{"Abel"});
    EXPECT_EQ(r.suchen("", true).gesamt, 2u);
}

TEST(Anmelderegister, Texte) {
    Anmelderegister r = register_aus("Weiß;Jürgen;Dr.;" + A + "\r\nOhne;Nummer;;\r\nFalsch;Nummer;;1,23457E+14\r\n;;;" + B + "\r\n");
    EXPECT_EQ(anmeldung::Zeilentext(*r.finden(A), false), "Weiß, Dr. Jürgen – " + A);
    EXPECT_EQ(anmeldung::Zeilentext(*r.finden(A), true), "Weiß, Dr. Jürgen – " + A + " – erfasst");
    const auto ohne = r.suchen("ohne", false).plaetze.at(0);
    const auto falsch = r.suchen("falsch", false).plaetze.at(0);
    EXPECT_EQ(anmeldung::Zeilentext(r.eintrag(ohne), false), "Ohne, Nummer – ohne EFN");
    EXPECT_EQ(anmeldung::Zeilentext(r.eintrag(falsch), false), "Falsch, Nummer – EFN ungültig");

    EXPECT_EQ(anmeldung::Zuletzt_Text(&r, A), "Zuletzt: Weiß, Dr. Jürgen");
    EXPECT_EQ(anmeldung::Zuletzt_Text(&r, C), "Zuletzt: " + C + " – nicht angemeldet");
    EXPECT_EQ(anmeldung::Zuletzt_Text(&r, B), "Zuletzt: " + B); // a registration without a name shows its EFN
    EXPECT_EQ(anmeldung::Zuletzt_Text(nullptr, A), "");
    EXPECT_EQ(anmeldung::Ausgewaehlt_Text(&r, A), "Ausgewählt: Weiß, Dr. Jürgen");
    EXPECT_EQ(anmeldung::Ausgewaehlt_Text(&r, C), "Ausgewählt: " + C + " – nicht angemeldet");

    EXPECT_EQ(anmeldung::Teilnehmerzahl_Text(3, nullptr), "Erfasste Teilnehmer: 3");
    r.erfasst_dazu(A);
    EXPECT_EQ(anmeldung::Teilnehmerzahl_Text(3, &r), "Erfasste Teilnehmer: 3 (angemeldet: 1 von 2)");
    EXPECT_EQ(anmeldung::Anzeige_Text(200, 4711), "200 von 4711 angezeigt");
    EXPECT_EQ(anmeldung::Frage_ersetzen(12),
              "Die Veranstaltung hat schon eine Anmeldeliste mit 12 Anmeldungen. Soll sie ersetzt werden?");
}

} // namespace
} // namespace karmo::test
