// What the printing tests share: a text measure, sample events, and looking into laid-out pages.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "checks/nummern.hpp"
#include "druck/druckdaten.hpp"
#include "druck/seite.hpp"
#include "druck/strichcode.hpp"

namespace karmo::druck::test {

// Every character (not byte) six tenths of the font's height wide.
class Zeichenmass final : public Textmass {
public:
    int breite(std::string_view text, Schrift s) const override {
        int n = 0;
        for (char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
        return n * s.hoehe * 6 / 10;
    }
};

// The usual laser printer's barcode.
inline const Strichmass k_600 = Strichmass::fuer(600);

// The i-th of a run of valid, distinct training numbers.
inline std::string efn(int i) {
    std::string s = std::to_string(100000000000000LL + static_cast<long long>(i) * 7919);
    s = s.substr(0, 14);
    return s + Pruefziffer_berechnen(s);
}

inline Druckdaten veranstaltung(int teilnehmer, std::uint8_t meldungsart = 1) {
    Druckdaten d;
    d.vnr = "2767501234567890123";
    d.kammer = "Psychotherapeutenkammer Norvia";
    d.punkte = "8";
    d.meldungsart = meldungsart;
    if (meldungsart == 2) {
        d.datum_von = "21.12.2006";
        d.datum_bis = "22.12.2006";
        d.uhrzeit_s = "09:00";
        d.uhrzeit_e = "17:30";
        d.dauer = "420";
        d.inhalt = "Größere Übungen für „Gruppen“ – Kosten 15 €";
    }
    for (int i = 0; i < teilnehmer; ++i) {
        d.teilnehmer.push_back({efn(i), "8", i % 3 == 0 ? "2" : ""});
    }
    return d;
}

// A display name as the registration list makes it.
inline std::string anzeigename(int i) { return "Weiß-" + std::to_string(i) + ", Dr. Jürgen"; }

// `n` registrations in the door list's order: every seventh from the fourth
// on with an EFN Excel cut short, every seventh from the sixth on without
// one, the others valid; the valid ones of even number captured.
inline std::vector<Druckanmeldung> anmeldungen(int n) {
    std::vector<Druckanmeldung> out;
    for (int i = 0; i < n; ++i) {
        const std::string zelle = i % 7 == 3 ? "1,23457E+14" : i % 7 == 5 ? "" : efn(i);
        const bool gueltig = i % 7 != 3 && i % 7 != 5;
        out.push_back({anzeigename(i), zelle, gueltig, gueltig && i % 2 == 0});
    }
    return out;
}

inline std::vector<std::string> efns(const Druckdaten& d) {
    std::vector<std::string> out;
    for (const Druckteilnehmer& t : d.teilnehmer) out.push_back(t.efn);
    return out;
}

inline bool hat_text(const Seite& s, std::string_view t) {
    for (const Textstueck& x : s.texte) {
        if (x.text == t) return true;
    }
    return false;
}

inline const Textstueck* finde(const Seite& s, std::string_view t) {
    for (const Textstueck& x : s.texte) {
        if (x.text == t) return &x;
    }
    return nullptr;
}

inline std::vector<std::string> codes(const Seite& s) {
    std::vector<std::string> out;
    for (const Strichcode& c : s.codes) out.emplace_back(c.text);
    return out;
}

} // namespace karmo::druck::test
