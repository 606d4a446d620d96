// The event file read back: into a capture form, as another list's participants, and peeked at for the file lists.
#include "eventfile/dateizugriff.hpp"

#include <array>
#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "common/fehler.hpp"
#include "common/text.hpp"
#include "eventfile/liste_lesen.hpp"
#include "eventfile/teilnehmer_eintrag.hpp"
#include "eventfile/teilnehmerzahl.hpp"
#include "eventfile/xml_wert.hpp"
#include "eventfile/zeilenleser.hpp"

namespace karmo {
namespace {

using ui::Ctl;
using ui::FormId;

// Source of file-system errors passed on to callers.
const char* const k_quelle = "Dateizugriff";

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

// Reads line 1 and line 2: whether the file is an event file.
bool kopf_gueltig(xml::Zeilenleser& leser) {
    leser.lesen();
    leser.lesen();
    return leser.enthaelt(Wort::Veranstaltung);
}

void kopf_pruefen(xml::Zeilenleser& leser, int nummer, const char* quelle) {
    if (!kopf_gueltig(leser)) throw Fehler(nummer, quelle, "Die Datei ist keine ZELVA-Datei!");
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

// Where the loader's rules put what they read: a capture form (Formziel)
// or a list read for another event (Listenziel). Each has
// feld(name, value) for a header value and eintrag(text, characters of the
// EFN element) for a list line.
template <class Ziel> void kopfzeile_lesen(xml::Zeilenleser& leser, Ziel& ziel, int anzahl) {
    // Most lines hold none of the header tags: one test settles them.
    if (!leser.enthaelt_eines(anzahl == 2 ? kopfmaske(2) : kopfmaske(8))) return;
    for (int r = 0; r < anzahl; ++r) {
        const Feldzeile& f = k_felder[static_cast<std::size_t>(r)];
        if (!leser.enthaelt(f.auf)) continue;
        const std::string wert = leser.enthaelt(f.zu) ? wert_s(leser, f.auf, f.zu) : mehrzeilig_lesen(leser, f);
        ziel.feld(f.feld, utf8(wert));
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

// `efn` is the EFN element's value as the file holds it (one byte a character).
template <class Ziel> void eintrag_anfuegen(Ziel& ziel, const std::string& eintrag, std::string_view efn) {
    if (ascii(eintrag)) ziel.eintrag(eintrag, efn.size());
    else ziel.eintrag(text::cp1252_zu_utf8(eintrag), efn.size());
}

template <class Ziel> void teilnehmer_lesen(xml::Zeilenleser& leser, Ziel& form, Blockpuffer& b) {
    constexpr std::uint32_t k_blockwoerter =
        bit(Wort::EFN) | bit(Wort::Punkte_Basis) | bit(Wort::Punkte_Referent) | bit(Wort::Teilnehmer_zu);
    xml::Blockwerte werte;
    if (leser.block_lesen(werte)) {
        // The general way below takes each of these values from its line
        // the same way; an empty view is what it gives for an empty value.
        eintrag_bauen(b.eintrag, werte.efn, werte.basis, werte.referent);
        eintrag_anfuegen(form, b.eintrag, werte.efn);
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
            eintrag_anfuegen(form, b.eintrag, b.efn);
            return;
        }
    }
}

// The whole file after its first two lines, by the loader's rules.
template <class Ziel> void datei_lesen(Plattform& pl, const std::string& pfad, Ziel& ziel, int anzahl) {
    const auto datei = oeffnen(pl, pfad);
    xml::Zeilenleser leser(*datei);
    kopf_pruefen(leser, 2001, "XML-Lader");
    Blockpuffer block;
    while (!leser.ende()) {
        leser.lesen();
        kopfzeile_lesen(leser, ziel, anzahl);
        // The line last read, which may be the end of a multi-line value.
        if (leser.enthaelt(Wort::Teilnehmer)) teilnehmer_lesen(leser, ziel, block);
        if (leser.enthaelt(Wort::Veranstaltung_zu)) break;
    }
}

struct Formziel {
    ui::Fenster& form;
    int anzahl;
    void feld(std::string_view name, const std::string& wert) { Feld_setzen(name, wert, form, anzahl); }
    void eintrag(std::string_view e, std::size_t) { form.zeile_anfuegen(Ctl::Teilnehmerliste, e); }
};

// Only the number and the lines: the other header values are read (a value
// cut off by the end of the file refuses the file as a load does) and dropped.
struct Listenziel {
    Gelesene_Liste& liste;
    void feld(std::string_view name, const std::string& wert) {
        if (name == "VNR") liste.vnr = wert;
    }
    void eintrag(std::string_view e, std::size_t efn_zeichen) { liste.anfuegen(e, efn_zeichen); }
};

bool endet_auf_xml(std::string_view name) {
    return name.size() >= 4 && text::gleich_ohne_gross_klein(name.substr(name.size() - 4), ".xml");
}

} // namespace

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

        Formziel ziel{form, anzahl};
        datei_lesen(pl, z.Aktuelle_Datei, ziel, anzahl);
        Teilnehmerzahl_zeigen(p, form);

        z.Aktuelle_VNR = form.text(Ctl::VNR);
        form.zeigen();
        if (z.Lade_Zweck == 2) {
            pl.meldung("Die Daten wurden geladen. Bitte Kontrollieren Sie die Angaben und starten Sie anschließend "
                       "die Übertragung über die Schaltfläche \"Diese Daten zur Kammer übertragen\"!");
        }
    } catch (const std::exception& e) {
        // Whatever stopped the loading, the program goes on.
        if (gefuellt) Teilnehmerzahl_zeigen(p, *gefuellt);
        const Fehler f = als_fehler(e);
        melden(f.nummer(), f.text());
    }
}

std::string Get_VNR(Programm& p, std::string& Dateiname) {
    Dateiname = Datenordner(p.zustand()) + Dateiname;
    try {
        // A file that cannot be opened or is no event file is only left out:
        // no error is raised for it (a folder may hold many such files).
        Ergebnis fehler;
        const auto datei = p.plattform().oeffnen(Dateiname, fehler);
        if (!datei) return {};
        xml::Zeilenleser leser(*datei);
        if (!kopf_gueltig(leser)) return {};
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

void Teilnehmer_lesen(Plattform& pl, const std::string& Pfad, Gelesene_Liste& liste) {
    liste.leeren();
    // The report type picks the header values, as it picks the form of a load.
    const std::uint8_t art = Meldungsart_lesen(pl, Pfad);
    if (art > 200) throw Fehler(200, "XML_IMP", "Falsches Dateiformat!");
    Listenziel ziel{liste};
    datei_lesen(pl, Pfad, ziel, art == 1 ? 2 : 8);
}

std::string_view Gelesene_Liste::eintrag(std::size_t i) const {
    const std::size_t von = i == 0 ? 0 : enden_[i - 1];
    return std::string_view(text_).substr(von, enden_[i] - von);
}

void Gelesene_Liste::anfuegen(std::string_view e, std::size_t efn_zeichen) {
    constexpr std::size_t k_efn_laenge = 15;
    if (efn_zeichen > k_efn_laenge) lange_efn_.push_back(enden_.size());
    text_.append(e);
    enden_.push_back(text_.size());
}

void Gelesene_Liste::leeren() {
    vnr.clear();
    text_.clear();
    enden_.clear();
    lange_efn_.clear();
}

} // namespace karmo
