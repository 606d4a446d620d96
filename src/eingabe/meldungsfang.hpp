// What a window other than the capture form does with a scanner's card typed into it: the card is kept, never an answer.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "eingabe/scanerkennung.hpp"

namespace karmo::eingabe {

// The kind of window the keys are typed into.
enum class Boxart : std::uint8_t {
    Hinweis, // a message box with OK only: a refusal, a confirmation, an error
    Frage,   // a message box with Ja/Nein or OK/Abbrechen: only a person answers it
    Fenster, // any other window while a capture form is open: Karmo's own windows
             // (Ausdruck, Ausdruck läuft, ...) and the system's dialogs it opens
             // (print dialog, Open, Save As and their own boxes)
};

// What becomes of one key typed into the window.
enum class Boxschritt : std::uint8_t {
    Weiter,     // the held keys go on, in order, then this one as it always did
    Halten,     // the key is held with the ones before: it may belong to a card
    Neu,        // the held keys go on; this digit is held as the start of a new run
    Schlucken,  // the key goes nowhere, and neither do the held ones
    Schliessen, // a card ended here: the box closes as its OK would, no key goes on
};

// Follows the keys of one open window, with their message times.
//
// A card is a quick run of digits (two or more at scanner speed: a card read
// in part is still a card, its length is checked where it is captured) ended
// by Enter or Tab. Its Enter or Tab never reaches the window: no button is
// pressed, no question answered. Where there is a list to take the card
// (`nimmt_karten`), it is kept: an OK-only box closes, any other window stays
// open and may keep several cards. A quick run of more than 15 digits ended
// by Enter or Tab is a scanner's too (an event number's barcode): its keys go
// nowhere, and it is no card.
//
// Message boxes have no use for digits: they go nowhere. In any other window
// digits are held while they may be a card, and go on in order to where they
// were typed once they turn out to be a person's (a pause, another key, a
// click). Without a list to take cards, such a window gets every key as
// before; a message box still keeps a card from its buttons.
class Meldungsfang {
public:
    Meldungsfang(Boxart art, bool nimmt_karten)
        : art_(art), nimmt_karten_(nimmt_karten), erkennung_(2, art == Boxart::Fenster) {}

    Boxschritt taste(Taste t, char ziffer, std::uint32_t zeit);

    // Whether the held digits can no longer be a card at time `jetzt`: the
    // caller passes them on and calls freigegeben().
    bool verfallen(std::uint32_t jetzt) const { return erkennung_.verfallen(jetzt); }
    // The held digits have gone on (after verfallen(), or before a click).
    void freigegeben() { erkennung_.freigegeben(); }

    Boxart art() const { return art_; }
    // The cards kept, oldest first.
    const std::vector<std::string>& karten() const { return karten_; }
    std::vector<std::string> karten_abgeben() { return std::exchange(karten_, {}); }

private:
    Boxart art_;
    bool nimmt_karten_;
    Scanerkennung erkennung_;
    std::vector<std::string> karten_;
};

// The rule above with the held keys of any kind `T` (a window message; in
// tests a character). `weiter(const T&)` passes a held key on to where it was
// going; the key just typed goes on when taste() says Weiter, by the caller.
template <class T> class Fangpuffer {
public:
    Fangpuffer(Boxart art, bool nimmt_karten) : fang_(art, nimmt_karten) {}

    template <class Weiter> Boxschritt taste(Taste art, char ziffer, std::uint32_t zeit, const T& t, Weiter&& weiter) {
        const Boxschritt s = fang_.taste(art, ziffer, zeit);
        switch (s) {
            case Boxschritt::Weiter:
                abgeben(weiter);
                break;
            case Boxschritt::Halten:
                gehalten_.push_back(t);
                break;
            case Boxschritt::Neu:
                abgeben(weiter);
                gehalten_.push_back(t);
                break;
            case Boxschritt::Schlucken:
            case Boxschritt::Schliessen:
                gehalten_.clear();
                break;
        }
        return s;
    }

    // The clock: held keys that can no longer be a card go on.
    template <class Weiter> void uhr(std::uint32_t jetzt, Weiter&& weiter) {
        if (fang_.verfallen(jetzt)) freigeben(weiter);
    }
    // Passes the held keys on now (before a click, or a key for elsewhere).
    template <class Weiter> void freigeben(Weiter&& weiter) {
        fang_.freigegeben();
        abgeben(weiter);
    }

    bool haelt() const { return !gehalten_.empty(); }
    const std::vector<T>& gehalten() const { return gehalten_; }
    const Meldungsfang& regel() const { return fang_; }
    std::vector<std::string> karten_abgeben() { return fang_.karten_abgeben(); }

private:
    // Taken out first: passing a key on may run code that comes back here.
    template <class Weiter> void abgeben(Weiter& weiter) {
        std::vector<T> raus;
        raus.swap(gehalten_);
        for (const T& t : raus) weiter(t);
    }

    Meldungsfang fang_;
    std::vector<T> gehalten_;
};

} // namespace karmo::eingabe
