// The category dialog: report type from the chosen category, then the prepared capture form.
#include "dialogs/kat_auswahl.hpp"

#include <array>
#include <cstddef>

#include "checks/datum.hpp"
#include "eventfile/teilnehmerzahl.hpp"
#include "sicherung/sicherung.hpp"
#include "eventfile/teilnehmer_eintrag.hpp"

namespace karmo {

using ui::Art;
using ui::Ctl;

namespace {

constexpr std::array<ui::Steuerelement, 5> k_elemente{{
    {Art::Label, Ctl::Label1, -1, "Zu welcher Kategorie gehört die Veranstaltung?", Ctl::Keiner, 1380, 300, 6435, 405,
     0, -1, ui::k_stil_keiner},
    {Art::Liste, Ctl::Kategorie, -1, "", Ctl::Keiner, 570, 780, 7365, 4860, 0, 0, ui::k_stil_keiner},
    {Art::Label, Ctl::Label2, -1, "Klicken Sie einfach auf die zutreffende Kategorie.", Ctl::Keiner, 630, 5940, 7335,
     405, 0, -1, ui::k_stil_keiner},
    {Art::Kontrollkaestchen, Ctl::Akkred_VA, -1, "Ich bin/wir sind ein akkreditierter Veranstalter", Ctl::Keiner, 780,
     6240, 4095, 285, 0, 1, ui::k_stil_keiner},
    {Art::Schaltflaeche, Ctl::Weiter, -1, "Weiter", Ctl::Keiner, 5190, 6000, 2805, 585, 0, 2, ui::k_stil_keiner},
}};

} // namespace

const ui::Formular k_Kat_Auswahl{
    ui::FormId::Kat_Auswahl, "Kat_Auswahl", "Kategorie", 8565, 6825, ui::k_arial, k_elemente};

Kat_Auswahl::Kat_Auswahl(Programm& p, ui::Fenster& fenster) : p_(p), f_(fenster) {}

void Kat_Auswahl::click(Ctl c) {
    if (c == Ctl::Weiter) Weiter_Click();
}

void Kat_Auswahl::Weiter_Click() {
    const int pos = f_.listenindex(Ctl::Kategorie);
    if (pos < 0) {
        p_.plattform().meldung("Bitte wählen Sie eine Kategorie aus!");
        return;
    }
    Zustand& z = p_.zustand();
    const Kammer& kammer = z.Kammerkatalog.at(z.Aktuelle_Kammer);
    z.Aktuelle_Meldungsart = kammer.Kategorien.at(static_cast<std::size_t>(pos) + 1).Meldungsart;
    // An accredited organiser reports in full whatever the category; a box
    // the chamber does not offer counts for nothing even when ticked.
    if (f_.aktiviert(Ctl::Akkred_VA) && f_.markiert(Ctl::Akkred_VA)) z.Aktuelle_Meldungsart = 2;

    // A new event starts with nothing to journal.
    Sicherung_neu_beginnen(p_, [&] {
        if (z.Aktuelle_Meldungsart == 2) {
            ma2_vorbereiten();
        } else {
            ma1_vorbereiten();
        }
    });
    // Hidden, not closed: the tick stays for the next new event.
    f_.verbergen();
}

void Kat_Auswahl::ma2_vorbereiten() {
    ui::Fenster& m = p_.form(ui::FormId::MA2_Maske);
    m.setze_text(Ctl::VNR, p_.zustand().Aktuelle_VNR);
    m.zeigen();
    const std::string heute = Datum_text(p_.plattform().heute());
    m.setze_text(Ctl::Punkte, "");
    m.setze_text(Ctl::Datum_von, heute);
    m.setze_text(Ctl::DATUM_BIS, heute);
    m.setze_text(Ctl::Uhrzeit_s, "");
    m.setze_text(Ctl::Uhrzeit_e, "");
    m.setze_text(Ctl::Dauer, "");
    m.setze_text(Ctl::Inhalt, "");
    m.liste_leeren(Ctl::Teilnehmerliste);
    Teilnehmerzahl_zeigen(p_, m);
    m.fokus(Ctl::Punkte);
}

void Kat_Auswahl::ma1_vorbereiten() {
    ui::Fenster& m = p_.form(ui::FormId::MA1_Maske);
    m.setze_text(Ctl::Punkte, "");
    m.setze_text(Ctl::VNR, p_.zustand().Aktuelle_VNR);
    m.liste_leeren(Ctl::Teilnehmerliste);
    Teilnehmerzahl_zeigen(p_, m);
    m.zeigen();
    m.fokus(Ctl::Punkte);
}

void Kat_Auswahl::Form_Unload() { p_.form(ui::FormId::Auswahl).zeigen(); }

} // namespace karmo
