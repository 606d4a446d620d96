// The event file: writing it from a capture form, reading it back, peeking into it for the file lists.
#include "eventfile/dateizugriff.hpp"

#include <array>
#include <memory>
#include <new>

#include "common/fehler.hpp"
#include "common/text.hpp"
#include "eventfile/speicherbarkeit.hpp"
#include "eventfile/teilnehmer_eintrag.hpp"
#include "eventfile/xml_wert.hpp"
#include "eventfile/zeilenleser.hpp"
#include "eventfile/zwillingsdatei.hpp"

namespace karmo {
namespace {

using ui::Ctl;
using ui::FormId;

// Source of file-system errors passed on to callers.
const char* const k_quelle = "Dateizugriff";

// ---------------------------------------------------------------- saving --

enum class Aktion { Speichern, Upload, Verlassen };

struct Modus {
    std::string_view name;
    FormId form;
    int layout;
    Aktion aktion;
};

constexpr std::array<Modus, 6> k_modi{{
    {"Speichern1", FormId::MA1_Maske, 1, Aktion::Speichern},
    {"Speichern2", FormId::MA2_Maske, 2, Aktion::Speichern},
    {"Upload1", FormId::MA1_Maske, 1, Aktion::Upload},
    {"Upload2", FormId::MA2_Maske, 2, Aktion::Upload},
    {"Verlassen1", FormId::MA1_Maske, 1, Aktion::Verlassen},
    {"Verlassen2", FormId::MA2_Maske, 2, Aktion::Verlassen},
}};

struct Pflichtfeld {
    Ctl feld;
    std::string_view meldung;
};

constexpr std::array<Pflichtfeld, 4> k_pflichtfelder{{
    {Ctl::Datum_von, "Bitte geben Sie das Veranstaltungsdatum ein!"},
    {Ctl::Uhrzeit_s, "Bitte geben Sie die Startuhrzeit ein!"},
    {Ctl::Uhrzeit_e, "Bitte geben Sie das Enduhrzeit ein!"},
    {Ctl::Dauer, "Bitte geben Sie die Veranstaltungsdauer ein!(ohne Pausen in Minuten)"},
}};

// The text boxes a save writes, in their tab order, with their captions;
// layout 2 writes all of them, layout 1 only the points.
struct Textfeld {
    Ctl feld;
    std::string_view name;
    int layout;
};

constexpr std::array<Textfeld, 7> k_textfelder{{
    {Ctl::Punkte, "Punkte", 1},
    {Ctl::Datum_von, "Datum von", 2},
    {Ctl::DATUM_BIS, "Datum bis", 2},
    {Ctl::Dauer, "Dauer (Min)", 2},
    {Ctl::Uhrzeit_s, "Uhrzeit von", 2},
    {Ctl::Uhrzeit_e, "Uhrzeit bis", 2},
    {Ctl::Inhalt, "Inhalt", 2},
}};

// Appends UTF-8 text as Windows-1252 bytes. Runs of ASCII, nearly all of a
// file, are copied as they are.
void cp1252_anfuegen(std::string& out, std::string_view utf8) {
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::size_t j = i;
        while (j < utf8.size() && static_cast<unsigned char>(utf8[j]) < 0x80) ++j;
        out.append(utf8.substr(i, j - i));
        if (j == utf8.size()) return;
        std::size_t k = j;
        while (k < utf8.size() && static_cast<unsigned char>(utf8[k]) >= 0x80) ++k;
        out += text::utf8_zu_cp1252(utf8.substr(j, k - j));
        i = k;
    }
}

// Points are written as their digits only; every other character is dropped.
void ziffern_anfuegen(std::string& out, std::string_view t) {
    for (char c : t) {
        if (c >= '0' && c <= '9') out.push_back(c);
    }
}

void zeile(std::string& out, std::string_view t) {
    out.append(t);
    out.append("\r\n");
}

void element(std::string& out, std::string_view einzug, std::string_view tag, std::string_view wert) {
    out.append(einzug).append("<").append(tag).append(">");
    cp1252_anfuegen(out, wert);
    out.append("</").append(tag).append(">\r\n");
}

// The block of a list line that is plain ASCII (as every scanned one is),
// cut as eintrag_teilen cuts it, in one pass; false for any other line.
bool block_ascii(std::string& out, std::string_view e) {
    constexpr std::size_t k_efn = 15, k_punkte_ab = 16;
    unsigned oder = 0;
    for (char c : e) oder |= static_cast<unsigned char>(c);
    if (oder >= 0x80) return false;
    const std::size_t strich = e.size() > k_punkte_ab ? e.find('/', k_punkte_ab) : std::string_view::npos;
    out.append("<Teilnehmer>\r\n <EFN>");
    out.append(e.substr(0, k_efn));
    out.append("</EFN>\r\n <Punkte_Basis>");
    const std::string_view rest = e.size() > k_punkte_ab ? e.substr(k_punkte_ab) : std::string_view{};
    const std::size_t s = strich == std::string_view::npos ? std::string_view::npos : strich - k_punkte_ab;
    if (s != std::string_view::npos) ziffern_anfuegen(out, rest.substr(0, s + 1));
    out.append("</Punkte_Basis>\r\n"
               " <Punkte_Interaktivitaet>0</Punkte_Interaktivitaet>\r\n"
               " <Punkte_Lernkontrolle>0</Punkte_Lernkontrolle>\r\n"
               " <Punkte_Referent>");
    ziffern_anfuegen(out, s == std::string_view::npos ? rest : rest.substr(s + 1));
    out.append("</Punkte_Referent>\r\n</Teilnehmer>\r\n");
    return true;
}

void dateiinhalt(std::string& out, const Zustand& z, const ui::Fenster& form, int layout) {
    const int anzahl = form.zeilenzahl(Ctl::Teilnehmerliste);
    out.clear();
    out.reserve(512 + static_cast<std::size_t>(anzahl > 0 ? anzahl : 0) * 240);

    zeile(out, "<?xml version=\"1.0\" encoding=\"iso-8859-15\" ?>");
    zeile(out, "<Veranstaltung>");
    zeile(out, "<Dateiversion>A1.0</Dateiversion>");
    element(out, "", "Erstellt_durch", "Karmo V" + std::string(Programmversion));
    element(out, "", "VNR", z.Aktuelle_VNR);
    if (layout == 1) {
        zeile(out, "<Datum_von></Datum_von>");
        zeile(out, "<Datum_bis></Datum_bis>");
        zeile(out, "<Bemerkung></Bemerkung>");
        zeile(out, "<Dauer></Dauer>");
        zeile(out, "<Uhrzeit_von></Uhrzeit_von>");
        zeile(out, "<Uhrzeit_bis></Uhrzeit_bis>");
    } else {
        element(out, "", "Datum_von", form.text(Ctl::Datum_von));
        element(out, "", "Datum_bis", form.text(Ctl::DATUM_BIS));
        // Line breaks of the content become line breaks of the file.
        element(out, "", "Bemerkung", form.text(Ctl::Inhalt));
        element(out, "", "Dauer", form.text(Ctl::Dauer));
        element(out, "", "Uhrzeit_von", form.text(Ctl::Uhrzeit_s));
        element(out, "", "Uhrzeit_bis", form.text(Ctl::Uhrzeit_e));
    }
    element(out, "", "Punkte", form.text(Ctl::Punkte));
    zeile(out, "<eMail></eMail >");
    element(out, "", "Teilnehmeranzahl", std::to_string(anzahl));
    element(out, "", "Meldungsart", std::to_string(z.Aktuelle_Meldungsart));
    std::string eintrag;
    for (int i = 0; i < anzahl; ++i) {
        form.zeile_lesen(Ctl::Teilnehmerliste, i, eintrag);
        if (block_ascii(out, eintrag)) continue;
        const Eintragsteile teile = eintrag_teilen(eintrag);
        out.append("<Teilnehmer>\r\n <EFN>");
        cp1252_anfuegen(out, teile.efn);
        out.append("</EFN>\r\n <Punkte_Basis>");
        ziffern_anfuegen(out, teile.basis);
        out.append("</Punkte_Basis>\r\n"
                   " <Punkte_Interaktivitaet>0</Punkte_Interaktivitaet>\r\n"
                   " <Punkte_Lernkontrolle>0</Punkte_Lernkontrolle>\r\n"
                   " <Punkte_Referent>");
        ziffern_anfuegen(out, teile.referent);
        out.append("</Punkte_Referent>\r\n</Teilnehmer>\r\n");
    }
    zeile(out, "</Veranstaltung>");
}

std::string nur(std::string_view t, bool punkt_erlaubt) {
    std::string out;
    for (char c : t) {
        if ((c >= '0' && c <= '9') || (punkt_erlaubt && c == '.')) out.push_back(c);
    }
    return out;
}

// --------------------------------------------------------------- loading --

using xml::Wort;

struct Feldzeile {
    std::string_view element;
    Wort auf;
    Wort zu;
    std::string_view feld;
};

// The loader's field table; type 1 uses the first two rows.
constexpr std::array<Feldzeile, 8> k_felder{{
    {"VNR", Wort::VNR, Wort::VNR_zu, "VNR"},
    {"Punkte", Wort::Punkte, Wort::Punkte_zu, "Punkte"},
    {"Datum_von", Wort::Datum_von, Wort::Datum_von_zu, "Datum_von"},
    {"Datum_bis", Wort::Datum_bis, Wort::Datum_bis_zu, "DATUM_BIS"},
    {"Uhrzeit_von", Wort::Uhrzeit_von, Wort::Uhrzeit_von_zu, "Uhrzeit_s"},
    {"Uhrzeit_bis", Wort::Uhrzeit_bis, Wort::Uhrzeit_bis_zu, "Uhrzeit_e"},
    {"Bemerkung", Wort::Bemerkung, Wort::Bemerkung_zu, "Inhalt"},
    {"Dauer", Wort::Dauer, Wort::Dauer_zu, "Dauer"},
}};

std::unique_ptr<Lesedatei> oeffnen(Plattform& pl, std::string_view pfad) {
    Ergebnis fehler;
    auto datei = pl.oeffnen(pfad, fehler);
    if (!datei) {
        if (fehler.ok()) fehler = {53, "Datei nicht gefunden"};
        throw Fehler(fehler.nummer, k_quelle, fehler.text);
    }
    return datei;
}

// Reads line 1 and line 2 and checks that the file is an event file.
void kopf_pruefen(xml::Zeilenleser& leser, int nummer, const char* quelle) {
    leser.lesen();
    leser.lesen();
    if (!leser.enthaelt(Wort::Veranstaltung)) throw Fehler(nummer, quelle, "Die Datei ist keine ZELVA-Datei!");
}

// File text to program text; most values are plain ASCII and stay as they are.
std::string utf8(std::string roh) {
    for (char c : roh) {
        if (static_cast<unsigned char>(c) >= 0x80) return text::cp1252_zu_utf8(roh);
    }
    return roh;
}

// XML_Wert of kind "s" on the current line, which contains the opening tag
// `auf`: taken from the positions the reader has already found.
std::string_view wert_s_ansicht(const xml::Zeilenleser& leser, Wort auf, Wort zu) {
    if (leser.zu_lang() || !leser.enthaelt(zu)) return {};
    const std::size_t start = leser.position(auf) + xml::k_suchwoerter[static_cast<std::size_t>(auf)].size();
    const std::size_t q = leser.position(zu);
    if (q <= start) return {};
    return leser.zeile().substr(start, q - start);
}

std::string wert_s(const xml::Zeilenleser& leser, Wort auf, Wort zu) { return std::string(wert_s_ansicht(leser, auf, zu)); }

constexpr std::uint32_t bit(Wort w) { return 1U << static_cast<unsigned>(w); }

// A header value whose closing tag is not in its first line: the following
// lines are joined by CR LF until one holds the closing tag. Only as much
// is kept as a value can be taken from; beyond that the value is "" anyway.
std::string mehrzeilig_lesen(xml::Zeilenleser& leser, const Feldzeile& f) {
    std::string gesammelt(leser.zeile());
    bool zu_lang = leser.zu_lang();
    bool gefunden = false;
    while (!gefunden && !leser.ende()) {
        leser.lesen();
        gefunden = leser.enthaelt(f.zu);
        if (zu_lang) continue;
        if (leser.zu_lang() || gesammelt.size() + 2 + leser.zeile().size() > xml::k_hoechstlaenge) {
            zu_lang = true;
            gesammelt.clear();
            gesammelt.shrink_to_fit();
            continue;
        }
        gesammelt.append("\r\n").append(leser.zeile());
    }
    if (leser.ende()) throw Fehler(2002, "XML-Loader", "Unerwartets Dateiende- Datei fehlerhaft!");
    return xml::wert_roh(gesammelt, zu_lang, f.element, "s");
}

// Opening tags of the first `anzahl` rows of the field table.
constexpr std::uint32_t kopfmaske(int anzahl) {
    std::uint32_t m = 0;
    for (int r = 0; r < anzahl; ++r) m |= bit(k_felder[static_cast<std::size_t>(r)].auf);
    return m;
}

void kopfzeile_lesen(xml::Zeilenleser& leser, ui::Fenster& form, int anzahl) {
    // Most lines hold none of the header tags: one test settles them.
    if (!leser.enthaelt_eines(anzahl == 2 ? kopfmaske(2) : kopfmaske(8))) return;
    for (int r = 0; r < anzahl; ++r) {
        const Feldzeile& f = k_felder[static_cast<std::size_t>(r)];
        if (!leser.enthaelt(f.auf)) continue;
        const std::string wert = leser.enthaelt(f.zu) ? wert_s(leser, f.auf, f.zu) : mehrzeilig_lesen(leser, f);
        Feld_setzen(f.feld, utf8(wert), form, anzahl);
        return;
    }
}

bool ascii(std::string_view t) {
    for (char c : t) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

// The lines after "<Teilnehmer>" up to the first holding "</Teilnehmer>";
// a block cut off by the end of the file adds nothing. The values and the
// entry live in buffers kept across blocks, so a block allocates nothing.
struct Blockpuffer {
    std::string efn, basis, referent, eintrag;
};

void eintrag_anfuegen(ui::Fenster& form, const std::string& eintrag) {
    if (ascii(eintrag)) form.zeile_anfuegen(Ctl::Teilnehmerliste, eintrag);
    else form.zeile_anfuegen(Ctl::Teilnehmerliste, text::cp1252_zu_utf8(eintrag));
}

void teilnehmer_lesen(xml::Zeilenleser& leser, ui::Fenster& form, Blockpuffer& b) {
    constexpr std::uint32_t k_blockwoerter =
        bit(Wort::EFN) | bit(Wort::Punkte_Basis) | bit(Wort::Punkte_Referent) | bit(Wort::Teilnehmer_zu);
    xml::Blockwerte werte;
    if (leser.block_lesen(werte)) {
        // The general way below takes each of these values from its line
        // the same way; an empty view is what it gives for an empty value.
        eintrag_bauen(b.eintrag, werte.efn, werte.basis, werte.referent);
        eintrag_anfuegen(form, b.eintrag);
        return;
    }
    b.efn.clear();
    // assign(1, '0') rather than assign("0"): GCC 12 at -O3 takes the latter
    // for an overlapping copy (-Wrestrict, a false alarm).
    b.basis.assign(1, '0');
    b.referent.assign(1, '0');
    while (!leser.ende()) {
        leser.lesen();
        if (!leser.enthaelt_eines(k_blockwoerter)) continue;
        if (leser.enthaelt(Wort::EFN)) b.efn.assign(wert_s_ansicht(leser, Wort::EFN, Wort::EFN_zu));
        if (leser.enthaelt(Wort::Punkte_Basis)) b.basis.assign(wert_s_ansicht(leser, Wort::Punkte_Basis, Wort::Punkte_Basis_zu));
        if (leser.enthaelt(Wort::Punkte_Referent))
            b.referent.assign(wert_s_ansicht(leser, Wort::Punkte_Referent, Wort::Punkte_Referent_zu));
        if (leser.enthaelt(Wort::Teilnehmer_zu)) {
            eintrag_bauen(b.eintrag, b.efn, b.basis, b.referent);
            eintrag_anfuegen(form, b.eintrag);
            return;
        }
    }
}

bool endet_auf_xml(std::string_view name) {
    return name.size() >= 4 && text::gleich_ohne_gross_klein(name.substr(name.size() - 4), ".xml");
}

} // namespace

// ----------------------------------------------------------------------------

Speicherergebnis Veranstaltung_speichern(Programm& p, const std::string& Pfad, const std::string& Modus) {
    Plattform& pl = p.plattform();
    const Zustand& z = p.zustand();
    const auto* modus = [&]() -> const karmo::Modus* {
        for (const auto& m : k_modi) {
            if (m.name == Modus) return &m;
        }
        return nullptr;
    }();
    if (modus == nullptr) {
        pl.meldung("Fehler bei der Datenspeicherung!(1221)");
        return Speicherergebnis::Abgelehnt;
    }

    const std::string ordner = Datenordner(z);
    if (!Pfad_anlegen(p, ordner)) throw Fehler(510, "Export", "Konnte den Pfad " + ordner + " nicht erstellen!");

    ui::Fenster& form = p.form(modus->form);
    if (modus->layout == 2) {
        for (const Pflichtfeld& f : k_pflichtfelder) {
            if (form.text(f.feld).empty()) {
                form.fokus(f.feld);
                pl.meldung(f.meldung);
                return Speicherergebnis::Abgelehnt;
            }
        }
    }
    // A value the file would give back changed is not written at all; the
    // user mends it in its field.
    for (const Textfeld& f : k_textfelder) {
        if (f.layout > modus->layout) continue;
        if (const std::string hindernis = Wert_Hindernis(form.text(f.feld), f.name); !hindernis.empty()) {
            form.fokus(f.feld);
            pl.meldung(hindernis);
            return Speicherergebnis::Abgelehnt;
        }
    }

    if (!Pfad_anlegen(p, Pfad)) throw Fehler(1211, "Speicher", "Datenpfad konte nicht angelegt werden!");

    // The text is built in a buffer kept from save to save: a large event's
    // megabytes are not fresh memory (and page faults) every time.
    static std::string inhalt;
    dateiinhalt(inhalt, z, form, modus->layout);
    // The old file stays untouched until the new one is complete: it is
    // written beside it (under a name the file lists do not show), flushed
    // to the disk by `schreiben`, and then moved over it in one step.
    const std::string zwischendatei = Pfad + ".tmp";
    Ergebnis e = pl.schreiben(zwischendatei, inhalt);
    if (e.ok()) e = pl.ersetzen(zwischendatei, Pfad);
    if (!e.ok()) {
        pl.loeschen(zwischendatei);
        throw Fehler(e.nummer, k_quelle, e.text);
    }
    if (modus->layout == 2) Zwilling_nachziehen(p, Pfad, z.Aktuelle_VNR, form.text(Ctl::Datum_von), inhalt);

    if (pl.datei_existiert(Pfad)) {
        switch (modus->aktion) {
        case Aktion::Speichern:
            pl.meldung("Datei erfolgreich gespeichert! Sie finden die Datei unter:\r\n" + Pfad);
            break;
        case Aktion::Upload: // confirmed once the browser has been asked (Uebertragung_bestaetigen)
        case Aktion::Verlassen:
            break;
        }
    }
    return Speicherergebnis::Geschrieben;
}

void Uebertragung_bestaetigen(Plattform& pl, const std::string& Pfad) {
    if (!pl.datei_existiert(Pfad)) return;
    pl.meldung("Die ZELVA-Webseite wird jetzt aufgerufen. \r\n"
               "Die zu übertragende Datei Sie finden Sie hier:\r\n" +
               Pfad);
}

bool Pfad_anlegen(Programm& p, std::string_view Pfad) {
    Plattform& pl = p.plattform();
    const auto fehlschlag = [&pl](const Ergebnis& e) {
        pl.meldung("Fehler bei der Pfaderstellung: " + std::to_string(e.nummer) + " " + e.text);
        return false;
    };
    // The character counter is a byte: 256 characters and more overflow
    // before the first folder, exactly 255 when it steps past the last one.
    const Ergebnis ueberlauf{6, "Überlauf"};
    constexpr std::size_t k_grenze = 255;
    const std::size_t laenge = text::zeichenzahl(Pfad);
    if (laenge > k_grenze) return fehlschlag(ueberlauf);

    std::size_t zeichen = 0;
    for (std::size_t b = 0; b < Pfad.size(); ++b) {
        if ((static_cast<unsigned char>(Pfad[b]) & 0xC0U) == 0x80U) continue;
        ++zeichen;
        // From the 4th character on, so that the drive root "c:\" is left alone.
        if (zeichen < 4 || Pfad[b] != '\\') continue;
        const std::string_view vorne = Pfad.substr(0, b + 1);
        if (pl.ordner_existiert(vorne)) continue;
        const Ergebnis e = pl.ordner_anlegen(vorne);
        if (!e.ok()) return fehlschlag(e);
    }
    if (laenge == k_grenze) return fehlschlag(ueberlauf);
    return true;
}

// Only the characters an event number and a date can hold enter a file
// name, so that a loaded file whose VNR or date carries "..\" or "\" cannot
// make a save write outside the data folder.
std::string Dateiname_einfach(const Zustand& z, std::string_view vnr) {
    return Datenordner(z) + nur(vnr, false) + ".XML";
}

std::string Dateiname_datiert(const Zustand& z, std::string_view vnr, std::string_view datum_von) {
    return Datenordner(z) + nur(vnr, false) + "_" + nur(datum_von, true) + ".XML";
}

void Feld_setzen(std::string_view Name, const std::string& Wert, ui::Fenster& Form, int Anzahl) {
    struct Feld {
        std::string_view name;
        Ctl ctl;
    };
    static constexpr std::array<Feld, 8> k_alle{{
        {"VNR", Ctl::VNR},
        {"Punkte", Ctl::Punkte},
        {"Datum_von", Ctl::Datum_von},
        {"DATUM_BIS", Ctl::DATUM_BIS},
        {"Dauer", Ctl::Dauer},
        {"Uhrzeit_s", Ctl::Uhrzeit_s},
        {"Uhrzeit_e", Ctl::Uhrzeit_e},
        {"Inhalt", Ctl::Inhalt},
    }};
    // A type-1 form has only the first two of these boxes.
    const std::size_t bedient = Anzahl == 2 ? 2 : k_alle.size();
    for (std::size_t i = 0; i < bedient; ++i) {
        if (k_alle[i].name == Name) {
            Form.setze_text(k_alle[i].ctl, Wert);
            return;
        }
    }
}

void Veranstaltung_laden(Programm& p, int Index) {
    Plattform& pl = p.plattform();
    Zustand& z = p.zustand();
    const auto melden = [&](int nummer, const std::string& t) {
        pl.meldung("Fehler:" + std::to_string(nummer) + " : " + t);
        p.form(FormId::Auswahl).zeigen();
    };
    // The form whose list is being filled: its count follows the list
    // however the loading ends.
    ui::Fenster* gefuellt = nullptr;
    try {
        if (Index < 0 || static_cast<std::size_t>(Index) >= z.Dateiliste_Pfade.size()) {
            throw Fehler(9, k_quelle, "Index außerhalb des gültigen Bereichs");
        }
        z.Aktuelle_Datei = z.Dateiliste_Pfade[static_cast<std::size_t>(Index)];
        z.Aktuelle_Meldungsart = Meldungsart_lesen(pl, z.Aktuelle_Datei);
        if (z.Aktuelle_Meldungsart > 200) throw Fehler(200, "XML_IMP", "Falsches Dateiformat!");

        const bool typ1 = z.Aktuelle_Meldungsart == 1;
        ui::Fenster& form = p.form(typ1 ? FormId::MA1_Maske : FormId::MA2_Maske);
        const int anzahl = typ1 ? 2 : 8;
        // The text boxes are not cleared: a box whose element the file
        // lacks keeps what it holds.
        form.liste_leeren(Ctl::Teilnehmerliste);
        gefuellt = &form;

        {
            const auto datei = oeffnen(pl, z.Aktuelle_Datei);
            xml::Zeilenleser leser(*datei);
            kopf_pruefen(leser, 2001, "XML-Lader");
            Blockpuffer block;
            while (!leser.ende()) {
                leser.lesen();
                kopfzeile_lesen(leser, form, anzahl);
                // The line last read, which may be the end of a multi-line value.
                if (leser.enthaelt(Wort::Teilnehmer)) teilnehmer_lesen(leser, form, block);
                if (leser.enthaelt(Wort::Veranstaltung_zu)) break;
            }
        }
        Teilnehmerzahl_zeigen(form);

        z.Aktuelle_VNR = form.text(Ctl::VNR);
        form.zeigen();
        if (z.Lade_Zweck == 2) {
            pl.meldung("Die Daten wurden geladen. Bitte Kontrollieren Sie die Angaben und starten Sie anschließend "
                       "die Übertragung über die Schaltfläche \"Diese Daten zur Kammer übertragen\"!");
        }
    } catch (const std::exception& e) {
        // Whatever stopped the loading, the program goes on.
        if (gefuellt) Teilnehmerzahl_zeigen(*gefuellt);
        const Fehler f = als_fehler(e);
        melden(f.nummer(), f.text());
    }
}

std::string Get_VNR(Programm& p, std::string& Dateiname) {
    Dateiname = Datenordner(p.zustand()) + Dateiname;
    try {
        const auto datei = oeffnen(p.plattform(), Dateiname);
        xml::Zeilenleser leser(*datei);
        kopf_pruefen(leser, 3001, "Get_VNR");
        std::string vnr, datum, zeit;
        while (!leser.enthaelt(Wort::Teilnehmer) && !leser.ende() && !leser.enthaelt(Wort::Veranstaltung_zu)) {
            leser.lesen();
            if (leser.enthaelt(Wort::VNR)) vnr = wert_s(leser, Wort::VNR, Wort::VNR_zu);
            if (leser.enthaelt(Wort::Datum_von)) datum = wert_s(leser, Wort::Datum_von, Wort::Datum_von_zu);
            if (leser.enthaelt(Wort::Uhrzeit_von)) zeit = wert_s(leser, Wort::Uhrzeit_von, Wort::Uhrzeit_von_zu);
        }
        if (vnr.empty()) return {};
        // Lengths in characters: the values are still one byte per character.
        std::string ergebnis = utf8(vnr);
        if (datum.size() > 3) ergebnis += " am " + utf8(datum);
        if (zeit.size() > 3) ergebnis += " um " + utf8(zeit);
        return ergebnis;
    } catch (const std::exception&) {
        return {};
    }
}

std::uint8_t Meldungsart_lesen(Plattform& pl, std::string_view Pfad) {
    constexpr std::uint8_t k_fehlt = 240;
    constexpr std::uint8_t k_unlesbar = 241;
    try {
        const auto datei = oeffnen(pl, Pfad);
        xml::Zeilenleser leser(*datei);
        while (!leser.ende()) {
            leser.lesen();
            if (!leser.enthaelt(Wort::Meldungsart)) continue;
            const std::string wert = xml::wert_roh(leser.zeile(), leser.zu_lang(), "Meldungsart", "n");
            // Only 0 to 255 fit the byte; "" is no number at all.
            if (wert.empty() || wert.front() == '-' || wert.size() > 3) return k_unlesbar;
            const int zahl = std::stoi(wert);
            if (zahl > 255) return k_unlesbar;
            return static_cast<std::uint8_t>(zahl);
        }
        return k_fehlt;
    } catch (const std::exception&) {
        return k_unlesbar;
    }
}

void Dateiliste_aufbauen(Programm& p, ui::Fenster& dateidialog) {
    Zustand& z = p.zustand();
    z.Dateiliste_Pfade.clear();
    dateidialog.liste_leeren(Ctl::Dateiliste);
    for (std::string name : p.plattform().dateien(z.Basisverzeichnis + "Daten\\*.XML")) {
        // The search pattern may also match names that merely begin their
        // extension with XML, such as what an interrupted save leaves.
        if (!endet_auf_xml(name)) continue;
        std::string zeile_text = Get_VNR(p, name);
        if (zeile_text.empty()) continue;
        z.Dateiliste_Pfade.push_back(std::move(name));
        dateidialog.zeile_anfuegen(Ctl::Dateiliste, zeile_text);
    }
}

} // namespace karmo
