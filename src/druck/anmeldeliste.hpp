// The door list to tick off: every registration in the given order, each valid EFN as a barcode to scan from the paper.
#pragma once

#include <array>

#include "druck/druckdaten.hpp"
#include "druck/seite.hpp"
#include "druck/seitenbau.hpp"
#include "druck/strichcode.hpp"
#include "druck/tabelle.hpp"

namespace karmo::druck {

class Anmeldeliste final : public Druckwerk {
public:
    // "Nr.", "Name, Vorname", "EFN", "Erfasst", "Unterschrift".
    using Spalten = std::array<Spalte, 5>;
    static constexpr std::size_t k_name = 1;
    static constexpr std::size_t k_efn = 2;
    static constexpr std::size_t k_erfasst = 3;

    // `d` and `m` must outlive the list; `sm` is the printer's.
    Anmeldeliste(const Druckdaten& d, const Textmass& m, const Strichmass& sm);

    int seitenzahl() const override { return teilung_.seiten; }
    Seite seite(int k) const override;

    int zeilen_je_seite() const { return teilung_.je_seite; }
    int zeilen_auf(int k) const { return teilung_.zeilen_auf(k, static_cast<int>(d_.anmeldungen.size())); }
    const Spalten& spalten() const { return spalten_; }
    static Spalten spalten_fuer(const Strichmass& sm);

private:
    int tabelle_oben() const;
    void zeile(Seite& s, int y, int nr, const Druckanmeldung& a) const;

    const Druckdaten& d_;
    const Textmass& m_;
    Strichmass sm_;
    Spalten spalten_;
    int efn15_; // an EFN's digits
    Veranstaltungsblock block_;
    Seitenteilung teilung_;
};

} // namespace karmo::druck
