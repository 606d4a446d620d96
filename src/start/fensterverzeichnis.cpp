// Every window's declaration and handlers in one place, and the top-level error handling.
#include "start/start.hpp"

#include <stdexcept>

#include "capture/ma1_maske.hpp"
#include "capture/ma2_maske.hpp"
#include "dialogs/anmeldefenster.hpp"
#include "dialogs/ausdruck.hpp"
#include "dialogs/auswahl.hpp"
#include "dialogs/dateidialog.hpp"
#include "dialogs/kat_auswahl.hpp"
#include "dialogs/vnr_eingabe.hpp"
#include "sicherung/sicherung.hpp"
#include "start/einrichtung.hpp"
#include "start/update.hpp"

namespace karmo {

const ui::Formular& Deklaration(ui::FormId id) {
    switch (id) {
        case ui::FormId::Einrichtung:
            return k_Einrichtung;
        case ui::FormId::Update:
            return k_Update;
        case ui::FormId::Auswahl:
            return k_Auswahl;
        case ui::FormId::VNR_Eingabe:
            return k_VNR_Eingabe;
        case ui::FormId::Kat_Auswahl:
            return k_Kat_Auswahl;
        case ui::FormId::Dateidialog:
            return k_Dateidialog;
        case ui::FormId::MA1_Maske:
            return k_MA1_Maske;
        case ui::FormId::MA2_Maske:
            return k_MA2_Maske;
        case ui::FormId::Ausdruck:
            return k_Ausdruck;
        case ui::FormId::Anmeldeliste:
            return k_Anmeldeliste;
    }
    throw std::logic_error("unbekanntes Fenster");
}

std::unique_ptr<ui::Formularlogik> Logik_erzeugen(Programm& p, ui::FormId id, ui::Fenster& fenster) {
    switch (id) {
        case ui::FormId::Einrichtung:
            return std::make_unique<Einrichtung>(p, fenster);
        case ui::FormId::Update:
            return std::make_unique<Update>(p, fenster);
        case ui::FormId::Auswahl:
            return std::make_unique<Auswahl>(p, fenster);
        case ui::FormId::VNR_Eingabe:
            return std::make_unique<VNR_Eingabe>(p, fenster);
        case ui::FormId::Kat_Auswahl:
            return std::make_unique<Kat_Auswahl>(p, fenster);
        case ui::FormId::Dateidialog:
            return std::make_unique<Dateidialog>(p, fenster);
        case ui::FormId::MA1_Maske:
            return std::make_unique<MA1_Maske>(p, fenster);
        case ui::FormId::MA2_Maske:
            return std::make_unique<MA2_Maske>(p, fenster);
        case ui::FormId::Ausdruck:
            return std::make_unique<Ausdruck>(p, fenster);
        case ui::FormId::Anmeldeliste:
            return std::make_unique<Anmeldefenster>(p, fenster);
    }
    throw std::logic_error("unbekanntes Fenster");
}

void Programm_einrichten(Programm& p) {
    ui::Formularsammlung& s = p.formulare();
    p.setze_sicherung(std::make_shared<Sicherung>(p));
    s.setze_fabrik([&p](ui::FormId id, ui::Fenster& f) { return Logik_erzeugen(p, id, f); });
    // An error no handler dealt with: one message with its number, then the end.
    s.setze_fehlerbehandlung([&p](const std::exception& e) {
        const Fehler f = als_fehler(e);
        p.plattform().meldung("Fehler:" + std::to_string(f.nummer()) + " : " + f.text());
        p.Programm_beenden();
    });
}

} // namespace karmo
