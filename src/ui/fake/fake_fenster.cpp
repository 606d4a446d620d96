// Headless windows for tests.
#include "ui/fake/fake_fenster.hpp"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "common/text.hpp"

namespace karmo::ui {

FakeFenster::FakeFenster(const Formular& deklaration, Formularlogik& ereignisse)
    : deklaration_(deklaration), ereignisse_(ereignisse) {
    for (const Steuerelement& s : deklaration.elemente) {
        // Same-named labels and control arrays share one entry: handlers
        // never address them by index.
        auto [it, neu] = zustand_.try_emplace(s.name);
        if (!neu) continue;
        it->second.deklaration = &s;
        if (s.art != Art::Liste) it->second.text = std::string(s.text);
        it->second.markiert = (s.stil & k_markiert) != 0;
    }
    for (auto& [name, zustand] : zustand_) nach_name_[static_cast<std::uint8_t>(name)] = &zustand;
}

FakeFenster::Zustand& FakeFenster::z(Ctl c) {
    Zustand* s = nach_name_[static_cast<std::uint8_t>(c)];
    if (s == nullptr) {
        throw std::logic_error("Steuerelement fehlt im Fenster " + std::string(deklaration_.name) + ": " +
                               std::to_string(static_cast<int>(c)));
    }
    return *s;
}

const FakeFenster::Zustand& FakeFenster::z(Ctl c) const { return const_cast<FakeFenster*>(this)->z(c); }

std::string FakeFenster::text(Ctl c) const { return z(c).text; }
// A text box reports every new text, also one set by code, as Windows' edit
// control does.
void FakeFenster::setze_text(Ctl c, std::string_view t) {
    Zustand& s = z(c);
    s.text = t;
    s.auswahl = false;
    if (s.deklaration && s.deklaration->art == Art::Textfeld) ereignisse_.aenderung(c);
}
void FakeFenster::fokus(Ctl c) {
    z(c);
    fokus_ = c;
}

int FakeFenster::zeilenzahl(Ctl c) const { return static_cast<int>(z(c).zeilen.size()); }

std::size_t FakeFenster::zeilennummer(const Zustand& s, int i) {
    if (i < 0 || i >= static_cast<int>(s.zeilen.size())) throw std::out_of_range("Listenzeile");
    return static_cast<std::size_t>(i);
}

// Writes a line's text behind the last one, in a new block when the last
// block has no room left. Blocks start small (most lists hold a few lines)
// and double up to 64 KiB.
FakeFenster::Zeilenort FakeFenster::ablegen(Zustand& s, std::string_view t) {
    constexpr std::size_t k_erster_block = 1024;
    constexpr std::size_t k_block = 64 * 1024;
    if (t.size() > UINT32_MAX) throw std::length_error("Listenzeile");
    if (s.bloecke.empty() || s.bloecke.back().capacity() - s.bloecke.back().size() < t.size()) {
        const std::size_t groesse =
            s.bloecke.empty() ? k_erster_block : std::min(k_block, 2 * s.bloecke.back().capacity());
        s.bloecke.emplace_back().reserve(std::max(groesse, t.size()));
    }
    std::string& block = s.bloecke.back();
    const Zeilenort o{static_cast<std::uint32_t>(s.bloecke.size() - 1), static_cast<std::uint32_t>(block.size()),
                      static_cast<std::uint32_t>(t.size())};
    block.append(t);
    s.belegt += t.size();
    return o;
}

// Counts bytes no line uses any more; once they are half of the text, the
// lines are packed again.
void FakeFenster::verwaist_dazu(Zustand& s, std::size_t n) {
    s.verwaist += n;
    if (s.verwaist < 4096 || s.verwaist * 2 < s.belegt) return;
    const std::vector<std::string> alt = std::move(s.bloecke);
    s.bloecke.clear();
    s.belegt = 0;
    s.verwaist = 0;
    for (Zeilenort& o : s.zeilen) o = ablegen(s, std::string_view(alt[o.block]).substr(o.anfang, o.laenge));
}

std::string FakeFenster::zeile(Ctl c, int i) const { return std::string(zeile_ansehen(c, i)); }
std::string_view FakeFenster::zeile_ansehen(Ctl c, int i) const {
    const Zustand& s = z(c);
    const Zeilenort o = s.zeilen[zeilennummer(s, i)];
    return std::string_view(s.bloecke[o.block]).substr(o.anfang, o.laenge);
}
void FakeFenster::zeile_lesen(Ctl c, int i, std::string& ziel) const { ziel.assign(zeile_ansehen(c, i)); }
void FakeFenster::zeilen_lesen(Ctl c, const std::function<void(std::string_view)>& je_zeile) const {
    const Zustand& s = z(c);
    for (const Zeilenort& o : s.zeilen) je_zeile(std::string_view(s.bloecke[o.block].data() + o.anfang, o.laenge));
}

void FakeFenster::zeile_anfuegen(Ctl c, std::string_view t) {
    Zustand& s = z(c);
    s.zeilen.push_back(ablegen(s, t));
    ++s.stand;
}
void FakeFenster::zeile_ersetzen(Ctl c, int i, std::string_view t) {
    Zustand& s = z(c);
    const std::size_t n = zeilennummer(s, i);
    const std::size_t alt = s.zeilen[n].laenge;
    s.zeilen[n] = ablegen(s, t);
    verwaist_dazu(s, alt);
    ++s.stand;
}
void FakeFenster::zeile_entfernen(Ctl c, int i) {
    Zustand& s = z(c);
    const std::size_t n = zeilennummer(s, i);
    const std::size_t alt = s.zeilen[n].laenge;
    s.zeilen.erase(s.zeilen.begin() + i);
    verwaist_dazu(s, alt);
    s.index = -1;
    ++s.stand;
}
void FakeFenster::liste_leeren(Ctl c) {
    Zustand& s = z(c);
    s.zeilen.clear();
    // The first block keeps its room for the next lines.
    if (s.bloecke.size() > 1) s.bloecke.resize(1);
    if (!s.bloecke.empty()) s.bloecke.front().clear();
    s.belegt = 0;
    s.verwaist = 0;
    s.index = -1;
    ++s.stand;
}

int FakeFenster::listenindex(Ctl c) const { return z(c).index; }
int FakeFenster::ausgewaehlt_anzahl(Ctl c) const { return z(c).index >= 0 ? 1 : 0; }
bool FakeFenster::markiert(Ctl c) const { return z(c).markiert; }
void FakeFenster::setze_markiert(Ctl c, bool an) { z(c).markiert = an; }
bool FakeFenster::aktiviert(Ctl c) const { return z(c).aktiviert; }
void FakeFenster::setze_aktiviert(Ctl c, bool an) { z(c).aktiviert = an; }

void FakeFenster::benutzer_fokus(Ctl c) {
    z(c);
    if (fokus_ == c) return;
    const Ctl vorher = fokus_;
    fokus_ = c;
    if (vorher != Ctl::Keiner) ereignisse_.lostfocus(vorher);
}

void FakeFenster::tippen(Ctl c, std::string_view t) {
    benutzer_fokus(c);
    if (fokus_ != c) return; // a handler took the focus elsewhere
    std::size_t i = 0;
    while (i < t.size()) {
        // One character (UTF-8 sequence) at a time.
        std::size_t n = 1;
        while (i + n < t.size() && (static_cast<unsigned char>(t[i + n]) & 0xC0U) == 0x80U) ++n;
        const std::string_view zeichen = t.substr(i, n);
        i += n;
        int taste = zeichen == "\r" ? 13 : (zeichen == "\t" ? 9 : static_cast<unsigned char>(zeichen[0]));
        ereignisse_.keypress(c, taste);
        if (fokus_ != c || !zustand_.count(c)) continue;
        Zustand& s = z(c);
        const Steuerelement& d = *s.deklaration;
        if (taste == 0 || (d.stil & k_gesperrt) != 0) continue;
        if (taste == 13 && (d.stil & k_mehrzeilig) == 0) continue;
        const std::string_view einfuegen = taste == 13 ? std::string_view("\r\n") : zeichen;
        if (s.auswahl) {
            s.text.clear();
            s.auswahl = false;
        }
        if (d.maxlaenge > 0 &&
            text::zeichenzahl(s.text) + text::zeichenzahl(einfuegen) > static_cast<std::size_t>(d.maxlaenge)) {
            continue;
        }
        s.text += einfuegen;
        ereignisse_.aenderung(c);
    }
}

void FakeFenster::klicken(Ctl c) {
    Zustand& s = z(c);
    if (!s.aktiviert) return;
    benutzer_fokus(c);
    if (s.deklaration->art == Art::Kontrollkaestchen && (s.deklaration->stil & k_option)) {
        // An option button: chosen, and the window's other options not.
        for (auto& [name, anderes] : zustand_) {
            if (anderes.deklaration->stil & k_option) anderes.markiert = false;
        }
        s.markiert = true;
    } else if (s.deklaration->art == Art::Kontrollkaestchen) {
        s.markiert = !s.markiert;
    }
    ereignisse_.click(c);
}

void FakeFenster::zeile_klicken(Ctl c, int i) {
    Zustand& s = z(c);
    if (i < 0 || i >= static_cast<int>(s.zeilen.size())) return;
    benutzer_fokus(c);
    z(c).index = i;
    ereignisse_.click(c);
}

void FakeFenster::schliessen() { ereignisse_.form_unload(); }

void FakeFenster::enter() {
    Ctl knopf = vorgabe_;
    if (knopf == Ctl::Keiner) {
        for (const Steuerelement& s : deklaration_.elemente) {
            if (s.art == Art::Schaltflaeche && (s.stil & k_vorgabe) && z(s.name).aktiviert) {
                knopf = s.name;
                break;
            }
        }
    }
    if (knopf != Ctl::Keiner && z(knopf).aktiviert) ereignisse_.click(knopf);
}

void FakeFenster::escape() {
    for (const Steuerelement& s : deklaration_.elemente) {
        if (s.art == Art::Schaltflaeche && (s.stil & k_abbruch) && z(s.name).aktiviert) {
            ereignisse_.click(s.name);
            return;
        }
    }
}

void FakeFenster::zeile_doppelklicken(Ctl c, int i) {
    zeile_klicken(c, i);
    if (z(c).deklaration && (z(c).deklaration->stil & k_doppelklick)) enter();
}

void FakeFenster::scan_melden(Ctl von, std::string_view ziffern) {
    fokus(von);
    ereignisse_.scan(von, ziffern);
}

std::unique_ptr<Fenster> FakeHost::erzeugen(const Formular& deklaration, Formularlogik& ereignisse) {
    return std::make_unique<FakeFenster>(deklaration, ereignisse);
}

} // namespace karmo::ui
