// The capture form's count under the list, and the registration list of the event the form holds.
#pragma once

#include <string>

#include "anmeldung/register.hpp"
#include "state/programm.hpp"
#include "ui/fenster.hpp"

namespace karmo {

// The number of the event that `form` holds: its 19 digits in the box
// VNR, else the run's current one.
std::string Veranstaltungsnummer(const Zustand& z, const ui::Fenster& form);

// The registration list of the event that `form` holds (its 19-digit
// number, else the run's current one), its count of the captured brought up
// to the list as it is now; null when the event has none.
anmeldung::Anmelderegister* Anmeldeliste_der_Veranstaltung(Programm& p, const ui::Fenster& form);

// The capture form's label under the list: "Erfasste Teilnehmer: N", N the
// number of lines; with a registration list "… (angemeldet: M von R)".
// Called after every change of the list.
void Teilnehmerzahl_zeigen(Programm& p, ui::Fenster& form);
// The same with the event's registration list at hand already (a scan or a
// deletion has just asked for it, and counted its line).
void Teilnehmerzahl_zeigen(ui::Fenster& form, const anmeldung::Anmelderegister* r);

} // namespace karmo
