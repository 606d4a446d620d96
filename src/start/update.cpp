// Program update: the running program replaces the installed one of another version.
#include "start/update.hpp"

#include <array>

#include "start/installation.hpp"
#include "start/programmdatei.hpp"

namespace karmo {

using ui::Art;
using ui::Ctl;

namespace {

constexpr std::array<ui::Steuerelement, 5> k_elemente{{
    {Art::Label, Ctl::Lumo, -1, "Karmo", Ctl::Keiner, 10290, 420, 1065, 525, 0, -1, ui::k_arial_black},
    {Art::Label, Ctl::Ueberschrift, -1, "Aktualisierung von Karmo auf Ihrem System", Ctl::Keiner, 3000, 720, 5775, 435,
     0, -1, ui::k_fett},
    {Art::Label, Ctl::Label2, -1,
     "Die installierte Version der Software ist älter als diese Version! Soll die Software auf den neuesten Stand "
     "aktualisiert werden?",
     Ctl::Keiner, 540, 1410, 11055, 405, 0, -1, ui::k_arial},
    {Art::Schaltflaeche, Ctl::Anlegen, -1, "Programm aktualisieren (empfohlen)", Ctl::Keiner, 750, 1980, 5025, 525, 0,
     0, ui::k_stil_keiner},
    {Art::Schaltflaeche, Ctl::neindanke, -1, "Abbrechen", Ctl::Keiner, 6060, 1980, 5115, 525, 0, 1, ui::k_stil_keiner},
}};

} // namespace

const ui::Formular k_Update{ui::FormId::Update, "Update", "Softwareupdate", 11730, 3210, 0, k_elemente};

Update::Update(Programm& p, ui::Fenster& fenster) : p_(p), f_(fenster) {}

void Update::click(Ctl c) {
    if (c == Ctl::Anlegen) Anlegen_Click();
    if (c == Ctl::neindanke) neindanke_Click();
}

void Update::Anlegen_Click() {
    try {
        aktualisieren();
    } catch (const std::exception& e) {
        p_.plattform().meldung(Fehlermeldung("Bei dem Update ist ein Fehler aufgetreten : ", als_fehler(e)));
        // The running program still works: ending here would only bring the
        // same offer back on the next start.
        zum_hauptmenue();
    }
}

void Update::aktualisieren() {
    // The installed program started itself (config.ini names another
    // version): there is nothing to copy, and its own file cannot be
    // deleted while it runs. Only the settings are brought up to date.
    if (!Laeuft_installiert(p_)) {
        // The installed program file goes first; a failure to delete it
        // leaves everything else unchanged.
        if (Programmdatei_vorhanden(p_)) {
            if (Ergebnis e = p_.plattform().loeschen(p_.zustand().Basisverzeichnis + "Karmo.exe"); !e.ok()) {
                Plattformfehler(e);
            }
        }
        Programmdatei_kopieren(p_);
        Programmdatei_pruefen(p_);
    }
    Einstellungen_bereitstellen(p_);
    zum_hauptmenue();
}

void Update::zum_hauptmenue() {
    p_.form(ui::FormId::Auswahl).zeigen();
    f_.verbergen();
}

void Update::neindanke_Click() { p_.Programm_beenden(); }

void Update::Form_Unload() { p_.Programm_beenden(); }

} // namespace karmo
