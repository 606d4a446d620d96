// Element values, the participant's list line, and line reading of event files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "eventfile/teilnehmer_eintrag.hpp"
#include "eventfile/xml_wert.hpp"
#include "eventfile/zeilenleser.hpp"

namespace karmo {
namespace {

TEST(XML_Wert, NimmtDenTextZwischenErstemOeffnendemUndErstemSchliessendemTag) {
    EXPECT_EQ(XML_Wert("<VNR>2760123456789012344</VNR>", "VNR", "s"), "2760123456789012344");
    EXPECT_EQ(XML_Wert(" <EFN>123</EFN> <EFN>9</EFN>", "EFN", "s"), "123");
    EXPECT_EQ(XML_Wert("<Bemerkung>a & <b>\r\nzwei</Bemerkung>", "Bemerkung", "s"), "a & <b>\r\nzwei");
    EXPECT_EQ(XML_Wert("<Inhalt>Grüße</Inhalt>", "Inhalt", "x"), "Grüße");
    // Empty, closed before opened, unclosed, other capitals, attributes.
    EXPECT_EQ(XML_Wert("<Dauer></Dauer>", "Dauer", "s"), "");
    EXPECT_EQ(XML_Wert("</Dauer><Dauer>5", "Dauer", "s"), "");
    EXPECT_EQ(XML_Wert("<Dauer>5", "Dauer", "s"), "");
    EXPECT_EQ(XML_Wert("<dauer>5</dauer>", "Dauer", "s"), "");
    EXPECT_EQ(XML_Wert("", "Dauer", "s"), "");
    // Without an opening tag the position arithmetic starts at tag length + 2.
    EXPECT_EQ(XML_Wert("abcdef</X>", "X", "s"), "cdef");
}

TEST(XML_Wert, ZaehltPositionenInZeichenBis32767) {
    const std::string kopf = "<B>", fuss = "</B>";
    const std::string passt(32767 - kopf.size() - fuss.size(), 'x');
    EXPECT_EQ(XML_Wert(kopf + passt + fuss, "B", "s"), passt);
    EXPECT_EQ(XML_Wert(kopf + passt + "x" + fuss, "B", "s"), "");
    // "ä" is two bytes but one character.
    std::string umlaute;
    for (std::size_t i = 0; i < passt.size(); ++i) umlaute += "ä";
    EXPECT_EQ(XML_Wert(kopf + umlaute + fuss, "B", "s"), umlaute);
    EXPECT_EQ(XML_Wert(kopf + umlaute + "ä" + fuss, "B", "s"), "");
}

TEST(XML_Wert, ZahlRundetHalbeZurGeradenNachbarzahl) {
    const auto n = [](std::string_view w) { return XML_Wert("<M>" + std::string(w) + "</M>", "M", "n"); };
    EXPECT_EQ(n("2"), "2");
    EXPECT_EQ(n("2.5"), "2");
    EXPECT_EQ(n("3.5"), "4");
    EXPECT_EQ(n("2.51"), "3");
    EXPECT_EQ(n("2.50001"), "3");
    EXPECT_EQ(n("-2.5"), "-2");
    EXPECT_EQ(n("-0.4"), "0");
    EXPECT_EQ(n("+7.6x"), "8");
    EXPECT_EQ(n("99.5"), "100");
    EXPECT_EQ(n("007"), "7");
    EXPECT_EQ(n("12.3.4"), "12");
    EXPECT_EQ(n("abc"), "0");
    EXPECT_EQ(n(" 1"), "0");
    EXPECT_EQ(n("-"), "0");
    EXPECT_EQ(n("201"), "201");
    EXPECT_EQ(n(std::string(400, '9')), "");
    EXPECT_EQ(XML_Wert("<M></M>", "M", "n"), "");
}

TEST(Teilnehmer_Eintrag, BautUndLiestDieListenzeileNachPosition) {
    EXPECT_EQ(Teilnehmer_Eintrag("123456789012347", "8", "0"), "123456789012347 (8/0)");
    EXPECT_EQ(eintrag_efn("123456789012347 (8/0)"), "123456789012347");
    EXPECT_EQ(eintrag_basispunkte("123456789012347 (8/0)"), "8");
    EXPECT_EQ(eintrag_referentenpunkte("123456789012347 (8/0)"), "0");
    // Everything but digits is dropped, on either side of the first slash.
    EXPECT_EQ(eintrag_basispunkte("123456789012347 (7,5/1/2)"), "75");
    EXPECT_EQ(eintrag_referentenpunkte("123456789012347 (7,5/1/2)"), "12");
    // Read by position: the 16th character is skipped whatever it is.
    EXPECT_EQ(eintrag_basispunkte("1234567890123477(8/0)"), "8");
    EXPECT_EQ(eintrag_basispunkte("12345678901234 9(8/0)"), "8");
}

TEST(Teilnehmer_Eintrag, KurzeZeilenGebenSichereErgebnisse) {
    EXPECT_EQ(eintrag_efn(" (8/0)"), " (8/0)");
    EXPECT_EQ(eintrag_basispunkte(" (8/0)"), "");
    EXPECT_EQ(eintrag_referentenpunkte(" (8/0)"), "");
    EXPECT_EQ(eintrag_efn(""), "");
    EXPECT_EQ(eintrag_basispunkte(""), "");
    EXPECT_EQ(eintrag_referentenpunkte("123456789012347 "), "");
    EXPECT_EQ(eintrag_basispunkte("123456789012347 (8)"), "");
    EXPECT_EQ(eintrag_referentenpunkte("123456789012347 (8)"), "8");
    EXPECT_EQ(eintrag_efn("ÄÖÜäöüßÄÖÜäöüß€€ (1/2)"), "ÄÖÜäöüßÄÖÜäöüß€");
    EXPECT_EQ(eintrag_basispunkte("ÄÖÜäöüßÄÖÜäöüß€€ (1/2)"), "1");
}

// Hands out its bytes in pieces of a fixed size, as a file read in chunks.
class Stueckweise final : public Lesedatei {
public:
    Stueckweise(std::string bytes, std::size_t stueck) : bytes_(std::move(bytes)), stueck_(stueck) {}
    std::size_t lesen(char* ziel, std::size_t n, Ergebnis& fehler) override {
        if (fehler_ab_ && pos_ >= *fehler_ab_) {
            fehler = {30, "Lesefehler"};
            return 0;
        }
        const std::size_t k = std::min({n, stueck_, bytes_.size() - pos_});
        std::memcpy(ziel, bytes_.data() + pos_, k);
        pos_ += k;
        return k;
    }
    std::optional<std::size_t> fehler_ab_;

private:
    std::string bytes_;
    std::size_t stueck_;
    std::size_t pos_ = 0;
};

std::vector<std::string> alle_zeilen(const std::string& bytes, std::size_t stueck = 1 << 20) {
    Stueckweise datei(bytes, stueck);
    xml::Zeilenleser leser(datei);
    std::vector<std::string> out;
    while (!leser.ende()) {
        leser.lesen();
        out.emplace_back(leser.zeile());
    }
    return out;
}

TEST(Zeilenleser, ZeilenEndenAnCrOderCrLfNichtAnLf) {
    using V = std::vector<std::string>;
    EXPECT_EQ(alle_zeilen("a\r\nb\r\n"), (V{"a", "b"}));
    EXPECT_EQ(alle_zeilen("a\rb"), (V{"a", "b"}));
    EXPECT_EQ(alle_zeilen("a\nb\r\n\r\n"), (V{"a\nb", ""}));
    EXPECT_EQ(alle_zeilen("a\r\r\n"), (V{"a", ""}));
    EXPECT_EQ(alle_zeilen(""), V{});
    // A CR LF split between two chunks is one line end.
    EXPECT_EQ(alle_zeilen("ab\r\ncd\r\nef", 3), (V{"ab", "cd", "ef"}));
    EXPECT_EQ(alle_zeilen("abc\r\nde", 4), (V{"abc", "de"}));
    EXPECT_EQ(alle_zeilen(std::string(70000, 'x') + "\r\ny"), (V{std::string(32767, 'x'), "y"}));
}

TEST(Zeilenleser, LesenHinterDemEndeUndLesefehlerWerdenGemeldet) {
    Stueckweise leer("", 10);
    xml::Zeilenleser l1(leer);
    EXPECT_TRUE(l1.ende());
    try {
        l1.lesen();
        ADD_FAILURE() << "kein Fehler";
    } catch (const Fehler& f) {
        EXPECT_EQ(f.nummer(), 62);
    }
    Stueckweise kaputt("erste\r\nzweite\r\n", 4);
    kaputt.fehler_ab_ = 8;
    xml::Zeilenleser l2(kaputt);
    l2.lesen();
    EXPECT_EQ(l2.zeile(), "erste");
    EXPECT_THROW(l2.lesen(), Fehler);
}

TEST(Zeilenleser, ZuLangeZeileBehaeltDenAnfangUndFindetSuchwoerterImGanzen) {
    using xml::Wort;
    // The words lie far beyond the kept part, one of them across a chunk edge.
    std::string zeile = "<VNR>" + std::string(100000, 'a');
    const std::size_t kante = 131072;
    zeile.resize(kante - 5, 'b');
    zeile += "</Teilnehmer>" + std::string(50000, 'c') + "</Veranstaltung>";
    Stueckweise datei(zeile + "\r\n<Punkte>", 65536);
    xml::Zeilenleser leser(datei);
    leser.lesen();
    EXPECT_TRUE(leser.zu_lang());
    EXPECT_EQ(leser.zeile().size(), xml::k_hoechstlaenge);
    EXPECT_TRUE(leser.enthaelt(Wort::VNR));
    EXPECT_TRUE(leser.enthaelt(Wort::Teilnehmer_zu));
    EXPECT_TRUE(leser.enthaelt(Wort::Veranstaltung_zu));
    EXPECT_FALSE(leser.enthaelt(Wort::Teilnehmer));
    EXPECT_FALSE(leser.enthaelt(Wort::VNR_zu));
    EXPECT_EQ(xml::wert_roh(leser.zeile(), leser.zu_lang(), "VNR", "s"), "");
    leser.lesen();
    EXPECT_FALSE(leser.zu_lang());
    EXPECT_EQ(leser.zeile(), "<Punkte>");
    EXPECT_TRUE(leser.ende());
}

TEST(Zeilenleser, FindetWoerterUndIhreErstePosition) {
    using xml::Wort;
    Stueckweise datei("x <EFN> <Punkte_Basis><Punkte_Basis> </EFN><EFN <Punkte_Ref>\r\n\r\n<Veranstaltung >", 100);
    xml::Zeilenleser leser(datei);
    leser.lesen();
    EXPECT_TRUE(leser.enthaelt(Wort::EFN));
    EXPECT_EQ(leser.position(Wort::EFN), 2U);
    EXPECT_TRUE(leser.enthaelt(Wort::Punkte_Basis));
    EXPECT_EQ(leser.position(Wort::Punkte_Basis), 8U);
    EXPECT_TRUE(leser.enthaelt(Wort::EFN_zu));
    EXPECT_FALSE(leser.enthaelt(Wort::Punkte_Referent));
    EXPECT_FALSE(leser.enthaelt(Wort::Punkte));
    EXPECT_FALSE(leser.enthaelt(Wort::Veranstaltung));
    leser.lesen();
    EXPECT_FALSE(leser.enthaelt(Wort::EFN));
    leser.lesen();
    EXPECT_TRUE(leser.enthaelt(Wort::Veranstaltung));
    EXPECT_FALSE(leser.enthaelt(Wort::Veranstaltung_zu));
}

TEST(Zeilenleser, ZeileBleibtGueltigWennEndePrueftUndNachfuellt) {
    // "ende()" after a line that closes its chunk refills the buffer.
    Stueckweise datei("<Dauer>1\r\n2</Dauer>", 10);
    xml::Zeilenleser leser(datei);
    leser.lesen();
    EXPECT_FALSE(leser.ende());
    EXPECT_EQ(leser.zeile(), "<Dauer>1");
}

} // namespace
} // namespace karmo
