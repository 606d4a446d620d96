// Program start: catalogue, base directory, installation check, first window.
#include "start/start.hpp"

#include "sicherung/sicherung.hpp"
#include "start/installation.hpp"

namespace karmo {

Erstes_Fenster Startentscheidung(Programm& p) {
    Zustand& z = p.zustand();
    Plattform& pl = p.plattform();
    Kammern_initialisieren(z);
    z.Basisverzeichnis = k_basisverzeichnis;

    // A base directory without any ordinary file (missing, empty, or only
    // the data folder) has never been set up.
    if (!pl.erste_datei(z.Basisverzeichnis)) return Erstes_Fenster::Einrichtung;
    if (!pl.datei_existiert(z.Basisverzeichnis + "Karmo.exe")) return Erstes_Fenster::Einrichtung;

    switch (Installation_pruefen(p)) {
        case 0:
            return Erstes_Fenster::Auswahl;
        case 1:
            // Lost settings beside an installed program are simply written
            // again; the program file is not replaced.
            if (Einstellungen_schreiben(p) == 0) return Erstes_Fenster::Auswahl;
            pl.meldung("Es ist ein Problem beim lesen der Einstellungen aufgetreten!");
            return Erstes_Fenster::Keines;
        default:
            return Erstes_Fenster::Update;
    }
}

void Main(Programm& p) {
    switch (Startentscheidung(p)) {
        case Erstes_Fenster::Einrichtung:
            p.form(ui::FormId::Einrichtung).zeigen();
            break;
        case Erstes_Fenster::Update:
            p.form(ui::FormId::Update).zeigen();
            break;
        case Erstes_Fenster::Auswahl:
            // Unsaved changes left by an earlier run come first.
            if (!Sicherung_anbieten(p)) p.form(ui::FormId::Auswahl).zeigen();
            break;
        case Erstes_Fenster::Keines:
            p.Programm_beenden();
            break;
    }
}

} // namespace karmo
