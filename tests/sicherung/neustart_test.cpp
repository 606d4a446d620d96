// The journal across program runs: each run is torn down as a killed process would be and built again over the same disk.
#include <gtest/gtest.h>

#include <functional>

#include "sicherung/lauf_umgebung.hpp"

namespace karmo::neustart {
namespace {

using ui::Ctl;
using ui::FormId;

// Every kind of change, one after the other, each followed by a kill and a
// restore that must bring back exactly what the form held; the restored
// journal goes on with the next change.
TEST_F(Neustart, JedeAenderungUeberstehtDenAbsturzUndDieSicherungGehtWeiter) {
    starten().neu(3);
    const std::vector<std::pair<const char*, std::function<void(ui::FakeFenster&)>>> schritte{
        {"Punkte", [](ui::FakeFenster& m) { m.tippen(Ctl::Punkte, "8"); }},
        {"Scan", [](ui::FakeFenster& m) { scannen(m, k_efn1); }},
        {"zweiter Scan", [](ui::FakeFenster& m) { scannen(m, k_efn2); }},
        {"dritter Scan", [](ui::FakeFenster& m) { scannen(m, k_efn3); }},
        {"Korrektur", [](ui::FakeFenster& m) {
             m.zeile_klicken(Ctl::Teilnehmerliste, 0);
             m.tippen(Ctl::PKT_neu, "6");
             m.klicken(Ctl::PKT_Korrektur);
         }},
        {"Referentenpunkte", [](ui::FakeFenster& m) {
             m.zeile_klicken(Ctl::Teilnehmerliste, 1);
             m.tippen(Ctl::referent, "2");
             m.klicken(Ctl::Ref_PKT);
         }},
        {"Entfernen", [](ui::FakeFenster& m) {
             m.zeile_klicken(Ctl::Teilnehmerliste, 2);
             m.klicken(Ctl::Loeschen);
         }},
        {"Inhalt", [](ui::FakeFenster& m) { m.tippen(Ctl::Inhalt, "Thema\rZweite Zeile mit \\ und \t"); }},
        {"Dauer und Zeiten", [](ui::FakeFenster& m) {
             m.tippen(Ctl::Dauer, "90 min");
             m.tippen(Ctl::Uhrzeit_s, "09:00");
             m.benutzer_fokus(Ctl::Uhrzeit_e); // Dauer was filtered on the way out
         }},
    };
    std::size_t erwartet_zeilen = 0;
    for (const auto& [name, schritt] : schritte) {
        SCOPED_TRACE(name);
        schritt(lauf->f(FormId::MA2_Maske));
        const Abbild vorher = abbild(*lauf, FormId::MA2_Maske);
        erwartet_zeilen = vorher.zeilen.size();
        EXPECT_TRUE(lauf->p.sicherung()->offen());

        Lauf& neu = starten();
        ASSERT_EQ(pl().fragen, std::vector<std::string>{frage_text(erwartet_zeilen)});
        EXPECT_TRUE(pl().meldungen.empty());
        EXPECT_TRUE(neu.sichtbar(FormId::MA2_Maske));
        EXPECT_FALSE(neu.sichtbar(FormId::Auswahl));
        EXPECT_EQ(abbild(neu, FormId::MA2_Maske), vorher);
    }
    const Abbild ende = abbild(*lauf, FormId::MA2_Maske);
    EXPECT_EQ(ende.zeilen, (std::vector<std::string>{std::string(k_efn1) + " (6/0)", std::string(k_efn2) + " (8/2)"}));
    EXPECT_EQ(ende.felder[6], "90");
    EXPECT_EQ(ende.felder[7], "Thema\r\nZweite Zeile mit \\ und \t");
}

TEST_F(Neustart, Typ1FormularMitKategorieUndKammer) {
    auto& m = starten().neu(0);
    m.tippen(Ctl::Punkte, "5");
    scannen(m, k_efn1);
    scannen(m, k_efn2);
    m.zeile_klicken(Ctl::Teilnehmerliste, 0);
    m.klicken(Ctl::Loeschen);
    const Abbild vorher = abbild(*lauf, FormId::MA1_Maske);
    EXPECT_EQ(vorher.art, 1);
    EXPECT_EQ(vorher.kammer, 2);

    Lauf& neu = starten();
    EXPECT_EQ(pl().fragen, std::vector<std::string>{frage_text(1)});
    EXPECT_TRUE(neu.sichtbar(FormId::MA1_Maske));
    EXPECT_FALSE(neu.sammlung.geladen(FormId::MA2_Maske));
    EXPECT_EQ(abbild(neu, FormId::MA1_Maske), vorher);
}

TEST_F(Neustart, OhneAenderungGibtEsKeineSicherung) {
    auto& m = starten().neu(3);
    EXPECT_FALSE(pl().datei_existiert(k_journal));
    // Leaving a box whose filter changes nothing writes nothing either.
    m.benutzer_fokus(Ctl::Datum_von);
    m.benutzer_fokus(Ctl::Punkte);
    EXPECT_FALSE(pl().datei_existiert(k_journal));
    EXPECT_EQ(pl().anhaenge, 0);
    starten();
    EXPECT_TRUE(pl().fragen.empty());
    EXPECT_TRUE(lauf->sichtbar(FormId::Auswahl));
}

TEST_F(Neustart, EinScanHaengtNurSichSelbstAn) {
    auto& m = starten().neu(3);
    m.tippen(Ctl::Punkte, "8"); // the snapshot
    const std::string nach_schnappschuss = pl().datei_lesen(k_journal);
    scannen(m, k_efn1);
    const std::string danach = pl().datei_lesen(k_journal);
    ASSERT_EQ(danach.substr(0, nach_schnappschuss.size()), nach_schnappschuss);
    std::string eintrag;
    sicherung::eintrag(eintrag, {sicherung::k_anfuegen, std::string(k_efn1) + " (8/0)"});
    EXPECT_EQ(danach.substr(nach_schnappschuss.size()), eintrag);
    EXPECT_EQ(pl().anhaenge, 1);
}

TEST_F(Neustart, AbgerissenerLetzterEintragUndWeiterNachDerWiederherstellung) {
    auto& m = starten().neu(3);
    m.tippen(Ctl::Punkte, "8");
    scannen(m, k_efn1);
    const Abbild vor_dem_riss = abbild(*lauf, FormId::MA2_Maske);
    // The power fails in the middle of writing the second scan.
    pl().anhaengen_reisst = {pl().anhaenge + 1};
    scannen(m, k_efn2);
    EXPECT_FALSE(lauf->p.sicherung()->gesund());

    auto& neu = starten().f(FormId::MA2_Maske);
    EXPECT_EQ(pl().fragen, std::vector<std::string>{frage_text(1)});
    EXPECT_EQ(abbild(*lauf, FormId::MA2_Maske), vor_dem_riss);
    // The torn tail is gone from the journal, so the next entry reads.
    EXPECT_EQ(sicherung::lesen(pl().datei_lesen(k_journal)).rest, false);
    scannen(neu, k_efn3);
    const Abbild weiter = abbild(*lauf, FormId::MA2_Maske);
    starten();
    EXPECT_EQ(abbild(*lauf, FormId::MA2_Maske), weiter);
    EXPECT_EQ(weiter.zeilen.size(), 2U);
}

TEST_F(Neustart, SchreibfehlerHeiltDieNaechsteAenderung) {
    auto& m = starten().neu(3);
    m.tippen(Ctl::Punkte, "8");
    scannen(m, k_efn1);
    pl().datentraeger_voll = true;
    scannen(m, k_efn2);
    EXPECT_FALSE(lauf->p.sicherung()->gesund());
    EXPECT_FALSE(lauf->p.sicherung()->sichern(m));
    pl().datentraeger_voll = false;
    scannen(m, k_efn3); // writes the whole journal anew
    EXPECT_TRUE(lauf->p.sicherung()->gesund());
    EXPECT_TRUE(lauf->p.sicherung()->sichern(m));
    const Abbild vorher = abbild(*lauf, FormId::MA2_Maske);
    starten();
    EXPECT_EQ(abbild(*lauf, FormId::MA2_Maske), vorher);
    EXPECT_EQ(vorher.zeilen.size(), 3U);
}

TEST_F(Neustart, UnlesbareSicherungWirdMitEinerMeldungBeiseitegelegt) {
    starten();
    pl().datei_ablegen(k_journal, "12 00000000 nicht lesbar\n");
    Lauf& l = starten();
    EXPECT_TRUE(pl().fragen.empty());
    EXPECT_EQ(pl().meldungen, std::vector<std::string>{"Fehler:4001 : Die Sicherung einer nicht gespeicherten "
                                                       "Teilnehmerliste ist unlesbar. Sie wurde unter "
                                                       "c:\\zelva\\Sicherung\\verworfen\\ abgelegt."});
    EXPECT_TRUE(l.sichtbar(FormId::Auswahl));
    EXPECT_FALSE(pl().datei_existiert(k_journal));
    ASSERT_EQ(verworfene(), std::vector<std::string>{"Erfassung_2006-12-21_1.jnl"});
    EXPECT_EQ(pl().datei_lesen(std::string(k_verworfen) + "Erfassung_2006-12-21_1.jnl"), "12 00000000 nicht lesbar\n");
    starten();
    EXPECT_TRUE(pl().meldungen.empty());
    EXPECT_TRUE(lauf->sichtbar(FormId::Auswahl));
}

TEST_F(Neustart, NeinBehaeltDieSicherungUnterVerworfenUndFragtNieWieder) {
    auto& m = starten().neu(3);
    m.tippen(Ctl::Punkte, "8");
    scannen(m, k_efn1);
    const std::string journal = pl().datei_lesen(k_journal);

    Lauf& nein = starten(false);
    EXPECT_EQ(pl().fragen, std::vector<std::string>{frage_text(1)});
    EXPECT_TRUE(nein.sichtbar(FormId::Auswahl));
    EXPECT_FALSE(nein.sammlung.geladen(FormId::MA2_Maske));
    EXPECT_FALSE(pl().datei_existiert(k_journal));
    ASSERT_EQ(verworfene(), std::vector<std::string>{"Erfassung_2006-12-21_1.jnl"});
    EXPECT_EQ(pl().datei_lesen(std::string(k_verworfen) + "Erfassung_2006-12-21_1.jnl"), journal);

    starten();
    EXPECT_TRUE(pl().fragen.empty());
    EXPECT_TRUE(lauf->sichtbar(FormId::Auswahl));
    // A second one the same day gets a name of its own.
    auto& m2 = lauf->neu(3);
    m2.tippen(Ctl::Punkte, "4");
    starten(false);
    EXPECT_EQ(verworfene(), (std::vector<std::string>{"Erfassung_2006-12-21_1.jnl", "Erfassung_2006-12-21_2.jnl"}));
}

TEST_F(Neustart, ErfolgreichesSpeichernBeendetDieSicherung) {
    auto& m = starten().neu(3);
    m.tippen(Ctl::Punkte, "8");
    m.tippen(Ctl::Uhrzeit_s, "09:00");
    m.tippen(Ctl::Uhrzeit_e, "17:00");
    m.tippen(Ctl::Dauer, "420");
    scannen(m, k_efn1);
    // A refused save (a required box empty) keeps it.
    m.setze_text(Ctl::Dauer, "");
    m.klicken(Ctl::Speichern);
    EXPECT_TRUE(pl().datei_existiert(k_journal));
    m.tippen(Ctl::Dauer, "420");
    m.klicken(Ctl::Speichern);
    EXPECT_TRUE(pl().datei_existiert("c:\\zelva\\Daten\\2767701234567890123_21.12.2006.XML"));
    EXPECT_FALSE(pl().datei_existiert(k_journal));
    EXPECT_FALSE(lauf->p.sicherung()->offen());
    EXPECT_TRUE(verworfene().empty());

    // The next change begins a new journal, with everything in it.
    scannen(m, k_efn2);
    const Abbild vorher = abbild(*lauf, FormId::MA2_Maske);
    starten();
    EXPECT_EQ(pl().fragen, std::vector<std::string>{frage_text(2)});
    EXPECT_EQ(abbild(*lauf, FormId::MA2_Maske), vorher);

    // Back to the main menu saves and ends it; the next start does not ask.
    lauf->f(FormId::MA2_Maske).klicken(Ctl::Auswahl_BTN);
    EXPECT_TRUE(lauf->sichtbar(FormId::Auswahl));
    EXPECT_FALSE(pl().datei_existiert(k_journal));
    starten();
    EXPECT_TRUE(pl().fragen.empty());
}

TEST_F(Neustart, VerlassenOhneSpeichernLegtSieBeiseite) {
    auto& m = starten().neu(0);
    m.tippen(Ctl::Punkte, "5");
    scannen(m, k_efn1);
    // "Programm beenden" with no more than the number's prefix ends unsaved.
    m.setze_text(Ctl::VNR, "276");
    m.klicken(Ctl::Ende);
    EXPECT_TRUE(lauf->sammlung.leer());
    EXPECT_FALSE(pl().datei_existiert(k_journal));
    EXPECT_EQ(verworfene().size(), 1U);
    starten();
    EXPECT_TRUE(pl().fragen.empty());
}

std::string typ1_datei(const std::string& punkte, const std::vector<std::string>& efns) {
    std::string t = "<?xml version=\"1.0\" encoding=\"iso-8859-15\" ?>\r\n<Veranstaltung>\r\n<VNR>" + std::string(k_vnr) +
                    "</VNR>\r\n<Punkte>" + punkte + "</Punkte>\r\n<Meldungsart>1</Meldungsart>\r\n";
    for (const auto& e : efns) {
        t += "<Teilnehmer>\r\n <EFN>" + e + "</EFN>\r\n <Punkte_Basis>" + punkte +
             "</Punkte_Basis>\r\n <Punkte_Referent>0</Punkte_Referent>\r\n</Teilnehmer>\r\n";
    }
    return t + "</Veranstaltung>\r\n";
}

TEST_F(Neustart, GeladeneVeranstaltungWirdWiederhergestelltUndInIhreDateiGespeichert) {
    const std::string datei = "c:\\zelva\\Daten\\" + std::string(k_vnr) + ".XML";
    starten();
    pl().datei_ablegen(datei, typ1_datei("5", {k_efn1}));
    starten();
    lauf->f(FormId::Auswahl).klicken(Ctl::Laden);
    lauf->f(FormId::Dateidialog).zeile_klicken(Ctl::Dateiliste, 0);
    auto& m = lauf->f(FormId::MA1_Maske);
    ASSERT_TRUE(lauf->sichtbar(FormId::MA1_Maske));
    EXPECT_FALSE(pl().datei_existiert(k_journal)); // loading changed nothing
    scannen(m, k_efn2);
    const Abbild vorher = abbild(*lauf, FormId::MA1_Maske);
    EXPECT_EQ(vorher.datei, datei);

    starten();
    EXPECT_EQ(pl().fragen, std::vector<std::string>{frage_text(2)});
    EXPECT_EQ(abbild(*lauf, FormId::MA1_Maske), vorher);
    lauf->f(FormId::MA1_Maske).klicken(Ctl::Speichern);
    const std::string gespeichert = pl().datei_lesen(datei);
    EXPECT_NE(gespeichert.find(std::string("<EFN>") + k_efn1 + "</EFN>"), std::string::npos);
    EXPECT_NE(gespeichert.find(std::string("<EFN>") + k_efn2 + "</EFN>"), std::string::npos);
    EXPECT_EQ(pl().dateien("c:\\zelva\\Daten\\*"), std::vector<std::string>{std::string(k_vnr) + ".XML"});
    EXPECT_FALSE(pl().datei_existiert(k_journal));
}

TEST_F(Neustart, EineSicherungSchreibtNieAusserhalbVonZelva) {
    // A journal naming a current file outside the data folder.
    starten();
    std::string j;
    sicherung::eintrag(j, {sicherung::k_anfang, sicherung::k_version, "1"});
    sicherung::eintrag(j, {sicherung::k_zustand, k_vnr, "1", "99", "c:\\Windows\\..\\zelva\\Daten\\x.XML"});
    sicherung::eintrag(j, {sicherung::k_feld, "VNR", k_vnr});
    sicherung::eintrag(j, {sicherung::k_feld, "Punkte", "3"});
    sicherung::eintrag(j, {sicherung::k_ende, "0"});
    pl().datei_ablegen(k_journal, j);
    auto& m = starten().f(FormId::MA1_Maske);
    EXPECT_EQ(lauf->p.zustand().Aktuelle_Datei, "");
    EXPECT_EQ(lauf->p.zustand().Aktuelle_Kammer, 0); // no such chamber
    scannen(m, k_efn1);
    m.klicken(Ctl::Speichern);
    for (const auto& e : fs::recursive_directory_iterator(wurzel)) {
        if (!e.is_regular_file()) continue;
        const std::string relativ = fs::relative(e.path(), wurzel).string();
        EXPECT_EQ(relativ.rfind("zelva/", 0), 0U) << relativ;
    }
}

TEST_F(Neustart, SitzungsendeLaesstNichtsOffen) {
    auto& m = starten().neu(3);
    m.tippen(Ctl::Inhalt, "Supervision");
    lauf->sammlung.logik(FormId::MA2_Maske)->sitzungsende();
    EXPECT_TRUE(lauf->p.sicherung()->sichern(m));
    const Abbild vorher = abbild(*lauf, FormId::MA2_Maske);
    starten();
    EXPECT_EQ(abbild(*lauf, FormId::MA2_Maske), vorher);
}

} // namespace
} // namespace karmo::neustart
