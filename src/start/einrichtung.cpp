// First-time setup: creates the base directory, installs the program file and settings, adds shortcuts.
#include "start/einrichtung.hpp"

#include <array>

#include "eventfile/dateizugriff.hpp"
#include "start/programmdatei.hpp"

namespace karmo {

using ui::Art;
using ui::Ctl;

namespace {

constexpr std::array<ui::Steuerelement, 14> k_elemente{{
    {Art::Label, Ctl::Ueberschrift, -1, "Installation der Erfassungssoftware KARMO", Ctl::Keiner, 210, 120, 6615, 405,
     0, -1, ui::k_stil_keiner},
    {Art::Label, Ctl::Lumo, 0, "ZEL", Ctl::Keiner, 10440, 30, 855, 525, 0, -1, ui::k_arial_black},
    {Art::Label, Ctl::Lumo, 1, "VA", Ctl::Keiner, 11190, 30, 495, 525, 0, -1, ui::k_arial_black},
    {Art::Label, Ctl::Label2, 0,
     "ZELVA hat Ihr System durchsucht und keine vorhandene funktionsfähige Installation des Programms entdeckt. ",
     Ctl::Keiner, 270, 660, 11145, 315, 0, -1, ui::k_stil_keiner},
    {Art::Label, Ctl::Label2, 1,
     "Zur Nutzung des Programms muss auf Ihrem System das ZELVA-Basisverzeichnis angelegt werden. In diesem "
     "Verzeichnis werden das Hauptprogramm Karmo und später die von Ihnen erfassten Daten abgelegt. Das "
     "ZELVA-Standardverzeichnis ist:",
     Ctl::Keiner, 270, 990, 11145, 555, 0, -1, ui::k_stil_keiner},
    {Art::Textfeld, Ctl::Text1, -1, "c:\\zelva\\", Ctl::Keiner, 690, 1590, 7665, 405, 0, -1,
     ui::k_fett | ui::k_gesperrt | ui::k_grund_knopf},
    {Art::Label, Ctl::Label3, -1,
     "Die von Ihnen erfassten Teilnehmerdaten werden in dem Unterverzeichnis \"Daten\" abgelegt.", Ctl::Keiner, 270,
     2070, 11085, 315, 0, -1, ui::k_stil_keiner},
    {Art::Label, Ctl::Label1, -1,
     "Um Ihnen das Starten von Karmo und den Umgang mit den Dateien zu erleichtern  kann Karmo Ihnen Verknüpfungen "
     "auf dem Desktop und im Startmenü einrichten: (Empfohlen)",
     Ctl::Keiner, 270, 2430, 11085, 495, 0, -1, ui::k_stil_keiner},
    {Art::Kontrollkaestchen, Ctl::Startmenue, -1, "Startmenüeintrag anlegen", Ctl::Keiner, 420, 3030, 3885, 345, 0, 0,
     ui::k_markiert},
    {Art::Label, Ctl::Label4, 0,
     "Karmo kann für Sie im Startmenü einen Ordner ZELVA anlegen, von dem Sie das Karmo-Programm aufrufen können. "
     "Zusätzlich wird dort ein Verweis auf das ZELVA-Datenverzeichnis angelegt, über den Sie die "
     "Veranstaltungs-Dateien verwalten können",
     Ctl::Keiner, 660, 3390, 10605, 495, 0, -1, ui::k_stil_keiner},
    {Art::Kontrollkaestchen, Ctl::Desktop, -1, "Desktopverknüpfung anlegen", Ctl::Keiner, 420, 3930, 3885, 345, 0, 1,
     ui::k_markiert},
    {Art::Label, Ctl::Label4, 1, "Mit dieser Verknüpfung können Sie Karmo direkt von Ihrem Desktop aus aufrufen.",
     Ctl::Keiner, 630, 4290, 10605, 345, 0, -1, ui::k_stil_keiner},
    {Art::Schaltflaeche, Ctl::Anlegen, -1, "Programm installieren", Ctl::Keiner, 690, 4920, 5025, 525, 0, 2,
     ui::k_stil_keiner},
    {Art::Schaltflaeche, Ctl::neindanke, -1, "Installation abbrechen", Ctl::Keiner, 6120, 4920, 5115, 525, 0, 3,
     ui::k_stil_keiner},
}};

// A shortcut to `ziel` that shows the installed program's icon.
void verknuepfung(Plattform& pl, const std::string& lnk, const std::string& ziel, const std::string& programm) {
    if (Ergebnis e = pl.verknuepfung_anlegen(lnk, ziel, programm); !e.ok()) Plattformfehler(e);
}

// A special folder the system does not have cannot hold a shortcut.
std::string ordner(Plattform& pl, Spezialordner welcher) {
    std::string pfad = pl.spezialordner(welcher);
    if (pfad.empty()) Plattformfehler({3, "Das System kann den angegebenen Pfad nicht finden."});
    return pfad;
}

} // namespace

const ui::Formular k_Einrichtung{
    ui::FormId::Einrichtung, "Einrichtung", "Einrichtung von Karmo", 11745, 5730, 0, k_elemente};

Einrichtung::Einrichtung(Programm& p, ui::Fenster& fenster) : p_(p), f_(fenster) {}

void Einrichtung::click(Ctl c) {
    if (c == Ctl::Anlegen) Anlegen_Click();
    if (c == Ctl::neindanke) neindanke_Click();
}

void Einrichtung::Anlegen_Click() {
    try {
        einrichten();
    } catch (const std::exception& e) {
        p_.plattform().meldung(Fehlermeldung("Bei der Installation ist ein Fehler aufgetreten : ", als_fehler(e)));
        p_.Programm_beenden();
    }
}

void Einrichtung::einrichten() {
    Zustand& z = p_.zustand();
    Plattform& pl = p_.plattform();
    // The base directory is fixed; Text1 only shows it.
    z.Basisverzeichnis = k_basisverzeichnis;

    if (!Pfad_anlegen(p_, z.Basisverzeichnis + "Daten\\")) {
        throw Fehler(1002, k_quelle_anlegen,
                     "Das Verzeichnis " + z.Basisverzeichnis + " konnte nicht angelegt werden.");
    }
    // A program file that is already there (put there since the start) stays.
    if (!Programmdatei_vorhanden(p_)) Programmdatei_kopieren(p_);
    Programmdatei_pruefen(p_);
    Einstellungen_bereitstellen(p_);

    const std::string programm = z.Basisverzeichnis + "Karmo.exe";
    std::string angelegt;
    if (f_.markiert(Ctl::Desktop)) {
        verknuepfung(pl, ordner(pl, Spezialordner::Desktop) + "\\Karmo.lnk", programm, programm);
        angelegt = "Desktop/";
    }
    if (f_.markiert(Ctl::Startmenue)) {
        // The folder goes where the system keeps the Start menu's programs,
        // whatever that folder is called in the user's language. It may
        // exist from an earlier setup, so its creation may fail harmlessly.
        const std::string zelva = ordner(pl, Spezialordner::StartmenueProgramme) + "\\ZELVA";
        (void)pl.ordner_anlegen(zelva);
        verknuepfung(pl, zelva + "\\Karmo.lnk", programm, programm);
        verknuepfung(pl, zelva + "\\Erfasste Daten.lnk", z.Basisverzeichnis + "DATEN", programm);
        angelegt += "Startmenüeintrag/";
    }

    if (!angelegt.empty()) {
        angelegt.pop_back();
        pl.meldung("Die Verknüpfung wurde angelegt. Sie können nun die " + angelegt + " - Verknüpfungen nutzen!");
    } else {
        pl.meldung("Keine Verknüpfungen angelegt. Sie finden die ZELVA-Dateien unter " + z.Basisverzeichnis + ".");
    }
    f_.verbergen();
    p_.form(ui::FormId::Auswahl).zeigen();
}

void Einrichtung::neindanke_Click() { p_.Programm_beenden(); }

void Einrichtung::Form_Unload() { p_.Programm_beenden(); }

} // namespace karmo
