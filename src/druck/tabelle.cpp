// The lists' shared parts: header, columns, table lines, cells, page breaks.
#include "druck/tabelle.hpp"

#include <algorithm>
#include <string>

namespace karmo::druck {
namespace {

constexpr int k_abstand_titel = 3 * k_mm; // below the title line

} // namespace

int efn_spaltenbreite(const Strichmass& sm) { return k_strich + strichcode_raum(sm); }

int unterschriftbreite(int rest) { return std::clamp(rest - 45 * k_mm, 25 * k_mm, 33 * k_mm); }

int listenkopf_hoehe_ohne_block() { return zeilenhoehe(k_titel) + k_abstand_titel; }

int listenkopf(Seite& s, std::string_view titel, int k, int seiten, const Veranstaltungsblock& block, const Textmass& m) {
    s.texte.push_back({k_links, k_oben, k_titel, titel});
    const std::string_view seite = s.merken("Seite " + std::to_string(k) + " von " + std::to_string(seiten));
    s.texte.push_back({k_rechts - m.breite(seite, k_text), k_oben + k_titel.hoehe - k_text.hoehe, k_text, seite});
    const int y = k_oben + zeilenhoehe(k_titel);
    waagrecht(s, k_links, y, k_satzbreite);
    return block.zeichnen(s, y + k_abstand_titel);
}

void tabellenkopf(Seite& s, int y, std::span<const Spalte> spalten) {
    waagrecht(s, k_links, y, k_satzbreite);
    for (const Spalte& sp : spalten) {
        s.texte.push_back({k_links + sp.links + k_zelle_innen, y + (k_kopfzeilenhoehe - zeilenhoehe(k_spaltenkopf)) / 2,
                           k_spaltenkopf, sp.kopf});
    }
    waagrecht(s, k_links, y + k_kopfzeilenhoehe, k_satzbreite);
}

void spaltenlinien(Seite& s, int oben, int unten, std::span<const Spalte> spalten) {
    for (const Spalte& sp : spalten) senkrecht(s, k_links + sp.links, oben, unten - oben);
    senkrecht(s, k_rechts - k_strich, oben, unten - oben);
}

void zelltext(Seite& s, const Spalte& sp, int y, std::string_view text, const Textmass& m) {
    if (text.empty()) return;
    const int breite = sp.breite - 2 * k_zelle_innen;
    const int x = k_links + sp.links + k_zelle_innen;
    const int mitte = y + (k_zeilenhoehe - zeilenhoehe(k_text)) / 2;
    // Most cells fit: the text stays where it lives, the page keeps a copy.
    if (m.breite(text, k_text) <= breite) {
        s.texte.push_back({x, mitte, k_text, s.merken(text)});
    } else {
        s.texte.push_back({x, mitte, k_text, s.merken(einpassen(text, breite, k_text, m))});
    }
}

void namenzelle(Seite& s, const Spalte& sp, int y, std::string_view name, const Textmass& m) {
    if (name.empty()) return;
    const int breite = sp.breite - 2 * k_zelle_innen;
    const int x = k_links + sp.links + k_zelle_innen;
    if (m.breite(name, k_text) <= breite && name.find_first_of("\r\n") == std::string_view::npos) {
        s.texte.push_back({x, y + (k_zeilenhoehe - zeilenhoehe(k_text)) / 2, k_text, s.merken(name)});
        return;
    }
    std::vector<std::string> zeilen = umbrechen(name, breite, k_klein, m);
    kuerzen(zeilen, 2, breite, k_klein, m);
    int z = y + (k_zeilenhoehe - static_cast<int>(zeilen.size()) * zeilenhoehe(k_klein)) / 2;
    for (const std::string& t : zeilen) {
        s.texte.push_back({x, z, k_klein, s.merken(t)});
        z += zeilenhoehe(k_klein);
    }
}

Seitenteilung::Seitenteilung(int n, int raum, int schluss) {
    je_seite = std::max(1, raum / k_zeilenhoehe);
    seiten = std::max(1, (n + je_seite - 1) / je_seite);
    const int letzte = n - (seiten - 1) * je_seite;
    if (n > 0 && raum - letzte * k_zeilenhoehe < schluss) ++seiten;
}

int Seitenteilung::zeilen_auf(int k, int n) const { return std::clamp(n - (k - 1) * je_seite, 0, je_seite); }

} // namespace karmo::druck
