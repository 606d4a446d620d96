// Pagination and drawing of the attendance list.
#include "druck/anwesenheitsliste.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string>

namespace karmo::druck {
namespace {

constexpr int k_abstand_tabelle = 4 * k_mm;   // between the event's block and the table
constexpr int k_schluss_abstand = 6 * k_mm;   // between the last row and the count
constexpr int k_schluss_linie = 18 * k_mm;    // from the count down to the lines to sign on
constexpr int k_linie_beschriftung = 6 * k_mm; // room under a line for its caption

} // namespace

int schlusshoehe() { return k_schluss_abstand + k_schluss_linie + k_linie_beschriftung; }

Anwesenheitsliste::Spalten Anwesenheitsliste::spalten_fuer(const Strichmass& sm) {
    const int nr = 13 * k_mm;
    const int efn = efn_spaltenbreite(sm);
    const int punkte = 15 * k_mm;
    const int unterschrift = unterschriftbreite(k_satzbreite - nr - efn - punkte);
    return spalten_legen<5>({{{"Nr.", 0, nr},
                              {"EFN", 0, efn},
                              {"Punkte", 0, punkte},
                              {"Name, Vorname", 0, 0},
                              {"Unterschrift", 0, unterschrift}}});
}

Anwesenheitsliste::Anwesenheitsliste(const Druckdaten& d, const Textmass& m, const Strichmass& sm)
    : d_(d),
      m_(m),
      sm_(sm),
      spalten_(spalten_fuer(sm)),
      efn15_(efn15_breite(m)),
      block_(d, m, k_inhalt_zeilen_hoechstens),
      teilung_(static_cast<int>(d.teilnehmer.size()), k_unten - tabelle_oben() - k_kopfzeilenhoehe, schlusshoehe()) {
    if (d_.teilnehmer.empty()) {
        const int raum = k_unten - tabelle_oben() - k_kopfzeilenhoehe;
        leere_zeilen_ = std::max(1, (raum - schlusshoehe()) / k_zeilenhoehe);
    }
}

int Anwesenheitsliste::zeilen_auf(int k) const {
    if (d_.teilnehmer.empty()) return k == 1 ? leere_zeilen_ : 0;
    return teilung_.zeilen_auf(k, static_cast<int>(d_.teilnehmer.size()));
}

int Anwesenheitsliste::tabelle_oben() const {
    return k_oben + listenkopf_hoehe_ohne_block() + block_.hoehe() + k_abstand_tabelle;
}

void Anwesenheitsliste::zeile(Seite& s, int y, int nr, const Druckteilnehmer* t) const {
    const int mitte = y + (k_zeilenhoehe - zeilenhoehe(k_text)) / 2;
    // Composed in a buffer and kept by the page: a page of the largest event
    // is one of about 2,000, and its rows allocate nothing of their own.
    char puffer[32];
    const auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, nr);
    (void)fehler;
    s.texte.push_back({k_links + k_zelle_innen, mitte, k_text,
                       s.merken(std::string_view(puffer, static_cast<std::size_t>(ende - puffer)))});
    if (t) {
        strichcode_mit_ziffern(s, sm_, k_links + spalten_[k_efn].links + k_strich, y + k_balken_oben, k_balkenhoehe,
                               t->efn, ziffernbreite(t->efn, efn15_, m_));
        // The points as the list line shows them: base, "/", speaker.
        if (t->basis.size() + t->referent.size() + 1 <= sizeof puffer) {
            std::memcpy(puffer, t->basis.data(), t->basis.size());
            puffer[t->basis.size()] = '/';
            std::memcpy(puffer + t->basis.size() + 1, t->referent.data(), t->referent.size());
            zelltext(s, spalten_[2], y, std::string_view(puffer, t->basis.size() + 1 + t->referent.size()), m_);
        } else {
            zelltext(s, spalten_[2], y, t->basis + "/" + t->referent, m_);
        }
        namenzelle(s, spalten_[k_name], y, t->name, m_);
    }
    waagrecht(s, k_links, y + k_zeilenhoehe, k_satzbreite);
}

void Anwesenheitsliste::schluss(Seite& s, int y) const {
    y += k_schluss_abstand;
    std::string zahl = "Erfasste Teilnehmer:";
    if (!d_.teilnehmer.empty()) zahl.append(" ").append(std::to_string(d_.teilnehmer.size()));
    s.texte.push_back({k_links, y, k_text, s.merken(zahl)});
    if (d_.teilnehmer.empty()) waagrecht(s, k_links + m_.breite("Erfasste Teilnehmer: ", k_text), y + k_text.hoehe,
                                         20 * k_mm);
    y += k_schluss_linie;
    const int breite = 70 * k_mm;
    schreiblinie(s, k_links, y, breite, "Ort, Datum");
    schreiblinie(s, k_rechts - breite - 15 * k_mm, y, breite + 15 * k_mm, "Unterschrift der wissenschaftlichen Leitung");
}

Seite Anwesenheitsliste::seite(int k) const {
    Seite s;
    const int zeilen = zeilen_auf(k);
    // Reserved once: a page of the largest event is one of about 2,000.
    s.texte.reserve(static_cast<std::size_t>(24 + 4 * zeilen));
    s.balken.reserve(static_cast<std::size_t>(10 + zeilen));
    s.codes.reserve(static_cast<std::size_t>(zeilen));
    listenkopf(s, "Anwesenheitsliste", k, seitenzahl(), block_, m_);
    const int y = tabellenrumpf(s, tabelle_oben(), zeilen, (k - 1) * zeilen_je_seite(), spalten_, [&](int oben, int nr) {
        const Druckteilnehmer* t = d_.teilnehmer.empty() ? nullptr : &d_.teilnehmer[static_cast<std::size_t>(nr)];
        zeile(s, oben, nr + 1, t);
    });
    if (k == seitenzahl()) schluss(s, y);
    return s;
}

} // namespace karmo::druck
