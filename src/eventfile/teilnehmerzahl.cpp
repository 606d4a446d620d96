// The count under the participant list, with the registered among them when the event has a registration list.
#include "eventfile/teilnehmerzahl.hpp"

#include <string>

#include "checks/nummern.hpp"
#include "eventfile/teilnehmer_eintrag.hpp"

namespace karmo {

std::string Veranstaltungsnummer(const Zustand& z, const ui::Fenster& form) {
    std::string im_feld = Nur_Ziffern(form.text(ui::Ctl::VNR));
    return im_feld.size() == 19 ? im_feld : z.Aktuelle_VNR;
}

anmeldung::Anmelderegister* Anmeldeliste_der_Veranstaltung(Programm& p, const ui::Fenster& form) {
    Zustand& z = p.zustand();
    const std::string vnr = Veranstaltungsnummer(z, form);
    if (vnr.size() != 19) return nullptr;
    Anmeldungen& a = p.anmeldungen();
    anmeldung::Anmelderegister* r = a.fuer(p.plattform(), Datenordner(z), vnr);
    if (r && !a.gezaehlt(form)) {
        r->erfasst_leeren();
        form.zeilen_lesen(ui::Ctl::Teilnehmerliste, [r](std::string_view zeile) { r->erfasst_dazu(eintrag_efn(zeile)); });
        a.gezaehlt_bei(form);
    }
    return r;
}

void Teilnehmerzahl_zeigen(Programm& p, ui::Fenster& form) { Teilnehmerzahl_zeigen(form, Anmeldeliste_der_Veranstaltung(p, form)); }

void Teilnehmerzahl_zeigen(ui::Fenster& form, const anmeldung::Anmelderegister* r) {
    form.setze_text(ui::Ctl::Teilnehmerzahl,
                    anmeldung::Teilnehmerzahl_Text(static_cast<std::size_t>(form.zeilenzahl(ui::Ctl::Teilnehmerliste)), r));
}

} // namespace karmo
