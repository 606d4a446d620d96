// Ausdruck with a registration list: names on the list and the certificates, Veranstalter and Ort, the door list, the table for Excel.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../capture/erfassung_umgebung.hpp"
#include "anmeldung/ablage.hpp"
#include "capture/ma1_maske.hpp"
#include "capture/ma2_maske.hpp"
#include "dialogs/anmeldefenster.hpp"
#include "dialogs/ausdruck.hpp"
#include "eventfile/teilnehmerzahl.hpp"
#include "platform/fake/fake_drucker.hpp"

namespace karmo {
namespace {

using ui::Ctl;
using ui::FormId;

constexpr const char* k_vnr = "2767501234567890125";
const std::string k_tabelle = std::string("Nachname;Vorname;Titel;EFN\r\n") + "Weiß;Jürgen;Dr.;" + test::k_efn +
                              "\r\nMüller;Anna;;" + test::k_efn2 + "\r\nAdler;Bert;;\r\n";

struct Bett {
    FakePlattform pl;
    FakeDrucker drucker;
    ui::FakeHost host;
    ui::Formularsammlung sammlung{host, [](FormId id) -> const ui::Formular& {
                                      if (id == FormId::Anmeldeliste) return k_Anmeldeliste;
                                      if (id == FormId::Ausdruck) return k_Ausdruck;
                                      return test::erfassung_deklaration(id);
                                  }};
    Programm p{pl, sammlung};

    explicit Bett(int meldungsart = 1) {
        pl.setze_drucker(&drucker);
        sammlung.setze_fabrik([this](FormId id, ui::Fenster& f) -> std::unique_ptr<ui::Formularlogik> {
            if (id == FormId::MA1_Maske) return std::make_unique<MA1_Maske>(p, f);
            if (id == FormId::MA2_Maske) return std::make_unique<MA2_Maske>(p, f);
            if (id == FormId::Anmeldeliste) return std::make_unique<Anmeldefenster>(p, f);
            if (id == FormId::Ausdruck) return std::make_unique<Ausdruck>(p, f);
            return std::make_unique<ui::Formularlogik>();
        });
        Kammern_initialisieren(p.zustand());
        p.zustand().Basisverzeichnis = "c:\\zelva\\";
        p.zustand().Aktuelle_VNR = k_vnr;
        p.zustand().Aktuelle_Meldungsart = static_cast<std::uint8_t>(meldungsart);
        pl.ordner_anlegen("c:\\zelva\\");
        pl.ordner_anlegen("c:\\zelva\\Daten\\");
        pl.ordner_anlegen("e:\\");
        ui::FakeFenster& m = form();
        m.setze_text(Ctl::VNR, k_vnr);
        m.setze_text(Ctl::Punkte, "8");
        if (meldungsart == 2) m.setze_text(Ctl::Datum_von, "21.12.2006");
        m.zeigen();
    }
    ui::FakeFenster& f(FormId id) { return dynamic_cast<ui::FakeFenster&>(p.form(id)); }
    ui::FakeFenster& form() { return f(Erfassungsform(p.zustand())); }
    ui::FakeFenster& ausdruck() { return f(FormId::Ausdruck); }
    void mit_liste() {
        anmeldung::Einlesung e;
        pl.schreiben("e:\\a.csv", k_tabelle);
        e = anmeldung::Anmeldeliste_einlesen(pl, "e:\\a.csv");
        ASSERT_TRUE(anmeldung::Anmeldeliste_ablegen(pl, "c:\\zelva\\Daten\\", k_vnr, *e.liste).ok());
    }
    void scannen(const std::string& efn) { form().tippen(Ctl::EFN, efn + "\r"); }
    std::vector<std::string> texte(std::size_t auftrag, std::size_t seite) {
        std::vector<std::string> t;
        for (const Gedruckter_Text& x : drucker.auftraege.at(auftrag).seiten.at(seite).texte) t.push_back(x.text);
        return t;
    }
    bool gedruckt(std::size_t auftrag, std::size_t seite, const std::string& t) {
        const auto v = texte(auftrag, seite);
        return std::find(v.begin(), v.end(), t) != v.end();
    }
};

TEST(AusdruckNamen, NamenAufListeUndBescheinigungGaesteOhne) {
    Bett b;
    b.mit_liste();
    b.scannen(test::k_efn);
    b.scannen(test::k_efn3); // a walk-in
    b.form().klicken(Ctl::Drucken);
    b.ausdruck().klicken(Ctl::Weiter);
    ASSERT_EQ(b.drucker.auftraege.size(), 1U);
    EXPECT_TRUE(b.gedruckt(0, 0, "Weiß, Dr. Jürgen"));
    EXPECT_FALSE(b.gedruckt(0, 0, "Müller, Anna")) << "only who came is on the signed list";
    b.form().klicken(Ctl::Drucken);
    b.ausdruck().klicken(Ctl::Bescheinigungen);
    b.ausdruck().klicken(Ctl::Weiter);
    ASSERT_EQ(b.drucker.auftraege.size(), 2U);
    EXPECT_TRUE(b.gedruckt(1, 0, "Weiß, Dr. Jürgen"));
    for (const std::string& t : b.texte(1, 1)) EXPECT_EQ(t.find("Weiß"), std::string::npos) << t;
}

TEST(AusdruckNamen, OhneListeDieselbenSeitenWieBisher) {
    Bett mit, ohne;
    mit.mit_liste();
    for (Bett* b : {&mit, &ohne}) {
        b->scannen(test::k_efn3); // nobody the list knows
        b->form().klicken(Ctl::Drucken);
        b->ausdruck().klicken(Ctl::Weiter);
    }
    EXPECT_EQ(mit.texte(0, 0), ohne.texte(0, 0));
    ohne.form().klicken(Ctl::Drucken);
    EXPECT_FALSE(ohne.ausdruck().aktiviert(Ctl::Tuerliste)) << "the door list only with a registration list";
    mit.form().klicken(Ctl::Drucken);
    EXPECT_TRUE(mit.ausdruck().aktiviert(Ctl::Tuerliste));
}

TEST(AusdruckNamen, VeranstalterUndOrtWerdenGemerktUndGedruckt) {
    Bett b;
    b.scannen(test::k_efn);
    b.form().klicken(Ctl::Drucken);
    EXPECT_EQ(b.ausdruck().text(Ctl::Veranstalter), "");
    b.ausdruck().tippen(Ctl::Veranstalter, "Institut für Fortbildung");
    b.ausdruck().tippen(Ctl::Ort, "Köln");
    b.ausdruck().klicken(Ctl::Bescheinigungen);
    b.ausdruck().tippen(Ctl::Ort, "\r"); // Enter in a box: Weiter
    ASSERT_EQ(b.drucker.auftraege.size(), 1U);
    EXPECT_TRUE(b.gedruckt(0, 0, "Institut für Fortbildung"));
    EXPECT_TRUE(b.gedruckt(0, 0, "Köln"));
    EXPECT_EQ(b.pl.datei_lesen("c:\\zelva\\Ausdruck.ini"), "Veranstalter=Institut für Fortbildung\r\nOrt=Köln\r\n");
    EXPECT_TRUE(b.pl.datei_lesen("c:\\zelva\\config.ini").empty()) << "config.ini stays as it is";

    // The next run finds them.
    Bett spaeter;
    spaeter.pl.schreiben("c:\\zelva\\Ausdruck.ini", b.pl.datei_lesen("c:\\zelva\\Ausdruck.ini"));
    spaeter.scannen(test::k_efn);
    spaeter.form().klicken(Ctl::Drucken);
    EXPECT_EQ(spaeter.ausdruck().text(Ctl::Veranstalter), "Institut für Fortbildung");
    EXPECT_EQ(spaeter.ausdruck().text(Ctl::Ort), "Köln");
    // Emptied, they are left out.
    spaeter.ausdruck().setze_text(Ctl::Veranstalter, "");
    spaeter.ausdruck().setze_text(Ctl::Ort, "");
    spaeter.ausdruck().klicken(Ctl::Weiter);
    for (const std::string& t : spaeter.texte(0, 0)) {
        EXPECT_EQ(t.find("Köln"), std::string::npos);
        EXPECT_EQ(t.find("Veranstalter"), std::string::npos);
    }
    EXPECT_EQ(spaeter.pl.datei_lesen("c:\\zelva\\Ausdruck.ini"), "Veranstalter=\r\nOrt=\r\n");
}

TEST(AusdruckNamen, TuerlisteInDerReihenfolgeDesFenstersMitZaehlung) {
    Bett b;
    b.mit_liste();
    b.scannen(test::k_efn2);
    b.form().klicken(Ctl::Drucken);
    b.ausdruck().klicken(Ctl::Tuerliste);
    b.ausdruck().klicken(Ctl::Weiter);
    ASSERT_EQ(b.drucker.auftraege.size(), 1U);
    const std::vector<std::string> t = b.texte(0, 0);
    const auto stelle = [&t](const std::string& x) { return std::find(t.begin(), t.end(), x) - t.begin(); };
    EXPECT_LT(stelle("Adler, Bert"), stelle("Müller, Anna"));
    EXPECT_LT(stelle("Müller, Anna"), stelle("Weiß, Dr. Jürgen"));
    EXPECT_LT(stelle("Weiß, Dr. Jürgen"), static_cast<long>(t.size()));
    EXPECT_TRUE(b.gedruckt(0, 0, "Anmeldeliste"));
    EXPECT_TRUE(b.gedruckt(0, 0, "Angemeldet: 2, davon erfasst: 1"));
    EXPECT_EQ(b.form().fokus_bei(), Ctl::EFN);
}

TEST(AusdruckNamen, TabelleFuerExcelUeberSpeichernUnter) {
    Bett b(2);
    b.mit_liste();
    b.scannen(test::k_efn);
    b.form().zeile_klicken(Ctl::Teilnehmerliste, 0);
    b.form().tippen(Ctl::referent, "2");
    b.form().klicken(Ctl::Ref_PKT);
    b.pl.speicherorte.push_back("e:\\tabelle.csv");
    b.form().klicken(Ctl::Drucken);
    b.ausdruck().klicken(Ctl::Tabelle);
    b.ausdruck().klicken(Ctl::Weiter);
    ASSERT_EQ(b.pl.dateidialoge.size(), 1U);
    EXPECT_EQ(b.pl.dateidialoge[0].titel, "Teilnehmerliste als Tabelle speichern");
    EXPECT_EQ(b.pl.dateidialoge[0].filtername, "CSV-Dateien (*.csv)");
    EXPECT_EQ(b.pl.dateidialoge[0].muster, "*.csv");
    EXPECT_EQ(b.pl.dateidialoge[0].vorschlag, std::string(k_vnr) + "_21.12.2006.csv");
    EXPECT_EQ(b.pl.datei_lesen("e:\\tabelle.csv"),
              "\xEF\xBB\xBF" "EFN;Nachname;Vorname;Titel;Basispunkte;Referentenpunkte;Angemeldet;Erfasst\r\n"
              "=\"" + std::string(test::k_efn) + "\";Weiß;Jürgen;Dr.;8;2;ja;ja\r\n"
              ";Adler;Bert;;;;ja;nein\r\n"
              "=\"" + std::string(test::k_efn2) + "\";Müller;Anna;;;;ja;nein\r\n");
    EXPECT_EQ(b.pl.meldungen.back(), "Die Tabelle wurde gespeichert:\r\ne:\\tabelle.csv");
    EXPECT_TRUE(b.drucker.auftraege.empty());
    EXPECT_EQ(b.pl.dateien("e:\\*"), (std::vector<std::string>{"a.csv", "tabelle.csv"})) << "no temporary file left";
    // Type 1, no list: "<VNR>.csv", the participants only; a failure names the path and the reason.
    Bett c;
    c.scannen(test::k_efn3);
    c.pl.speicherorte.push_back("x:\\fehlt\\t.csv");
    c.form().klicken(Ctl::Drucken);
    c.ausdruck().klicken(Ctl::Tabelle);
    c.ausdruck().klicken(Ctl::Weiter);
    EXPECT_EQ(c.pl.dateidialoge.at(0).vorschlag, std::string(k_vnr) + ".csv");
    EXPECT_EQ(c.pl.meldungen.back().rfind("Die Tabelle konnte nicht gespeichert werden:\r\nx:\\fehlt\\t.csv\r\n", 0), 0U)
        << c.pl.meldungen.back();
}

TEST(AusdruckNamen, AngabenDateiLesenUndSchreiben) {
    EXPECT_EQ(Ausdruck_ini_lesen("\xEF\xBB\xBFVeranstalter = A=B \nOrt=Bonn\rAnderes=x"), (Ausdruck_Angaben{"A=B", "Bonn"}));
    EXPECT_EQ(Ausdruck_ini_lesen(""), Ausdruck_Angaben{});
    EXPECT_EQ(Ausdruck_ini_text({"Zeile\r\neins", "Ort"}), "Veranstalter=Zeile  eins\r\nOrt=Ort\r\n");
    const Ausdruck_Angaben a{"Ärztekammer „Nord“", "Düsseldorf"};
    EXPECT_EQ(Ausdruck_ini_lesen(Ausdruck_ini_text(a)), a);
}

} // namespace
} // namespace karmo
