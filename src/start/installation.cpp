// Installation state: reading and writing config.ini, copying the running program into place.
#include "start/installation.hpp"

#include <algorithm>
#include <array>

#include "common/text.hpp"

namespace karmo {
namespace {

std::string einstellungsdatei(const Zustand& z) { return z.Basisverzeichnis + "config.ini"; }

std::uint8_t pruefen_zeile(std::string_view zeile) {
    return zeile.find(Programmversion) != std::string_view::npos ? 0 : 2;
}

} // namespace

std::uint8_t Installation_pruefen(Programm& p) {
    std::uint8_t status = 1;
    Zustand& z = p.zustand();
    z.Aktuelle_Datei = einstellungsdatei(z);
    Ergebnis fehler;
    auto datei = p.plattform().oeffnen(z.Aktuelle_Datei, fehler);
    if (!datei) return status;

    // Lines end at CR or CR LF, as the settings file is read line by line;
    // a lone LF stays part of its line. Every complete line decides anew, so
    // a read failure part-way leaves the status of the last whole line.
    std::string zeile;
    bool nach_cr = false;
    bool offene_zeile = false;
    std::array<char, 4096> puffer{};
    for (;;) {
        const std::size_t n = datei->lesen(puffer.data(), puffer.size(), fehler);
        if (!fehler.ok()) return status;
        if (n == 0) break;
        for (std::size_t i = 0; i < n; ++i) {
            const char c = puffer[i];
            if (nach_cr) {
                nach_cr = false;
                if (c == '\n') continue;
            }
            if (c == '\r') {
                status = pruefen_zeile(zeile);
                zeile.clear();
                offene_zeile = false;
                nach_cr = true;
            } else {
                zeile.push_back(c);
                offene_zeile = true;
            }
        }
    }
    if (offene_zeile) status = pruefen_zeile(zeile);
    return status;
}

std::uint8_t Einstellungen_schreiben(Programm& p) {
    Zustand& z = p.zustand();
    z.Aktuelle_Datei = einstellungsdatei(z);
    const Ergebnis e = p.plattform().schreiben(z.Aktuelle_Datei, std::string(Programmversion) + "\r\n");
    if (e.ok()) return 0;
    // The callers show the number; it must stay nonzero within one byte.
    return static_cast<std::uint8_t>(std::clamp(e.nummer, 1, 255));
}

bool Programm_kopieren(Programm& p) {
    Plattform& pl = p.plattform();
    const std::string quelle = pl.programmpfad();
    if (quelle.empty() || Laeuft_installiert(p)) return false;
    return pl.kopieren(quelle, p.zustand().Basisverzeichnis + "Karmo.exe").ok();
}

bool Laeuft_installiert(Programm& p) {
    return text::gleich_ohne_gross_klein(p.plattform().programmpfad(), p.zustand().Basisverzeichnis + "Karmo.exe");
}

} // namespace karmo
