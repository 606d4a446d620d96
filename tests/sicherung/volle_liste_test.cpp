// A list of 32,767 lines takes no new one: a scan or a typed number is refused with a message, and nothing is journaled.
#include <gtest/gtest.h>

#include "checks/nummern.hpp"
#include "sicherung/lauf_umgebung.hpp"

namespace karmo::neustart {
namespace {

// A valid EFN from a running number, none of them one of the k_efn numbers.
std::string efn(int n) {
    std::string nutz = std::to_string(n);
    nutz.insert(0, 13 - nutz.size(), '0');
    nutz.insert(0, 1, '5');
    return nutz + Pruefziffer_berechnen(nutz);
}

constexpr const char* k_voll = "Die Teilnehmerliste ist voll: Sie kann höchstens 32767 Teilnehmer aufnehmen.";

// Filled the way a door fills it: one scan, then another list of 32,766
// taken in (journaled). Every way a new number can come is then refused
// with the message, the journal stays byte for byte; a number already in
// the list still gets its own message.
TEST_F(Neustart, VolleListeNimmtKeinenNeuenTeilnehmer) {
    auto& m = starten().neu(3);
    m.tippen(Ctl::Punkte, "8");
    scannen(m, k_efn1);
    std::string andere = "<?xml version=\"1.0\" encoding=\"iso-8859-15\" ?>\r\n<Veranstaltung>\r\n<VNR>" +
                         std::string(k_vnr) + "</VNR>\r\n<Meldungsart>2</Meldungsart>\r\n";
    for (int i = 0; i < 32766; ++i) andere += "<Teilnehmer>\r\n<EFN>" + efn(i) + "</EFN>\r\n</Teilnehmer>\r\n";
    pl().datei_ablegen("e:\\tuer2.XML", andere + "</Veranstaltung>\r\n");
    pl().zu_oeffnen.push_back({"e:\\tuer2.XML"});
    m.klicken(Ctl::Liste_hinzuladen);
    ASSERT_EQ(m.zeilenzahl(Ctl::Teilnehmerliste), 32767);
    pl().meldungen.clear();
    const std::string journal = pl().datei_lesen(k_journal);
    const int schreibvorgaenge = pl().anhaenge;

    // Scanned into EFN, typed there and left with Tab, and scanned while
    // Punkte has the focus.
    scannen(m, k_efn2);
    EXPECT_EQ(m.text(Ctl::EFN), "");
    EXPECT_EQ(m.fokus_bei(), Ctl::EFN);
    m.tippen(Ctl::EFN, k_efn3);
    m.benutzer_fokus(Ctl::PKT_neu);
    lauf->sammlung.logik(FormId::MA2_Maske)->scan(Ctl::Punkte, efn(40000));
    EXPECT_EQ(pl().meldungen, (std::vector<std::string>{k_voll, k_voll, k_voll}));
    EXPECT_EQ(m.zeilenzahl(Ctl::Teilnehmerliste), 32767);
    EXPECT_EQ(m.text(Ctl::Teilnehmerzahl), "Erfasste Teilnehmer: 32767");
    EXPECT_EQ(pl().anhaenge, schreibvorgaenge);
    EXPECT_EQ(pl().datei_lesen(k_journal), journal);

    // A participant already in the list: the duplicate's message, not the full list's.
    pl().meldungen.clear();
    scannen(m, k_efn1);
    scannen(m, efn(123));
    EXPECT_EQ(pl().meldungen, (std::vector<std::string>{"Diese Nummer ist in der Liste schon vorhanden!",
                                                         "Diese Nummer ist in der Liste schon vorhanden!"}));

    // One line removed: the next scan fits again and is journaled.
    m.zeile_klicken(Ctl::Teilnehmerliste, 5);
    m.klicken(Ctl::Loeschen);
    pl().meldungen.clear();
    scannen(m, k_efn2);
    EXPECT_TRUE(pl().meldungen.empty());
    EXPECT_EQ(m.zeile(Ctl::Teilnehmerliste, 32766), std::string(k_efn2) + " (8/0)");
    Lauf& neu = starten();
    EXPECT_EQ(neu.f(FormId::MA2_Maske).zeilenzahl(Ctl::Teilnehmerliste), 32767);
    EXPECT_EQ(neu.f(FormId::MA2_Maske).zeile(Ctl::Teilnehmerliste, 32766), std::string(k_efn2) + " (8/0)");
}

} // namespace
} // namespace karmo::neustart
