// Pagination and drawing of the door list.
#include "druck/anmeldeliste.hpp"

#include <charconv>
#include <string>

namespace karmo::druck {
namespace {

constexpr int k_abstand_tabelle = 4 * k_mm; // between the event's block and the table
constexpr int k_schluss_abstand = 6 * k_mm; // between the last row and the count
constexpr int k_schluss = k_schluss_abstand + zeilenhoehe(k_text);

// A barcode only for what a scanner can give back as an EFN: 15 digits.
bool als_strichcode(const Druckanmeldung& a) {
    if (!a.efn_gueltig || a.efn.size() != k_code_zeichen) return false;
    unsigned andere = 0;
    for (char c : a.efn) andere |= static_cast<unsigned>(static_cast<unsigned char>(c) - '0') > 9 ? 1U : 0U;
    return andere == 0;
}

} // namespace

Anmeldeliste::Spalten Anmeldeliste::spalten_fuer(const Strichmass& sm) {
    const int nr = 14 * k_mm; // "32767" in the text's type
    const int efn = efn_spaltenbreite(sm);
    const int erfasst = 16 * k_mm;
    const int unterschrift = unterschriftbreite(k_satzbreite - nr - efn - erfasst);
    return spalten_legen<5>({{{"Nr.", 0, nr},
                              {"Name, Vorname", 0, 0},
                              {"EFN", 0, efn},
                              {"Erfasst", 0, erfasst},
                              {"Unterschrift", 0, unterschrift}}});
}

Anmeldeliste::Anmeldeliste(const Druckdaten& d, const Textmass& m, const Strichmass& sm)
    : d_(d),
      m_(m),
      sm_(sm),
      spalten_(spalten_fuer(sm)),
      efn15_(efn15_breite(m)),
      block_(d, m, 0, k_papier_hoehe, Blockumfang::Kurz),
      teilung_(static_cast<int>(d.anmeldungen.size()), k_unten - tabelle_oben() - k_kopfzeilenhoehe, k_schluss) {}

int Anmeldeliste::tabelle_oben() const {
    return k_oben + listenkopf_hoehe_ohne_block() + block_.hoehe() + k_abstand_tabelle;
}

void Anmeldeliste::zeile(Seite& s, int y, int nr, const Druckanmeldung& a) const {
    // The number and "ja" unmeasured: their columns are sized for "32767"
    // and "Erfasst".
    const int mitte = y + (k_zeilenhoehe - zeilenhoehe(k_text)) / 2;
    char puffer[16];
    const auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, nr);
    (void)fehler;
    s.texte.push_back({k_links + spalten_[0].links + k_zelle_innen, mitte, k_text,
                       s.merken(std::string_view(puffer, static_cast<std::size_t>(ende - puffer)))});
    namenzelle(s, spalten_[k_name], y, a.name, m_);
    if (als_strichcode(a)) {
        strichcode_mit_ziffern(s, sm_, k_links + spalten_[k_efn].links + k_strich, y + k_balken_oben, k_balkenhoehe, a.efn,
                               ziffernbreite(a.efn, efn15_, m_));
    } else {
        zelltext(s, spalten_[k_efn], y, a.efn, m_);
    }
    if (a.erfasst) s.texte.push_back({k_links + spalten_[k_erfasst].links + k_zelle_innen, mitte, k_text, "ja"});
    waagrecht(s, k_links, y + k_zeilenhoehe, k_satzbreite);
}

Seite Anmeldeliste::seite(int k) const {
    Seite s;
    const int zeilen = zeilen_auf(k);
    s.texte.reserve(static_cast<std::size_t>(16 + 5 * zeilen));
    s.balken.reserve(static_cast<std::size_t>(10 + zeilen));
    s.codes.reserve(static_cast<std::size_t>(zeilen));
    listenkopf(s, "Anmeldeliste", k, seitenzahl(), block_, m_);
    const int y = tabellenrumpf(s, tabelle_oben(), zeilen, (k - 1) * zeilen_je_seite(), spalten_, [&](int oben, int nr) {
        zeile(s, oben, nr + 1, d_.anmeldungen[static_cast<std::size_t>(nr)]);
    });
    if (k == seitenzahl()) {
        s.texte.push_back({k_links, y + k_schluss_abstand, k_text,
                           s.merken("Angemeldet: " + std::to_string(d_.angemeldet) +
                                    ", davon erfasst: " + std::to_string(d_.erfasst))});
    }
    return s;
}

} // namespace karmo::druck
