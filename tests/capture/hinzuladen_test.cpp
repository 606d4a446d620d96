// "Liste hinzuladen" in both capture forms: new, already there, other points, bad lines, other events, damaged files, the limit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture/erfassung_umgebung.hpp"
#include "capture/hinzuladen.hpp"
#include "capture/teilnehmerliste.hpp"
#include "checks/nummern.hpp"
#include "eventfile/dateizugriff.hpp"
#include "eventfile/teilnehmer_eintrag.hpp"

namespace karmo::test {
namespace {

using ui::Ctl;
using ui::FormId;

constexpr const char* k_stick = "e:\\";
constexpr const char* k_andere_vnr = "2760123456789012351";

// A valid EFN from a running number.
std::string efn(int n) {
    std::string nutz = std::to_string(n);
    nutz.insert(0, 14 - nutz.size(), '0');
    nutz[0] = '1';
    return nutz + Pruefziffer_berechnen(nutz);
}

struct Block {
    std::string efn, basis, referent;
};

// An event file as the other laptop's save writes it.
std::string datei(const std::string& vnr, const std::vector<Block>& bloecke, std::string_view art = "2",
                  std::string_view punkte = "6") {
    std::string out = "<?xml version=\"1.0\" encoding=\"iso-8859-15\" ?>\r\n<Veranstaltung>\r\n"
                      "<Dateiversion>A1.0</Dateiversion>\r\n<Erstellt_durch>Karmo V1.051</Erstellt_durch>\r\n"
                      "<VNR>" + vnr + "</VNR>\r\n<Datum_von>20.12.2006</Datum_von>\r\n<Datum_bis>20.12.2006</Datum_bis>\r\n"
                      "<Bemerkung>Andere Tür</Bemerkung>\r\n<Dauer>99</Dauer>\r\n<Uhrzeit_von>08:00</Uhrzeit_von>\r\n"
                      "<Uhrzeit_bis>09:00</Uhrzeit_bis>\r\n<Punkte>" + std::string(punkte) + "</Punkte>\r\n"
                      "<eMail></eMail >\r\n<Teilnehmeranzahl>" + std::to_string(bloecke.size()) +
                      "</Teilnehmeranzahl>\r\n<Meldungsart>" + std::string(art) + "</Meldungsart>\r\n";
    for (const Block& b : bloecke) {
        out += "<Teilnehmer>\r\n <EFN>" + b.efn + "</EFN>\r\n <Punkte_Basis>" + b.basis +
               "</Punkte_Basis>\r\n <Punkte_Interaktivitaet>0</Punkte_Interaktivitaet>\r\n"
               " <Punkte_Lernkontrolle>0</Punkte_Lernkontrolle>\r\n <Punkte_Referent>" + b.referent +
               "</Punkte_Referent>\r\n</Teilnehmer>\r\n";
    }
    return out + "</Veranstaltung>\r\n";
}

std::vector<std::string> zeilen(const ui::FakeFenster& f) {
    std::vector<std::string> z;
    for (int i = 0; i < f.zeilenzahl(Ctl::Teilnehmerliste); ++i) z.push_back(f.zeile(Ctl::Teilnehmerliste, i));
    return z;
}

class Hinzuladen : public ::testing::TestWithParam<FormId> {
protected:
    Erfassung u;
    ui::FakeFenster& f = GetParam() == FormId::MA1_Maske ? u.oeffnen(FormId::MA1_Maske) : u.ma2_vollstaendig();

    Hinzuladen() { f.setze_text(Ctl::Punkte, "8"); }
    void scannen(const std::string& e) { f.tippen(Ctl::EFN, e + "\r"); }
    // Puts the file on the stick and returns its path.
    std::string ablegen(const std::string& name, const std::string& bytes) {
        const std::string pfad = std::string(k_stick) + name;
        u.pl.datei_ablegen(pfad, bytes);
        return pfad;
    }
    // Clicks "Liste hinzuladen" and picks `pfade` in the Open dialog.
    void hinzuladen(std::vector<std::string> pfade) {
        u.pl.zu_oeffnen.push_back(std::move(pfade));
        f.klicken(Ctl::Liste_hinzuladen);
    }
};

INSTANTIATE_TEST_SUITE_P(BeideMasken, Hinzuladen, ::testing::Values(FormId::MA1_Maske, FormId::MA2_Maske),
                         [](const auto& i) { return i.param == FormId::MA1_Maske ? "MA1" : "MA2"; });

// Points are compared as numbers: a door that typed "08" gave the same
// points as one that typed "8", and the list's line stays as it is.
TEST_P(Hinzuladen, PunkteMitFuehrenderNullSindDieselben) {
    f.setze_text(Ctl::Punkte, "08");
    scannen(efn(1));
    ASSERT_EQ(zeilen(f), std::vector<std::string>{efn(1) + " (08/0)"});
    hinzuladen({ablegen("tuer2.XML", datei(k_vnr, {{efn(1), "8", "00"}, {efn(2), "9", "0"}}))});
    hinzuladen({ablegen("tuer3.XML", datei(k_vnr, {{efn(2), "09", "0"}, {efn(1), "7", "0"}}))});
    EXPECT_EQ(zeilen(f), (std::vector<std::string>{efn(1) + " (08/0)", efn(2) + " (9/0)"}));
    ASSERT_EQ(u.pl.meldungen.size(), 2U);
    EXPECT_EQ(u.pl.meldungen[0], "Hinzugeladen aus 1 Datei(en): 1 neue Teilnehmer.\r\n1 waren schon in der Liste.");
    EXPECT_EQ(u.pl.meldungen[1], "Hinzugeladen aus 1 Datei(en): 0 neue Teilnehmer.\r\n1 waren schon in der Liste.\r\n"
                                 "1 sind mit anderen Punkten in der Liste und blieben unverändert:\r\n" +
                                     efn(1) + ": hier 8/0, in der Datei 7/0");
}

// One file with every kind of line: each goes its own way, and the summary
// counts them in its order.
TEST_P(Hinzuladen, JedeZeileNachIhrerArtUndEineZusammenfassung) {
    scannen(efn(1));
    scannen(efn(2));
    scannen(efn(3));
    const std::string pfad = ablegen("tuer2.XML", datei(k_vnr, {
                                                                  {efn(10), "6", "0"}, // new
                                                                  {efn(1), "8", "0"},  // here alike
                                                                  {efn(2), "6", "2"},  // here with other points
                                                                  {"123456789012340", "6", "0"}, // bad check digit
                                                                  {"12345", "6", "0"},           // too short
                                                                  {efn(11), "8", "1"},           // new
                                                              }));
    hinzuladen({pfad});

    EXPECT_EQ(zeilen(f), (std::vector<std::string>{efn(1) + " (8/0)", efn(2) + " (8/0)", efn(3) + " (8/0)",
                                                   efn(10) + " (6/0)", efn(11) + " (8/1)"}));
    EXPECT_EQ(f.text(Ctl::Teilnehmerzahl), "Erfasste Teilnehmer: 5");
    ASSERT_EQ(u.pl.meldungen.size(), 1U);
    EXPECT_EQ(u.pl.meldungen[0], "Hinzugeladen aus 1 Datei(en): 2 neue Teilnehmer.\r\n"
                                 "1 waren schon in der Liste.\r\n"
                                 "1 sind mit anderen Punkten in der Liste und blieben unverändert:\r\n" +
                                     efn(2) + ": hier 8/0, in der Datei 6/2\r\n"
                                     "2 Zeilen mit ungültiger EFN wurden nicht übernommen.");
    EXPECT_EQ(f.fokus_bei(), Ctl::EFN);
    // The dialog as asked for: its title and its one filter.
    ASSERT_EQ(u.pl.dateidialoge.size(), 1U);
    EXPECT_EQ(u.pl.dateidialoge[0].titel, "Teilnehmerliste hinzuladen");
    EXPECT_EQ(u.pl.dateidialoge[0].filtername, "Veranstaltungen (*.XML)");
    EXPECT_EQ(u.pl.dateidialoge[0].muster, "*.XML");

    // The next scan works at once, and knows the lines that came in.
    scannen(efn(4));
    scannen(efn(10));
    EXPECT_EQ(u.pl.meldungen.back(), "Diese Nummer ist in der Liste schon vorhanden!");
    EXPECT_EQ(zeilen(f).back(), efn(4) + " (8/0)");
}

// Only participants come in: none of the event's own boxes takes a value of
// the other file, and the chosen file is only read.
TEST_P(Hinzuladen, NurTeilnehmerKommenDieDateiBleibtWieSieWar) {
    std::vector<std::string> vorher;
    for (Ctl c : {Ctl::VNR, Ctl::Punkte, Ctl::Datum_von, Ctl::DATUM_BIS, Ctl::Uhrzeit_s, Ctl::Uhrzeit_e, Ctl::Dauer,
                  Ctl::Inhalt}) {
        vorher.push_back(f.hat(c) ? f.text(c) : "-");
    }
    const std::string bytes = datei(k_vnr, {{efn(10), "6", "0"}}, GetParam() == FormId::MA1_Maske ? "1" : "2", "6");
    const std::string pfad = ablegen("tuer2.XML", bytes);
    const auto zeit = std::filesystem::last_write_time(u.pl.echt(pfad));
    hinzuladen({pfad});
    EXPECT_EQ(zeilen(f), std::vector<std::string>{efn(10) + " (6/0)"});
    std::vector<std::string> nachher;
    for (Ctl c : {Ctl::VNR, Ctl::Punkte, Ctl::Datum_von, Ctl::DATUM_BIS, Ctl::Uhrzeit_s, Ctl::Uhrzeit_e, Ctl::Dauer,
                  Ctl::Inhalt}) {
        nachher.push_back(f.hat(c) ? f.text(c) : "-");
    }
    EXPECT_EQ(nachher, vorher);
    EXPECT_EQ(u.p.zustand().Aktuelle_VNR, k_vnr);
    EXPECT_EQ(u.pl.datei_lesen(pfad), bytes);
    EXPECT_EQ(std::filesystem::last_write_time(u.pl.echt(pfad)), zeit);
    EXPECT_EQ(u.pl.dateien(std::string(k_stick) + "*").size(), 1U);
}

// Several files in one dialog: a participant in two of them comes in once,
// refused files are named one by one, and the summary counts only the
// files taken in.
TEST_P(Hinzuladen, MehrereDateienAufEinmalUndAbgewieseneEinzeln) {
    scannen(efn(1));
    const std::string a = ablegen("a.XML", datei(k_vnr, {{efn(10), "8", "0"}, {efn(11), "8", "0"}}));
    const std::string fremd = ablegen("fremd.XML", datei(k_andere_vnr, {{efn(20), "8", "0"}}));
    const std::string kaputt = ablegen("kaputt.XML", "<?xml?>\r\nkein Ereignis\r\n<Meldungsart>2</Meldungsart>\r\n");
    const std::string b = ablegen("b.XML", datei(k_vnr, {{efn(11), "8", "0"}, {efn(12), "8", "0"}, {efn(1), "8", "0"}}));
    hinzuladen({a, fremd, kaputt, std::string(k_stick) + "fehlt.XML", b});

    EXPECT_EQ(zeilen(f), (std::vector<std::string>{efn(1) + " (8/0)", efn(10) + " (8/0)", efn(11) + " (8/0)",
                                                   efn(12) + " (8/0)"}));
    EXPECT_EQ(u.pl.meldungen,
              (std::vector<std::string>{
                  "Die Datei e:\\fremd.XML gehört zur Veranstaltung 2760123456789012351, nicht zu " + std::string(k_vnr) +
                      ". Sie wurde nicht hinzugeladen.",
                  "Die Datei e:\\kaputt.XML ist keine lesbare Veranstaltungsdatei. Sie wurde nicht hinzugeladen.",
                  "Die Datei e:\\fehlt.XML ist keine lesbare Veranstaltungsdatei. Sie wurde nicht hinzugeladen.",
                  "Hinzugeladen aus 2 Datei(en): 3 neue Teilnehmer.\r\n2 waren schon in der Liste.",
              }));
    EXPECT_EQ(f.fokus_bei(), Ctl::EFN);
}

// Every way the loader refuses a file refuses it here too; so does a file
// without an event number, which no file list would show.
TEST_P(Hinzuladen, BeschaedigteDateienWerdenNichtGenommen) {
    const std::string gut = datei(k_vnr, {{efn(10), "8", "0"}});
    const std::vector<std::pair<const char*, std::string>> faelle{
        {"leer", ""},
        {"eine Zeile", "<?xml version=\"1.0\" ?>\r\n"},
        {"Leerzeile vor dem Ereignis", "<?xml version=\"1.0\" ?>\r\n\r\n" + gut.substr(gut.find("<Veranstaltung>"))},
        {"ohne Meldungsart", [&] {
             std::string s = gut;
             s.erase(s.find("<Meldungsart>"), std::string("<Meldungsart>2</Meldungsart>\r\n").size());
             return s;
         }()},
        {"Meldungsart 201", [&] {
             std::string s = gut;
             s.replace(s.find("<Meldungsart>2<"), 15, "<Meldungsart>201<");
             return s;
         }()},
        {"Kopfwert bis zum Ende", gut.substr(0, gut.find("<Teilnehmer>")) + "<Bemerkung>offen\r\nund offen\r\n"},
        {"ohne VNR", [&] {
             std::string s = gut;
             s.erase(s.find("<VNR>"), std::string("<VNR></VNR>\r\n").size() + 19);
             return s;
         }()},
    };
    for (const auto& [name, bytes] : faelle) {
        SCOPED_TRACE(name);
        u.pl.meldungen.clear();
        const std::string pfad = ablegen("kaputt.XML", bytes);
        hinzuladen({pfad});
        EXPECT_TRUE(zeilen(f).empty());
        EXPECT_EQ(u.pl.meldungen,
                  (std::vector<std::string>{
                      "Die Datei e:\\kaputt.XML ist keine lesbare Veranstaltungsdatei. Sie wurde nicht hinzugeladen.",
                      "Hinzugeladen aus 0 Datei(en): 0 neue Teilnehmer."}));
        EXPECT_EQ(u.pl.datei_lesen(pfad), bytes);
    }
}

// The open event's own saved file: every line of it is here already.
TEST_P(Hinzuladen, EigeneDateiBringtNichtsNeues) {
    scannen(efn(1));
    scannen(efn(2));
    f.klicken(Ctl::Speichern);
    const std::string eigene = GetParam() == FormId::MA1_Maske ? k_einfach : k_datiert;
    const std::string bytes = u.pl.datei_lesen(eigene);
    ASSERT_FALSE(bytes.empty());
    u.pl.meldungen.clear();
    hinzuladen({eigene});
    EXPECT_EQ(zeilen(f).size(), 2U);
    EXPECT_EQ(u.pl.meldungen,
              (std::vector<std::string>{"Hinzugeladen aus 1 Datei(en): 0 neue Teilnehmer.\r\n2 waren schon in der Liste."}));
    EXPECT_EQ(u.pl.datei_lesen(eigene), bytes);
}

TEST_P(Hinzuladen, AbbrechenLaesstAllesWieEsWar) {
    scannen(efn(1));
    f.klicken(Ctl::Liste_hinzuladen); // nothing queued: the user cancels
    EXPECT_EQ(u.pl.dateidialoge.size(), 1U);
    EXPECT_TRUE(u.pl.meldungen.empty());
    EXPECT_EQ(zeilen(f).size(), 1U);
    EXPECT_EQ(f.fokus_bei(), Ctl::EFN);
}

// More than ten participants with other points: ten are named, then "…".
TEST_P(Hinzuladen, HoechstensZehnAbweichungenEinzeln) {
    std::vector<Block> bloecke;
    for (int i = 1; i <= 12; ++i) {
        scannen(efn(i));
        bloecke.push_back({efn(i), "4", std::to_string(i % 3)});
    }
    hinzuladen({ablegen("a.XML", datei(k_vnr, bloecke))});
    std::string erwartet = "Hinzugeladen aus 1 Datei(en): 0 neue Teilnehmer.\r\n"
                           "12 sind mit anderen Punkten in der Liste und blieben unverändert:";
    for (int i = 1; i <= 10; ++i) erwartet += "\r\n" + efn(i) + ": hier 8/0, in der Datei 4/" + std::to_string(i % 3);
    erwartet += "\r\n…";
    ASSERT_EQ(u.pl.meldungen.size(), 1U);
    EXPECT_EQ(u.pl.meldungen[0], erwartet);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(f.zeile(Ctl::Teilnehmerliste, i), efn(i + 1) + " (8/0)");
}

// An EFN element longer than 15 characters is no EFN, even when its first
// 15 are a valid one: counted as invalid and not taken (a save would
// otherwise credit the first 15 digits, another participant's number).
TEST_P(Hinzuladen, UeberlangeEfnIstUngueltig) {
    const std::string pfad = ablegen("tuer2.XML", datei(k_vnr, {
                                                                  {efn(1) + "0", "6", "0"},
                                                                  {efn(2), "6", "0"},
                                                                  {efn(3) + " ", "6", "0"},
                                                                  {efn(4) + " (6/0)", "6", "0"},
                                                                  {efn(5), "6", "0"},
                                                              }));
    hinzuladen({pfad});
    EXPECT_EQ(zeilen(f), (std::vector<std::string>{efn(2) + " (6/0)", efn(5) + " (6/0)"}));
    ASSERT_EQ(u.pl.meldungen.size(), 1U);
    EXPECT_EQ(u.pl.meldungen[0], "Hinzugeladen aus 1 Datei(en): 2 neue Teilnehmer.\r\n"
                                 "3 Zeilen mit ungültiger EFN wurden nicht übernommen.");
    // The same file again, read into a buffer that held it before: the
    // invalid lines are the same three.
    hinzuladen({pfad});
    EXPECT_EQ(u.pl.meldungen.back(), "Hinzugeladen aus 1 Datei(en): 0 neue Teilnehmer.\r\n"
                                     "2 waren schon in der Liste.\r\n"
                                     "3 Zeilen mit ungültiger EFN wurden nicht übernommen.");
}

// The list stops at 32,767 lines: what would pass it stays out and is
// counted, also when it arrives over several files.
TEST_P(Hinzuladen, ListeWaechstNichtUeber32767) {
    for (int i = 0; i < k_listenhoechstzahl - 5; ++i) f.zeile_anfuegen(Ctl::Teilnehmerliste, efn(i) + " (8/0)");
    std::vector<Block> a, b;
    for (int i = 0; i < 4; ++i) a.push_back({efn(100000 + i), "8", "0"});
    a.push_back({efn(0), "8", "0"}); // here already: not counted against the room
    for (int i = 4; i < 10; ++i) b.push_back({efn(100000 + i), "8", "0"});
    hinzuladen({ablegen("a.XML", datei(k_vnr, a)), ablegen("b.XML", datei(k_vnr, b))});
    EXPECT_EQ(f.zeilenzahl(Ctl::Teilnehmerliste), k_listenhoechstzahl);
    EXPECT_EQ(f.zeile(Ctl::Teilnehmerliste, k_listenhoechstzahl - 1), efn(100004) + " (8/0)");
    EXPECT_EQ(f.text(Ctl::Teilnehmerzahl), "Erfasste Teilnehmer: 32767");
    ASSERT_EQ(u.pl.meldungen.size(), 1U);
    EXPECT_EQ(u.pl.meldungen[0], "Hinzugeladen aus 2 Datei(en): 5 neue Teilnehmer.\r\n"
                                 "1 waren schon in der Liste.\r\n"
                                 "5 Teilnehmer passten nicht mehr in die Liste (höchstens 32767).");
}

// A list loaded with an EFN twice: after its first line is removed, the
// line left decides whether the other file's points are the same.
TEST_P(Hinzuladen, DoppelteZeileEntferntDieVerbliebeneZaehlt) {
    f.zeile_anfuegen(Ctl::Teilnehmerliste, efn(1) + " (8/0)");
    f.zeile_anfuegen(Ctl::Teilnehmerliste, efn(1) + " (6/0)");
    hinzuladen({ablegen("a.XML", datei(k_vnr, {{efn(1), "6", "0"}}))});
    EXPECT_EQ(u.pl.meldungen.back(), "Hinzugeladen aus 1 Datei(en): 0 neue Teilnehmer.\r\n"
                                     "1 sind mit anderen Punkten in der Liste und blieben unverändert:\r\n" +
                                         efn(1) + ": hier 8/0, in der Datei 6/0");
    f.zeile_klicken(Ctl::Teilnehmerliste, 0);
    f.klicken(Ctl::Loeschen);
    hinzuladen({ablegen("a.XML", datei(k_vnr, {{efn(1), "6", "0"}}))});
    EXPECT_EQ(u.pl.meldungen.back(), "Hinzugeladen aus 1 Datei(en): 0 neue Teilnehmer.\r\n1 waren schon in der Liste.");
}

// The summary's own rules: the first line always, the others only when
// their number is not 0, in their order.
TEST(Hinzuladen_Zusammenfassung, ZeilenNurWennIhreZahlNichtNullIst) {
    Hinzuladebilanz b;
    EXPECT_EQ(Hinzuladen_Zusammenfassung(b), "Hinzugeladen aus 0 Datei(en): 0 neue Teilnehmer.");
    b.dateien = 3;
    b.neu = 7;
    b.zu_viele = 2;
    EXPECT_EQ(Hinzuladen_Zusammenfassung(b), "Hinzugeladen aus 3 Datei(en): 7 neue Teilnehmer.\r\n"
                                             "2 Teilnehmer passten nicht mehr in die Liste (höchstens 32767).");
    b.ungueltig = 1;
    b.andere_punkte = 1;
    b.abweichungen = {{"123456789012347", "8/0", "10/2"}};
    EXPECT_EQ(Hinzuladen_Zusammenfassung(b), "Hinzugeladen aus 3 Datei(en): 7 neue Teilnehmer.\r\n"
                                             "1 sind mit anderen Punkten in der Liste und blieben unverändert:\r\n"
                                             "123456789012347: hier 8/0, in der Datei 10/2\r\n"
                                             "1 Zeilen mit ungültiger EFN wurden nicht übernommen.\r\n"
                                             "2 Teilnehmer passten nicht mehr in die Liste (höchstens 32767).");
}

} // namespace
} // namespace karmo::test
