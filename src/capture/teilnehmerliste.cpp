// Capturing scanned participant numbers, correcting their points and removing lines.
#include "capture/teilnehmerliste.hpp"

#include "capture/ereignisbindung.hpp"
#include "checks/eingabegrenzen.hpp"
#include "checks/nummern.hpp"
#include "common/text.hpp"
#include "eventfile/teilnehmer_eintrag.hpp"
#include "eventfile/teilnehmerzahl.hpp"
#include "sicherung/sicherung.hpp"

namespace karmo {

using ui::Ctl;

namespace {

constexpr std::array<Ereignisbindung<Teilnehmerliste>, 4> k_klicks{{
    {Ctl::Teilnehmerliste, &Teilnehmerliste::Teilnehmerliste_Click},
    {Ctl::PKT_Korrektur, &Teilnehmerliste::PKT_Korrektur_Click},
    {Ctl::Ref_PKT, &Teilnehmerliste::Ref_PKT_Click},
    {Ctl::Loeschen, &Teilnehmerliste::Loeschen_Click},
}};

constexpr std::array<Ereignisbindung<Teilnehmerliste>, 2> k_fokusverluste{{
    {Ctl::EFN, &Teilnehmerliste::EFN_LostFocus},
    {Ctl::Punkte, &Teilnehmerliste::Punkte_LostFocus},
}};

} // namespace

// --- events ----------------------------------------------------------------------

bool Teilnehmerliste::click(Ctl c) { return ausloesen<Teilnehmerliste>(k_klicks, *this, c); }

bool Teilnehmerliste::lostfocus(Ctl c) { return ausloesen<Teilnehmerliste>(k_fokusverluste, *this, c); }

bool Teilnehmerliste::keypress(Ctl c, int& taste) {
    if (c != Ctl::EFN) return false;
    EFN_KeyPress(taste);
    return true;
}

void Teilnehmerliste::melden(std::string_view text) { p_.plattform().meldung(text); }

// --- handlers -----------------------------------------------------------------------

// The scanner ends each number with Enter: capture at once. The key itself
// goes on to the box unchanged.
void Teilnehmerliste::EFN_KeyPress(int& KeyAscii) {
    if (KeyAscii == 13) EFN_LostFocus();
}

void Teilnehmerliste::EFN_LostFocus() { erfassen(); }

void Teilnehmerliste::scannen(std::string_view ziffern) {
    f_.setze_text(Ctl::EFN, ziffern);
    EFN_LostFocus();
}

void Teilnehmerliste::erfassen() {
    const std::string efn = Nur_Ziffern(f_.text(Ctl::EFN));
    f_.setze_text(Ctl::EFN, efn);
    // The registration list's place for this card is fetched while the checks run.
    anmeldung::Anmelderegister* r = Anmeldeliste_der_Veranstaltung(p_, f_);
    if (r) r->vormerken(efn);

    // Points first: a participant must not be captured without them, and this
    // fires even for an empty EFN.
    const std::string punkte = f_.text(Ctl::Punkte);
    if (punkte.empty() || punkte == "0") {
        melden("Bitte füllen Sie erst den Punktewert aus!");
        f_.setze_text(Ctl::EFN, "");
        f_.fokus(Ctl::Punkte);
        return;
    }
    if (efn.empty()) return;
    if (!Nummer_pruefen(p_.plattform(), efn, "EFN")) {
        // The rejected number stays for correction, selected: the next scan
        // replaces it.
        f_.fokus(Ctl::EFN);
        f_.text_markieren(Ctl::EFN);
        return;
    }
    if (r) r->name_vormerken(efn);
    if (test_vorhanden(efn)) {
        melden("Diese Nummer ist in der Liste schon vorhanden!");
        f_.setze_text(Ctl::EFN, "");
        f_.fokus(Ctl::EFN);
        return;
    }
    static_assert(k_listenhoechstzahl == 32767, "the message names the limit");
    // After the duplicate check: a participant already in the list is told
    // so, full or not; only a new line finds no room.
    if (f_.zeilenzahl(Ctl::Teilnehmerliste) >= k_listenhoechstzahl) {
        melden("Die Teilnehmerliste ist voll: Sie kann höchstens 32767 Teilnehmer aufnehmen.");
        f_.setze_text(Ctl::EFN, "");
        f_.fokus(Ctl::EFN);
        return;
    }
    const std::string zeile = Teilnehmer_Eintrag(efn, punkte, "0");
    f_.zeile_anfuegen(Ctl::Teilnehmerliste, zeile);
    verzeichnis_.hinzu(zeile);
    verzeichnis_.merken(f_);
    if (Sicherung* s = p_.sicherung()) s->zeile_angefuegt(f_, zeile);
    const anmeldung::Anmeldung* angemeldet = nullptr;
    std::string_view name;
    if (r) {
        angemeldet = r->erfasst_dazu(efn, &name);
        p_.anmeldungen().gezaehlt_bei(f_);
    }
    Teilnehmerzahl_zeigen(f_, r);
    // Who came in, by name when the registration list knows the card.
    if (r) {
        anmeldung::Zuletzt_Text_setzen(zuletzt_, angemeldet, name, efn);
    } else {
        zuletzt_.clear();
    }
    f_.setze_text(Ctl::Zuletzt, zuletzt_);
    f_.setze_text(Ctl::EFN, "");
    f_.fokus(Ctl::EFN); // ready for the next scan
}

// A line chosen: its participant's name, when the registration list knows it.
void Teilnehmerliste::Teilnehmerliste_Click() {
    const int i = f_.listenindex(Ctl::Teilnehmerliste);
    if (i < 0) return;
    const std::string zeile = f_.zeile(Ctl::Teilnehmerliste, i);
    f_.setze_text(Ctl::Zuletzt,
                  anmeldung::Ausgewaehlt_Text(Anmeldeliste_der_Veranstaltung(p_, f_), eintrag_efn(zeile)));
}

void Teilnehmerliste::Punkte_LostFocus() {
    // A decimal sign is refused, not filtered away; the text stays for correction.
    if (!Ganze_Punkte(p_.plattform(), f_.text(Ctl::Punkte))) {
        f_.fokus(Ctl::Punkte);
        return;
    }
    f_.setze_text(Ctl::Punkte, Nur_Ziffern(f_.text(Ctl::Punkte)));
}

void Teilnehmerliste::PKT_Korrektur_Click() {
    korrigieren(Haelfte::Basis, Ctl::PKT_neu, "Bitte erst eine EFN durch anklicken auswählen!",
                "Bitte erst die neue Punktzahl eingeben!");
}

void Teilnehmerliste::Ref_PKT_Click() {
    korrigieren(Haelfte::Referent, Ctl::referent,
                "Bitte erst eine EFN aus der Teilnehmerliste durch anklicken auswählen!",
                "Bitte erst die Referentenpunktzahl in das Feld eingeben!");
}

void Teilnehmerliste::Loeschen_Click() {
    const int i = f_.listenindex(Ctl::Teilnehmerliste);
    if (i < 0) return;
    verzeichnis_.abgleichen(f_);
    anmeldung::Anmelderegister* r = Anmeldeliste_der_Veranstaltung(p_, f_);
    const std::string zeile = f_.zeile(Ctl::Teilnehmerliste, i);
    f_.zeile_entfernen(Ctl::Teilnehmerliste, i);
    verzeichnis_.weg(zeile);
    verzeichnis_.merken(f_);
    if (Sicherung* s = p_.sicherung()) s->zeile_entfernt(f_, i);
    if (r) {
        r->erfasst_weg(eintrag_efn(zeile));
        p_.anmeldungen().gezaehlt_bei(f_);
    }
    Teilnehmerzahl_zeigen(f_, r);
}

bool Teilnehmerliste::test_vorhanden(const std::string& EFN) {
    verzeichnis_.abgleichen(f_);
    return verzeichnis_.enthaelt(EFN);
}

// The line is rebuilt from what it holds: its first 15 characters, the new
// value for one half of the points and the digits of the other half. A line
// too short to hold points (only from a loaded file) keeps what it has and
// gets the missing half empty; no other line is touched.
void Teilnehmerliste::korrigieren(Haelfte h, Ctl feld, std::string_view ohne_auswahl, std::string_view ohne_wert) {
    const int i = f_.listenindex(Ctl::Teilnehmerliste);
    const std::string wert = f_.text(feld);
    if (f_.ausgewaehlt_anzahl(Ctl::Teilnehmerliste) == 0 || i < 0) {
        melden(ohne_auswahl);
    } else if (wert.empty()) {
        melden(ohne_wert);
    } else if (!Ganze_Punkte(p_.plattform(), wert)) {
        f_.fokus(feld); // the line stays as it was; the value stays for correction
        return;
    } else {
        verzeichnis_.abgleichen(f_);
        const bool gezaehlt = Anmeldeliste_der_Veranstaltung(p_, f_) != nullptr;
        const std::string alt = f_.zeile(Ctl::Teilnehmerliste, i);
        const std::string efn(eintrag_efn(alt));
        const std::string neu = h == Haelfte::Basis
                                    ? Teilnehmer_Eintrag(efn, wert, eintrag_referentenpunkte(alt))
                                    : Teilnehmer_Eintrag(efn, eintrag_basispunkte(alt), wert);
        f_.zeile_ersetzen(Ctl::Teilnehmerliste, i, neu);
        verzeichnis_.ersetzt(alt, neu);
        verzeichnis_.merken(f_);
        if (gezaehlt) p_.anmeldungen().gezaehlt_bei(f_); // the same EFN, other points
        if (Sicherung* s = p_.sicherung()) s->zeile_ersetzt(f_, i, neu);
    }
    f_.fokus(Ctl::EFN);
}

} // namespace karmo
