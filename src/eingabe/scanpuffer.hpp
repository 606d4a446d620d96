// Holding keys while they may be a scan: released in order when they are not, taken as a whole when they are.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "eingabe/scanerkennung.hpp"

namespace karmo::eingabe {

// Keys of any kind `T` (a window message, in tests a character), held back
// from their target while they may still be a scan. `weiter(const T&)` passes
// a key on to where it was going; `scan(std::string_view)` takes a finished
// scan, whose keys (the Enter or Tab included) go nowhere. `ueberlang(const T&)`
// gets the Enter or Tab that ended a quick run of more than 15 digits, whose
// digits have gone on; without it, that key goes on as well.
template <class T> class Scanpuffer {
public:
    template <class Weiter, class Scan>
    void taste(Taste art, char ziffer, std::uint32_t zeit, const T& t, Weiter&& weiter, Scan&& scan) {
        taste(art, ziffer, zeit, t, weiter, scan, [&weiter](const T& k) { weiter(k); });
    }

    template <class Weiter, class Scan, class Ueberlang>
    void taste(Taste art, char ziffer, std::uint32_t zeit, const T& t, Weiter&& weiter, Scan&& scan,
               Ueberlang&& ueberlang) {
        switch (erkennung_.taste(art, ziffer, zeit)) {
            case Entscheidung::Halten:
                gehalten_.push_back(t);
                return;
            case Entscheidung::Freigeben:
                abgeben(weiter);
                weiter(t);
                return;
            case Entscheidung::Neu:
                abgeben(weiter);
                gehalten_.push_back(t);
                return;
            case Entscheidung::Scan:
                gehalten_.clear();
                scan(std::string_view(erkennung_.ziffern()));
                return;
            case Entscheidung::Ueberlang:
                abgeben(weiter);
                ueberlang(t);
                return;
        }
    }

    // The clock: held keys that can no longer be a scan go on.
    template <class Weiter> void uhr(std::uint32_t jetzt, Weiter&& weiter) {
        if (erkennung_.verfallen(jetzt)) freigeben(weiter);
    }

    // Passes the held keys on now (before a click, or a key for elsewhere).
    template <class Weiter> void freigeben(Weiter&& weiter) {
        erkennung_.freigegeben();
        abgeben(weiter);
    }

    bool haelt() const { return !gehalten_.empty(); }
    const std::vector<T>& gehalten() const { return gehalten_; }

private:
    // Taken out first: passing a key on may run code that comes back here.
    template <class Weiter> void abgeben(Weiter& weiter) {
        std::vector<T> raus;
        raus.swap(gehalten_);
        for (const T& t : raus) weiter(t);
    }

    Scanerkennung erkennung_;
    std::vector<T> gehalten_;
};

} // namespace karmo::eingabe
