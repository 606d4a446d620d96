// Reading printed pages back as a scanner would: Code 39 decoded from a pixel row of the recorded page, with its own pattern table.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/fake/fake_drucker.hpp"

namespace karmo::druck::test {

// A mark's box in device pixels: a bar, or a text's line (its measured
// width, 1.3 times its height).
struct Kasten {
    int x0, y0, x1, y1; // x1, y1 exclusive
    bool schneidet(const Kasten& k) const { return x0 < k.x1 && k.x0 < x1 && y0 < k.y1 && k.y0 < y1; }
    bool in(const Kasten& k) const { return x0 >= k.x0 && x1 <= k.x1 && y0 >= k.y0 && y1 <= k.y1; }
};
inline Kasten kasten(const Gedruckter_Balken& b) { return {b.x, b.y, b.x + b.breite, b.y + b.hoehe}; }
inline Kasten kasten(const Gedruckter_Text& t, int dpi_x, int dpi_y) {
    return {t.x, t.y, t.x + FakeDrucker::textbreite(t.text, t.schrift, dpi_x, dpi_y), t.y + t.schrift.hoehe * 13 / 10};
}

// A barcode as read from the row of pixels through the middle of its bars.
struct Gelesen {
    std::string text;           // the characters between start and stop
    int links = 0, rechts = 0;  // first bar's left edge, last bar's right edge (exclusive)
    int oben = 0, unten = 0;    // the bars' top and bottom (exclusive)
    int schmal = 0, breit = 0;  // element widths
    int ruhe_links = 0, ruhe_rechts = 0; // clear pixels before and after, on that row
};

// Code 39 as published, in modules at a wide-to-narrow ratio of 2 (1 bar,
// 0 space): the digits and the start and stop character, all an EFN needs.
inline const std::map<std::string, char>& code39_tabelle() {
    static const std::map<std::string, char> t{
        {"101001101101", '0'}, {"110100101011", '1'}, {"101100101011", '2'}, {"110110010101", '3'},
        {"101001101011", '4'}, {"110100110101", '5'}, {"101100110101", '6'}, {"101001011011", '7'},
        {"110100101101", '8'}, {"101100101101", '9'}, {"100101101101", '*'},
    };
    return t;
}

// Elements (bar, space, bar, ...) read as Code 39; false when they are not
// a whole symbol: start and stop "*", nine elements a character, a narrow
// gap between characters, every element one of exactly two widths.
inline bool dekodieren(const std::vector<int>& e, Gelesen& g) {
    if (e.size() < 29 || (e.size() + 1) % 10 != 0) return false;
    const int schmal = *std::min_element(e.begin(), e.end());
    const int breit = *std::max_element(e.begin(), e.end());
    if (breit == schmal) return false;
    for (int w : e) {
        if (w != schmal && w != breit) return false;
    }
    std::string zeichen;
    for (std::size_t i = 0; i < e.size(); i += 10) {
        std::string module;
        for (std::size_t j = 0; j < 9; ++j) module.append(e[i + j] == breit ? 2 : 1, j % 2 == 0 ? '1' : '0');
        const auto f = code39_tabelle().find(module);
        if (f == code39_tabelle().end()) return false;
        zeichen += f->second;
        if (i + 9 < e.size() && e[i + 9] != schmal) return false;
    }
    if (zeichen.front() != '*' || zeichen.back() != '*') return false;
    zeichen = zeichen.substr(1, zeichen.size() - 2);
    if (zeichen.find('*') != std::string::npos) return false;
    g.text = zeichen;
    g.schmal = schmal;
    g.breit = breit;
    return true;
}

// Every barcode on the page, top to bottom and left to right. Rows to read
// are those through the middle of any 20 or more bars of one height and top
// (a barcode's bars); on a row, every mark that crosses it counts, texts
// included, and a barcode is a run of marks with clear stretches of 2.5 mm
// or more before and after it.
inline std::vector<Gelesen> strichcodes_lesen(const Gedruckte_Seite& s, int dpi_x, int dpi_y) {
    std::map<std::pair<int, int>, int> baender;
    for (const Gedruckter_Balken& b : s.balken) ++baender[{b.y, b.hoehe}];
    std::vector<Kasten> marken;
    for (const Gedruckter_Balken& b : s.balken) marken.push_back(kasten(b));
    for (const Gedruckter_Text& t : s.texte) marken.push_back(kasten(t, dpi_x, dpi_y));
    const int frei = (250 * dpi_x + 2539) / 2540; // 2.5 mm
    std::vector<Gelesen> out;
    for (const auto& [band, zahl] : baender) {
        if (zahl < 20) continue;
        const auto [oben, hoehe] = band;
        const int y = oben + hoehe / 2;
        std::vector<std::pair<int, int>> schwarz;
        for (const Kasten& k : marken) {
            if (k.y0 <= y && y < k.y1) schwarz.push_back({k.x0, k.x1});
        }
        std::sort(schwarz.begin(), schwarz.end());
        std::vector<std::pair<int, int>> laeufe; // merged
        for (const auto& [a, b] : schwarz) {
            if (!laeufe.empty() && a <= laeufe.back().second) {
                laeufe.back().second = std::max(laeufe.back().second, b);
            } else {
                laeufe.push_back({a, b});
            }
        }
        std::size_t i = 0;
        while (i < laeufe.size()) {
            const int davor = i == 0 ? laeufe[i].first : laeufe[i].first - laeufe[i - 1].second;
            std::size_t j = i;
            std::vector<int> elemente{laeufe[i].second - laeufe[i].first};
            while (j + 1 < laeufe.size() && laeufe[j + 1].first - laeufe[j].second < frei) {
                elemente.push_back(laeufe[j + 1].first - laeufe[j].second);
                elemente.push_back(laeufe[j + 1].second - laeufe[j + 1].first);
                ++j;
            }
            Gelesen g;
            if (davor >= frei && dekodieren(elemente, g)) {
                g.links = laeufe[i].first;
                g.rechts = laeufe[j].second;
                g.oben = oben;
                g.unten = oben + hoehe;
                g.ruhe_links = davor;
                g.ruhe_rechts = j + 1 < laeufe.size() ? laeufe[j + 1].first - laeufe[j].second : 1 << 30;
                out.push_back(std::move(g));
            }
            i = j + 1;
        }
    }
    return out;
}

} // namespace karmo::druck::test
