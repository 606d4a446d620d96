// The certificates: one page per participant, in list order.
#pragma once

#include "druck/druckdaten.hpp"
#include "druck/seite.hpp"
#include "druck/seitenbau.hpp"
#include "druck/strichcode.hpp"

namespace karmo::druck {

inline constexpr int k_bescheinigung_balkenhoehe = 12 * k_mm;

class Bescheinigungen final : public Druckwerk {
public:
    // `d` and `m` must outlive the certificates; `sm` is the printer's.
    Bescheinigungen(const Druckdaten& d, const Textmass& m, const Strichmass& sm);

    int seitenzahl() const override { return static_cast<int>(d_.teilnehmer.size()); }
    Seite seite(int k) const override;

    // Room of the event's block: the page less everything else on it.
    static int blockraum();

private:
    const Druckdaten& d_;
    const Textmass& m_;
    Strichmass sm_;
    Veranstaltungsblock block_;
};

} // namespace karmo::druck
