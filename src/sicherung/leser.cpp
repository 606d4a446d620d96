// The journal's reader: a snapshot, then the changes after it, up to the first entry that does not hold.
#include "sicherung/leser.hpp"

#include <charconv>

namespace karmo::sicherung {
namespace {

// A decimal number without sign or leading zeros, at most `hoechstens`.
std::optional<std::size_t> zahl(std::string_view t, std::size_t hoechstens) {
    if (t.empty() || t.size() > 9 || (t.size() > 1 && t[0] == '0')) return std::nullopt;
    std::size_t n = 0;
    const auto [ende, fehler] = std::from_chars(t.data(), t.data() + t.size(), n);
    if (fehler != std::errc() || ende != t.data() + t.size() || n > hoechstens) return std::nullopt;
    return n;
}

bool zustand_setzen(Stand& s, const std::vector<std::string>& f) {
    if (f.size() != 5) return false;
    const auto art = zahl(f[2], 255);
    const auto kammer = zahl(f[3], 255);
    if (!art || !kammer) return false;
    s.vnr = f[1];
    s.meldungsart = static_cast<std::uint8_t>(*art);
    s.kammer = static_cast<std::uint8_t>(*kammer);
    s.datei = f[4];
    return true;
}

bool feld_setzen(Stand& s, const std::vector<std::string>& f) {
    if (f.size() != 3) return false;
    for (std::size_t i = 0; i < s.feldzahl(); ++i) {
        if (k_felder[i].name == f[1]) {
            s.felder[i] = f[2];
            return true;
        }
    }
    return false;
}

// One change of the list; false when it cannot apply to the list as it is.
bool listenaenderung(Stand& s, std::vector<std::string>& f) {
    const std::string_view art = f[0];
    auto& zeilen = s.zeilen;
    if (art == k_anfuegen) {
        // One line, or the lines that came together (another list taken in):
        // all of them, or none when they do not fit.
        if (f.size() < 2 || f.size() - 1 > k_hoechstzeilen - zeilen.size()) return false;
        for (std::size_t i = 1; i < f.size(); ++i) zeilen.push_back(std::move(f[i]));
        return true;
    }
    if (art == k_ersetzen) {
        if (f.size() != 3) return false;
        const auto i = zahl(f[1], k_hoechstzeilen);
        if (!i || *i >= zeilen.size()) return false;
        zeilen[*i] = std::move(f[2]);
        return true;
    }
    if (art == k_entfernen) {
        if (f.size() != 2) return false;
        const auto i = zahl(f[1], k_hoechstzeilen);
        if (!i || *i >= zeilen.size()) return false;
        zeilen.erase(zeilen.begin() + static_cast<std::ptrdiff_t>(*i));
        return true;
    }
    if (art == k_leeren) {
        if (f.size() != 1) return false;
        zeilen.clear();
        return true;
    }
    return false;
}

// A change after the snapshot.
bool aenderung(Stand& s, std::vector<std::string>& f) {
    if (f[0] == k_feld) return feld_setzen(s, f);
    if (f[0] == k_zustand) return zustand_setzen(s, f);
    return listenaenderung(s, f);
}

} // namespace

std::string schnappschuss(const Stand& s) {
    std::string out;
    out.reserve(256 + s.zeilen.size() * 32);
    eintrag(out, {k_anfang, k_version, s.form == ui::FormId::MA1_Maske ? "1" : "2"});
    eintrag(out, {k_zustand, s.vnr, std::to_string(s.meldungsart), std::to_string(s.kammer), s.datei});
    for (std::size_t i = 0; i < s.feldzahl(); ++i) {
        if (s.felder[i]) eintrag(out, {k_feld, k_felder[i].name, *s.felder[i]});
    }
    // The list's lines as entries of many lines each, as another list's lines
    // are journaled.
    if (!s.zeilen.empty()) {
        Sammeleintrag liste(out, k_anfuegen);
        for (const std::string& z : s.zeilen) liste.feld(z);
        liste.schliessen();
    }
    eintrag(out, {k_ende, std::to_string(s.zeilen.size())});
    return out;
}

Gelesen lesen(std::string_view bytes) {
    Gelesen g;
    Zeilen zeilen(bytes);
    std::vector<std::string> f;

    // The snapshot: its beginning, the current values, the boxes and the list, its end.
    if (!zeilen.naechste(f) || f.size() != 3 || f[0] != k_anfang || f[1] != k_version) return g;
    if (f[2] == "1") g.stand.form = ui::FormId::MA1_Maske;
    else if (f[2] == "2") g.stand.form = ui::FormId::MA2_Maske;
    else return g;
    for (;;) {
        if (!zeilen.naechste(f)) return g;
        if (f[0] == k_ende) break;
        const bool ok = f[0] == k_zustand  ? zustand_setzen(g.stand, f)
                        : f[0] == k_feld   ? feld_setzen(g.stand, f)
                        : f[0] == k_anfuegen ? listenaenderung(g.stand, f)
                                           : false;
        if (!ok) return g;
    }
    const auto anzahl = f.size() == 2 ? zahl(f[1], k_hoechstzeilen) : std::nullopt;
    if (!anzahl || *anzahl != g.stand.zeilen.size()) return g;
    g.lesbar = true;
    g.gueltig = zeilen.gelesen();

    // The changes, each applied only when it is whole and fits.
    while (zeilen.naechste(f)) {
        if (f.empty() || !aenderung(g.stand, f)) break;
        g.gueltig = zeilen.gelesen();
    }
    g.rest = g.gueltig < bytes.size();
    return g;
}

} // namespace karmo::sicherung
