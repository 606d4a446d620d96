// The window "Anmeldeliste": search, capture without a card, load and remove the event's registration list.
#include "dialogs/anmeldefenster.hpp"

#include <array>
#include <string>

#include "anmeldung/ablage.hpp"
#include "capture/ereignisbindung.hpp"
#include "eventfile/teilnehmerzahl.hpp"

namespace karmo {

using ui::Art;
using ui::Ctl;

namespace {

constexpr std::array<ui::Steuerelement, 9> k_elemente{{
    {Art::Label, Ctl::Suchlabel, -1, "Name oder EFN:", Ctl::Keiner, 240, 270, 1530, 300, 0, -1, ui::k_stil_keiner},
    {Art::Textfeld, Ctl::Suche, -1, "", Ctl::Keiner, 1800, 225, 5160, 345, 100, 0, ui::k_stil_keiner},
    {Art::Liste, Ctl::Treffer, -1, "", Ctl::Keiner, 240, 690, 6720, 3840, 0, 1, ui::k_doppelklick},
    {Art::Label, Ctl::Trefferzahl, -1, "", Ctl::Keiner, 240, 4650, 3240, 300, 0, -1, ui::k_stil_keiner},
    {Art::Kontrollkaestchen, Ctl::Nur_offene, -1, "Nur noch nicht erfasste zeigen", Ctl::Keiner, 3540, 4620, 3420, 330,
     0, 2, ui::k_stil_keiner},
    {Art::Schaltflaeche, Ctl::Erfassen, -1, "Erfassen", Ctl::Keiner, 240, 5130, 1560, 405, 0, 3, ui::k_vorgabe},
    {Art::Schaltflaeche, Ctl::Laden, -1, "Laden…", Ctl::Keiner, 1920, 5130, 1560, 405, 0, 4, ui::k_stil_keiner},
    {Art::Schaltflaeche, Ctl::Entfernen, -1, "Entfernen", Ctl::Keiner, 3600, 5130, 1560, 405, 0, 5, ui::k_stil_keiner},
    {Art::Schaltflaeche, Ctl::Schliessen, -1, "Schließen", Ctl::Keiner, 5400, 5130, 1560, 405, 0, 6, ui::k_abbruch},
}};

constexpr std::array<Ereignisbindung<Anmeldefenster>, 4> k_klicks{{
    {Ctl::Erfassen, &Anmeldefenster::Erfassen_Click},
    {Ctl::Laden, &Anmeldefenster::Laden_Click},
    {Ctl::Entfernen, &Anmeldefenster::Entfernen_Click},
    {Ctl::Schliessen, &Anmeldefenster::Schliessen_Click},
}};

} // namespace

const ui::Formular k_Anmeldeliste{ui::FormId::Anmeldeliste, "Anmeldeliste", "Anmeldeliste", 7290, 6120,
                                  ui::k_stil_keiner, k_elemente};

void Anmeldefenster::click(Ctl c) {
    if (ausloesen<Anmeldefenster>(k_klicks, *this, c)) return;
    if (c == Ctl::Nur_offene) fuellen();
    if (c == Ctl::Treffer) knoepfe_setzen();
}

// Enter in the search box is the default button's: "Erfassen", or "Laden…"
// while there is no list.
void Anmeldefenster::keypress(Ctl c, int& taste) {
    if (c != Ctl::Suche || taste != 13) return;
    taste = 0;
    if (f_.aktiviert(Ctl::Erfassen)) {
        Erfassen_Click();
    } else if (!Anmeldeliste_der_Veranstaltung(p_, erfassung())) {
        Laden_Click();
    }
}

// The search filters as one types.
void Anmeldefenster::aenderung(Ctl c) {
    if (c == Ctl::Suche) fuellen();
}

bool Anmeldefenster::query_unload() {
    Schliessen_Click();
    return false;
}

std::optional<ui::FormId> Anmeldefenster::vertritt_erfassung() const { return Erfassungsform(p_.zustand()); }

void Anmeldefenster::form_activate() {
    f_.setze_text(Ctl::Suche, ""); // fills the list through its change
    fuellen();
    f_.fokus(Ctl::Suche);
}

void Anmeldefenster::karten_erfasst() {
    if (f_.sichtbar()) fuellen();
}

ui::Fenster& Anmeldefenster::erfassung() { return p_.form(Erfassungsform(p_.zustand())); }

void Anmeldefenster::fuellen() {
    const anmeldung::Anmelderegister* r = Anmeldeliste_der_Veranstaltung(p_, erfassung());
    // The line chosen stays chosen where it is still shown (a card just captured).
    const int alt = f_.listenindex(Ctl::Treffer);
    const std::uint32_t gewaehlt = alt >= 0 && static_cast<std::size_t>(alt) < plaetze_.size()
                                       ? plaetze_[static_cast<std::size_t>(alt)]
                                       : UINT32_MAX;
    f_.liste_leeren(Ctl::Treffer);
    plaetze_.clear();
    if (!r) {
        f_.setze_text(Ctl::Trefferzahl, anmeldung::k_keine_liste);
        knoepfe_setzen();
        return;
    }
    const anmeldung::Treffer t = r->suchen(f_.text(Ctl::Suche), f_.markiert(Ctl::Nur_offene));
    int neu = 0;
    for (std::uint32_t platz : t.plaetze) {
        if (platz == gewaehlt) neu = static_cast<int>(plaetze_.size());
        f_.zeile_anfuegen(Ctl::Treffer, anmeldung::Zeilentext(r->eintrag(platz), r->erfasst(platz)));
        plaetze_.push_back(platz);
    }
    if (!plaetze_.empty()) f_.zeile_waehlen(Ctl::Treffer, neu);
    f_.setze_text(Ctl::Trefferzahl, anmeldung::Anzeige_Text(plaetze_.size(), t.gesamt));
    knoepfe_setzen();
}

void Anmeldefenster::knoepfe_setzen() {
    const anmeldung::Anmelderegister* r = Anmeldeliste_der_Veranstaltung(p_, erfassung());
    const int i = f_.listenindex(Ctl::Treffer);
    const bool erfassbar = r && i >= 0 && static_cast<std::size_t>(i) < plaetze_.size() &&
                           r->eintrag(plaetze_[static_cast<std::size_t>(i)]).stand == anmeldung::EFN_Stand::Gueltig;
    f_.setze_aktiviert(Ctl::Erfassen, erfassbar);
    f_.setze_aktiviert(Ctl::Entfernen, r != nullptr);
    f_.setze_vorgabe(r ? Ctl::Erfassen : Ctl::Laden);
}

ui::Fenster& Anmeldefenster::zurueck() {
    f_.verbergen();
    ui::Fenster& form = erfassung();
    form.zeigen();
    form.fokus(Ctl::EFN);
    return form;
}

// The chosen registration's EFN, captured exactly as a scan would be.
void Anmeldefenster::Erfassen_Click() {
    const anmeldung::Anmelderegister* r = Anmeldeliste_der_Veranstaltung(p_, erfassung());
    const int i = f_.listenindex(Ctl::Treffer);
    if (!r || i < 0 || static_cast<std::size_t>(i) >= plaetze_.size()) return;
    const anmeldung::Anmeldung& a = r->eintrag(plaetze_[static_cast<std::size_t>(i)]);
    if (a.stand != anmeldung::EFN_Stand::Gueltig) return;
    const std::string efn = a.efn;
    zurueck();
    if (ui::Formularlogik* form = p_.formulare().logik(Erfassungsform(p_.zustand()))) form->scan(Ctl::EFN, efn);
}

void Anmeldefenster::Laden_Click() {
    Plattform& pl = p_.plattform();
    Dateiwahl w{"Anmeldeliste laden", "Tabellen (*.csv;*.txt)", "*.csv;*.txt", ""};
    w.weitere_filter = {{"Alle Dateien (*.*)", "*.*"}};
    w.mehrere = false;
    const std::vector<std::string> pfade = pl.dateien_waehlen(w);
    if (pfade.empty()) return;
    anmeldung::Einlesung e = anmeldung::Anmeldeliste_einlesen(pl, pfade.front());
    if (!e.liste) {
        pl.meldung(e.meldung);
        return;
    }
    ui::Fenster& form = erfassung();
    const std::string vnr = Veranstaltungsnummer(p_.zustand(), form);
    if (const anmeldung::Anmelderegister* alt = Anmeldeliste_der_Veranstaltung(p_, form);
        alt && !pl.frage(anmeldung::Frage_ersetzen(alt->liste().bilanz.anmeldungen), Vorgabe::Nein)) {
        return;
    }
    const std::string ordner = Datenordner(p_.zustand());
    const Ergebnis abgelegt = anmeldung::Anmeldeliste_ablegen(pl, ordner, vnr, *e.liste);
    if (!abgelegt.ok()) {
        pl.meldung(anmeldung::Ablagefehler_Text(anmeldung::Anmeldeliste_pfad(ordner, vnr), abgelegt));
        return;
    }
    p_.anmeldungen().setzen(vnr, anmeldung::Anmelderegister(std::move(*e.liste)));
    Teilnehmerzahl_zeigen(p_, form);
    fuellen();
    pl.meldung(e.meldung);
    f_.fokus(Ctl::Suche);
}

void Anmeldefenster::Entfernen_Click() {
    Plattform& pl = p_.plattform();
    ui::Fenster& form = erfassung();
    if (!Anmeldeliste_der_Veranstaltung(p_, form)) return;
    if (!pl.frage(anmeldung::k_frage_entfernen, Vorgabe::Nein)) return;
    const std::string vnr = Veranstaltungsnummer(p_.zustand(), form);
    const std::string ordner = Datenordner(p_.zustand());
    const Ergebnis weg = anmeldung::Anmeldeliste_entfernen(pl, ordner, vnr);
    if (!weg.ok()) {
        pl.meldung("Die Anmeldeliste konnte nicht gelöscht werden:\r\n" + anmeldung::Anmeldeliste_pfad(ordner, vnr) +
                   "\r\n" + weg.text);
        return;
    }
    p_.anmeldungen().entfernen(vnr);
    Teilnehmerzahl_zeigen(p_, form);
    form.setze_text(Ctl::Zuletzt, "");
    fuellen();
}

void Anmeldefenster::Schliessen_Click() { zurueck(); }

} // namespace karmo
