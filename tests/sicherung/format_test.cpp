// The journal's lines and its reader: checks that catch a torn or changed entry, and what a journal restores.
#include <gtest/gtest.h>

#include <cstdio>

#include "sicherung/format.hpp"
#include "sicherung/leser.hpp"

namespace karmo::sicherung {
namespace {

using ui::FormId;

std::string zeile(std::initializer_list<std::string_view> felder) {
    std::string out;
    eintrag(out, felder);
    return out;
}

// A journal of a type-2 form: its snapshot with two lines, then `danach`.
std::string journal(const std::string& danach = {}) {
    return zeile({k_anfang, k_version, "2"}) + zeile({k_zustand, "2767701234567890123", "2", "2", "c:\\zelva\\Daten\\x.XML"}) +
           zeile({k_feld, "VNR", "2767701234567890123"}) + zeile({k_feld, "Punkte", "8"}) +
           zeile({k_feld, "Inhalt", "Zeile 1\r\nZeile 2\twith\\tab"}) + zeile({k_anfuegen, "123456789012347 (8/0)"}) +
           zeile({k_anfuegen, "100000000000009 (8/0)"}) + zeile({k_ende, "2"}) + danach;
}

TEST(Sicherungsformat, ZeileTraegtLaengePruefsummeUndMaskierteFelder) {
    EXPECT_EQ(crc32("123456789"), 0xCBF43926U); // the CRC-32 check value
    const std::string nutzlast = "F\tInhalt\ta\\tb\\r\\nc\\\\"; // escaped: no line break, no inner tab
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(crc32(nutzlast)));
    EXPECT_EQ(zeile({"F", "Inhalt", "a\tb\r\nc\\"}), std::to_string(nutzlast.size()) + " " + hex + " " + nutzlast + "\n");

    std::vector<std::string> f;
    const std::string zwei = zeile({"F", "Inhalt", "a\tb\r\nc\\"}) + zeile({"-", "3"});
    Zeilen z(zwei);
    ASSERT_TRUE(z.naechste(f));
    EXPECT_EQ(f, (std::vector<std::string>{"F", "Inhalt", "a\tb\r\nc\\"}));
    ASSERT_TRUE(z.naechste(f));
    EXPECT_EQ(f, (std::vector<std::string>{"-", "3"}));
    EXPECT_FALSE(z.naechste(f));
    EXPECT_FALSE(z.rest());
}

// Fields are looked at eight bytes at a time: a character to escape is
// found at every place of fields of every length, and other control
// characters or bytes above 0x7F pass as they are.
TEST(Sicherungsformat, JedesMaskierteZeichenAnJederStelle) {
    std::vector<std::string> f;
    for (std::size_t laenge = 1; laenge <= 40; ++laenge) {
        for (std::size_t stelle = 0; stelle < laenge; ++stelle) {
            for (const char c : {'\t', '\r', '\n', '\\', '\x01', '\x1f', ' ', '\xe4', '\x7f'}) {
                std::string feld(laenge, 'a');
                feld[stelle] = c;
                const std::string z = zeile({k_feld, "Inhalt", feld});
                const std::string_view nutzlast = std::string_view(z).substr(z.find(' ', z.find(' ') + 1) + 1);
                EXPECT_EQ(nutzlast.find_first_of("\r\n"), nutzlast.size() - 1) << laenge << " " << stelle;
                EXPECT_EQ(nutzlast.find('\t', 9), std::string_view::npos) << laenge << " " << stelle;
                const bool maskiert = c == '\t' || c == '\r' || c == '\n' || c == '\\';
                EXPECT_EQ(nutzlast.size(), 9 + laenge + (maskiert ? 1 : 0) + 1) << laenge << " " << stelle;
                Zeilen zl(z);
                ASSERT_TRUE(zl.naechste(f));
                EXPECT_EQ(f[2], feld);
            }
        }
    }
}

TEST(Sicherungsformat, JedeAbgeschnitteneOderVeraenderteZeileFaelltAuf) {
    const std::string ganz = zeile({k_anfuegen, "123456789012347 (8/0)"});
    std::vector<std::string> f;
    for (std::size_t n = 0; n < ganz.size(); ++n) {
        Zeilen z(std::string_view(ganz).substr(0, n));
        EXPECT_FALSE(z.naechste(f)) << "abgeschnitten nach " << n << " Bytes";
        EXPECT_EQ(z.gelesen(), 0U);
    }
    for (std::size_t i = 0; i < ganz.size(); ++i) {
        std::string kaputt = ganz;
        kaputt[i] = static_cast<char>(kaputt[i] ^ 0x04);
        Zeilen z(kaputt);
        EXPECT_FALSE(z.naechste(f)) << "Byte " << i << " veraendert";
    }
}

TEST(Sicherungsleser, SchnappschussUndAenderungenErgebenDenStand) {
    const std::string j = journal(zeile({k_anfuegen, "987654321098767 (8/0)"}) + zeile({k_ersetzen, "0", "123456789012347 (6/0)"}) +
                                  zeile({k_entfernen, "1"}) + zeile({k_feld, "Dauer", "90"}) +
                                  zeile({k_zustand, "2767701234567890123", "2", "2", "c:\\zelva\\Daten\\y.XML"}));
    const Gelesen g = lesen(j);
    ASSERT_TRUE(g.lesbar);
    EXPECT_FALSE(g.rest);
    EXPECT_EQ(g.gueltig, j.size());
    EXPECT_EQ(g.stand.form, FormId::MA2_Maske);
    EXPECT_EQ(g.stand.vnr, "2767701234567890123");
    EXPECT_EQ(g.stand.meldungsart, 2);
    EXPECT_EQ(g.stand.kammer, 2);
    EXPECT_EQ(g.stand.datei, "c:\\zelva\\Daten\\y.XML");
    EXPECT_EQ(g.stand.zeilen, (std::vector<std::string>{"123456789012347 (6/0)", "987654321098767 (8/0)"}));
    EXPECT_EQ(g.stand.felder[1], "8");
    EXPECT_EQ(g.stand.felder[6], "90");
    EXPECT_EQ(g.stand.felder[7], "Zeile 1\r\nZeile 2\twith\\tab");
    EXPECT_FALSE(g.stand.felder[2].has_value()); // Datum_von never journaled
}

TEST(Sicherungsleser, EinAbgerissenerLetzterEintragWirdVerworfen) {
    const std::string vorher = journal(zeile({k_anfuegen, "987654321098767 (8/0)"}));
    const std::string letzter = zeile({k_entfernen, "0"});
    for (std::size_t n = 0; n < letzter.size(); ++n) {
        const Gelesen g = lesen(vorher + letzter.substr(0, n));
        ASSERT_TRUE(g.lesbar);
        EXPECT_EQ(g.stand.zeilen.size(), 3U) << n;
        EXPECT_EQ(g.gueltig, vorher.size());
        EXPECT_EQ(g.rest, n > 0);
    }
}

TEST(Sicherungsleser, NachEinemUnpassendenEintragGiltNichtsMehr) {
    // Line 5 does not exist; what follows it is not applied either.
    const Gelesen g = lesen(journal(zeile({k_ersetzen, "5", "x"}) + zeile({k_anfuegen, "987654321098767 (8/0)"})));
    ASSERT_TRUE(g.lesbar);
    EXPECT_TRUE(g.rest);
    EXPECT_EQ(g.stand.zeilen.size(), 2U);
    // A type-2 box in a type-1 journal, an unknown kind, a second snapshot.
    for (const std::string& falsch :
         {zeile({k_feld, "Nirgends", "1"}), zeile({"X"}), zeile({k_anfang, k_version, "2"}), zeile({k_entfernen, "01"})}) {
        const Gelesen h = lesen(journal(falsch));
        EXPECT_TRUE(h.lesbar);
        EXPECT_TRUE(h.rest) << falsch;
    }
}

TEST(Sicherungsleser, OhneVollstaendigenSchnappschussUnlesbar) {
    const std::string j = journal();
    const std::size_t ende = j.rfind(zeile({k_ende, "2"}));
    EXPECT_FALSE(lesen("").lesbar);
    EXPECT_FALSE(lesen("Das ist keine Sicherung\n").lesbar);
    EXPECT_FALSE(lesen(j.substr(0, ende)).lesbar);                          // snapshot without its end
    EXPECT_FALSE(lesen(j.substr(0, ende) + zeile({k_ende, "3"})).lesbar);   // count does not match
    EXPECT_FALSE(lesen(zeile({k_anfang, "2", "2"}) + zeile({k_ende, "0"})).lesbar); // another format version
    EXPECT_FALSE(lesen(zeile({k_anfang, k_version, "1"}) + zeile({k_feld, "Inhalt", "x"}) + zeile({k_ende, "0"})).lesbar);
    const Gelesen typ1 = lesen(zeile({k_anfang, k_version, "1"}) + zeile({k_feld, "Punkte", "3"}) + zeile({k_ende, "0"}));
    ASSERT_TRUE(typ1.lesbar);
    EXPECT_EQ(typ1.stand.form, FormId::MA1_Maske);
    EXPECT_EQ(typ1.stand.felder[1], "3");
}

// Lines that came together (another list) are one entry of many fields,
// read back as those lines; a torn one gives none of them, and one that
// would pass the list's limit is not applied.
TEST(Sicherungsleser, ZusammenGekommeneZeilenAlsEinEintrag) {
    std::string viele;
    Sammeleintrag e(viele, k_anfuegen);
    for (const char* z : {"987654321098767 (8/0)", "555555555555553 (8/2)", "a\tb\\c\r\n"}) e.feld(z);
    e.schliessen();
    std::vector<std::string> f;
    Zeilen z(viele);
    ASSERT_TRUE(z.naechste(f));
    EXPECT_EQ(f, (std::vector<std::string>{"+", "987654321098767 (8/0)", "555555555555553 (8/2)", "a\tb\\c\r\n"}));
    EXPECT_FALSE(z.rest());
    // As the one-field writer writes them.
    std::string einzeln;
    Sammeleintrag(einzeln, k_feld, false).schliessen();
    EXPECT_EQ(einzeln, zeile({k_feld}));

    const Gelesen g = lesen(journal(viele + zeile({k_entfernen, "3"})));
    ASSERT_TRUE(g.lesbar);
    EXPECT_FALSE(g.rest);
    EXPECT_EQ(g.stand.zeilen, (std::vector<std::string>{"123456789012347 (8/0)", "100000000000009 (8/0)", "987654321098767 (8/0)",
                                                        "a\tb\\c\r\n"}));
    for (std::size_t n = 1; n < viele.size(); ++n) {
        const Gelesen t = lesen(journal(viele.substr(0, n)));
        EXPECT_EQ(t.stand.zeilen.size(), 2U) << n;
        EXPECT_TRUE(t.rest);
    }

    std::string zu_viele;
    Sammeleintrag voll(zu_viele, k_anfuegen);
    for (std::size_t i = 0; i + 1 < k_hoechstzeilen; ++i) voll.feld("123456789012347 (8/0)");
    voll.schliessen();
    const Gelesen h = lesen(journal(zu_viele));
    EXPECT_EQ(h.stand.zeilen.size(), 2U); // 2 + 32,766 would be one too many
    EXPECT_TRUE(h.rest);
}

// A long run of fields is closed and begun again before it passes the size
// a reader takes; every entry is whole by itself, and together they hold
// every field in its order. The one-field writer never splits.
TEST(Sicherungsformat, SammeleintragTeiltSichVorDerGrenze) {
    const std::string lang(1000, 'x');
    std::string out;
    Sammeleintrag e(out, k_anfuegen);
    const std::size_t anzahl = 3 * Sammeleintrag::k_hoechste_nutzlast / lang.size();
    for (std::size_t i = 0; i < anzahl; ++i) e.feld(std::to_string(i) + lang);
    e.schliessen();
    Zeilen z(out);
    std::vector<std::string> f;
    std::size_t eintraege = 0, gesehen = 0;
    while (z.naechste(f)) {
        ++eintraege;
        ASSERT_EQ(f[0], "+");
        for (std::size_t i = 1; i < f.size(); ++i) EXPECT_EQ(f[i], std::to_string(gesehen++) + lang);
    }
    EXPECT_FALSE(z.rest());
    EXPECT_EQ(gesehen, anzahl);
    EXPECT_GE(eintraege, 3U);
    for (std::size_t von = 0, bis; von < out.size(); von = bis + 1) {
        bis = out.find('\n', von);
        EXPECT_LE(bis - von, Sammeleintrag::k_hoechste_nutzlast + 20);
    }

    const std::string riesig(Sammeleintrag::k_hoechste_nutzlast + 5, 'y');
    const std::string ganz = zeile({k_feld, "Inhalt", riesig});
    Zeilen eins(ganz);
    ASSERT_TRUE(eins.naechste(f));
    EXPECT_EQ(f, (std::vector<std::string>{"F", "Inhalt", riesig}));
    EXPECT_FALSE(eins.rest());
}

} // namespace
} // namespace karmo::sicherung
