// The attendance list to sign: header on every page, one row per participant, the organiser's lines at the end.
#pragma once

#include <array>

#include "druck/druckdaten.hpp"
#include "druck/seite.hpp"
#include "druck/seitenbau.hpp"
#include "druck/strichcode.hpp"
#include "druck/tabelle.hpp"

namespace karmo::druck {

class Anwesenheitsliste final : public Druckwerk {
public:
    // "Nr.", "EFN", "Punkte", "Name, Vorname", "Unterschrift".
    using Spalten = std::array<Spalte, 5>;
    static constexpr std::size_t k_efn = 1;
    static constexpr std::size_t k_name = 3;

    // `d` and `m` must outlive the list; `sm` is the printer's.
    Anwesenheitsliste(const Druckdaten& d, const Textmass& m, const Strichmass& sm);

    int seitenzahl() const override { return teilung_.seiten; }
    Seite seite(int k) const override;

    int zeilen_je_seite() const { return teilung_.je_seite; }
    // Rows on page k (for an empty list: the empty rows to fill in by hand).
    int zeilen_auf(int k) const;
    const Spalten& spalten() const { return spalten_; }
    // The columns for a printer of `sm`: the EFN column as wide as its barcode
    // asks, the name column what the others leave.
    static Spalten spalten_fuer(const Strichmass& sm);

private:
    int tabelle_oben() const;
    void zeile(Seite& s, int y, int nr, const Druckteilnehmer* t) const;
    void schluss(Seite& s, int y) const;

    const Druckdaten& d_;
    const Textmass& m_;
    Strichmass sm_;
    Spalten spalten_;
    int efn15_; // an EFN's digits
    Veranstaltungsblock block_;
    Seitenteilung teilung_;
    int leere_zeilen_ = 0; // rows of an empty list
};

// Height of what follows the last row.
int schlusshoehe();

} // namespace karmo::druck
