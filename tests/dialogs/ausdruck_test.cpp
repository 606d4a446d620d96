// The window Ausdruck from both capture forms: the choice, the print dialog's outcomes, the form back with the focus in EFN.
#include "dialogs/ausdruck.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "../capture/erfassung_umgebung.hpp"
#include "druck/ausgabe.hpp"
#include "platform/fake/fake_drucker.hpp"

namespace karmo {
namespace {

using ui::Ctl;
using ui::FormId;

// An event of a chamber in the catalogue.
constexpr const char* k_vnr = "2767501234567890125";

const ui::Formular& deklaration(FormId id) {
    if (id == FormId::Ausdruck) return k_Ausdruck;
    return test::erfassung_deklaration(id);
}

struct Druckbett {
    FakePlattform pl;
    FakeDrucker drucker;
    ui::FakeHost host;
    ui::Formularsammlung sammlung{host, deklaration};
    Programm p{pl, sammlung};

    Druckbett() {
        pl.setze_drucker(&drucker);
        sammlung.setze_fabrik([this](FormId id, ui::Fenster& f) -> std::unique_ptr<ui::Formularlogik> {
            if (id == FormId::MA1_Maske) return std::make_unique<MA1_Maske>(p, f);
            if (id == FormId::MA2_Maske) return std::make_unique<MA2_Maske>(p, f);
            if (id == FormId::Ausdruck) return std::make_unique<Ausdruck>(p, f);
            return std::make_unique<ui::Formularlogik>();
        });
        Kammern_initialisieren(p.zustand());
        p.zustand().Basisverzeichnis = "c:\\zelva\\";
        p.zustand().Aktuelle_VNR = k_vnr;
    }
    ui::FakeFenster& fenster(FormId id) { return dynamic_cast<ui::FakeFenster&>(p.form(id)); }
    ui::FakeFenster& oeffnen(FormId id, int teilnehmer) {
        p.zustand().Aktuelle_Meldungsart = id == FormId::MA1_Maske ? 1 : 2;
        ui::FakeFenster& f = fenster(id);
        f.setze_text(Ctl::VNR, k_vnr);
        f.setze_text(Ctl::Punkte, "8");
        if (id == FormId::MA2_Maske) {
            f.setze_text(Ctl::Datum_von, "21.12.2006");
            f.setze_text(Ctl::DATUM_BIS, "22.12.2006");
            f.setze_text(Ctl::Uhrzeit_s, "09:00");
            f.setze_text(Ctl::Uhrzeit_e, "17:30");
            f.setze_text(Ctl::Dauer, "420");
            f.setze_text(Ctl::Inhalt, "Übungen für „Gruppen“\r\nzweite Zeile – 15 €");
        }
        f.zeigen();
        const char* efns[] = {test::k_efn, test::k_efn2, test::k_efn3};
        for (int i = 0; i < teilnehmer; ++i) f.tippen(Ctl::EFN, std::string(efns[i]) + "\r");
        return f;
    }
    // What every outcome leaves: the form shown with the focus in EFN, Ausdruck hidden.
    void form_zurueck(FormId id) {
        EXPECT_TRUE(fenster(id).sichtbar());
        EXPECT_EQ(fenster(id).fokus_bei(), Ctl::EFN);
        EXPECT_FALSE(fenster(FormId::Ausdruck).sichtbar());
    }
};

bool gedruckt(const Gedruckte_Seite& s, std::string_view t) {
    return std::any_of(s.texte.begin(), s.texte.end(), [&](const Gedruckter_Text& x) { return x.text == t; });
}

TEST(Ausdruck, ListFromTheTypeTwoFormAsItStandsThenTheFormIsBackForTheNextScan) {
    Druckbett b;
    ui::FakeFenster& f = b.oeffnen(FormId::MA2_Maske, 3);
    f.klicken(Ctl::Drucken);
    ui::FakeFenster& a = b.fenster(FormId::Ausdruck);
    EXPECT_TRUE(a.sichtbar());
    EXPECT_FALSE(f.sichtbar());
    EXPECT_TRUE(a.markiert(Ctl::Anwesenheitsliste));
    EXPECT_FALSE(a.markiert(Ctl::Bescheinigungen));
    a.klicken(Ctl::Weiter);
    b.form_zurueck(FormId::MA2_Maske);
    ASSERT_EQ(b.drucker.auftraege.size(), 1U);
    const Druckprotokoll& job = b.drucker.auftraege[0];
    ASSERT_EQ(job.seiten.size(), 1U);
    const Gedruckte_Seite& s = job.seiten[0];
    for (const char* t : {"Anwesenheitsliste", k_vnr, "Psychotherapeutenkammer Norvia", "Übungen für „Gruppen“",
                          "zweite Zeile – 15 €", "21.12.2006 bis 22.12.2006", "Seite 1 von 1", test::k_efn,
                          test::k_efn2, test::k_efn3, "Erfasste Teilnehmer: 3"}) {
        EXPECT_TRUE(gedruckt(s, t)) << t;
    }
    // Nothing of the event changed, nothing written.
    EXPECT_EQ(f.zeilenzahl(Ctl::Teilnehmerliste), 3);
    EXPECT_TRUE(b.pl.dateien("c:\\zelva\\Daten\\*").empty());
    EXPECT_TRUE(b.pl.dateien("c:\\zelva\\*").empty());
    EXPECT_TRUE(b.pl.meldungen.empty());
    // The next scan works at once.
    f.tippen(Ctl::EFN, "123456789012354\r");
    EXPECT_EQ(f.zeilenzahl(Ctl::Teilnehmerliste), 4);
}

TEST(Ausdruck, CertificatesFromTheTypeOneFormAndTheChoiceStays) {
    Druckbett b;
    ui::FakeFenster& f = b.oeffnen(FormId::MA1_Maske, 2);
    // Speaker points on the second line show on its certificate.
    f.zeile_klicken(Ctl::Teilnehmerliste, 1);
    f.tippen(Ctl::referent, "2");
    f.klicken(Ctl::Ref_PKT);
    f.klicken(Ctl::Drucken);
    ui::FakeFenster& a = b.fenster(FormId::Ausdruck);
    a.klicken(Ctl::Bescheinigungen);
    EXPECT_FALSE(a.markiert(Ctl::Anwesenheitsliste));
    a.klicken(Ctl::Weiter);
    b.form_zurueck(FormId::MA1_Maske);
    const Druckprotokoll& job = b.drucker.auftraege.at(0);
    ASSERT_EQ(job.seiten.size(), 2U);
    EXPECT_TRUE(gedruckt(job.seiten[0], test::k_efn));
    EXPECT_TRUE(gedruckt(job.seiten[0], "0"));
    EXPECT_FALSE(gedruckt(job.seiten[0], "2"));
    EXPECT_TRUE(gedruckt(job.seiten[1], test::k_efn2));
    EXPECT_TRUE(gedruckt(job.seiten[1], "2"));
    EXPECT_FALSE(gedruckt(job.seiten[0], "21.12.2006 bis 22.12.2006"));
    f.klicken(Ctl::Drucken);
    EXPECT_TRUE(a.markiert(Ctl::Bescheinigungen));
}

TEST(Ausdruck, AbbrechenCloseBoxAndACancelledDialogPrintNothing) {
    Druckbett b;
    ui::FakeFenster& f = b.oeffnen(FormId::MA2_Maske, 1);
    f.klicken(Ctl::Drucken);
    b.fenster(FormId::Ausdruck).klicken(Ctl::CancelButton);
    b.form_zurueck(FormId::MA2_Maske);
    f.klicken(Ctl::Drucken);
    b.sammlung.schliessen(FormId::Ausdruck);
    EXPECT_TRUE(b.sammlung.geladen(FormId::Ausdruck));
    b.form_zurueck(FormId::MA2_Maske);
    EXPECT_EQ(b.drucker.dialoge, 0);
    b.drucker.ausgang = Druckwahl::Ausgang::Abgebrochen;
    f.klicken(Ctl::Drucken);
    b.fenster(FormId::Ausdruck).klicken(Ctl::Weiter);
    b.form_zurueck(FormId::MA2_Maske);
    EXPECT_EQ(b.drucker.dialoge, 1);
    EXPECT_TRUE(b.drucker.auftraege.empty());
    EXPECT_TRUE(b.pl.meldungen.empty());
}

TEST(Ausdruck, ErrorsAreOneMessageAndTheFormStaysUsable) {
    Druckbett b;
    ui::FakeFenster& f = b.oeffnen(FormId::MA1_Maske, 0);
    f.klicken(Ctl::Drucken);
    b.fenster(FormId::Ausdruck).klicken(Ctl::Bescheinigungen);
    b.fenster(FormId::Ausdruck).klicken(Ctl::Weiter);
    EXPECT_EQ(b.pl.meldungen, std::vector<std::string>{druck::k_keine_bescheinigungen});
    b.form_zurueck(FormId::MA1_Maske);

    b.drucker.ausgang = Druckwahl::Ausgang::Kein_Drucker;
    f.klicken(Ctl::Drucken);
    b.fenster(FormId::Ausdruck).klicken(Ctl::Anwesenheitsliste);
    b.fenster(FormId::Ausdruck).klicken(Ctl::Weiter);
    EXPECT_EQ(b.pl.meldungen.back(), druck::k_kein_drucker);
    b.form_zurueck(FormId::MA1_Maske);

    b.drucker.ausgang = Druckwahl::Ausgang::Drucken;
    b.drucker.fehler_seite = 1;
    f.klicken(Ctl::Drucken);
    b.fenster(FormId::Ausdruck).klicken(Ctl::Weiter);
    EXPECT_EQ(b.pl.meldungen.back(), "Der Ausdruck wurde abgebrochen, weil Seite 1 nicht an den Drucker gesendet "
                                     "werden konnte: Der Drucker ist nicht bereit.");
    b.form_zurueck(FormId::MA1_Maske);
    f.tippen(Ctl::EFN, std::string(test::k_efn) + "\r");
    EXPECT_EQ(f.zeilenzahl(Ctl::Teilnehmerliste), 1);
}

// A card scanned while Ausdruck stands in the form's place goes to the form's
// list at once, as the message loop hands it on; Ausdruck stays for a person.
TEST(Ausdruck, ACardScannedIntoAusdruckIsCapturedByTheFormBehindIt) {
    for (FormId id : {FormId::MA1_Maske, FormId::MA2_Maske}) {
        Druckbett b;
        ui::FakeFenster& f = b.oeffnen(id, 1);
        f.klicken(Ctl::Drucken);
        ASSERT_FALSE(f.sichtbar());
        EXPECT_EQ(b.sammlung.kartenziel(), b.sammlung.logik(id));
        b.pl.karte_im_fenster(test::k_efn2);
        b.sammlung.ausfuehren([] {});
        EXPECT_EQ(f.zeilenzahl(Ctl::Teilnehmerliste), 2);
        EXPECT_TRUE(b.fenster(FormId::Ausdruck).sichtbar());
        EXPECT_FALSE(b.pl.karten_wartend());
        // The printout then has both.
        b.fenster(FormId::Ausdruck).klicken(Ctl::Weiter);
        ASSERT_EQ(b.drucker.auftraege.size(), 1U);
        EXPECT_TRUE(gedruckt(b.drucker.auftraege[0].seiten.at(0), test::k_efn2));
        b.form_zurueck(id);
    }
}

TEST(Ausdruck, WithoutAnOpenEventAusdruckTakesNoCard) {
    Druckbett b;
    ui::FakeFenster& f = b.oeffnen(FormId::MA1_Maske, 1);
    f.klicken(Ctl::Drucken);
    // The other report type's form is the one Ausdruck names: none is loaded.
    b.p.zustand().Aktuelle_Meldungsart = 2;
    EXPECT_EQ(b.sammlung.kartenziel(), nullptr);
    b.pl.karte_im_fenster(test::k_efn2);
    EXPECT_FALSE(b.pl.karten_wartend());
    b.fenster(FormId::Ausdruck).verbergen();
    EXPECT_EQ(b.sammlung.kartenziel(), nullptr) << "a hidden form alone takes no card";
}

TEST(Ausdruck, EventReadAsTheFormHoldsIt) {
    Druckbett b;
    ui::FakeFenster& f = b.oeffnen(FormId::MA2_Maske, 2);
    f.zeile_klicken(Ctl::Teilnehmerliste, 0);
    f.tippen(Ctl::PKT_neu, "5");
    f.klicken(Ctl::PKT_Korrektur);
    const druck::Druckdaten d = Druckdaten_lesen(b.p.zustand(), f);
    EXPECT_EQ(d.vnr, k_vnr);
    EXPECT_EQ(d.kammer, "Psychotherapeutenkammer Norvia");
    EXPECT_EQ(d.meldungsart, 2);
    EXPECT_EQ(d.punkte, "8");
    EXPECT_EQ(d.dauer, "420");
    EXPECT_EQ(d.inhalt, "Übungen für „Gruppen“\r\nzweite Zeile – 15 €");
    ASSERT_EQ(d.teilnehmer.size(), 2U);
    EXPECT_EQ(d.teilnehmer[0].efn, test::k_efn);
    EXPECT_EQ(d.teilnehmer[0].basis, "5");
    EXPECT_EQ(d.teilnehmer[1].basis, "8");
    EXPECT_EQ(d.teilnehmer[1].referent, "0");
    // A number of an unknown chamber prints without a chamber's name.
    b.p.zustand().Aktuelle_VNR = "2769990000000000000";
    f.setze_text(Ctl::VNR, "276");
    EXPECT_EQ(Druckdaten_lesen(b.p.zustand(), f).kammer, "");
}

} // namespace
} // namespace karmo
