// Pagination and drawing of the attendance list.
#include "druck/anwesenheitsliste.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string>

#include "druck/code39.hpp"

namespace karmo::druck {
namespace {

// A 15-digit EFN's barcode with its quiet zones fits its column.
static_assert(strichcode_raum(code39::modulzahl(15)) <= k_spalten[1].breite);

constexpr int k_abstand_titel = 3 * k_mm;     // below the title line
constexpr int k_abstand_tabelle = 4 * k_mm;   // between the event's block and the table
constexpr int k_schluss_abstand = 6 * k_mm;   // between the last row and the count
constexpr int k_schluss_linie = 18 * k_mm;    // from the count down to the lines to sign on
constexpr int k_linie_beschriftung = 6 * k_mm; // room under a line for its caption
constexpr int k_zelle_innen = 15 * k_mm / 10; // text's distance from a cell's left edge

} // namespace

int schlusshoehe() { return k_schluss_abstand + k_schluss_linie + k_linie_beschriftung; }

Anwesenheitsliste::Anwesenheitsliste(const Druckdaten& d, const Textmass& m) : d_(d), m_(m), block_(d, m) {
    const int raum = k_unten - tabelle_oben() - k_kopfzeilenhoehe;
    zeilen_je_seite_ = std::max(1, raum / k_zeilenhoehe);
    const int n = static_cast<int>(d_.teilnehmer.size());
    if (n == 0) {
        leere_zeilen_ = std::max(1, (raum - schlusshoehe()) / k_zeilenhoehe);
        seiten_ = 1;
        return;
    }
    seiten_ = (n + zeilen_je_seite_ - 1) / zeilen_je_seite_;
    // The closing lines go onto a page of their own when the last rows leave no room.
    const int letzte = n - (seiten_ - 1) * zeilen_je_seite_;
    if (raum - letzte * k_zeilenhoehe < schlusshoehe()) ++seiten_;
}

int Anwesenheitsliste::zeilen_auf(int k) const {
    const int n = static_cast<int>(d_.teilnehmer.size());
    if (n == 0) return k == 1 ? leere_zeilen_ : 0;
    const int erste = (k - 1) * zeilen_je_seite_;
    return std::clamp(n - erste, 0, zeilen_je_seite_);
}

int Anwesenheitsliste::tabelle_oben() const {
    return k_oben + zeilenhoehe(k_titel) + k_abstand_titel + block_.hoehe() + k_abstand_tabelle;
}

int Anwesenheitsliste::kopf(Seite& s, int k) const {
    s.texte.push_back({k_links, k_oben, k_titel, "Anwesenheitsliste"});
    const std::string_view seite = s.merken("Seite " + std::to_string(k) + " von " + std::to_string(seiten_));
    const int breite = m_.breite(seite, k_text);
    s.texte.push_back({k_rechts - breite, k_oben + k_titel.hoehe - k_text.hoehe, k_text, seite});
    const int y = k_oben + zeilenhoehe(k_titel);
    waagrecht(s, k_links, y, k_satzbreite);
    block_.zeichnen(s, y + k_abstand_titel);
    return tabelle_oben();
}

void Anwesenheitsliste::tabellenkopf(Seite& s, int y) const {
    waagrecht(s, k_links, y, k_satzbreite);
    for (const Spalte& sp : k_spalten) {
        s.texte.push_back({k_links + sp.links + k_zelle_innen,
                           y + (k_kopfzeilenhoehe - zeilenhoehe(k_spaltenkopf)) / 2, k_spaltenkopf, sp.kopf});
    }
    waagrecht(s, k_links, y + k_kopfzeilenhoehe, k_satzbreite);
}

void Anwesenheitsliste::zeile(Seite& s, int y, int nr, const Druckteilnehmer* t) const {
    const int mitte = y + (k_zeilenhoehe - zeilenhoehe(k_text)) / 2;
    // Composed in a buffer and kept by the page: a page of the largest event
    // is one of about 1,800, and its rows allocate nothing of their own.
    char puffer[32];
    const auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, nr);
    (void)fehler;
    s.texte.push_back({k_links + k_zelle_innen, mitte, k_text,
                       s.merken(std::string_view(puffer, static_cast<std::size_t>(ende - puffer)))});
    if (t) {
        const Spalte& efn = k_spalten[1];
        strichcode_mit_ziffern(s, k_links + efn.links, y + 100, k_balkenhoehe, t->efn, m_);
        // The points as the list line shows them: base, "/", speaker.
        std::string_view punkte;
        if (t->basis.size() + t->referent.size() + 1 <= sizeof puffer) {
            std::memcpy(puffer, t->basis.data(), t->basis.size());
            puffer[t->basis.size()] = '/';
            std::memcpy(puffer + t->basis.size() + 1, t->referent.data(), t->referent.size());
            punkte = s.merken(std::string_view(puffer, t->basis.size() + 1 + t->referent.size()));
        } else {
            punkte = s.merken(t->basis + "/" + t->referent);
        }
        s.texte.push_back({k_links + k_spalten[2].links + k_zelle_innen, mitte, k_text, punkte});
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
    // Reserved once: a page of the largest event is one of about 1,800.
    s.texte.reserve(static_cast<std::size_t>(24 + 3 * zeilen));
    s.balken.reserve(static_cast<std::size_t>(10 + zeilen));
    s.codes.reserve(static_cast<std::size_t>(zeilen));
    int y = kopf(s, k);
    if (zeilen > 0) {
        tabellenkopf(s, y);
        const int tabelle = y;
        y += k_kopfzeilenhoehe;
        const int erste = (k - 1) * zeilen_je_seite_;
        for (int i = 0; i < zeilen; ++i) {
            const int nr = erste + i;
            const Druckteilnehmer* t = d_.teilnehmer.empty() ? nullptr : &d_.teilnehmer[static_cast<std::size_t>(nr)];
            zeile(s, y, nr + 1, t);
            y += k_zeilenhoehe;
        }
        for (const Spalte& sp : k_spalten) senkrecht(s, k_links + sp.links, tabelle, y - tabelle);
        senkrecht(s, k_rechts - k_strich, tabelle, y - tabelle);
    }
    if (k == seiten_) schluss(s, y);
    return s;
}

} // namespace karmo::druck
