// The open event's registration list, read once for its event number.
#include "state/anmeldungen.hpp"

#include "anmeldung/ablage.hpp"

namespace karmo {

anmeldung::Anmelderegister* Anmeldungen::fuer(Plattform& pl, std::string_view datenordner, std::string_view vnr) {
    if (!gelesen_ || vnr != vnr_) {
        vnr_ = vnr;
        gelesen_ = true;
        form_ = nullptr;
        register_.reset();
        anmeldung::Einlesung e = anmeldung::Anmeldeliste_laden(pl, datenordner, vnr);
        if (e.liste) register_.emplace(std::move(*e.liste));
    }
    return register_ ? &*register_ : nullptr;
}

void Anmeldungen::setzen(std::string_view vnr, anmeldung::Anmelderegister r) {
    vnr_ = vnr;
    gelesen_ = true;
    form_ = nullptr;
    register_.emplace(std::move(r));
}

void Anmeldungen::entfernen(std::string_view vnr) {
    vnr_ = vnr;
    gelesen_ = true;
    form_ = nullptr;
    register_.reset();
}

bool Anmeldungen::gezaehlt(const ui::Fenster& form) const {
    return form_ == &form && stand_ == form.listenstand(ui::Ctl::Teilnehmerliste);
}

void Anmeldungen::gezaehlt_bei(const ui::Fenster& form) {
    form_ = &form;
    stand_ = form.listenstand(ui::Ctl::Teilnehmerliste);
}

} // namespace karmo
