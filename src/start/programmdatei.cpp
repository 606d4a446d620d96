// Setup and update share the way the program file and the settings are put in place.
#include "start/programmdatei.hpp"

#include "start/installation.hpp"

namespace karmo {
namespace {

std::string kopierfehler(const Zustand& z) {
    return "Das Programm Karmo.exe konnte nicht in das Verzeichnis " + z.Basisverzeichnis + " kopiert werden!";
}

} // namespace

bool Programmdatei_vorhanden(Programm& p) {
    return p.plattform().datei_existiert(p.zustand().Basisverzeichnis + "Karmo.exe");
}

void Programmdatei_kopieren(Programm& p) {
    if (!Programm_kopieren(p)) throw Fehler(1003, k_quelle_anlegen, kopierfehler(p.zustand()));
}

void Programmdatei_pruefen(Programm& p) {
    if (!Programmdatei_vorhanden(p)) throw Fehler(1004, k_quelle_anlegen, kopierfehler(p.zustand()));
}

void Einstellungen_bereitstellen(Programm& p) {
    if (const std::uint8_t n = Einstellungen_schreiben(p); n != 0) {
        throw Fehler(n, k_quelle_anlegen, "Die Einstellungen konnten nicht gespeichert werden.");
    }
}

std::string Fehlermeldung(std::string_view anlass, const Fehler& f) {
    return std::string(anlass) + "\r\nFehler: " + std::to_string(f.nummer()) + " " + f.text();
}

void Plattformfehler(const Ergebnis& e) { throw Fehler(e.nummer, k_quelle_anlegen, e.text); }

} // namespace karmo
