// Wrapping, the event's block, barcodes with their digits, lines to write on.
#include "druck/seitenbau.hpp"

#include <algorithm>


namespace karmo::druck {
namespace {

// Bytes of the UTF-8 character that starts at `i`.
std::size_t zeichenlaenge(std::string_view t, std::size_t i) {
    const auto c = static_cast<unsigned char>(t[i]);
    std::size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    return i + n <= t.size() ? n : t.size() - i;
}

// The paragraphs of `text` at its own line breaks.
std::vector<std::string_view> absaetze(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t anfang = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        out.push_back(text.substr(anfang, i - anfang));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        anfang = i + 1;
    }
    out.push_back(text.substr(anfang));
    return out;
}

// A word too wide for a line, cut between characters into pieces that fit.
void wort_brechen(std::string_view wort, int breite, Schrift s, const Textmass& m, std::vector<std::string>& out) {
    std::string stueck;
    for (std::size_t i = 0; i < wort.size();) {
        const std::size_t n = zeichenlaenge(wort, i);
        std::string probe = stueck;
        probe.append(wort.substr(i, n));
        if (!stueck.empty() && m.breite(probe, s) > breite) {
            out.push_back(std::move(stueck));
            stueck.assign(wort.substr(i, n));
        } else {
            stueck = std::move(probe);
        }
        i += n;
    }
    if (!stueck.empty()) out.push_back(std::move(stueck));
}

void absatz_umbrechen(std::string_view absatz, int breite, Schrift s, const Textmass& m,
                      std::vector<std::string>& out) {
    std::string zeile;
    std::size_t i = 0;
    bool leer = true;
    while (i < absatz.size()) {
        while (i < absatz.size() && absatz[i] == ' ') ++i;
        std::size_t ende = absatz.find(' ', i);
        if (ende == std::string_view::npos) ende = absatz.size();
        const std::string_view wort = absatz.substr(i, ende - i);
        i = ende;
        if (wort.empty()) continue;
        leer = false;
        std::string probe = zeile.empty() ? std::string(wort) : zeile + " " + std::string(wort);
        if (m.breite(probe, s) <= breite) {
            zeile = std::move(probe);
            continue;
        }
        if (!zeile.empty()) out.push_back(std::move(zeile));
        zeile.clear();
        if (m.breite(wort, s) <= breite) {
            zeile.assign(wort);
        } else {
            wort_brechen(wort, breite, s, m, out);
            zeile = std::move(out.back());
            out.pop_back();
        }
    }
    if (!zeile.empty() || leer) out.push_back(std::move(zeile));
}

} // namespace

std::vector<std::string> umbrechen(std::string_view text, int breite, Schrift s, const Textmass& m) {
    std::vector<std::string> out;
    for (std::string_view a : absaetze(text)) absatz_umbrechen(a, breite, s, m, out);
    return out;
}

void kuerzen(std::vector<std::string>& zeilen, std::size_t hoechstens, int breite, Schrift s, const Textmass& m) {
    hoechstens = std::max<std::size_t>(1, hoechstens);
    if (zeilen.size() <= hoechstens) return;
    zeilen.resize(hoechstens);
    std::string& z = zeilen.back();
    while (!z.empty() && m.breite(z + std::string(k_auslassung), s) > breite) {
        const std::size_t blank = z.rfind(' ');
        if (blank != std::string::npos && blank > 0) {
            z.resize(blank);
        } else {
            // The last character, whole.
            std::size_t i = z.size() - 1;
            while (i > 0 && (static_cast<unsigned char>(z[i]) & 0xC0) == 0x80) --i;
            z.resize(i);
        }
        while (!z.empty() && z.back() == ' ') z.pop_back();
    }
    z += k_auslassung;
}

std::string einpassen(std::string_view text, int breite, Schrift s, const Textmass& m) {
    std::vector<std::string> zeilen = umbrechen(text, breite, s, m);
    kuerzen(zeilen, 1, breite, s, m);
    return std::move(zeilen.front());
}

Veranstaltungsblock::Veranstaltungsblock(const Druckdaten& d, const Textmass& m, int inhalt_zeilen, int hoehe_hoechstens,
                                         Blockumfang umfang) {
    const int breite = k_satzbreite - k_wert_ab;
    const auto zeile = [&](std::string beschriftung, std::string_view wert) {
        std::vector<std::string> werte = umbrechen(wert, breite, k_text, m);
        kuerzen(werte, k_wert_zeilen_hoechstens, breite, k_text, m);
        zeilen_.push_back({std::move(beschriftung), std::move(werte)});
    };
    const bool voll = umfang == Blockumfang::Voll;
    zeile("VNR", d.vnr);
    zeile("Kammer", d.kammer);
    if (voll && !d.veranstalter.empty()) zeile("Veranstalter", d.veranstalter);
    if (voll && !d.ort.empty()) zeile("Ort", d.ort);
    zeile("Punkte", d.punkte);
    if (d.meldungsart != 2) return;
    zeile("Datum", d.datum_von + " bis " + d.datum_bis);
    if (!voll) return;
    zeile("Uhrzeit", d.uhrzeit_s + " bis " + d.uhrzeit_e);
    zeile("Dauer", d.dauer.empty() ? std::string() : d.dauer + " Minuten");
    const int raum = std::max(1, std::min(inhalt_zeilen, (hoehe_hoechstens - hoehe()) / zeilenhoehe(k_text)));
    std::vector<std::string> inhalt = umbrechen(d.inhalt, breite, k_text, m);
    if (inhalt.size() > static_cast<std::size_t>(raum)) {
        std::string verbunden;
        for (std::string_view a : absaetze(d.inhalt)) {
            if (a.find_first_not_of(' ') == std::string_view::npos) continue;
            if (!verbunden.empty()) verbunden += " / ";
            verbunden += a;
        }
        inhalt = umbrechen(verbunden, breite, k_text, m);
        kuerzen(inhalt, static_cast<std::size_t>(raum), breite, k_text, m);
    }
    zeilen_.push_back({"Inhalt", std::move(inhalt)});
}

int Veranstaltungsblock::hoehe() const {
    int h = 0;
    for (const Zeile& z : zeilen_) h += static_cast<int>(z.werte.size()) * zeilenhoehe(k_text);
    return h;
}

int Veranstaltungsblock::zeichnen(Seite& s, int y) const {
    for (const Zeile& z : zeilen_) {
        s.texte.push_back({k_links, y, k_fett, s.merken(z.beschriftung)});
        for (const std::string& w : z.werte) {
            if (!w.empty()) s.texte.push_back({k_links + k_wert_ab, y, k_text, s.merken(w)});
            y += zeilenhoehe(k_text);
        }
    }
    return y;
}

void schreiblinie(Seite& s, int x, int y, int breite, std::string_view beschriftung) {
    waagrecht(s, x, y, breite);
    s.texte.push_back({x, y + 80, k_klein, s.merken(beschriftung)});
}

} // namespace karmo::druck
