// Saving, transferring and leaving an event from a capture form, and its event-number field.
#include "capture/erfassungsmaske.hpp"

#include "checks/nummern.hpp"
#include "checks/portal.hpp"
#include "common/fehler.hpp"
#include "common/text.hpp"
#include "eventfile/dateizugriff.hpp"
#include "sicherung/sicherung.hpp"

namespace karmo {

using ui::Ctl;

void Erfassungsmaske::VNR_LostFocus() {
    const std::string vnr = Nur_Ziffern(f_.text(Ctl::VNR));
    f_.setze_text(Ctl::VNR, vnr);
    // The bare prefix "276" is what a new form shows: not a number to check.
    if (text::zeichenzahl(vnr) == 3) return;
    if (!Nummer_pruefen(p_.plattform(), vnr, "VNR")) f_.fokus(Ctl::VNR);
}

void Erfassungsmaske::Einsehen_Click() { Veranstaltung_einsehen(p_.plattform(), zustand().Aktuelle_VNR); }

// Moving on hides this form, as every step to another window does; Ausdruck
// knows the form by the event's report type and shows it again.
void Erfassungsmaske::Drucken_Click() {
    an_der_stelle(ui::FormId::Ausdruck).fokus(Ctl::Weiter);
}

void Erfassungsmaske::Anmeldeliste_Click() { an_der_stelle(ui::FormId::Anmeldeliste); }

ui::Fenster& Erfassungsmaske::an_der_stelle(ui::FormId id) {
    ui::Fenster& fenster = p_.form(id);
    f_.verbergen();
    fenster.zeigen();
    if (ui::Formularlogik* l = p_.formulare().logik(id)) l->form_activate();
    return fenster;
}

void Erfassungsmaske::form_unload() { p_.Programm_beenden(); }

void Erfassungsmaske::aenderung(Ctl c) {
    if (Sicherung* s = p_.sicherung()) s->feld_geaendert(f_, c);
}

void Erfassungsmaske::sitzungsende() {
    if (Sicherung* s = p_.sicherung()) s->sichern(f_);
}

void Erfassungsmaske::scan(Ctl von, std::string_view ziffern) {
    liste_.scannen(ziffern);
    if (von == Ctl::EFN) return;
    lostfocus(von);
}

bool Erfassungsmaske::speichern(const std::string& pfad, const std::string& modus) {
    return speichern_mit_ausgang(pfad, modus) == Speicherausgang::Geschrieben;
}

Erfassungsmaske::Speicherausgang Erfassungsmaske::speichern_mit_ausgang(const std::string& pfad,
                                                                       const std::string& modus) {
    try {
        if (Veranstaltung_speichern(p_, pfad, modus) != Speicherergebnis::Geschrieben) {
            return Speicherausgang::Abgelehnt;
        }
        if (Sicherung* s = p_.sicherung()) s->gespeichert(f_);
        return Speicherausgang::Geschrieben;
    } catch (const std::exception& e) {
        const Fehler f = als_fehler(e);
        p_.plattform().meldung("Fehler:" + std::to_string(f.nummer()) + " : " + f.text());
        return Speicherausgang::Fehlgeschlagen;
    }
}

void Erfassungsmaske::uebertragen(const std::string& pfad, const std::string& modus) {
    if (f_.zeilenzahl(Ctl::Teilnehmerliste) == 0) {
        p_.plattform().meldung("Keine Teilnehmer gefunden!");
        return;
    }
    zustand().Aktuelle_Datei = pfad;
    if (!speichern(zustand().Aktuelle_Datei, modus)) return;
    // The confirmation says the portal is being opened: it follows the
    // shell's answer, and a browser that cannot be opened gets its own
    // message with the address instead.
    if (Portal_Upload_aufrufen(p_.plattform(), zustand().Aktuelle_VNR, zustand().Aktuelle_Datei)) {
        Uebertragung_bestaetigen(p_.plattform(), zustand().Aktuelle_Datei);
    }
    // The saved file at hand, to drag into the portal's upload form. Without a
    // file manager the messages have named the path already: nothing to report.
    (void)p_.plattform().im_ordner_zeigen(zustand().Aktuelle_Datei);
}

void Erfassungsmaske::zum_hauptmenue(const std::string& pfad, const std::string& modus) {
    if (!speichern(pfad, modus)) return;
    f_.verbergen();
    p_.form(ui::FormId::Auswahl).zeigen();
}

void Erfassungsmaske::beenden(const std::string& pfad, const std::string& modus) {
    if (!vor_dem_ende_sichern(pfad, modus)) return;
    p_.Programm_beenden(); // unloads this form too: nothing may follow
}

bool Erfassungsmaske::schliessen_erlaubt(const std::string& pfad, const std::string& modus) {
    return vor_dem_ende_sichern(pfad, modus);
}

bool Erfassungsmaske::vor_dem_ende_sichern(const std::string& pfad, const std::string& modus) {
    if (!mehr_als_praefix()) {
        ohne_speichern_verlassen();
        return true;
    }
    switch (speichern_mit_ausgang(pfad, modus)) {
    case Speicherausgang::Geschrieben:
        return true;
    case Speicherausgang::Abgelehnt: // the user can fill in what is missing
        return false;
    case Speicherausgang::Fehlgeschlagen:
        break;
    }
    return trotzdem_beenden();
}

// A save that cannot succeed (a read-only folder, a full disk) must not keep
// the user in the program. Ending anyway keeps the journal where the next
// start finds it; the question promises that only when the journal holds
// every change, and otherwise says plainly what is lost, Nein first.
bool Erfassungsmaske::trotzdem_beenden() {
    Sicherung* s = p_.sicherung();
    const bool ja = s != nullptr && s->sichern(f_) ? p_.plattform().frage(k_frage_trotzdem_beenden)
                                                   : p_.plattform().frage(k_frage_beenden_ohne_sicherung, Vorgabe::Nein);
    // A card scanned while the question was open is captured, and so
    // journaled, before the form ends; after Nein it comes next anyway.
    if (ja) p_.karten_zustellen();
    return ja;
}

// Leaving the form unsaved, as the user chose: the journal is put aside, kept.
// (After a successful save there is no journal left to put aside.)
void Erfassungsmaske::ohne_speichern_verlassen() {
    if (Sicherung* s = p_.sicherung()) s->verworfen();
}

// Counted in digits: the close box reaches here without the box having been
// filtered, and only digits enter the file name.
bool Erfassungsmaske::mehr_als_praefix() const { return Nur_Ziffern(f_.text(Ctl::VNR)).size() > 3; }

} // namespace karmo
