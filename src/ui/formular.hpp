// Window events, window hosts, and the collection of loaded windows.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <type_traits>
#include <vector>

#include "ui/fenster.hpp"
#include "ui/steuerelemente.hpp"

namespace karmo::ui {

// The handlers of one window. A host calls these when the user acts; the
// default does nothing.
class Formularlogik {
public:
    virtual ~Formularlogik() = default;
    virtual void click(Ctl) {}
    // `taste` is the key code (13 for Enter); a handler may change it.
    virtual void keypress(Ctl, int& /*taste*/) {}
    virtual void lostfocus(Ctl) {}
    // The text of a text box has changed (typed, pasted or set by code).
    virtual void aenderung(Ctl) {}
    // Windows is ending the session (shutdown or log-off): whatever must
    // survive the program has to be on the disk when this returns.
    virtual void sitzungsende() {}
    // The user asks to close the window (its close box). Returning false
    // keeps it open; true lets it be unloaded.
    virtual bool query_unload() { return true; }
    // The window is being unloaded (by its close box or by the program).
    virtual void form_unload() {}
    // Barcode scans typed into the wrong control. While `fokus` has the focus
    // and this says yes, the host holds back digits that may be a scan (see
    // eingabe/scanerkennung.hpp); a complete scan then reaches no control and
    // comes here as scan(), with the control it was typed into.
    virtual bool nimmt_scans(Ctl /*fokus*/) { return false; }
    virtual void scan(Ctl /*von*/, std::string_view /*ziffern*/) {}
    // A window that a capture form opens in its own place (Ausdruck) names
    // that form: while it is shown, the form behind it is still open and
    // takes the cards.
    virtual std::optional<FormId> vertritt_erfassung() const { return std::nullopt; }
    // The window is shown by another that hands it the stage: it fills
    // itself anew from what the program holds now.
    virtual void form_activate() {}
    // Cards were captured while this window was loaded (Programm::karten_zustellen).
    virtual void karten_erfasst() {}
};

// Renders a declared window and routes its events to `ereignisse`; the
// window's close box is reported as `ereignisse.form_unload()`, after which the
// window may already be destroyed.
class Fensterhost {
public:
    virtual ~Fensterhost() = default;
    virtual std::unique_ptr<Fenster> erzeugen(const Formular& deklaration, Formularlogik& ereignisse) = 0;
};

// A handler to run once, taken by reference: running an event costs no
// copy and no allocation (a std::function holding a lambda with three
// references allocates).
class Aufruf {
public:
    template <class F>
        requires(!std::is_same_v<std::remove_cvref_t<F>, Aufruf> && std::is_invocable_v<F&>)
    Aufruf(F&& f) // NOLINT: converts from any callable, as std::function does
        : ziel_(const_cast<void*>(static_cast<const void*>(&f))),
          rufen_([](void* z) { (*static_cast<std::remove_reference_t<F>*>(z))(); }) {}
    void operator()() const { rufen_(ziel_); }

private:
    void* ziel_;
    void (*rufen_)(void*);
};

// The program's loaded windows, in the order they were loaded. Each window
// is a single instance created on first use; unloading runs its Form_Unload
// handler and then destroys it, so the next use creates it anew.
class Formularsammlung {
public:
    using Deklarationen = std::function<const Formular&(FormId)>;
    using Fabrik = std::function<std::unique_ptr<Formularlogik>(FormId, Fenster&)>;

    Formularsammlung(Fensterhost& host, Deklarationen deklarationen);
    ~Formularsammlung();
    Formularsammlung(const Formularsammlung&) = delete;
    Formularsammlung& operator=(const Formularsammlung&) = delete;

    void setze_fabrik(Fabrik fabrik) { fabrik_ = std::move(fabrik); }
    // Called with an error that escaped a handler (the program's top level:
    // it shows the error and ends the program).
    using Fehlerbehandlung = std::function<void(const std::exception&)>;
    void setze_fehlerbehandlung(Fehlerbehandlung f) { fehlerbehandlung_ = std::move(f); }
    // Runs one event handler under the top-level error handling. After the
    // outermost handler (one that no other handler's action raised), the
    // follow-up set here runs the same way: what a handler left waiting,
    // such as cards typed into its message boxes, is dealt with there, in
    // one place, whichever handler showed the box.
    void ausfuehren(Aufruf handler);
    void setze_nachlauf(std::function<void()> n) { nachlauf_ = std::move(n); }

    // The window that takes a card now: loaded, not being unloaded, and one
    // whose handlers take scans (a capture form), visible or standing behind
    // a visible window that it opened in its place. nullptr when none.
    Formularlogik* kartenziel();
    // Runs `f` for the handlers of every loaded window not being unloaded.
    void fuer_alle(const std::function<void(Formularlogik&)>& f);

    // The loaded window, created (hidden) on first use. While the program is
    // ending, a window that is no longer loaded is not created again: the
    // caller gets an inert stand-in, so a closing handler that shows another
    // window cannot keep the program alive.
    Fenster& laden(FormId id);
    bool geladen(FormId id) const;
    Formularlogik* logik(FormId id);

    // The window's close box, or unloading by the program: Form_Unload runs,
    // then the window is destroyed. A window whose unloading is under way is
    // not unloaded a second time.
    void entladen(FormId id);
    // The close box: asks the handlers (query_unload), then unloads.
    void schliessen(FormId id);
    // Unloads every loaded window, in load order (the program's end).
    void alle_entladen();

    bool endet() const { return endet_; }
    bool leer() const;
    // Whether events from the window are to be handled (loaded and not
    // being unloaded).
    bool empfaengt(FormId id) const;

private:
    struct Eintrag;
    Eintrag* finden(FormId id) const;

    Fensterhost& host_;
    Deklarationen deklarationen_;
    Fabrik fabrik_;
    Fehlerbehandlung fehlerbehandlung_;
    std::vector<std::unique_ptr<Eintrag>> eintraege_;
    std::unique_ptr<Fenster> attrappe_;
    std::function<void()> nachlauf_;
    int tiefe_ = 0; // handlers running, one inside another
    bool endet_ = false;
};

} // namespace karmo::ui
