// The context of one run: the platform, the program-wide values and the loaded windows.
#pragma once

#include <memory>

#include "platform/plattform.hpp"
#include "state/anmeldungen.hpp"
#include "state/zustand.hpp"
#include "ui/formular.hpp"

namespace karmo {

// The recovery journal of unsaved changes (library karmo_sicherung, above
// this one): the run carries it without knowing more of it than its name.
class Sicherung;

// The capture form of the open event: by its report type.
inline ui::FormId Erfassungsform(const Zustand& z) {
    return z.Aktuelle_Meldungsart == 2 ? ui::FormId::MA2_Maske : ui::FormId::MA1_Maske;
}

class Programm {
public:
    // Connects the platform's message boxes to the open capture form: a card
    // typed into any of them is kept while one is open and is captured there
    // after the handler that showed the box (karten_zustellen).
    Programm(Plattform& plattform, ui::Formularsammlung& formulare);
    ~Programm();
    Programm(const Programm&) = delete;
    Programm& operator=(const Programm&) = delete;

    Plattform& plattform() { return plattform_; }
    Zustand& zustand() { return zustand_; }
    // The open event's registration list (eventfile/anmeldeliste.hpp reads it for a form).
    Anmeldungen& anmeldungen() { return anmeldungen_; }
    ui::Formularsammlung& formulare() { return formulare_; }

    // The window's single instance, created on first use.
    ui::Fenster& form(ui::FormId id) { return formulare_.laden(id); }

    // Unloads every loaded window; the program ends when none is left.
    void Programm_beenden() { formulare_.alle_entladen(); }

    // Captures the cards kept from message boxes, oldest first, in the form
    // that takes cards now, each exactly as a scan; a card's own message may
    // keep the next. Without such a form they are dropped (it was closed by
    // then: the handler that closed it had its chance).
    void karten_zustellen();

    // The run's journal; none in runs that keep no journal (most tests).
    Sicherung* sicherung() { return sicherung_.get(); }
    void setze_sicherung(std::shared_ptr<Sicherung> s) { sicherung_ = std::move(s); }

private:
    Plattform& plattform_;
    ui::Formularsammlung& formulare_;
    Zustand zustand_;
    Anmeldungen anmeldungen_;
    std::shared_ptr<Sicherung> sicherung_;
};

} // namespace karmo
