// Several doors, one event: another laptop's lists taken in, and a copy of the saved list carried away on a stick.
#include <exception>
#include <vector>

#include "capture/erfassungsmaske.hpp"
#include "capture/hinzuladen.hpp"
#include "eventfile/ersetzen.hpp"

namespace karmo {

using ui::Ctl;

namespace {

Dateiwahl dialog(std::string titel, std::string vorschlag = {}) {
    return {std::move(titel), "Veranstaltungen (*.XML)", "*.XML", std::move(vorschlag)};
}

std::string dateiname(const std::string& pfad) { return pfad.substr(pfad.rfind('\\') + 1); }

} // namespace

void Erfassungsmaske::auf_datentraeger(const std::string& pfad, const std::string& modus) {
    if (!speichern(pfad, modus)) return;
    Plattform& pl = p_.plattform();
    const std::optional<std::string> ziel =
        pl.speicherort_waehlen(dialog("Teilnehmerliste auf Datenträger speichern", dateiname(pfad)));
    if (!ziel) return; // the save in Daten is done; nothing more was asked for
    // The saved file's own bytes, not the form's text again: the copy is the
    // file the chamber would get.
    const Ergebnis e = Kopie_ablegen(pl, pfad, *ziel);
    if (!e.ok()) {
        pl.meldung("Die Teilnehmerliste konnte nicht hier gespeichert werden:\r\n" + *ziel + "\r\n" + e.text);
        return;
    }
    pl.meldung("Die Teilnehmerliste wurde zusätzlich hier gespeichert:\r\n" + *ziel);
}

void Erfassungsmaske::liste_hinzuladen(const std::string& vnr) {
    Plattform& pl = p_.plattform();
    const std::vector<std::string> pfade = pl.dateien_waehlen(dialog("Teilnehmerliste hinzuladen"));
    if (pfade.empty()) {
        f_.fokus(Ctl::EFN);
        return;
    }
    Hinzuladebilanz bilanz;
    Gelesene_Liste& andere = andere_;
    for (const std::string& pfad : pfade) {
        bool lesbar = true;
        try {
            Teilnehmer_lesen(pl, pfad, andere);
        } catch (const std::exception&) {
            lesbar = false;
        }
        // A file without a number is no event's list: the file lists leave it out too.
        if (!lesbar || andere.vnr.empty()) {
            pl.meldung("Die Datei " + pfad + " ist keine lesbare Veranstaltungsdatei. Sie wurde nicht hinzugeladen.");
            continue;
        }
        if (andere.vnr != vnr) {
            pl.meldung("Die Datei " + pfad + " gehört zur Veranstaltung " + andere.vnr + ", nicht zu " + vnr +
                       ". Sie wurde nicht hinzugeladen.");
            continue;
        }
        liste_.hinzuladen(andere, bilanz);
    }
    pl.meldung(Hinzuladen_Zusammenfassung(bilanz));
    f_.fokus(Ctl::EFN); // the next card goes to the list at once
}

} // namespace karmo
