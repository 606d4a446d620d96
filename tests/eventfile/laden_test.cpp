// Loading an event, peeking into files for the lists, reading the report type.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/fehler.hpp"
#include "eventfile/dateizugriff.hpp"
#include "eventfile/liste_lesen.hpp"
#include "eventfile/testformulare.hpp"

namespace karmo {
namespace {

using testformulare::Umgebung;
using ui::Ctl;
using ui::FormId;

const std::string k_vnr = "2760123456789012344";
const std::string k_ordner = "c:\\zelva\\Daten\\";

std::string crlf(std::initializer_list<std::string_view> zeilen) {
    std::string out;
    for (auto z : zeilen) out.append(z).append("\r\n");
    return out;
}

std::string kopf(std::string_view meldungsart) {
    return crlf({"<?xml version=\"1.0\" encoding=\"iso-8859-15\" ?>", "<Veranstaltung>",
                 "<Dateiversion>A1.0</Dateiversion>", "<VNR>2760123456789012344</VNR>"}) +
           "<Meldungsart>" + std::string(meldungsart) + "</Meldungsart>\r\n";
}

std::string block(std::string_view efn, std::string_view basis, std::string_view ref) {
    return crlf({"<Teilnehmer>", " <EFN>" + std::string(efn) + "</EFN>",
                 " <Punkte_Basis>" + std::string(basis) + "</Punkte_Basis>",
                 " <Punkte_Referent>" + std::string(ref) + "</Punkte_Referent>", "</Teilnehmer>"});
}

// Puts a file in the data folder and makes it row 0 of the file list.
void ablegen(Umgebung& u, const std::string& bytes, const std::string& name = "x.XML") {
    u.pl.datei_ablegen(k_ordner + name, bytes);
    u.p.zustand().Dateiliste_Pfade = {k_ordner + name};
}

std::vector<std::string> liste(ui::Fenster& f) {
    std::vector<std::string> out;
    for (int i = 0; i < f.zeilenzahl(Ctl::Teilnehmerliste); ++i) out.push_back(f.zeile(Ctl::Teilnehmerliste, i));
    return out;
}

TEST(Veranstaltung_laden, SpeichernUndLadenGebenDieselbenFelderUndZeilenZurueck) {
    Umgebung u;
    auto& f = u.ma2();
    const std::vector<std::string> zeilen{"123456789012347 (8/0)", "802760012345673 (6/2)"};
    f.setze_text(Ctl::VNR, k_vnr);
    f.setze_text(Ctl::Datum_von, "21.12.2006");
    f.setze_text(Ctl::Inhalt, "Grüße & <mehr>\r\nzweite €\r\ndritte");
    f.setze_text(Ctl::Dauer, "420");
    f.setze_text(Ctl::Uhrzeit_s, "09:00");
    f.setze_text(Ctl::Uhrzeit_e, "16:30");
    f.setze_text(Ctl::Punkte, "8");
    for (const auto& z : zeilen) f.zeile_anfuegen(Ctl::Teilnehmerliste, z);
    u.p.zustand().Aktuelle_VNR = k_vnr;
    u.p.zustand().Aktuelle_Meldungsart = 2;
    const std::string pfad = Dateiname_datiert(u.p.zustand(), k_vnr, "21.12.2006");
    ASSERT_EQ(Veranstaltung_speichern(u.p, pfad, "Speichern2"), Speicherergebnis::Geschrieben);

    // A fresh program reads it back.
    Umgebung v;
    ablegen(v, u.pl.datei_lesen(pfad));
    v.p.zustand().Lade_Zweck = 1;
    Veranstaltung_laden(v.p, 0);
    auto& g = v.ma2();
    EXPECT_TRUE(v.pl.meldungen.empty());
    EXPECT_TRUE(g.sichtbar());
    EXPECT_FALSE(v.p.formulare().geladen(FormId::MA1_Maske));
    for (Ctl c : {Ctl::VNR, Ctl::Datum_von, Ctl::DATUM_BIS, Ctl::Inhalt, Ctl::Dauer, Ctl::Uhrzeit_s, Ctl::Uhrzeit_e,
                  Ctl::Punkte}) {
        EXPECT_EQ(g.text(c), f.text(c)) << static_cast<int>(c);
    }
    EXPECT_EQ(liste(g), zeilen);
    EXPECT_EQ(v.p.zustand().Aktuelle_VNR, k_vnr);
    EXPECT_EQ(v.p.zustand().Aktuelle_Meldungsart, 2);
    EXPECT_EQ(v.p.zustand().Aktuelle_Datei, k_ordner + "x.XML");
}

TEST(Veranstaltung_laden, Typ1OeffnetMA1UndUebergehtDenTyp2Kopf) {
    Umgebung u;
    ablegen(u, kopf("1") + crlf({"<Punkte>5</Punkte>", "<Datum_von>1.1.2000</Datum_von>", "<Bemerkung>a", "b</Bemerkung>"}) +
                   block("123456789012347", "5", "0") + crlf({"</Veranstaltung>"}));
    u.ma1().zeile_anfuegen(Ctl::Teilnehmerliste, "alt");
    u.p.zustand().Lade_Zweck = 2;
    Veranstaltung_laden(u.p, 0);
    // The test form of type 1 has no date boxes: touching one would throw.
    EXPECT_EQ(u.ma1().text(Ctl::VNR), k_vnr);
    EXPECT_EQ(u.ma1().text(Ctl::Punkte), "5");
    EXPECT_EQ(liste(u.ma1()), std::vector<std::string>{"123456789012347 (5/0)"});
    EXPECT_EQ(u.ma1().text(Ctl::Teilnehmerzahl), "Erfasste Teilnehmer: 1");
    EXPECT_TRUE(u.ma1().sichtbar());
    EXPECT_FALSE(u.p.formulare().geladen(FormId::MA2_Maske));
    EXPECT_EQ(u.pl.meldungen,
              std::vector<std::string>{"Die Daten wurden geladen. Bitte Kontrollieren Sie die Angaben und starten Sie "
                                       "anschließend die Übertragung über die Schaltfläche \"Diese Daten zur Kammer "
                                       "übertragen\"!"});
}

// The report type picks the header values as for a load: a type-1 file's
// content is not read, so a content left open does not refuse it; a type-2
// file's does.
TEST(Teilnehmer_lesen, KopfwerteNachMeldungsartLetzteVNRZaehlt) {
    Umgebung u;
    const std::string rest = crlf({"<Bemerkung>offen", "<VNR>2760123456789012351</VNR>"}) +
                             block("123456789012347", "5", "0") + block("", "", "") + crlf({"</Veranstaltung>"}) +
                             block("100000000000009", "5", "0");
    u.pl.datei_ablegen(k_ordner + "a.XML", kopf("1") + rest);
    Gelesene_Liste g;
    Teilnehmer_lesen(u.pl, k_ordner + "a.XML", g);
    EXPECT_EQ(g.vnr, "2760123456789012351");
    ASSERT_EQ(g.anzahl(), 2U);
    EXPECT_EQ(g.eintrag(0), "123456789012347 (5/0)");
    EXPECT_EQ(g.eintrag(1), " (/)");
    EXPECT_FALSE(u.p.formulare().geladen(FormId::MA1_Maske));

    u.pl.datei_ablegen(k_ordner + "b.XML", kopf("2") + rest);
    EXPECT_THROW(Teilnehmer_lesen(u.pl, k_ordner + "b.XML", g), Fehler);
}

TEST(Veranstaltung_laden, FehlendeElementeLassenFelderStehenBlockwerteHabenVorgaben) {
    Umgebung u;
    u.ma2().setze_text(Ctl::Dauer, "alt");
    u.ma2().setze_text(Ctl::Punkte, "3");
    ablegen(u, kopf("0") + crlf({"<Teilnehmer>", " <EFN>123456789012347</EFN>", " <Punkte_Referent>2</Punkte_Referent>",
                                 "</Teilnehmer>", "<Teilnehmer>", " <Punkte_Basis>4</Punkte_Basis>", "</Teilnehmer>",
                                 // Header values may also come after the blocks, and repeat.
                                 "<Punkte>7</Punkte>", "<Punkte>9</Punkte>", "<Teilnehmer>",
                                 " <EFN>802760012345673</EFN>"}));
    Veranstaltung_laden(u.p, 0);
    EXPECT_TRUE(u.pl.meldungen.empty());
    EXPECT_EQ(u.ma2().text(Ctl::Dauer), "alt");
    EXPECT_EQ(u.ma2().text(Ctl::Punkte), "9");
    // The last block, cut off by the end of the file, adds nothing.
    EXPECT_EQ(liste(u.ma2()), (std::vector<std::string>{"123456789012347 (0/2)", " (4/0)"}));
    EXPECT_EQ(u.p.zustand().Aktuelle_Meldungsart, 0);
}

// The count under the list follows the lines however the loading ends:
// here a value cut off by the end of the file stops it after one block.
TEST(Veranstaltung_laden, TeilnehmerzahlFolgtDerListeAuchNachEinemFehler) {
    Umgebung u;
    ablegen(u, kopf("2") + block("123456789012347", "5", "0") + crlf({"<Bemerkung>erste", "zweite"}));
    u.ma2().setze_text(Ctl::Teilnehmerzahl, "Erfasste Teilnehmer: 7");
    Veranstaltung_laden(u.p, 0);
    ASSERT_EQ(u.pl.meldungen.size(), 1U);
    EXPECT_EQ(u.ma2().text(Ctl::Teilnehmerzahl),
              "Erfasste Teilnehmer: " + std::to_string(u.ma2().zeilenzahl(Ctl::Teilnehmerliste)));
    EXPECT_EQ(u.ma2().zeilenzahl(Ctl::Teilnehmerliste), 1);
}

TEST(Veranstaltung_laden, LiestNichtsNachDemEndeDerVeranstaltung) {
    Umgebung u;
    ablegen(u, kopf("2") + block("123456789012347", "8", "0") + crlf({"</Veranstaltung>", "<Punkte>5</Punkte>"}) +
                   block("802760012345673", "8", "0"));
    Veranstaltung_laden(u.p, 0);
    EXPECT_EQ(u.ma2().text(Ctl::Punkte), "");
    EXPECT_EQ(liste(u.ma2()).size(), 1U);
}

struct Abweisung {
    std::string inhalt;
    std::string meldung;
};

TEST(Veranstaltung_laden, AbgewieseneDateienMeldenIhrenFehlerUndZeigenDasHauptmenue) {
    const std::string falsch = "Fehler:200 : Falsches Dateiformat!";
    const std::string fremd = "Fehler:2001 : Die Datei ist keine ZELVA-Datei!";
    const std::string ende = "Fehler:2002 : Unerwartets Dateiende- Datei fehlerhaft!";
    const std::vector<Abweisung> faelle{
        {crlf({"<?xml ?>", "<Veranstaltung>", "<VNR>1</VNR>"}), falsch},
        {kopf("201"), falsch},
        {kopf("-1"), falsch},
        {kopf("300"), falsch},
        {kopf("240"), falsch},
        {"\r\n" + kopf("2"), fremd},
        {crlf({"<?xml ?>", "<veranstaltung>", "<Meldungsart>2</Meldungsart>"}), fremd},
        {kopf("2") + crlf({"<Bemerkung>erste", "zweite"}), ende},
        // Even with the closing tag in the very last line.
        {kopf("2") + crlf({"<Bemerkung>erste", "zweite</Bemerkung>"}), ende},
        {kopf("2") + "<Dauer>5", ende},
        {"<Meldungsart>2</Meldungsart>", "Fehler:62 : Einlesen hinter Dateiende."},
    };
    for (const auto& fall : faelle) {
        Umgebung u;
        ablegen(u, fall.inhalt);
        Veranstaltung_laden(u.p, 0);
        EXPECT_EQ(u.pl.meldungen, std::vector<std::string>{fall.meldung}) << fall.inhalt;
        EXPECT_TRUE(u.p.form(FormId::Auswahl).sichtbar());
        EXPECT_FALSE(u.p.formulare().geladen(FormId::MA2_Maske) && u.ma2().sichtbar());
        // Read for another list, the file is refused with the same error.
        Gelesene_Liste g;
        try {
            Teilnehmer_lesen(u.pl, k_ordner + "x.XML", g);
            ADD_FAILURE() << "taken: " << fall.inhalt;
        } catch (const Fehler& e) {
            EXPECT_EQ("Fehler:" + std::to_string(e.nummer()) + " : " + e.text(), fall.meldung) << fall.inhalt;
        }
        // The file is closed again: a save can replace it.
        EXPECT_TRUE(u.pl.loeschen(k_ordner + "x.XML").ok());
    }
}

TEST(Veranstaltung_laden, Meldungsart240BleibtImZustandUndFalscherIndexIstEinFehler) {
    Umgebung u;
    // A value without a number reads as 0, a valid report type for the type-2 form.
    ablegen(u, kopf("zwei"));
    Veranstaltung_laden(u.p, 0);
    EXPECT_TRUE(u.pl.meldungen.empty());
    EXPECT_TRUE(u.ma2().sichtbar());

    ablegen(u, crlf({"<?xml ?>", "<Veranstaltung>"}));
    Veranstaltung_laden(u.p, 0);
    EXPECT_EQ(u.p.zustand().Aktuelle_Meldungsart, 240);

    u.pl.meldungen.clear();
    Veranstaltung_laden(u.p, 1);
    Veranstaltung_laden(u.p, -1);
    EXPECT_EQ(u.pl.meldungen, std::vector<std::string>(2, "Fehler:9 : Index außerhalb des gültigen Bereichs"));

    // A file gone since the list was built: its report type is unreadable.
    u.pl.meldungen.clear();
    u.p.zustand().Dateiliste_Pfade = {k_ordner + "weg.XML"};
    Veranstaltung_laden(u.p, 0);
    EXPECT_EQ(u.pl.meldungen, std::vector<std::string>{"Fehler:200 : Falsches Dateiformat!"});
    EXPECT_EQ(u.p.zustand().Aktuelle_Meldungsart, 241);
}

TEST(Veranstaltung_laden, UeberlangeKopfwerteLadenAlsLeeresFeld) {
    Umgebung u;
    // A content of more than 32,767 characters, over many lines.
    std::string inhalt = kopf("2") + "<Bemerkung>";
    for (int i = 0; i < 400; ++i) inhalt += std::string(100, 'x') + "\r\n";
    inhalt += "</Bemerkung>\r\n<Dauer>" + std::string(40000, '9') + "</Dauer>\r\n<Punkte>8</Punkte>\r\n";
    ablegen(u, inhalt + block("123456789012347", "8", "0"));
    u.ma2().setze_text(Ctl::Inhalt, "alt");
    u.ma2().setze_text(Ctl::Dauer, "alt");
    Veranstaltung_laden(u.p, 0);
    EXPECT_TRUE(u.pl.meldungen.empty());
    EXPECT_EQ(u.ma2().text(Ctl::Inhalt), "");
    EXPECT_EQ(u.ma2().text(Ctl::Dauer), "");
    EXPECT_EQ(u.ma2().text(Ctl::Punkte), "8");
    EXPECT_EQ(liste(u.ma2()).size(), 1U);

    // Just below the limit the value is kept whole.
    Umgebung v;
    const std::string gross(32767 - std::string("<Bemerkung>\r\n</Bemerkung>").size(), 'y');
    ablegen(v, kopf("2") + "<Bemerkung>\r\n" + gross + "</Bemerkung>\r\n</Veranstaltung>\r\n");
    Veranstaltung_laden(v.p, 0);
    EXPECT_TRUE(v.pl.meldungen.empty());
    EXPECT_TRUE(v.ma2().text(Ctl::Inhalt) == "\r\n" + gross);
}

TEST(Get_VNR, ZeilentextNachDateiart) {
    Umgebung u;
    const auto row = [&](const std::string& inhalt) {
        u.pl.datei_ablegen(k_ordner + "f.XML", inhalt);
        std::string name = "f.XML";
        std::string r = Get_VNR(u.p, name);
        EXPECT_EQ(name, k_ordner + "f.XML");
        return r;
    };
    const std::string typ2 = kopf("2") + crlf({"<Datum_von>21.12.2006</Datum_von>", "<Uhrzeit_von>09:00</Uhrzeit_von>"});
    EXPECT_EQ(row(typ2), k_vnr + " am 21.12.2006 um 09:00");
    EXPECT_EQ(row(kopf("1") + crlf({"<Datum_von></Datum_von>", "<Uhrzeit_von></Uhrzeit_von>"})), k_vnr);
    EXPECT_EQ(row(kopf("2") + crlf({"<Datum_von>1.1</Datum_von>", "<Uhrzeit_von>09:00</Uhrzeit_von>"})),
              k_vnr + " um 09:00");
    // Nothing after the first participant block counts; the last occurrence before it wins.
    EXPECT_EQ(row(kopf("2") + crlf({"<VNR>2</VNR>", "<Teilnehmer>", "<Uhrzeit_von>09:00</Uhrzeit_von>"})), "2");
    EXPECT_EQ(row(crlf({"x", "<Veranstaltung>", "<VNR></VNR>", "<Datum_von>21.12.2006</Datum_von>"})), "");
    EXPECT_EQ(row(crlf({"<Veranstaltung>", "<VNR>1</VNR>"})), "");   // word missing in line 2
    EXPECT_EQ(row(crlf({"x", "<Veranstaltung><VNR>1</VNR>"})), "");   // line 2 itself is not read
    EXPECT_EQ(row("nur eine Zeile"), "");
    EXPECT_EQ(row(""), "");
    EXPECT_EQ(row(crlf({"x", "Veranstaltung", "<VNR>Gr\xFC\xDF" "e</VNR>"})), "Grüße");

    std::string fehlt = "weg.XML";
    EXPECT_EQ(Get_VNR(u.p, fehlt), "");
    EXPECT_EQ(fehlt, k_ordner + "weg.XML");
    EXPECT_TRUE(u.pl.meldungen.empty());
}

TEST(Meldungsart_lesen, ErsteZeileZaehltSonst240Oder241) {
    Umgebung u;
    const auto art = [&](const std::string& inhalt) {
        u.pl.datei_ablegen(k_ordner + "m.XML", inhalt);
        return static_cast<int>(Meldungsart_lesen(u.pl, k_ordner + "m.XML"));
    };
    EXPECT_EQ(art(crlf({"<Meldungsart>2.5</Meldungsart>"})), 2);
    EXPECT_EQ(art(crlf({"a", "<Meldungsart>1</Meldungsart>", "<Meldungsart>2</Meldungsart>"})), 1);
    EXPECT_EQ(art(crlf({"<Meldungsart>255</Meldungsart>"})), 255);
    EXPECT_EQ(art(crlf({"<Meldungsart>256</Meldungsart>"})), 241);
    EXPECT_EQ(art(crlf({"<Meldungsart>-1</Meldungsart>"})), 241);
    EXPECT_EQ(art(crlf({"<Meldungsart></Meldungsart>"})), 241);
    EXPECT_EQ(art(crlf({"<Veranstaltung>", "</Veranstaltung>"})), 240);
    EXPECT_EQ(art(""), 240);
    EXPECT_EQ(art("<Meldungsart>" + std::string(40000, '1') + "</Meldungsart>"), 241);
    EXPECT_EQ(Meldungsart_lesen(u.pl, k_ordner + "fehlt.XML"), 241);
}

TEST(Dateiliste_aufbauen, ZeilenUndPfadeGehoerenZusammenFremdesBleibtDraussen) {
    Umgebung u;
    auto& dialog = u.form(FormId::Dateidialog);
    u.pl.datei_ablegen(k_ordner + "a.XML", kopf("1"));
    u.pl.datei_ablegen(k_ordner + "fremd.XML", "kein Ereignis\r\n");
    // What an interrupted save leaves behind is never listed.
    u.pl.datei_ablegen(k_ordner + "b.XML.tmp", kopf("1"));
    u.pl.datei_ablegen(k_ordner + "c.xml", kopf("2") + crlf({"<Datum_von>21.12.2006</Datum_von>"}));
    dialog.zeile_anfuegen(Ctl::Dateiliste, "alt");
    Dateiliste_aufbauen(u.p, dialog);

    const auto& pfade = u.p.zustand().Dateiliste_Pfade;
    ASSERT_EQ(pfade.size(), 2U);
    ASSERT_EQ(dialog.zeilenzahl(Ctl::Dateiliste), 2);
    for (int i = 0; i < 2; ++i) {
        const std::string& pfad = pfade[static_cast<std::size_t>(i)];
        const std::string erwartet = pfad == k_ordner + "a.XML" ? k_vnr : k_vnr + " am 21.12.2006";
        EXPECT_EQ(dialog.zeile(Ctl::Dateiliste, i), erwartet) << pfad;
    }
}

} // namespace
} // namespace karmo
