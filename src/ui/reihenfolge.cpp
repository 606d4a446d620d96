// Which label names which box, and the order in which a window's controls are made.
#include "ui/reihenfolge.hpp"

#include <algorithm>
#include <map>

namespace karmo::ui {
namespace {

// A control's box in twips from the window's client origin.
struct Kasten {
    int links, oben, rechts, unten;
};

std::vector<Kasten> kaesten(std::span<const Steuerelement> el) {
    std::vector<Kasten> k;
    k.reserve(el.size());
    std::map<Ctl, std::size_t> erstes;
    for (std::size_t i = 0; i < el.size(); ++i) {
        int x = el[i].links, y = el[i].oben;
        if (el[i].container != Ctl::Keiner) {
            if (auto it = erstes.find(el[i].container); it != erstes.end()) {
                x += k[it->second].links;
                y += k[it->second].oben;
            }
        }
        erstes.try_emplace(el[i].name, i);
        k.push_back({x, y, x + el[i].breite, y + el[i].hoehe});
    }
    return k;
}

// How far a caption may stand from its box: a label further off belongs to
// something else (twips; a quarter and a half of an inch).
constexpr int k_abstand_links = 360;
constexpr int k_abstand_oben = 720;

bool benennbar(const Steuerelement& s) { return s.art == Art::Textfeld || s.art == Art::Liste; }

bool innen(const Kasten& a, const Kasten& rahmen) {
    return a.links >= rahmen.links && a.rechts <= rahmen.rechts && a.oben >= rahmen.oben && a.unten <= rahmen.unten;
}

// A caption outside a frame that holds the box belongs to something else.
bool im_selben_rahmen(std::span<const Steuerelement> el, const std::vector<Kasten>& k, std::size_t l, std::size_t b) {
    for (std::size_t r = 0; r < el.size(); ++r) {
        if (el[r].art == Art::Rahmen && innen(k[b], k[r]) && !innen(k[l], k[r])) return false;
    }
    return true;
}

// Distance of a label from a box when it stands where a caption of that box
// stands, else nothing. Left of the box on its line counts before above it.
std::optional<int> abstand(const Kasten& l, const Kasten& b) {
    const bool zeile = l.oben < b.unten && b.oben < l.unten;
    if (zeile && l.links < b.links && (l.links + l.rechts) / 2 < b.links && b.links - l.rechts <= k_abstand_links) {
        return std::max(0, b.links - l.rechts);
    }
    const bool spalte = l.links < b.rechts && b.links < l.rechts;
    if (spalte && l.oben < b.oben && (l.oben + l.unten) / 2 < b.oben && b.oben - l.unten <= k_abstand_oben) {
        // Above ranks after every label on the line.
        return k_abstand_links + 1 + std::max(0, b.oben - l.unten);
    }
    return std::nullopt;
}

} // namespace

std::vector<std::optional<std::size_t>> beschriftungen(std::span<const Steuerelement> el) {
    const std::vector<Kasten> k = kaesten(el);
    std::vector<std::optional<std::size_t>> zu(el.size());
    std::vector<bool> vergeben(el.size(), false);
    for (std::size_t b = 0; b < el.size(); ++b) {
        if (!benennbar(el[b])) continue;
        std::optional<std::size_t> bestes;
        int bester = 0;
        for (std::size_t l = 0; l < el.size(); ++l) {
            if (el[l].art != Art::Label || el[l].text.empty() || vergeben[l]) continue;
            const auto a = abstand(k[l], k[b]);
            if (a && !im_selben_rahmen(el, k, l, b)) continue;
            if (a && (!bestes || *a < bester)) {
                bestes = l;
                bester = *a;
            }
        }
        if (bestes) {
            zu[b] = bestes;
            vergeben[*bestes] = true;
        }
    }
    return zu;
}

std::vector<std::size_t> erzeugungsreihenfolge(std::span<const Steuerelement> el) {
    const auto zu = beschriftungen(el);
    std::vector<bool> benennt(el.size(), false);
    for (const auto& l : zu) {
        if (l) benennt[*l] = true;
    }
    std::vector<std::size_t> tab, rest, rahmen;
    for (std::size_t i = 0; i < el.size(); ++i) {
        if (el[i].art == Art::Rahmen) {
            rahmen.push_back(i);
        } else if (benennt[i]) {
            continue; // placed with its box
        } else if (el[i].tabindex >= 0) {
            tab.push_back(i);
        } else {
            rest.push_back(i);
        }
    }
    std::stable_sort(tab.begin(), tab.end(),
                     [&](std::size_t a, std::size_t b) { return el[a].tabindex < el[b].tabindex; });
    std::reverse(rest.begin(), rest.end());
    std::reverse(rahmen.begin(), rahmen.end());
    std::vector<std::size_t> reihe;
    reihe.reserve(el.size());
    for (const auto* teil : {&tab, &rest, &rahmen}) {
        for (std::size_t i : *teil) {
            if (zu[i]) reihe.push_back(*zu[i]);
            reihe.push_back(i);
        }
    }
    return reihe;
}

} // namespace karmo::ui
