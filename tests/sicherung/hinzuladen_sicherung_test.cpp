// Lines taken in from another list are journaled as scans are: a kill right after the merge loses none of them.
#include <gtest/gtest.h>

#include "sicherung/lauf_umgebung.hpp"

namespace karmo::neustart {
namespace {

using ui::Ctl;
using ui::FormId;

constexpr const char* k_stick = "e:\\tuer2.XML";

std::string andere_liste() {
    std::string out = "<?xml version=\"1.0\" encoding=\"iso-8859-15\" ?>\r\n<Veranstaltung>\r\n<VNR>" + std::string(k_vnr) +
                      "</VNR>\r\n<Punkte>8</Punkte>\r\n<Meldungsart>2</Meldungsart>\r\n";
    for (const char* efn : {k_efn2, k_efn1, k_efn3}) {
        out += "<Teilnehmer>\r\n <EFN>" + std::string(efn) + "</EFN>\r\n <Punkte_Basis>6</Punkte_Basis>\r\n"
               " <Punkte_Referent>1</Punkte_Referent>\r\n</Teilnehmer>\r\n";
    }
    return out + "</Veranstaltung>\r\n";
}

// Into a form whose journal has begun, and into a clean one (just loaded,
// no journal yet): either way the restore brings back exactly the list.
TEST_F(Neustart, HinzugeladeneZeilenUeberstehenDenAbsturz) {
    for (const bool schon_begonnen : {true, false}) {
        SCOPED_TRACE(schon_begonnen ? "Journal begonnen" : "Journal noch leer");
        auto& m = starten().neu(3);
        pl().datei_ablegen(k_stick, andere_liste());
        if (schon_begonnen) {
            m.tippen(Ctl::Punkte, "8");
            scannen(m, k_efn1);
        } else {
            m.setze_text(Ctl::Punkte, "8");
            m.zeile_anfuegen(Ctl::Teilnehmerliste, std::string(k_efn1) + " (8/0)");
            lauf->p.sicherung()->gespeichert(m); // as after a save: nothing unsaved
            ASSERT_FALSE(lauf->p.sicherung()->offen());
        }
        const int schreibvorgaenge = pl().anhaenge;
        pl().zu_oeffnen.push_back({k_stick});
        m.klicken(Ctl::Liste_hinzuladen);
        ASSERT_EQ(m.zeilenzahl(Ctl::Teilnehmerliste), 3);
        // One write for all of a file's lines, however many they are.
        EXPECT_LE(pl().anhaenge - schreibvorgaenge, 1);
        const Abbild vorher = abbild(*lauf, FormId::MA2_Maske);
        EXPECT_EQ(vorher.zeilen, (std::vector<std::string>{std::string(k_efn1) + " (8/0)", std::string(k_efn2) + " (6/1)",
                                                           std::string(k_efn3) + " (6/1)"}));

        Lauf& neu = starten();
        ASSERT_EQ(pl().fragen, std::vector<std::string>{frage_text(3)});
        EXPECT_TRUE(neu.sichtbar(FormId::MA2_Maske));
        EXPECT_EQ(abbild(neu, FormId::MA2_Maske), vorher);
        // Saved now, the lines are in the event file, and the journal is gone.
        auto& n = neu.f(FormId::MA2_Maske);
        n.tippen(Ctl::Datum_von, "21.12.2006");
        n.tippen(Ctl::Uhrzeit_s, "09:00");
        n.tippen(Ctl::Uhrzeit_e, "10:00");
        n.tippen(Ctl::Dauer, "60");
        n.klicken(Ctl::Speichern);
        const std::string datei = pl().datei_lesen("c:\\zelva\\Daten\\" + std::string(k_vnr) + "_21.12.2006.XML");
        EXPECT_NE(datei.find(" <EFN>" + std::string(k_efn3) + "</EFN>"), std::string::npos);
        EXPECT_FALSE(pl().datei_existiert(k_journal));
        // The other list was only read.
        EXPECT_EQ(pl().datei_lesen(k_stick), andere_liste());
    }
}

} // namespace
} // namespace karmo::neustart
