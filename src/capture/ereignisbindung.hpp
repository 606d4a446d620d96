// Compile-time tables that tie a control's event to the handler named after it.
#pragma once

#include <span>

#include "ui/steuerelemente.hpp"

namespace karmo {

// One row: "when `ctl` raises this event, run `K::handler`". A form keeps one
// constexpr table per event kind, so the mapping reads like the list of
// handlers of the form and the handlers themselves stay free of dispatching.
template <class K>
struct Ereignisbindung {
    ui::Ctl ctl;
    void (K::*handler)();
};

// Runs the handler bound to `ctl`; false when the table has none. Nothing of
// `ziel` is touched after the handler returns: a handler that ends the
// program destroys the form it belongs to.
template <class K>
bool ausloesen(std::span<const Ereignisbindung<K>> tabelle, K& ziel, ui::Ctl ctl) {
    for (const Ereignisbindung<K>& b : tabelle) {
        if (b.ctl == ctl) {
            (ziel.*b.handler)();
            return true;
        }
    }
    return false;
}

} // namespace karmo
