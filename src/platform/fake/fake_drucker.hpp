// A printer for tests: a scripted print dialog and a job that records every page drawn on it.
#pragma once

#include <string>
#include <vector>

#include "platform/drucker.hpp"

namespace karmo {

// What a job received, page by page, in device pixels.
struct Gedruckter_Text {
    int x, y;
    std::string text;
    Druckschrift schrift;
};
struct Gedruckter_Balken {
    int x, y, breite, hoehe;
};
struct Gedruckte_Seite {
    std::vector<Gedruckter_Text> texte;
    std::vector<Gedruckter_Balken> balken;
};

struct Druckprotokoll {
    std::string titel;
    bool begonnen = false;
    bool beendet = false;
    bool abgebrochen = false;
    std::vector<Gedruckte_Seite> seiten;
    std::vector<int> fortschritt; // pages reported, in order
    std::vector<int> fortschritt_seiten; // N of each report
    bool fortschritt_geschlossen = false;
};

class FakeDrucker final : public Drucker {
public:
    // --- the dialog, as the test wants it to end ----------------------------------
    Druckwahl::Ausgang ausgang = Druckwahl::Ausgang::Drucken;
    int von = 0, bis = 0;
    Ergebnis dialogfehler{2, "Das System kann die angegebene Datei nicht finden."};
    int dpi_x = 300, dpi_y = 300;
    // --- failures of the job ------------------------------------------------------
    Ergebnis fehler_beginn;       // returned by beginnen
    int fehler_seite = 0;         // this page's seite_beenden fails (1-based, 0 none)
    Ergebnis fehler_seite_grund{1, "Der Drucker ist nicht bereit."};
    Ergebnis fehler_ende;         // returned by beenden
    int stopp_bei = 0;            // the progress window's Abbrechen at this report (0 never)

    Druckwahl dialog() override;

    int dialoge = 0;
    // Every job the dialog handed out, for inspection after the job is gone.
    std::vector<Druckprotokoll> auftraege;

    // Width of a character at height h (pixels down): h * 6 / 10 of that on
    // paper, one per UTF-8 character; in pixels across, at dpi_x / dpi_y of it.
    static int textbreite(std::string_view text, Druckschrift s, int dpi_x = 1, int dpi_y = 1);
};

} // namespace karmo
