// The attendance list to sign: header on every page, one row per participant, the organiser's lines at the end.
#pragma once

#include "druck/druckdaten.hpp"
#include "druck/seite.hpp"
#include "druck/seitenbau.hpp"

namespace karmo::druck {

// Rows are tall enough to sign in.
inline constexpr int k_zeilenhoehe = 125 * k_mm / 10;
inline constexpr int k_kopfzeilenhoehe = 7 * k_mm;
inline constexpr int k_balkenhoehe = 85 * k_mm / 10;

// The table's columns, left edges from the left margin.
struct Spalte {
    const char* kopf;
    int links;
    int breite;
};
inline constexpr Spalte k_spalten[] = {
    {"Nr.", 0, 11 * k_mm},
    {"EFN", 11 * k_mm, 82 * k_mm},
    {"Punkte", 93 * k_mm, 15 * k_mm},
    {"Name, Vorname", 108 * k_mm, 34 * k_mm},
    {"Unterschrift", 142 * k_mm, k_satzbreite - 142 * k_mm},
};

class Anwesenheitsliste final : public Druckwerk {
public:
    // `d` and `m` must outlive the list.
    Anwesenheitsliste(const Druckdaten& d, const Textmass& m);

    int seitenzahl() const override { return seiten_; }
    Seite seite(int k) const override;

    int zeilen_je_seite() const { return zeilen_je_seite_; }
    // Rows on page k (for an empty list: the empty rows to fill in by hand).
    int zeilen_auf(int k) const;

private:
    int tabelle_oben() const;
    int kopf(Seite& s, int k) const;
    void tabellenkopf(Seite& s, int y) const;
    void zeile(Seite& s, int y, int nr, const Druckteilnehmer* t) const;
    void schluss(Seite& s, int y) const;

    const Druckdaten& d_;
    const Textmass& m_;
    Veranstaltungsblock block_;
    int zeilen_je_seite_ = 1;
    int seiten_ = 1;
    int leere_zeilen_ = 0; // rows of an empty list
};

// Height of what follows the last row.
int schlusshoehe();

} // namespace karmo::druck
