// The window Ausdruck and the open event read for printing.
#include "dialogs/ausdruck.hpp"

#include <array>
#include <string>

#include "anmeldung/excel_tabelle.hpp"
#include "capture/ereignisbindung.hpp"
#include "checks/nummern.hpp"
#include "druck/ausgabe.hpp"
#include "eventfile/teilnehmer_eintrag.hpp"
#include "eventfile/teilnehmerzahl.hpp"
#include "platform/ablegen.hpp"

namespace karmo {

using ui::Art;
using ui::Ctl;

namespace {

constexpr std::array<ui::Steuerelement, 10> k_elemente{{
    {Art::Kontrollkaestchen, Ctl::Anwesenheitsliste, -1, "Anwesenheitsliste zum Unterschreiben", Ctl::Keiner, 300,
     240, 6000, 330, 0, 0, ui::k_option | ui::k_markiert},
    {Art::Kontrollkaestchen, Ctl::Bescheinigungen, -1, "Teilnahmebescheinigungen (eine Seite je Teilnehmer)",
     Ctl::Keiner, 300, 630, 6000, 330, 0, 1, ui::k_option},
    {Art::Kontrollkaestchen, Ctl::Tuerliste, -1, "Anmeldeliste zum Abhaken (alphabetisch)", Ctl::Keiner, 300, 1020,
     6000, 330, 0, 2, ui::k_option},
    {Art::Kontrollkaestchen, Ctl::Tabelle, -1, "Tabelle für Excel speichern (CSV)", Ctl::Keiner, 300, 1410, 6000, 330,
     0, 3, ui::k_option},
    {Art::Label, Ctl::Veranstalter_lbl, -1, "Veranstalter:", Ctl::Keiner, 300, 1950, 1290, 300, 0, -1,
     ui::k_stil_keiner},
    {Art::Textfeld, Ctl::Veranstalter, -1, "", Ctl::Keiner, 1620, 1905, 4680, 345, 120, 4, ui::k_stil_keiner},
    {Art::Label, Ctl::Ort_lbl, -1, "Ort:", Ctl::Keiner, 300, 2400, 1290, 300, 0, -1, ui::k_stil_keiner},
    {Art::Textfeld, Ctl::Ort, -1, "", Ctl::Keiner, 1620, 2355, 4680, 345, 120, 5, ui::k_stil_keiner},
    {Art::Schaltflaeche, Ctl::Weiter, -1, "Weiter", Ctl::Keiner, 3450, 2940, 1350, 405, 0, 6, ui::k_vorgabe},
    {Art::Schaltflaeche, Ctl::CancelButton, -1, "Abbrechen", Ctl::Keiner, 4950, 2940, 1350, 405, 0, 7, ui::k_abbruch},
}};

} // namespace

const ui::Formular k_Ausdruck{ui::FormId::Ausdruck, "Ausdruck", "Ausdruck", 6600, 3600, ui::k_stil_keiner,
                              k_elemente};

druck::Druckdaten Druckdaten_lesen(const Zustand& z, const ui::Fenster& form, const anmeldung::Anmelderegister* r) {
    druck::Druckdaten d;
    // The type-1 form's number box can be edited: a whole number there is the one to print.
    d.vnr = Veranstaltungsnummer(z, form);
    if (const int k = Kammer_suchen(z, d.vnr); k > 0) d.kammer = z.Kammerkatalog[static_cast<std::size_t>(k)].Kammername;
    d.punkte = form.text(Ctl::Punkte);
    d.meldungsart = form.id() == ui::FormId::MA2_Maske ? 2 : 1;
    if (d.meldungsart == 2) {
        d.datum_von = form.text(Ctl::Datum_von);
        d.datum_bis = form.text(Ctl::DATUM_BIS);
        d.uhrzeit_s = form.text(Ctl::Uhrzeit_s);
        d.uhrzeit_e = form.text(Ctl::Uhrzeit_e);
        d.dauer = form.text(Ctl::Dauer);
        d.inhalt = form.text(Ctl::Inhalt);
    }
    const int n = form.zeilenzahl(Ctl::Teilnehmerliste);
    d.teilnehmer.reserve(static_cast<std::size_t>(n));
    form.zeilen_lesen(Ctl::Teilnehmerliste, [&](std::string_view zeile) {
        // The line read as the file's writer reads it: by position and by its first "/".
        const Eintragsteile t = eintrag_teilen(zeile);
        d.teilnehmer.push_back({std::string(t.efn), Nur_Ziffern(t.basis), Nur_Ziffern(t.referent)});
        if (r) {
            if (const anmeldung::Anmeldung* a = r->finden(t.efn)) d.teilnehmer.back().name = a->anzeigename;
        }
    });
    return d;
}

void Tuerliste_fuellen(druck::Druckdaten& d, const anmeldung::Anmelderegister& r) {
    d.anmeldungen.clear();
    d.anmeldungen.reserve(r.groesse());
    for (std::size_t i = 0; i < r.groesse(); ++i) {
        const anmeldung::Anmeldung& a = r.eintrag(i);
        const bool gueltig = a.stand == anmeldung::EFN_Stand::Gueltig;
        d.anmeldungen.push_back({a.anzeigename, gueltig ? a.efn : a.efn_zelle, gueltig, r.erfasst(i)});
    }
    d.angemeldet = static_cast<int>(r.gueltige());
    d.erfasst = static_cast<int>(r.angemeldet_erfasst());
}

std::string Tabellenname(const druck::Druckdaten& d) {
    return d.meldungsart == 2 ? d.vnr + "_" + d.datum_von + ".csv" : d.vnr + ".csv";
}

namespace {

constexpr std::array<Ereignisbindung<Ausdruck>, 2> k_klicks{{
    {Ctl::Weiter, &Ausdruck::Weiter_Click},
    {Ctl::CancelButton, &Ausdruck::CancelButton_Click},
}};

} // namespace

void Ausdruck::click(Ctl c) { ausloesen<Ausdruck>(k_klicks, *this, c); }

// Enter in Veranstalter or Ort is the default button's, as anywhere else here.
void Ausdruck::keypress(Ctl c, int& taste) {
    if ((c != Ctl::Veranstalter && c != Ctl::Ort) || taste != 13) return;
    taste = 0;
    Weiter_Click();
}

// Each time it opens: the door list only with a registration list, and the
// organiser and place as typed last time.
void Ausdruck::form_activate() {
    const bool liste = Anmeldeliste_der_Veranstaltung(p_, p_.form(*vertritt_erfassung())) != nullptr;
    f_.setze_aktiviert(Ctl::Tuerliste, liste);
    if (!liste && f_.markiert(Ctl::Tuerliste)) f_.setze_markiert(Ctl::Anwesenheitsliste, true);
    gemerkt_ = Ausdruck_Angaben_laden(p_.plattform(), Ausdruck_ini_pfad(p_.zustand().Basisverzeichnis));
    f_.setze_text(Ctl::Veranstalter, gemerkt_.veranstalter);
    f_.setze_text(Ctl::Ort, gemerkt_.ort);
}

// What was typed is kept for the next time. A settings file that cannot be
// written is no reason to stop a printout: the boxes are simply empty then.
Ausdruck_Angaben Ausdruck::angaben_merken() {
    const Ausdruck_Angaben a{f_.text(Ctl::Veranstalter), f_.text(Ctl::Ort)};
    if (a != gemerkt_) {
        (void)Datei_ablegen(p_.plattform(), Ausdruck_ini_pfad(p_.zustand().Basisverzeichnis), Ausdruck_ini_text(a));
        gemerkt_ = a;
    }
    return a;
}

std::optional<ui::FormId> Ausdruck::vertritt_erfassung() const { return Erfassungsform(p_.zustand()); }

bool Ausdruck::query_unload() {
    CancelButton_Click();
    return false;
}

ui::Fenster& Ausdruck::zurueck() {
    f_.verbergen();
    ui::Fenster& form = p_.form(*vertritt_erfassung());
    form.zeigen();
    form.fokus(Ctl::EFN);
    return form;
}

// The form is back before the print dialog, which it then owns; the next
// scan goes to EFN as soon as the dialog is closed.
void Ausdruck::Weiter_Click() {
    const bool tabelle = f_.markiert(Ctl::Tabelle);
    const druck::Druckart art = f_.markiert(Ctl::Bescheinigungen) ? druck::Druckart::Bescheinigungen
                                : f_.markiert(Ctl::Tuerliste)     ? druck::Druckart::Anmeldeliste
                                                                  : druck::Druckart::Anwesenheitsliste;
    const Ausdruck_Angaben angaben = angaben_merken();
    ui::Fenster& form = zurueck();
    const anmeldung::Anmelderegister* r = Anmeldeliste_der_Veranstaltung(p_, form);
    druck::Druckdaten d = Druckdaten_lesen(p_.zustand(), form, r);
    d.veranstalter = angaben.veranstalter;
    d.ort = angaben.ort;
    if (tabelle) {
        tabelle_speichern(d, r);
    } else if (art != druck::Druckart::Anmeldeliste || r) {
        if (r) Tuerliste_fuellen(d, *r);
        druck::Drucken(p_.plattform(), d, art);
    }
    form.fokus(Ctl::EFN);
}

// The list as a table for the organiser's spreadsheet, where Save As says.
void Ausdruck::tabelle_speichern(const druck::Druckdaten& d, const anmeldung::Anmelderegister* r) {
    Plattform& pl = p_.plattform();
    const std::optional<std::string> ziel =
        pl.speicherort_waehlen({"Teilnehmerliste als Tabelle speichern", "CSV-Dateien (*.csv)", "*.csv", Tabellenname(d)});
    if (!ziel) return;
    std::vector<anmeldung::Teilnehmerzeile> zeilen;
    zeilen.reserve(d.teilnehmer.size());
    for (const druck::Druckteilnehmer& t : d.teilnehmer) zeilen.push_back({t.efn, t.basis, t.referent});
    const Ergebnis e = Datei_ablegen(pl, *ziel, anmeldung::Excel_Tabelle(zeilen, r));
    if (!e.ok()) {
        pl.meldung("Die Tabelle konnte nicht gespeichert werden:\r\n" + *ziel + "\r\n" + e.text);
        return;
    }
    pl.meldung("Die Tabelle wurde gespeichert:\r\n" + *ziel);
}

void Ausdruck::CancelButton_Click() { zurueck(); }

} // namespace karmo
