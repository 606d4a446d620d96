// The event file written from a capture form: its bytes, the temporary file moved over the old one, the folders on the way, the names.
#include "eventfile/dateizugriff.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "common/fehler.hpp"
#include "common/text.hpp"
#include "eventfile/ersetzen.hpp"
#include "eventfile/speicherbarkeit.hpp"
#include "eventfile/teilnehmer_eintrag.hpp"
#include "eventfile/zwillingsdatei.hpp"

namespace karmo {
namespace {

using ui::Ctl;
using ui::FormId;

// Source of file-system errors passed on to callers.
const char* const k_quelle = "Dateizugriff";

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

// The file's text, written into a buffer that is kept from save to save
// and only ever grows: a large event's megabytes are neither fresh memory
// (page faults) nor cleared again each time. A participant block is written
// through a plain pointer into room made for it beforehand.
class Text {
public:
    explicit Text(std::string& puffer) : puffer_(puffer) {}
    // Room for `n` more bytes; the pointer is where they go.
    char* platz(std::size_t n) {
        if (laenge_ + n > puffer_.size()) puffer_.resize(std::max(2 * puffer_.size(), laenge_ + n));
        return puffer_.data() + laenge_;
    }
    // The bytes written up to `ende` (from the last platz) belong to the text.
    void bis(const char* ende) { laenge_ = static_cast<std::size_t>(ende - puffer_.data()); }
    void anfuegen(std::string_view t) {
        char* z = platz(t.size());
        t.copy(z, t.size());
        laenge_ += t.size();
    }
    std::string_view text() const { return {puffer_.data(), laenge_}; }

private:
    std::string& puffer_;
    std::size_t laenge_ = 0;
};

// Eight bytes at a time: every EFN is checked.
bool ascii(std::string_view t) {
    std::size_t i = 0;
    for (; i + 8 <= t.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, t.data() + i, sizeof w);
        if ((w & 0x8080808080808080ULL) != 0) return false;
    }
    for (; i < t.size(); ++i) {
        if (static_cast<unsigned char>(t[i]) >= 0x80) return false;
    }
    return true;
}

// UTF-8 text as Windows-1252 bytes; ASCII, nearly all of a file, as it is.
void cp1252_anfuegen(Text& out, std::string_view utf8) {
    if (ascii(utf8)) out.anfuegen(utf8);
    else out.anfuegen(text::utf8_zu_cp1252(utf8));
}

template <std::size_t N> char* kopieren(char* z, const char (&t)[N]) {
    std::memcpy(z, t, N - 1);
    return z + N - 1;
}

// Points are written as their digits only; every other character is dropped.
char* ziffern(char* z, std::string_view t) {
    for (const char c : t) {
        *z = c;
        z += c >= '0' && c <= '9' ? 1 : 0;
    }
    return z;
}

void zeile(Text& out, std::string_view t) {
    out.anfuegen(t);
    out.anfuegen("\r\n");
}

void element(Text& out, std::string_view tag, std::string_view wert) {
    out.anfuegen("<");
    out.anfuegen(tag);
    out.anfuegen(">");
    cp1252_anfuegen(out, wert);
    out.anfuegen("</");
    out.anfuegen(tag);
    out.anfuegen(">\r\n");
}

// The participant block of a list line, read by the list's rule: the EFN as
// it stands (a line from a loaded file may hold other characters), the
// points as their digits. No part of the block is longer than the line's
// own bytes (Windows-1252 takes at most as many bytes as UTF-8).
void teilnehmerblock(Text& out, std::string_view eintrag) {
    static constexpr char k_anfang[] = "<Teilnehmer>\r\n <EFN>";
    static constexpr char k_nach_efn[] = "</EFN>\r\n <Punkte_Basis>";
    static constexpr char k_nach_basis[] = "</Punkte_Basis>\r\n"
                                           " <Punkte_Interaktivitaet>0</Punkte_Interaktivitaet>\r\n"
                                           " <Punkte_Lernkontrolle>0</Punkte_Lernkontrolle>\r\n"
                                           " <Punkte_Referent>";
    static constexpr char k_ende[] = "</Punkte_Referent>\r\n</Teilnehmer>\r\n";
    const Eintragsteile t = eintrag_teilen(eintrag);
    char* z = out.platz(sizeof k_anfang + sizeof k_nach_efn + sizeof k_nach_basis + sizeof k_ende + eintrag.size());
    z = kopieren(z, k_anfang);
    if (ascii(t.efn)) {
        t.efn.copy(z, t.efn.size());
        z += t.efn.size();
    } else {
        const std::string efn = text::utf8_zu_cp1252(t.efn);
        efn.copy(z, efn.size());
        z += efn.size();
    }
    z = kopieren(z, k_nach_efn);
    z = ziffern(z, t.basis);
    z = kopieren(z, k_nach_basis);
    z = ziffern(z, t.referent);
    z = kopieren(z, k_ende);
    out.bis(z);
}

std::string_view dateiinhalt(std::string& puffer, const Zustand& z, const ui::Fenster& form, int layout) {
    const int anzahl = form.zeilenzahl(Ctl::Teilnehmerliste);
    Text out(puffer);
    zeile(out, "<?xml version=\"1.0\" encoding=\"iso-8859-15\" ?>");
    zeile(out, "<Veranstaltung>");
    zeile(out, "<Dateiversion>A1.0</Dateiversion>");
    element(out, "Erstellt_durch", "Karmo V" + std::string(Programmversion));
    element(out, "VNR", z.Aktuelle_VNR);
    if (layout == 1) {
        zeile(out, "<Datum_von></Datum_von>");
        zeile(out, "<Datum_bis></Datum_bis>");
        zeile(out, "<Bemerkung></Bemerkung>");
        zeile(out, "<Dauer></Dauer>");
        zeile(out, "<Uhrzeit_von></Uhrzeit_von>");
        zeile(out, "<Uhrzeit_bis></Uhrzeit_bis>");
    } else {
        element(out, "Datum_von", form.text(Ctl::Datum_von));
        element(out, "Datum_bis", form.text(Ctl::DATUM_BIS));
        // Line breaks of the content become line breaks of the file.
        element(out, "Bemerkung", form.text(Ctl::Inhalt));
        element(out, "Dauer", form.text(Ctl::Dauer));
        element(out, "Uhrzeit_von", form.text(Ctl::Uhrzeit_s));
        element(out, "Uhrzeit_bis", form.text(Ctl::Uhrzeit_e));
    }
    element(out, "Punkte", form.text(Ctl::Punkte));
    zeile(out, "<eMail></eMail >");
    element(out, "Teilnehmeranzahl", std::to_string(anzahl));
    element(out, "Meldungsart", std::to_string(z.Aktuelle_Meldungsart));
    form.zeilen_lesen(Ctl::Teilnehmerliste, [&out](std::string_view eintrag) { teilnehmerblock(out, eintrag); });
    zeile(out, "</Veranstaltung>");
    return out.text();
}

std::string nur(std::string_view t, bool punkt_erlaubt) {
    std::string out;
    for (char c : t) {
        if ((c >= '0' && c <= '9') || (punkt_erlaubt && c == '.')) out.push_back(c);
    }
    return out;
}

} // namespace

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

    // The text is built in a buffer kept from save to save (Text).
    static std::string puffer;
    const std::string_view inhalt = dateiinhalt(puffer, z, form, modus->layout);
    // The old file stays untouched until the new one is complete.
    Datei_ersetzen(pl, Pfad, inhalt, k_quelle);
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

} // namespace karmo
