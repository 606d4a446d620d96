// Fuzz target: the writer and the readers as a pair. A user fills a capture form, saves it in every mode, opens it again.
//
// The input is read as a sequence of user actions on a new event's form:
// typing (characters one by one, through the forms' own filters and length
// limits), scanning participant cards, selecting, correcting and removing
// list lines, pasting into the content. Then the event is saved through
// the form's buttons in each mode that applies, and every file is opened
// again. What must hold:
// - a save refused by the form leaves no file and says why, with the focus
//   in the field to mend; otherwise
// - the file's bytes are those the format's rules give for the form's
//   contents, the same in every mode;
// - the program's own loader takes the file back: every text box and list
//   line as it was (points in a line as their digits: the writer keeps only
//   those), the report type and the event number; the file list shows the
//   number, date and time that were saved; saving the loaded event again
//   gives the same bytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "capture/erfassung_umgebung.hpp"
#include "checks/nummern.hpp"
#include "common/text.hpp"
#include "eventfile/dateizugriff.hpp"
#include "umgebung.hpp"

namespace {

using karmo::ui::Ctl;
using karmo::ui::FakeFenster;
using karmo::ui::FormId;

// Pieces of text a user types or pastes: digits and the filters' other
// characters, umlauts, characters only Windows-1252 has, characters it
// lacks, the XML characters, the file's own tags and line breaks.
constexpr std::array<std::string_view, 56> k_stuecke{
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", ".", ":", "/", ",", " ", "-",
    "a", "Z", "ä", "ö", "ü", "Ä", "Ö", "Ü", "ß", "é",
    "€", "„", "“", "‚", "‘", "’", "…", "–", "—", "™", "œ", "Š", "Ÿ", "ž",
    "Ł", "→", "\xF0\x9F\x98\x80", // three characters Windows-1252 lacks (the last beyond 16 bits)
    "&", "<", ">", "\"",
    "<VNR>", "</Bemerkung>", "<Teilnehmer>", "</Veranstaltung>", "<Meldungsart>", "<Punkte>", "<Uhrzeit_von>",
    "\r", // Enter: a line break in a multi-line box, nothing elsewhere
    "\n", // only pasted text can hold a lone line feed or carriage return
};

std::string text_ziehen(FuzzedDataProvider& d, bool eingefuegt) {
    std::string t;
    const std::size_t n = d.ConsumeIntegralInRange<std::size_t>(0, 12);
    for (std::size_t i = 0; i < n && d.remaining_bytes() > 0; ++i) {
        const std::string_view s = k_stuecke[d.ConsumeIntegralInRange<std::size_t>(0, k_stuecke.size() - 1)];
        // Typed, "\n" is no key of its own; pasted, "\r" stays a lone CR.
        if (!eingefuegt && s == "\n") continue;
        t += s;
    }
    return t;
}

// A number of `laenge` digits with a correct check digit.
std::string nummer_ziehen(FuzzedDataProvider& d, std::string_view anfang, std::size_t laenge) {
    std::string n(anfang);
    while (n.size() + 1 < laenge) n.push_back(static_cast<char>('0' + d.ConsumeIntegralInRange<int>(0, 9)));
    return n + karmo::Pruefziffer_berechnen(n);
}

// What the form holds when it is saved.
struct Stand {
    std::string vnr; // Aktuelle_VNR: what a save writes
    std::array<std::string, 8> felder;
    std::vector<std::string> zeilen;
    bool operator==(const Stand&) const = default;
};

// For a finding: both sides of a comparison that failed, one field a line.
void ausgeben(const char* titel, const Stand& s) {
    std::fprintf(stderr, "%s:\n  Aktuelle_VNR [%s]\n", titel, s.vnr.c_str());
    for (const std::string& f : s.felder) std::fprintf(stderr, "  Feld [%s]\n", f.c_str());
    for (const std::string& z : s.zeilen) std::fprintf(stderr, "  Zeile [%s]\n", z.c_str());
}

void gleich(const Stand& ist, const Stand& soll, const char* was) {
    if (ist == soll) return;
    ausgeben("soll", soll);
    ausgeben("ist", ist);
    std::fprintf(stderr, "Eigenschaft verletzt: %s\n", was);
    std::abort();
}

constexpr std::array<Ctl, 8> k_felder{Ctl::VNR,       Ctl::Punkte,    Ctl::Datum_von, Ctl::DATUM_BIS,
                                      Ctl::Uhrzeit_s, Ctl::Uhrzeit_e, Ctl::Dauer,     Ctl::Inhalt};

Stand erfassen(karmo::Programm& p, FakeFenster& f, int typ) {
    Stand s;
    s.vnr = p.zustand().Aktuelle_VNR;
    for (std::size_t i = 0; i < (typ == 1 ? 2U : k_felder.size()); ++i) s.felder[i] = f.text(k_felder[i]);
    for (int i = 0; i < f.zeilenzahl(Ctl::Teilnehmerliste); ++i) s.zeilen.push_back(f.zeile(Ctl::Teilnehmerliste, i));
    return s;
}

// Whether the form holds `s`, compared where it lies: the check runs after
// every click, and a copy of the whole form each time cost more than the click.
bool haelt(karmo::Programm& p, const FakeFenster& f, int typ, const Stand& s) {
    if (p.zustand().Aktuelle_VNR != s.vnr) return false;
    for (std::size_t i = 0; i < (typ == 1 ? 2U : k_felder.size()); ++i) {
        if (f.text_ansehen(k_felder[i]) != s.felder[i]) return false;
    }
    if (f.zeilenzahl(Ctl::Teilnehmerliste) != static_cast<int>(s.zeilen.size())) return false;
    for (std::size_t i = 0; i < s.zeilen.size(); ++i) {
        if (f.zeile_ansehen(Ctl::Teilnehmerliste, static_cast<int>(i)) != s.zeilen[i]) return false;
    }
    return true;
}

// Stops the run unless the form holds `soll`; then both sides are printed.
void haelt_pruefen(karmo::Programm& p, FakeFenster& f, int typ, const Stand& soll, const char* was) {
    if (!haelt(p, f, typ, soll)) gleich(erfassen(p, f, typ), soll, was);
}

std::string ziffern(std::string_view t) {
    std::string out;
    for (char c : t) {
        if (c >= '0' && c <= '9') out.push_back(c);
    }
    return out;
}

// A list line split by the writer's rule: the first 15 characters are the
// number, the points are the digits of the rest before and after its first
// "/". Lines made in the form start with a 15-digit number.
struct Zeilenteile {
    std::string efn, basis, referent;
};
Zeilenteile teilen(const std::string& zeile) {
    KARMO_PRUEFEN(zeile.size() >= 16 && ziffern(zeile.substr(0, 15)).size() == 15);
    const std::string rest = zeile.substr(16);
    const std::size_t strich = rest.find('/');
    if (strich == std::string::npos) return {zeile.substr(0, 15), "", ziffern(rest)};
    return {zeile.substr(0, 15), ziffern(rest.substr(0, strich + 1)), ziffern(rest.substr(strich + 1))};
}

// The file the format's rules give for a form's contents (UTF-8 here; the
// file holds it in Windows-1252).
std::string erwartete_datei(const Stand& s, int typ) {
    std::string t;
    t.reserve(512 + s.zeilen.size() * 240);
    const auto element = [&t](std::string_view tag, std::string_view wert) {
        t.append("<").append(tag).append(">").append(wert).append("</").append(tag).append(">\r\n");
    };
    t.append("<?xml version=\"1.0\" encoding=\"iso-8859-15\" ?>\r\n"
             "<Veranstaltung>\r\n"
             "<Dateiversion>A1.0</Dateiversion>\r\n"
             "<Erstellt_durch>Karmo V1.051</Erstellt_durch>\r\n");
    element("VNR", s.vnr);
    const bool leer = typ == 1;
    element("Datum_von", leer ? "" : s.felder[2]);
    element("Datum_bis", leer ? "" : s.felder[3]);
    element("Bemerkung", leer ? "" : s.felder[7]);
    element("Dauer", leer ? "" : s.felder[6]);
    element("Uhrzeit_von", leer ? "" : s.felder[4]);
    element("Uhrzeit_bis", leer ? "" : s.felder[5]);
    element("Punkte", s.felder[1]);
    t.append("<eMail></eMail >\r\n");
    element("Teilnehmeranzahl", std::to_string(s.zeilen.size()));
    element("Meldungsart", std::to_string(typ));
    for (const std::string& z : s.zeilen) {
        const Zeilenteile teile = teilen(z);
        t.append("<Teilnehmer>\r\n <EFN>").append(teile.efn).append("</EFN>\r\n <Punkte_Basis>");
        t.append(teile.basis).append("</Punkte_Basis>\r\n");
        t.append(" <Punkte_Interaktivitaet>0</Punkte_Interaktivitaet>\r\n"
                 " <Punkte_Lernkontrolle>0</Punkte_Lernkontrolle>\r\n <Punkte_Referent>");
        t.append(teile.referent).append("</Punkte_Referent>\r\n</Teilnehmer>\r\n");
    }
    t.append("</Veranstaltung>\r\n");
    return t;
}

// The form's contents as the loader gives them back from such a file.
Stand erwartet_geladen(Stand s, int typ) {
    for (std::string& z : s.zeilen) {
        const Zeilenteile teile = teilen(z);
        z = teile.efn + " (" + teile.basis + "/" + teile.referent + ")";
    }
    s.felder[0] = s.vnr;
    if (typ == 1) {
        for (std::size_t i = 2; i < s.felder.size(); ++i) s.felder[i].clear();
    }
    return s;
}

struct Umgebung : karmo::fuzz::Programmumgebung {
    std::vector<std::string> entkommen; // errors that reached the program's top level
    std::vector<karmo::Erfassungsmaske*> masken;

    Umgebung() : Programmumgebung(&karmo::test::erfassung_deklaration) {
        formulare.setze_fabrik([this](FormId id, karmo::ui::Fenster& f) -> std::unique_ptr<karmo::ui::Formularlogik> {
            std::unique_ptr<karmo::Erfassungsmaske> m;
            if (id == FormId::MA1_Maske) m = std::make_unique<karmo::MA1_Maske>(p, f);
            if (id == FormId::MA2_Maske) m = std::make_unique<karmo::MA2_Maske>(p, f);
            if (!m) return std::make_unique<karmo::ui::Formularlogik>();
            masken.push_back(m.get());
            return m;
        });
        formulare.setze_fehlerbehandlung([this](const std::exception& e) { entkommen.emplace_back(e.what()); });
    }
};

// Clicks `knopf` as a user does: the focus goes there first (the field left
// behind runs its check), then the click. Returns the contents the click
// found, which must not change by the click itself.
void klicken(Umgebung& u, FakeFenster& f, Ctl knopf, int typ, const Stand& vorher) {
    f.klicken(knopf);
    KARMO_PRUEFEN(u.entkommen.empty());
    if (f.sichtbar()) haelt_pruefen(u.p, f, typ, vorher, "ein Klick aendert den Inhalt nicht");
}

// Which required field a type-2 save misses, with its message; none for type 1.
struct Pflicht {
    Ctl feld;
    const char* meldung;
};
constexpr std::array<Pflicht, 4> k_pflicht{{
    {Ctl::Datum_von, "Bitte geben Sie das Veranstaltungsdatum ein!"},
    {Ctl::Uhrzeit_s, "Bitte geben Sie die Startuhrzeit ein!"},
    {Ctl::Uhrzeit_e, "Bitte geben Sie das Enduhrzeit ein!"},
    {Ctl::Dauer, "Bitte geben Sie die Veranstaltungsdauer ein!(ohne Pausen in Minuten)"},
}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    // One program for the whole run (building its windows anew for every
    // input would take most of the time). Everything an input can change is
    // set again below, so that no input depends on the ones before it.
    static Umgebung u;
    // What the input made is given back at its end, however it ends: memory
    // that outlives an input makes libFuzzer look for a leak, a slow search.
    struct Aufraeumen {
        Umgebung& u;
        ~Aufraeumen() {
            u.pl.leeren();
            u.pl.meldungen.clear();
            u.pl.shell_aufrufe.clear();
            u.pl.fragen.clear();
            u.pl.gezeigte_dateien.clear();
            for (FormId id : {FormId::MA1_Maske, FormId::MA2_Maske}) u.form(id).liste_leeren(Ctl::Teilnehmerliste);
            // The list's index follows the emptied list at its next use; used
            // now, it lets its entries go within this input.
            for (karmo::Erfassungsmaske* m : u.masken) m->liste().test_vorhanden(std::string());
            u.p.zustand().Dateiliste_Pfade.clear();
        }
    } aufraeumen{u};
    FuzzedDataProvider d(daten, groesse);
    karmo::Zustand& z = u.p.zustand();

    // A new event, as the category dialog leaves it.
    const int typ = d.ConsumeBool() ? 1 : 2;
    const FormId id = typ == 1 ? FormId::MA1_Maske : FormId::MA2_Maske;
    z.Aktuelle_VNR = nummer_ziehen(d, "276", 19);
    z.Aktuelle_Meldungsart = static_cast<std::uint8_t>(typ);
    FakeFenster& f = u.form(id);
    f.setze_text(Ctl::VNR, z.Aktuelle_VNR);
    for (Ctl c : {Ctl::Punkte, Ctl::EFN, Ctl::PKT_neu, Ctl::referent}) f.setze_text(c, "");
    if (typ == 2) {
        f.setze_text(Ctl::Datum_von, "21.12.2006");
        f.setze_text(Ctl::DATUM_BIS, "21.12.2006");
        for (Ctl c : {Ctl::Uhrzeit_s, Ctl::Uhrzeit_e, Ctl::Dauer, Ctl::Inhalt}) f.setze_text(c, "");
    }
    f.liste_leeren(Ctl::Teilnehmerliste);
    f.zeigen();
    f.fokus(Ctl::Punkte);

    // The user at work.
    static constexpr std::array<Ctl, 5> k_felder_1{Ctl::VNR, Ctl::Punkte, Ctl::EFN, Ctl::PKT_neu, Ctl::referent};
    static constexpr std::array<Ctl, 10> k_felder_2{Ctl::Punkte,   Ctl::Datum_von, Ctl::DATUM_BIS, Ctl::Uhrzeit_s,
                                                    Ctl::Uhrzeit_e, Ctl::Dauer,    Ctl::Inhalt,    Ctl::EFN,
                                                    Ctl::PKT_neu,  Ctl::referent};
    const std::span<const Ctl> felder = typ == 1 ? std::span<const Ctl>(k_felder_1) : std::span<const Ctl>(k_felder_2);
    // The cards scanned so far, for a card scanned twice: at most one a step.
    // 32 steps fill every box of a form, scan and correct a dozen cards; the
    // time an input takes grows with its steps.
    std::array<std::string, 32> gescannt;
    std::size_t gescannt_zahl = 0;
    for (std::size_t schritt = 0; schritt < gescannt.size() && d.remaining_bytes() > 0; ++schritt) {
        switch (d.ConsumeIntegralInRange<int>(0, 7)) {
        case 0: // type into a field
        case 1: {
            const Ctl feld = felder[d.ConsumeIntegralInRange<std::size_t>(0, felder.size() - 1)];
            // Into the type-1 form's number box, now and then a valid number.
            f.tippen(feld, feld == Ctl::VNR && d.ConsumeBool() ? nummer_ziehen(d, "276", 19) : text_ziehen(d, false));
            break;
        }
        case 2: { // scan a card (now and then one already scanned)
            std::string efn = nummer_ziehen(d, "", 15);
            if (gescannt_zahl > 0 && d.ConsumeBool()) efn = gescannt[d.ConsumeIntegralInRange<std::size_t>(0, gescannt_zahl - 1)];
            gescannt[gescannt_zahl++] = efn;
            f.tippen(Ctl::EFN, efn + "\r");
            break;
        }
        case 3: { // select a line
            const int n = f.zeilenzahl(Ctl::Teilnehmerliste);
            if (n > 0) f.zeile_klicken(Ctl::Teilnehmerliste, d.ConsumeIntegralInRange<int>(0, n - 1));
            break;
        }
        case 4: {
            constexpr std::array<Ctl, 3> k_knoepfe{Ctl::PKT_Korrektur, Ctl::Ref_PKT, Ctl::Loeschen};
            f.klicken(k_knoepfe[d.ConsumeIntegralInRange<std::size_t>(0, 2)]);
            break;
        }
        case 5: // paste into the content: the box keeps its limit
            if (typ == 2) {
                f.benutzer_fokus(Ctl::Inhalt);
                if (f.fokus_bei() != Ctl::Inhalt) break; // a check kept the focus elsewhere
                std::string t = f.text(Ctl::Inhalt) + text_ziehen(d, true);
                t = std::string(karmo::text::links(t, 250));
                f.setze_text(Ctl::Inhalt, t);
            }
            break;
        case 6: // move on with Tab or the mouse
            f.benutzer_fokus(felder[d.ConsumeIntegralInRange<std::size_t>(0, felder.size() - 1)]);
            break;
        default: { // select a field's text and delete it
            const Ctl feld = felder[d.ConsumeIntegralInRange<std::size_t>(0, felder.size() - 1)];
            f.benutzer_fokus(feld);
            if (f.fokus_bei() == feld) f.setze_text(feld, "");
            break;
        }
        }
        KARMO_PRUEFEN(u.entkommen.empty());
    }

    // Save in every mode that applies, through the form's buttons: save,
    // transfer (not with an empty list), back to the main menu.
    const Ctl speichern = Ctl::Speichern;
    const Ctl senden = typ == 1 ? Ctl::Senden : Ctl::Senden_web;
    const Ctl hauptmenue = typ == 1 ? Ctl::Hauptmenue : Ctl::Auswahl_BTN;
    f.benutzer_fokus(speichern);
    const Stand stand = erfassen(u.p, f, typ);
    const std::string einfach = karmo::Dateiname_einfach(z, z.Aktuelle_VNR);
    const std::string datiert = karmo::Dateiname_datiert(z, z.Aktuelle_VNR, stand.felder[2]);

    // A type-1 save needs a valid number in the number box when it holds
    // more than the prefix (the event's number otherwise).
    const std::string nummer = ziffern(stand.felder[0]);
    const bool nummer_falsch = typ == 1 && nummer.size() > 3 &&
                               (nummer.size() != 19 || karmo::Pruefziffer_berechnen(nummer.substr(0, 18)) != nummer.substr(18));
    // A type-2 save needs its required fields; the first empty one is named.
    const Pflicht* fehlt = nullptr;
    if (typ == 2) {
        for (const Pflicht& pf : k_pflicht) {
            if (f.text(pf.feld).empty()) {
                fehlt = &pf;
                break;
            }
        }
    }
    const std::string erwartet = karmo::text::utf8_zu_cp1252(erwartete_datei(stand, typ));

    struct Modus {
        Ctl knopf;
        const std::string* pfad;
        std::string_view bestaetigung;
    };
    const std::string& eigene_datei = typ == 1 ? einfach : datiert;
    std::array<Modus, 3> alle_modi{{
        {speichern, &eigene_datei, "Datei erfolgreich gespeichert! Sie finden die Datei unter:\r\n"},
        {senden, &eigene_datei,
         "Die ZELVA-Webseite wird jetzt aufgerufen. \r\nDie zu übertragende Datei Sie finden Sie hier:\r\n"},
        {hauptmenue, &einfach, ""},
    }};
    std::size_t anzahl_modi = alle_modi.size();
    if (stand.zeilen.empty()) { // transferring needs a participant
        alle_modi[1] = alle_modi[2];
        anzahl_modi = 2;
    }
    const std::span<const Modus> modi = std::span(alle_modi).first(anzahl_modi);

    for (const Modus& m : modi) {
        // Each mode's own file is judged, not one an earlier mode left.
        u.pl.loeschen(*m.pfad);
        u.pl.meldungen.clear();
        klicken(u, f, m.knopf, typ, stand);
        if (!u.pl.datei_existiert(*m.pfad)) {
            // Refused, which only the first save can be (the contents stay
            // as they are): nothing written, the reason said last, the focus
            // in the field to mend.
            KARMO_PRUEFEN(m.knopf == speichern && u.pl.dateizahl() == 0 && !u.pl.meldungen.empty());
            const std::string& grund = u.pl.meldungen.back();
            if (fehlt != nullptr) {
                KARMO_PRUEFEN(grund == fehlt->meldung && f.fokus_bei() == fehlt->feld);
            } else if (nummer_falsch) {
                KARMO_PRUEFEN(f.fokus_bei() == Ctl::VNR);
            } else {
                // A value the file cannot carry back: the focus in its box,
                // whose text holds what the reason quotes after the caption.
                std::size_t i = 1;
                while (i < k_felder.size() && k_felder[i] != f.fokus_bei()) ++i;
                KARMO_PRUEFEN(i < (typ == 1 ? 2U : k_felder.size()) && grund.rfind("Das Feld \"", 0) == 0);
                const std::size_t a = grund.find('"', grund.find('"', 10) + 1);
                const std::size_t b = a == std::string::npos ? a : grund.find('"', a + 1);
                if (b != std::string::npos) {
                    KARMO_PRUEFEN(stand.felder[i].find(grund.substr(a + 1, b - a - 1)) != std::string::npos);
                } else {
                    KARMO_PRUEFEN(stand.felder[i].find('\r') != std::string::npos);
                }
            }
            return 0;
        }
        KARMO_PRUEFEN(fehlt == nullptr && !nummer_falsch);
        // Written: exactly the rules' bytes, confirmed as the mode says.
        KARMO_PRUEFEN(u.pl.datei_ansehen(*m.pfad) == erwartet);
        if (!m.bestaetigung.empty()) {
            KARMO_PRUEFEN(!u.pl.meldungen.empty());
            const std::string_view letzte = u.pl.meldungen.back();
            KARMO_PRUEFEN(letzte.substr(0, m.bestaetigung.size()) == m.bestaetigung &&
                          letzte.substr(m.bestaetigung.size()) == *m.pfad);
        }
    }
    // Nothing left beside the files; the main-menu button left the form.
    KARMO_PRUEFEN(u.pl.dateizahl() == (typ == 1 || einfach == datiert ? 1U : 2U));
    KARMO_PRUEFEN(!f.sichtbar());

    // Open the file again, from the file list as the user does.
    const Stand zurueck = erwartet_geladen(stand, typ);
    // Every mode wrote the same bytes, so one file stands for all: the one
    // the save button wrote.
    {
        const std::string& pfad = typ == 1 ? einfach : datiert;
        for (std::size_t i = 0; i < (typ == 1 ? 2U : k_felder.size()); ++i) f.setze_text(k_felder[i], "\x7f");
        z.Aktuelle_VNR.clear();
        z.Aktuelle_Meldungsart = 0;
        u.pl.meldungen.clear();
        std::string name = pfad.substr(pfad.find_last_of('\\') + 1);
        const std::string zeile = karmo::Get_VNR(u.p, name);
        std::string erwartete_zeile = stand.vnr;
        if (typ == 2 && karmo::text::zeichenzahl(stand.felder[2]) > 3) erwartete_zeile += " am " + stand.felder[2];
        if (typ == 2 && karmo::text::zeichenzahl(stand.felder[4]) > 3) erwartete_zeile += " um " + stand.felder[4];
        KARMO_PRUEFEN(zeile == erwartete_zeile);
        z.Dateiliste_Pfade = {name};
        z.Lade_Zweck = 1;
        karmo::Veranstaltung_laden(u.p, 0);
        KARMO_PRUEFEN(u.pl.meldungen.empty());
        KARMO_PRUEFEN(f.sichtbar());
        KARMO_PRUEFEN(z.Aktuelle_Meldungsart == typ);
        haelt_pruefen(u.p, f, typ, zurueck, "geladen wie gespeichert");

        // Saved again, the loaded event gives the same file.
        f.benutzer_fokus(speichern);
        haelt_pruefen(u.p, f, typ, zurueck, "geladen, dann das Feld verlassen");
        u.pl.meldungen.clear();
        klicken(u, f, speichern, typ, zurueck);
        KARMO_PRUEFEN(u.pl.datei_ansehen(typ == 1 ? einfach : datiert) == erwartet);
    }
    return 0;
}
