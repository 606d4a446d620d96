// Telling a barcode scanner's keys from a person's: 15 digits in quick succession, ended by Enter or Tab.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace karmo::eingabe {

// A scanner types each key within this many milliseconds of the one before;
// a person, even a fast one on a number pad, takes more than twice as long.
inline constexpr std::uint32_t k_scan_abstand_ms = 50;
// A participant's number has exactly this many digits.
inline constexpr std::size_t k_scan_ziffern = 15;

// What a key is to the detector.
enum class Taste : std::uint8_t {
    Ziffer, // 0 to 9
    Ende,   // Enter or Tab, as a scanner ends a number
    Andere, // any other key
};

// What to do with a key and the keys held before it.
enum class Entscheidung : std::uint8_t {
    Halten,    // hold this digit with the ones held before: it may belong to a scan
    Freigeben, // pass on the held keys, then this one
    Neu,       // pass on the held keys, then hold this digit as the start of a new run
    Scan,      // the held digits and this key are a scan: ziffern() holds it, no key goes on
    Ueberlang, // this Enter or Tab ends a quick run of more than 15 digits: a machine's run, but no card
};

// Follows the keys typed into one place, with the time of each (the
// platform's message time in milliseconds; wrap-around is harmless). A scan
// is exactly k_scan_ziffern digits, each within k_scan_abstand_ms of the key
// before, ended by Enter or Tab within k_scan_abstand_ms of the last digit.
// A run of quick digits starts after a pause or after any other key, so the
// next card's digits may follow a scan's Enter at once. A run that grows past
// 15 digits is no scan, nor is any part of it.
//
// Where digits have no other use (a message box), a shorter quick run ended
// by Enter or Tab is taken as well: a card read in part is still a card, and
// its length is checked where it is captured.
//
// The Enter or Tab that ends a quick run past 15 digits (an event number's
// barcode) is told apart as `Ueberlang`: a scanner typed it, so it answers
// nothing. Where such a run has no place (a window that is not the capture
// form's), `ueberlange_halten` keeps holding its digits, so that none of them
// reaches the window either.
class Scanerkennung {
public:
    explicit Scanerkennung(std::size_t mindestens = k_scan_ziffern, bool ueberlange_halten = false)
        : mindestens_(mindestens), ueberlange_halten_(ueberlange_halten) {}

    Entscheidung taste(Taste art, char ziffer, std::uint32_t zeit);

    // Whether the held digits can no longer become a scan at time `jetzt`:
    // the last came more than k_scan_abstand_ms before.
    bool verfallen(std::uint32_t jetzt) const;
    // The caller has passed on the held digits (after verfallen(), or for
    // another reason such as a click): they are forgotten, and the next
    // digit starts a new run.
    void freigegeben();

    // The digits held, oldest first; after Entscheidung::Scan, the scan.
    const std::string& ziffern() const { return ziffern_; }
    bool haelt() const { return !ziffern_.empty() && !scan_; }

private:
    std::size_t mindestens_;
    bool ueberlange_halten_;
    std::string ziffern_;
    std::uint32_t letzte_ = 0;
    bool nach_ziffer_ = false; // the key before was a digit
    bool zu_lang_ = false;     // the current run has passed 15 digits
    bool scan_ = false;        // ziffern_ is a finished scan, not held keys
};

} // namespace karmo::eingabe
