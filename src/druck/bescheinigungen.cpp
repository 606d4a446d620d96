// The layout of one certificate page.
#include "druck/bescheinigungen.hpp"

#include <limits>
#include <string>

namespace karmo::druck {
namespace {

constexpr Schrift k_gross{900, true};
// A participant's name above the line "Name, Vorname".
constexpr Schrift k_name{500, true};
constexpr int k_name_ueber_linie = 100;

// From the top down: the distances between the page's parts.
constexpr int k_vor_titel = 10 * k_mm;
constexpr int k_nach_titel = 10 * k_mm;
constexpr int k_vor_block = 8 * k_mm;
constexpr int k_nach_block = 10 * k_mm;
constexpr int k_vor_code = 3 * k_mm;
constexpr int k_nach_code = 8 * k_mm;
constexpr int k_vor_namenslinie = 22 * k_mm;
constexpr int k_vor_unterschrift = 30 * k_mm;
constexpr int k_beschriftung = 80; // a line's caption beneath it (schreiblinie)
static_assert(zeilenhoehe(k_name) + k_name_ueber_linie < k_vor_namenslinie);

// Everything but the event's block, from the margin to the last caption.
constexpr int k_fest = k_vor_titel + zeilenhoehe(k_gross) + k_nach_titel + 2 * zeilenhoehe(k_text) + k_vor_block +
                       k_nach_block + zeilenhoehe(k_text) + k_vor_code +
                       strichcode_hoehe(k_bescheinigung_balkenhoehe) + k_nach_code + 2 * zeilenhoehe(k_text) +
                       k_vor_namenslinie + k_vor_unterschrift + k_beschriftung + zeilenhoehe(k_klein);

} // namespace

int Bescheinigungen::blockraum() { return k_unten - k_oben - k_fest; }

Bescheinigungen::Bescheinigungen(const Druckdaten& d, const Textmass& m, const Strichmass& sm)
    : d_(d), m_(m), sm_(sm), block_(d, m, std::numeric_limits<int>::max(), blockraum()) {}

Seite Bescheinigungen::seite(int k) const {
    Seite s;
    const Druckteilnehmer& t = d_.teilnehmer[static_cast<std::size_t>(k - 1)];
    int y = k_oben + k_vor_titel;
    constexpr std::string_view titel = "Teilnahmebescheinigung";
    s.texte.push_back({k_links + (k_satzbreite - m_.breite(titel, k_gross)) / 2, y, k_gross, titel});
    y += zeilenhoehe(k_gross) + k_nach_titel;
    s.texte.push_back({k_links, y, k_text, "Hiermit wird bescheinigt, dass der Teilnehmer oder die Teilnehmerin"});
    y += zeilenhoehe(k_text);
    s.texte.push_back({k_links, y, k_text, "mit der folgenden EFN an dieser Fortbildungsveranstaltung teilgenommen hat:"});
    y += zeilenhoehe(k_text) + k_vor_block;

    y = block_.zeichnen(s, y) + k_nach_block;

    s.texte.push_back({k_links, y, k_fett, "EFN"});
    s.texte.push_back({k_links + k_wert_ab, y, k_text, t.efn});
    y += zeilenhoehe(k_text) + k_vor_code;
    y = strichcode_mit_ziffern(s, sm_, k_links, y, k_bescheinigung_balkenhoehe, t.efn, m_.breite(t.efn, k_ziffern)) + k_nach_code;

    s.texte.push_back({k_links, y, k_fett, "Basispunkte"});
    const auto wert = [&](std::string_view w) {
        return s.merken(einpassen(w, k_satzbreite - k_wert_ab, k_text, m_));
    };
    s.texte.push_back({k_links + k_wert_ab, y, k_text, wert(t.basis.empty() ? std::string_view("0") : std::string_view(t.basis))});
    y += zeilenhoehe(k_text);
    s.texte.push_back({k_links, y, k_fett, "Referentenpunkte"});
    s.texte.push_back({k_links + k_wert_ab, y, k_text, wert(t.referent.empty() ? std::string_view("keine") : std::string_view(t.referent))});
    y += zeilenhoehe(k_text) + k_vor_namenslinie;

    if (!t.name.empty()) {
        // The name stands on its line, as if written there.
        s.texte.push_back({k_links, y - zeilenhoehe(k_name) - k_name_ueber_linie, k_name,
                           s.merken(einpassen(t.name, k_satzbreite, k_name, m_))});
    }
    schreiblinie(s, k_links, y, k_satzbreite, "Name, Vorname");
    y += k_vor_unterschrift;
    const int breite = 70 * k_mm;
    schreiblinie(s, k_links, y, breite, "Ort, Datum");
    schreiblinie(s, k_rechts - breite - 15 * k_mm, y, breite + 15 * k_mm, "Unterschrift des Veranstalters");
    return s;
}

} // namespace karmo::druck
