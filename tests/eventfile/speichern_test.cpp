// Saving an event: exact file text, modes, required fields, folders, and what a failed save leaves behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "eventfile/dateizugriff.hpp"
#include "eventfile/testformulare.hpp"

namespace karmo {
namespace {

using testformulare::Umgebung;
using ui::Ctl;

std::string erwartet(const char* name) {
    const auto pfad = std::filesystem::path(KARMO_TESTQUELLEN) / "eventfile" / "daten" / name;
    std::ifstream in(pfad, std::ios::binary);
    EXPECT_TRUE(in.good()) << pfad;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::string k_vnr = "2760123456789012344";
const std::string k_pfad = "c:\\zelva\\Daten\\2760123456789012344.XML";

void teilnehmer_eintragen(ui::Fenster& f) {
    f.zeile_anfuegen(Ctl::Teilnehmerliste, "123456789012347 (8/0)");
    f.zeile_anfuegen(Ctl::Teilnehmerliste, "802760012345673 (6/2)");
}

void typ2_ausfuellen(Umgebung& u) {
    u.p.zustand().Aktuelle_VNR = k_vnr;
    u.p.zustand().Aktuelle_Meldungsart = 2;
    auto& f = u.ma2();
    f.setze_text(Ctl::VNR, k_vnr);
    f.setze_text(Ctl::Datum_von, "21.12.2006");
    f.setze_text(Ctl::Inhalt, "Einführung in die Gruppenpsychotherapie\r\nFallbesprechungen & Übungen <ganztägig>");
    f.setze_text(Ctl::Dauer, "420");
    f.setze_text(Ctl::Uhrzeit_s, "09:00");
    f.setze_text(Ctl::Uhrzeit_e, "16:30");
    f.setze_text(Ctl::Punkte, "8");
    teilnehmer_eintragen(f);
}

void typ1_ausfuellen(Umgebung& u) {
    u.p.zustand().Aktuelle_VNR = k_vnr;
    u.p.zustand().Aktuelle_Meldungsart = 1;
    u.ma1().setze_text(Ctl::VNR, k_vnr);
    u.ma1().setze_text(Ctl::Punkte, "8");
}

std::size_t zeilenzahl(const std::string& bytes) {
    std::size_t n = 0;
    for (std::size_t i = bytes.find("\r\n"); i != std::string::npos; i = bytes.find("\r\n", i + 2)) ++n;
    return n;
}

TEST(Veranstaltung_speichern, Typ2MitZweizeiligemInhaltGibtDieBeispieldateiByteGenau) {
    Umgebung u;
    typ2_ausfuellen(u);
    const std::string pfad = "c:\\zelva\\Daten\\2760123456789012344_21.12.2006.XML";
    EXPECT_EQ(Veranstaltung_speichern(u.p, pfad, "Speichern2"), Speicherergebnis::Geschrieben);
    const std::string datei = u.pl.datei_lesen(pfad);
    EXPECT_EQ(datei, erwartet("typ2_zwei_teilnehmer.XML"));
    EXPECT_EQ(zeilenzahl(datei), 31U);
    // Umlauts written as Windows-1252 bytes, "&" and "<" unescaped.
    EXPECT_NE(datei.find("Einf\xFChrung"), std::string::npos);
    EXPECT_NE(datei.find("& \xDC" "bungen <ganzt\xE4gig></Bemerkung>\r\n"), std::string::npos);
    ASSERT_EQ(u.pl.meldungen.size(), 1U);
    EXPECT_EQ(u.pl.meldungen[0], "Datei erfolgreich gespeichert! Sie finden die Datei unter:\r\n" + pfad);
}

TEST(Veranstaltung_speichern, Typ1GibtDieBeispieldateiByteGenauUndOhneTeilnehmer16Zeilen) {
    Umgebung u;
    typ1_ausfuellen(u);
    teilnehmer_eintragen(u.ma1());
    ASSERT_EQ(Veranstaltung_speichern(u.p, k_pfad, "Speichern1"), Speicherergebnis::Geschrieben);
    EXPECT_EQ(u.pl.datei_lesen(k_pfad), erwartet("typ1_zwei_teilnehmer.XML"));
    EXPECT_EQ(zeilenzahl(u.pl.datei_lesen(k_pfad)), 30U);

    // Saving again under the same path leaves the second content only.
    u.ma1().liste_leeren(Ctl::Teilnehmerliste);
    ASSERT_EQ(Veranstaltung_speichern(u.p, k_pfad, "Speichern1"), Speicherergebnis::Geschrieben);
    EXPECT_EQ(u.pl.datei_lesen(k_pfad), erwartet("typ1_ohne_teilnehmer.XML"));
    EXPECT_EQ(zeilenzahl(u.pl.datei_lesen(k_pfad)), 16U);
    EXPECT_EQ(u.pl.dateien("c:\\zelva\\Daten\\*"), std::vector<std::string>{"2760123456789012344.XML"});
}

TEST(Veranstaltung_speichern, LayoutFolgtDemModusMeldungsartDemZustand) {
    Umgebung u;
    typ2_ausfuellen(u);
    u.p.zustand().Aktuelle_Meldungsart = 7;
    u.ma2().setze_text(Ctl::Inhalt, "€ und ß");
    ASSERT_EQ(Veranstaltung_speichern(u.p, k_pfad, "Verlassen2"), Speicherergebnis::Geschrieben);
    const std::string datei = u.pl.datei_lesen(k_pfad);
    EXPECT_NE(datei.find("<Bemerkung>\x80 und \xDF</Bemerkung>\r\n"), std::string::npos);
    EXPECT_NE(datei.find("<Meldungsart>7</Meldungsart>\r\n"), std::string::npos);
    EXPECT_TRUE(u.pl.meldungen.empty()); // leaving confirms nothing

    // The type-1 layout writes the fixed empty lines, whatever a type-2 form holds.
    typ1_ausfuellen(u);
    ASSERT_EQ(Veranstaltung_speichern(u.p, k_pfad, "Upload1"), Speicherergebnis::Geschrieben);
    EXPECT_NE(u.pl.datei_lesen(k_pfad).find("<Datum_von></Datum_von>\r\n<Datum_bis></Datum_bis>\r\n<Bemerkung></Bemerkung>"),
              std::string::npos);
    // The transfer is confirmed by its caller, once the browser was asked.
    EXPECT_TRUE(u.pl.meldungen.empty());
    Uebertragung_bestaetigen(u.pl, k_pfad);
    EXPECT_EQ(u.pl.meldungen, std::vector<std::string>{"Die ZELVA-Webseite wird jetzt aufgerufen. \r\n"
                                                       "Die zu übertragende Datei Sie finden Sie hier:\r\n" +
                                                       k_pfad});
    Uebertragung_bestaetigen(u.pl, "c:\\zelva\\Daten\\fehlt.XML");
    EXPECT_EQ(u.pl.meldungen.size(), 1U); // no file, no confirmation
}

TEST(Veranstaltung_speichern, UnbekannterModusSchreibtNichts) {
    Umgebung u;
    typ1_ausfuellen(u);
    EXPECT_EQ(Veranstaltung_speichern(u.p, k_pfad, "speichern1"), Speicherergebnis::Abgelehnt);
    EXPECT_EQ(Veranstaltung_speichern(u.p, k_pfad, ""), Speicherergebnis::Abgelehnt);
    EXPECT_EQ(u.pl.meldungen, (std::vector<std::string>(2, "Fehler bei der Datenspeicherung!(1221)")));
    EXPECT_FALSE(u.pl.ordner_existiert("c:\\zelva"));
}

TEST(Veranstaltung_speichern, PflichtfelderInIhrerReihenfolgeErstFokusDannMeldung) {
    Umgebung u;
    typ2_ausfuellen(u);
    auto& f = u.ma2();
    const struct {
        Ctl feld;
        const char* meldung;
    } reihe[] = {
        {Ctl::Datum_von, "Bitte geben Sie das Veranstaltungsdatum ein!"},
        {Ctl::Uhrzeit_s, "Bitte geben Sie die Startuhrzeit ein!"},
        {Ctl::Uhrzeit_e, "Bitte geben Sie das Enduhrzeit ein!"},
        {Ctl::Dauer, "Bitte geben Sie die Veranstaltungsdauer ein!(ohne Pausen in Minuten)"},
    };
    for (const auto& r : reihe) f.setze_text(r.feld, "");
    for (const auto& r : reihe) {
        u.pl.meldungen.clear();
        Ctl fokus_bei_meldung = Ctl::Keiner;
        u.pl.bei_meldung = [&](std::string_view) { fokus_bei_meldung = f.fokus_bei(); };
        EXPECT_EQ(Veranstaltung_speichern(u.p, k_pfad, "Upload2"), Speicherergebnis::Abgelehnt);
        EXPECT_EQ(u.pl.meldungen, std::vector<std::string>{r.meldung});
        EXPECT_EQ(fokus_bei_meldung, r.feld);
        f.setze_text(r.feld, " "); // a blank counts as content
    }
    // The folders were made before the fields were tested; no file yet.
    EXPECT_TRUE(u.pl.ordner_existiert("c:\\zelva\\Daten"));
    EXPECT_FALSE(u.pl.datei_existiert(k_pfad));
    // DATUM_BIS, Inhalt and Punkte are never required.
    f.setze_text(Ctl::DATUM_BIS, "");
    f.setze_text(Ctl::Inhalt, "");
    f.setze_text(Ctl::Punkte, "");
    EXPECT_EQ(Veranstaltung_speichern(u.p, k_pfad, "Verlassen2"), Speicherergebnis::Geschrieben);
}

TEST(Veranstaltung_speichern, OrdnerfehlerWerdenAlsNummerierteFehlerGemeldet) {
    {
        Umgebung u;
        typ1_ausfuellen(u);
        u.pl.ordner_verweigert.insert("c:\\zelva\\Daten\\");
        try {
            Veranstaltung_speichern(u.p, k_pfad, "Speichern1");
            ADD_FAILURE() << "kein Fehler";
        } catch (const Fehler& f) {
            EXPECT_EQ(f.nummer(), 510);
            EXPECT_EQ(f.quelle(), "Export");
            EXPECT_EQ(f.text(), "Konnte den Pfad c:\\zelva\\Daten\\ nicht erstellen!");
        }
        EXPECT_EQ(u.pl.meldungen, std::vector<std::string>{"Fehler bei der Pfaderstellung: 5 Zugriff verweigert"});
    }
    {
        Umgebung u;
        typ1_ausfuellen(u);
        u.pl.ordner_verweigert.insert("c:\\zelva\\Daten\\Unter\\");
        try {
            Veranstaltung_speichern(u.p, "c:\\zelva\\Daten\\Unter\\x.XML", "Speichern1");
            ADD_FAILURE() << "kein Fehler";
        } catch (const Fehler& f) {
            EXPECT_EQ(f.nummer(), 1211);
            EXPECT_EQ(f.quelle(), "Speicher");
            EXPECT_EQ(f.text(), "Datenpfad konte nicht angelegt werden!");
        }
    }
}

TEST(Veranstaltung_speichern, FehlgeschlagenesSchreibenLaesstDieAlteDateiUnversehrt) {
    Umgebung u;
    typ1_ausfuellen(u);
    const std::string alt = erwartet("typ1_ohne_teilnehmer.XML");
    u.pl.datei_ablegen(k_pfad, alt);
    teilnehmer_eintragen(u.ma1());

    u.pl.datentraeger_voll = true;
    try {
        Veranstaltung_speichern(u.p, k_pfad, "Speichern1");
        ADD_FAILURE() << "kein Fehler";
    } catch (const Fehler& f) {
        EXPECT_EQ(f.nummer(), 112);
        EXPECT_EQ(f.text(), "Auf dem Datenträger ist nicht genügend Speicherplatz vorhanden.");
    }
    u.pl.datentraeger_voll = false;
    EXPECT_EQ(u.pl.datei_lesen(k_pfad), alt);

    u.pl.schreibgeschuetzt.insert(k_pfad);
    EXPECT_THROW(Veranstaltung_speichern(u.p, k_pfad, "Speichern1"), Fehler);
    EXPECT_EQ(u.pl.datei_lesen(k_pfad), alt);
    // No confirmation, and no temporary file left over.
    EXPECT_TRUE(u.pl.meldungen.empty());
    EXPECT_EQ(u.pl.dateien("c:\\zelva\\Daten\\*"), std::vector<std::string>{"2760123456789012344.XML"});
}

TEST(Dateiname, NurZiffernUndDatumszeichenGelangenInDenNamen) {
    Umgebung u;
    const Zustand& z = u.p.zustand();
    EXPECT_EQ(Dateiname_einfach(z, k_vnr), k_pfad);
    EXPECT_EQ(Dateiname_datiert(z, k_vnr, "21.12.2006"), "c:\\zelva\\Daten\\2760123456789012344_21.12.2006.XML");
    EXPECT_EQ(Dateiname_datiert(z, k_vnr, ""), "c:\\zelva\\Daten\\2760123456789012344_.XML");
    // Text from a hostile file cannot lead out of the data folder.
    EXPECT_EQ(Dateiname_einfach(z, "..\\..\\Windows\\x"), "c:\\zelva\\Daten\\.XML");
    EXPECT_EQ(Dateiname_datiert(z, "27601\\..\\2", "..\\..\\Windows\\1.1"), "c:\\zelva\\Daten\\276012_....1.1.XML");

    u.p.zustand().Aktuelle_VNR = "..\\..\\Windows\\x";
    u.p.zustand().Aktuelle_Meldungsart = 1;
    ASSERT_EQ(Veranstaltung_speichern(u.p, Dateiname_einfach(z, z.Aktuelle_VNR), "Verlassen1"),
              Speicherergebnis::Geschrieben);
    EXPECT_FALSE(u.pl.ordner_existiert("c:\\Windows"));
    EXPECT_TRUE(u.pl.datei_existiert("c:\\zelva\\Daten\\.XML"));
}

TEST(Pfad_anlegen, LegtFehlendeOrdnerVonAussenNachInnenAn) {
    Umgebung u;
    EXPECT_TRUE(Pfad_anlegen(u.p, "c:\\zelva\\Daten\\"));
    EXPECT_TRUE(u.pl.ordner_existiert("c:\\zelva\\Daten"));
    // Only prefixes that end in a backslash: the last name is left alone.
    EXPECT_TRUE(Pfad_anlegen(u.p, "c:\\a\\b\\datei.XML"));
    EXPECT_TRUE(u.pl.ordner_existiert("c:\\a\\b"));
    EXPECT_FALSE(u.pl.ordner_existiert("c:\\a\\b\\datei.XML"));
    EXPECT_TRUE(u.pl.meldungen.empty());
}

TEST(Pfad_anlegen, LaengeGrenzeBei255Zeichen) {
    Umgebung u;
    const std::string anfang = "c:\\lang\\";
    std::string p256 = anfang + std::string(256 - anfang.size() - 1, 'x') + "\\";
    ASSERT_EQ(p256.size(), 256U);
    EXPECT_FALSE(Pfad_anlegen(u.p, p256));
    EXPECT_FALSE(u.pl.ordner_existiert("c:\\lang"));
    EXPECT_EQ(u.pl.meldungen, std::vector<std::string>{"Fehler bei der Pfaderstellung: 6 Überlauf"});

    // Exactly 255 characters: the folders are made, and still it fails.
    std::string p255 = anfang + std::string(200, 'y') + "\\" + std::string(255 - anfang.size() - 201, 'z');
    ASSERT_EQ(p255.size(), 255U);
    EXPECT_FALSE(Pfad_anlegen(u.p, p255));
    EXPECT_TRUE(u.pl.ordner_existiert(anfang + std::string(200, 'y')));
    EXPECT_TRUE(Pfad_anlegen(u.p, p255.substr(0, 254)));
}

} // namespace
} // namespace karmo
