// The window Ausdruck and the open event read for printing.
#include "dialogs/ausdruck.hpp"

#include <array>
#include <string>

#include "capture/ereignisbindung.hpp"
#include "checks/nummern.hpp"
#include "druck/ausgabe.hpp"
#include "eventfile/teilnehmer_eintrag.hpp"

namespace karmo {

using ui::Art;
using ui::Ctl;

namespace {

constexpr std::array<ui::Steuerelement, 4> k_elemente{{
    {Art::Kontrollkaestchen, Ctl::Anwesenheitsliste, -1, "Anwesenheitsliste zum Unterschreiben", Ctl::Keiner, 300,
     240, 4800, 330, 0, 0, ui::k_option | ui::k_markiert},
    {Art::Kontrollkaestchen, Ctl::Bescheinigungen, -1, "Teilnahmebescheinigungen (eine Seite je Teilnehmer)",
     Ctl::Keiner, 300, 630, 4800, 330, 0, 1, ui::k_option},
    {Art::Schaltflaeche, Ctl::Weiter, -1, "Weiter", Ctl::Keiner, 2190, 1260, 1350, 405, 0, 2, ui::k_vorgabe},
    {Art::Schaltflaeche, Ctl::CancelButton, -1, "Abbrechen", Ctl::Keiner, 3690, 1260, 1350, 405, 0, 3,
     ui::k_stil_keiner},
}};

} // namespace

const ui::Formular k_Ausdruck{ui::FormId::Ausdruck, "Ausdruck", "Ausdruck", 5340, 1920, ui::k_stil_keiner,
                              k_elemente};

druck::Druckdaten Druckdaten_lesen(const Zustand& z, const ui::Fenster& form) {
    druck::Druckdaten d;
    // The type-1 form's number box can be edited: a whole number there is the one to print.
    const std::string im_feld = Nur_Ziffern(form.text(Ctl::VNR));
    d.vnr = im_feld.size() == 19 ? im_feld : z.Aktuelle_VNR;
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
    std::string zeile;
    for (int i = 0; i < n; ++i) {
        form.zeile_lesen(Ctl::Teilnehmerliste, i, zeile);
        // The line read as the file's writer reads it: by position and by its first "/".
        const Eintragsteile t = eintrag_teilen(zeile);
        d.teilnehmer.push_back({std::string(t.efn), Nur_Ziffern(t.basis), Nur_Ziffern(t.referent)});
    }
    return d;
}

namespace {

constexpr std::array<Ereignisbindung<Ausdruck>, 2> k_klicks{{
    {Ctl::Weiter, &Ausdruck::Weiter_Click},
    {Ctl::CancelButton, &Ausdruck::CancelButton_Click},
}};

} // namespace

void Ausdruck::click(Ctl c) { ausloesen<Ausdruck>(k_klicks, *this, c); }

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
    const druck::Druckart art =
        f_.markiert(Ctl::Bescheinigungen) ? druck::Druckart::Bescheinigungen : druck::Druckart::Anwesenheitsliste;
    ui::Fenster& form = zurueck();
    const druck::Druckdaten d = Druckdaten_lesen(p_.zustand(), form);
    druck::Drucken(p_.plattform(), d, art);
    form.fokus(Ctl::EFN);
}

void Ausdruck::CancelButton_Click() { zurueck(); }

} // namespace karmo
