// The collection of loaded windows and its unloading rules.
#include "ui/formular.hpp"

#include <algorithm>
#include <string>

namespace karmo::ui {
namespace {

// Passes events on to the window's handlers once they exist, and drops them
// once the window is being unloaded. Every handler runs under the program's
// top-level error handling.
class Weiterleitung final : public Formularlogik {
public:
    Formularlogik* ziel = nullptr;
    std::function<void(Aufruf)> ausfuehren;
    void click(Ctl c) override {
        if (ziel) ausfuehren([&] { ziel->click(c); });
    }
    void keypress(Ctl c, int& taste) override {
        if (ziel) ausfuehren([&] { ziel->keypress(c, taste); });
    }
    void lostfocus(Ctl c) override {
        if (ziel) ausfuehren([&] { ziel->lostfocus(c); });
    }
    void aenderung(Ctl c) override {
        if (ziel) ausfuehren([&] { ziel->aenderung(c); });
    }
    void sitzungsende() override {
        if (ziel) ausfuehren([&] { ziel->sitzungsende(); });
    }
    bool nimmt_scans(Ctl c) override { return ziel && ziel->nimmt_scans(c); }
    std::optional<FormId> vertritt_erfassung() const override {
        return ziel ? ziel->vertritt_erfassung() : std::nullopt;
    }
    void form_activate() override {
        if (ziel) ausfuehren([&] { ziel->form_activate(); });
    }
    void karten_erfasst() override {
        if (ziel) ausfuehren([&] { ziel->karten_erfasst(); });
    }
    void scan(Ctl c, std::string_view ziffern) override {
        if (ziel) ausfuehren([&] { ziel->scan(c, ziffern); });
    }
    void form_unload() override {
        // The close box: the collection decides (see Formularsammlung::schliessen).
        if (schliessen) schliessen();
    }
    std::function<void()> schliessen;
};

// Stands in for a window that the ending program will not create again.
class Attrappe final : public Fenster {
public:
    FormId id() const override { return FormId::Auswahl; }
    void zeigen() override {}
    void verbergen() override {}
    bool sichtbar() const override { return false; }
    std::string text(Ctl) const override { return {}; }
    void setze_text(Ctl, std::string_view) override {}
    void fokus(Ctl) override {}
    void text_markieren(Ctl) override {}
    int zeilenzahl(Ctl) const override { return 0; }
    std::string zeile(Ctl, int) const override { return {}; }
    void zeile_anfuegen(Ctl, std::string_view) override {}
    void zeile_ersetzen(Ctl, int, std::string_view) override {}
    void zeile_entfernen(Ctl, int) override {}
    void liste_leeren(Ctl) override {}
    int listenindex(Ctl) const override { return -1; }
    void zeile_waehlen(Ctl, int) override {}
    void setze_vorgabe(Ctl) override {}
    int ausgewaehlt_anzahl(Ctl) const override { return 0; }
    std::uint64_t listenstand(Ctl) const override { return 0; }
    bool markiert(Ctl) const override { return false; }
    void setze_markiert(Ctl, bool) override {}
    bool aktiviert(Ctl) const override { return false; }
    void setze_aktiviert(Ctl, bool) override {}
};

} // namespace

struct Formularsammlung::Eintrag {
    FormId id;
    Weiterleitung weiterleitung;
    std::unique_ptr<Formularlogik> logik;
    std::unique_ptr<Fenster> fenster;
    bool wird_entladen = false;
};

Formularsammlung::Formularsammlung(Fensterhost& host, Deklarationen deklarationen)
    : host_(host), deklarationen_(std::move(deklarationen)), attrappe_(std::make_unique<Attrappe>()) {}

Formularsammlung::~Formularsammlung() {
    // Destroy windows before their handlers, newest first.
    while (!eintraege_.empty()) {
        auto& e = eintraege_.back();
        e->weiterleitung.ziel = nullptr;
        e->fenster.reset();
        eintraege_.pop_back();
    }
}

Formularsammlung::Eintrag* Formularsammlung::finden(FormId id) const {
    for (const auto& e : eintraege_) {
        if (e->id == id) return e.get();
    }
    return nullptr;
}

Fenster& Formularsammlung::laden(FormId id) {
    if (Eintrag* e = finden(id)) {
        // Ending: a window already on its way out is not brought back to the
        // screen by another window's closing handler.
        return endet_ && e->wird_entladen ? *attrappe_ : *e->fenster;
    }
    if (endet_) return *attrappe_;
    auto e = std::make_unique<Eintrag>();
    e->id = id;
    e->weiterleitung.schliessen = [this, id] { ausfuehren([&] { schliessen(id); }); };
    e->weiterleitung.ausfuehren = [this](Aufruf h) { ausfuehren(h); };
    e->fenster = host_.erzeugen(deklarationen_(id), e->weiterleitung);
    if (fabrik_) e->logik = fabrik_(id, *e->fenster);
    e->weiterleitung.ziel = e->logik.get();
    eintraege_.push_back(std::move(e));
    return *eintraege_.back()->fenster;
}

bool Formularsammlung::geladen(FormId id) const { return finden(id) != nullptr; }

Formularlogik* Formularsammlung::logik(FormId id) {
    Eintrag* e = finden(id);
    return e ? e->logik.get() : nullptr;
}

bool Formularsammlung::empfaengt(FormId id) const {
    const Eintrag* e = finden(id);
    return e && !e->wird_entladen;
}

void Formularsammlung::entladen(FormId id) {
    Eintrag* e = finden(id);
    if (!e || e->wird_entladen) return;
    e->wird_entladen = true;
    // From now on the window's controls raise no more events.
    Formularlogik* logik = e->logik.get();
    e->weiterleitung.ziel = nullptr;
    if (logik) ausfuehren([logik] { logik->form_unload(); });
    // The handler may have unloaded other windows; find this one again.
    auto it = std::find_if(eintraege_.begin(), eintraege_.end(), [id](const auto& x) { return x->id == id; });
    if (it == eintraege_.end()) return;
    std::unique_ptr<Eintrag> weg = std::move(*it);
    eintraege_.erase(it);
    weg->fenster.reset();
}

void Formularsammlung::ausfuehren(Aufruf handler) {
    struct Tiefe {
        int& t;
        explicit Tiefe(int& x) : t(++x) {}
        ~Tiefe() { --t; }
        Tiefe(const Tiefe&) = delete;
        Tiefe& operator=(const Tiefe&) = delete;
    } tiefe(tiefe_);
    const auto geschuetzt = [this](Aufruf h) {
        if (!fehlerbehandlung_) {
            h();
            return;
        }
        try {
            h();
        } catch (const std::exception& e) {
            fehlerbehandlung_(e);
        }
    };
    geschuetzt(handler);
    if (tiefe_ == 1 && nachlauf_) geschuetzt(nachlauf_);
}

Formularlogik* Formularsammlung::kartenziel() {
    const auto nimmt = [](const Eintrag* e) {
        return e && !e->wird_entladen && e->logik && e->logik->nimmt_scans(Ctl::Keiner);
    };
    for (const auto& e : eintraege_) {
        if (e->wird_entladen || !e->logik || !e->fenster->sichtbar()) continue;
        if (nimmt(e.get())) return e->logik.get();
        if (const std::optional<FormId> form = e->logik->vertritt_erfassung()) {
            if (Eintrag* hinten = finden(*form); nimmt(hinten)) return hinten->logik.get();
        }
    }
    return nullptr;
}

void Formularsammlung::fuer_alle(const std::function<void(Formularlogik&)>& f) {
    for (const auto& e : eintraege_) {
        if (!e->wird_entladen && e->logik) f(*e->logik);
    }
}

void Formularsammlung::schliessen(FormId id) {
    Eintrag* e = finden(id);
    if (!e || e->wird_entladen) return;
    if (e->logik && !e->logik->query_unload()) return;
    entladen(id);
}

void Formularsammlung::alle_entladen() {
    endet_ = true;
    for (;;) {
        auto it = std::find_if(eintraege_.begin(), eintraege_.end(), [](const auto& x) { return !x->wird_entladen; });
        if (it == eintraege_.end()) return;
        entladen((*it)->id);
    }
}

bool Formularsammlung::leer() const { return eintraege_.empty(); }

} // namespace karmo::ui
