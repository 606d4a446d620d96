// The run's context, and the path of a card typed into a message box to the open list.
#include "state/programm.hpp"

namespace karmo {

Programm::Programm(Plattform& plattform, ui::Formularsammlung& formulare)
    : plattform_(plattform), formulare_(formulare) {
    plattform_.setze_kartenannahme([this] { return formulare_.kartenziel() != nullptr; });
    formulare_.setze_nachlauf([this] { karten_zustellen(); });
}

Programm::~Programm() {
    plattform_.setze_kartenannahme({});
    formulare_.setze_nachlauf({});
}

void Programm::karten_zustellen() {
    bool erfasst = false;
    while (plattform_.karten_wartend()) {
        const std::string efn = plattform_.scan_aus_meldung();
        if (ui::Formularlogik* ziel = formulare_.kartenziel()) {
            ziel->scan(ui::Ctl::EFN, efn);
            erfasst = true;
        }
    }
    // A window that shows who is captured (the registration list) follows.
    if (erfasst) formulare_.fuer_alle([](ui::Formularlogik& l) { l.karten_erfasst(); });
}

} // namespace karmo
