// The layout of one certificate page.
#include "druck/bescheinigungen.hpp"

#include <string>

namespace karmo::druck {
namespace {

constexpr Schrift k_gross{900, true};

} // namespace

Bescheinigungen::Bescheinigungen(const Druckdaten& d, const Textmass& m) : d_(d), m_(m), block_(d, m) {}

Seite Bescheinigungen::seite(int k) const {
    Seite s;
    const Druckteilnehmer& t = d_.teilnehmer[static_cast<std::size_t>(k - 1)];
    int y = k_oben + 10 * k_mm;
    constexpr std::string_view titel = "Teilnahmebescheinigung";
    s.texte.push_back({k_links + (k_satzbreite - m_.breite(titel, k_gross)) / 2, y, k_gross, titel});
    y += zeilenhoehe(k_gross) + 10 * k_mm;
    s.texte.push_back({k_links, y, k_text, "Hiermit wird bescheinigt, dass der Teilnehmer oder die Teilnehmerin"});
    y += zeilenhoehe(k_text);
    s.texte.push_back({k_links, y, k_text, "mit der folgenden EFN an dieser Fortbildungsveranstaltung teilgenommen hat:"});
    y += zeilenhoehe(k_text) + 8 * k_mm;

    y = block_.zeichnen(s, y) + 10 * k_mm;

    s.texte.push_back({k_links, y, k_fett, "EFN"});
    s.texte.push_back({k_links + k_wert_ab, y, k_text, t.efn});
    y += zeilenhoehe(k_text) + 3 * k_mm;
    y = strichcode_mit_ziffern(s, k_links, y, k_bescheinigung_balkenhoehe, t.efn, m_) + 8 * k_mm;

    s.texte.push_back({k_links, y, k_fett, "Basispunkte"});
    s.texte.push_back({k_links + k_wert_ab, y, k_text, t.basis.empty() ? std::string_view("0") : std::string_view(t.basis)});
    y += zeilenhoehe(k_text);
    s.texte.push_back({k_links, y, k_fett, "Referentenpunkte"});
    s.texte.push_back({k_links + k_wert_ab, y, k_text, t.referent.empty() ? std::string_view("keine") : std::string_view(t.referent)});
    y += zeilenhoehe(k_text) + 22 * k_mm;

    schreiblinie(s, k_links, y, k_satzbreite, "Name, Vorname");
    y += 30 * k_mm;
    const int breite = 70 * k_mm;
    schreiblinie(s, k_links, y, breite, "Ort, Datum");
    schreiblinie(s, k_rechts - breite - 15 * k_mm, y, breite + 15 * k_mm, "Unterschrift des Veranstalters");
    return s;
}

} // namespace karmo::druck
