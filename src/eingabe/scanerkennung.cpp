// Telling a barcode scanner's keys from a person's.
#include "eingabe/scanerkennung.hpp"

namespace karmo::eingabe {

Entscheidung Scanerkennung::taste(Taste art, char ziffer, std::uint32_t zeit) {
    const bool schnell = static_cast<std::uint32_t>(zeit - letzte_) <= k_scan_abstand_ms;
    const bool fortsetzung = nach_ziffer_ && schnell;
    letzte_ = zeit;
    if (scan_) {
        ziffern_.clear();
        scan_ = false;
    }
    if (art != Taste::Ziffer) {
        const bool ende = art == Taste::Ende && fortsetzung;
        const bool scan = ende && !zu_lang_ && ziffern_.size() >= mindestens_;
        const bool ueberlang = ende && zu_lang_;
        nach_ziffer_ = false;
        zu_lang_ = false;
        if (scan) {
            scan_ = true;
            return Entscheidung::Scan;
        }
        ziffern_.clear();
        return ueberlang ? Entscheidung::Ueberlang : Entscheidung::Freigeben;
    }
    nach_ziffer_ = true;
    if (!fortsetzung) {
        const bool alte = !ziffern_.empty();
        zu_lang_ = false;
        ziffern_.assign(1, ziffer);
        return alte ? Entscheidung::Neu : Entscheidung::Halten;
    }
    if (zu_lang_) return ueberlange_halten_ ? Entscheidung::Halten : Entscheidung::Freigeben;
    if (ziffern_.size() < k_scan_ziffern) {
        ziffern_.push_back(ziffer);
        return Entscheidung::Halten;
    }
    // A 16th digit: a longer number typed by a machine (a VNR), not a card.
    // Held on, it is still kept apart from the digits of a card: ziffern()
    // is not a scan's once the run has passed 15.
    zu_lang_ = true;
    if (ueberlange_halten_) return Entscheidung::Halten;
    ziffern_.clear();
    return Entscheidung::Freigeben;
}

// A clock read a little behind the last key's time (two clocks of the same
// system) does not count as a pause.
bool Scanerkennung::verfallen(std::uint32_t jetzt) const {
    const auto seither = static_cast<std::uint32_t>(jetzt - letzte_);
    return haelt() && seither > k_scan_abstand_ms && seither < 0x80000000U;
}

void Scanerkennung::freigegeben() {
    ziffern_.clear();
    scan_ = false;
    nach_ziffer_ = false;
    zu_lang_ = false;
}

} // namespace karmo::eingabe
