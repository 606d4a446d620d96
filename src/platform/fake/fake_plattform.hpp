// Test double of the platform: c:\ mapped into a temporary folder, messages and shell calls recorded.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/plattform.hpp"

namespace karmo {

class FakePlattform final : public Plattform {
public:
    struct ShellAufruf {
        std::string verb;
        std::string ziel;
        int anzeige;
    };

    // Maps drive c: into a new temporary folder, removed again on destruction.
    FakePlattform();
    // Maps drive c: into `wurzel`, which is kept.
    explicit FakePlattform(std::filesystem::path wurzel);
    ~FakePlattform() override;
    FakePlattform(const FakePlattform&) = delete;
    FakePlattform& operator=(const FakePlattform&) = delete;

    // --- what the program did -------------------------------------------------
    std::vector<std::string> meldungen;
    std::vector<ShellAufruf> shell_aufrufe;
    // Files shown in a file manager window (im_ordner_zeigen), in call order.
    std::vector<std::string> gezeigte_dateien;
    // Called with each message while it is "shown" (before it is recorded).
    std::function<void(std::string_view)> bei_meldung;
    // Cards scanned into the next message boxes, questions and file dialogs,
    // one per window in order ("" for one a person closes). Where a list
    // takes cards a card is kept (an OK box closes; a question and a file
    // dialog still get the person's answer); elsewhere its keys go nowhere.
    std::deque<std::string> scans_in_meldungen;
    // A card caught in one of the program's own windows (Ausdruck), as the
    // message loop's catcher keeps it: kept only where a list takes cards.
    void karte_im_fenster(std::string karte) {
        if (nimmt_karten()) karte_merken(std::move(karte));
    }

    // --- how the machine behaves ------------------------------------------------
    long shell_ergebnis = 42;
    std::string desktop = "c:\\Users\\karmo\\Desktop";
    std::string startmenue_programme = "c:\\Users\\karmo\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
    std::string exe = "c:\\Downloads\\Karmo.exe";
    Datum datum{21, 12, 2006};
    // Paths (compared without regard to case) whose files are hidden or
    // system files, refuse writing/deleting (write-protected), or are in use.
    std::set<std::string> versteckt;
    std::set<std::string> schreibgeschuetzt;
    std::set<std::string> in_benutzung;
    // Folders (paths) that cannot be created.
    std::set<std::string> ordner_verweigert;
    // Every write fails with "disk full".
    bool datentraeger_voll = false;
    // No file manager window can be opened.
    bool kein_dateimanager = false;

    // --- test helpers -----------------------------------------------------------
    // The real location of a Windows path on this machine.
    std::filesystem::path echt(std::string_view windows_pfad) const;
    // Writes raw bytes, creating folders on the way (no fault injection).
    void datei_ablegen(std::string_view windows_pfad, std::string_view bytes);
    std::string datei_lesen(std::string_view windows_pfad) const; // raw bytes; "" when missing
    // Target recorded in a shortcut written by verknuepfung_anlegen; "" when none.
    std::string verknuepfungsziel(std::string_view lnk) const;
    // Icon file recorded in that shortcut; "" when none.
    std::string verknuepfungssymbol(std::string_view lnk) const;
    const std::filesystem::path& wurzel() const { return wurzel_; }

    // --- Plattform ---------------------------------------------------------------
    void meldung(std::string_view text) override;
    std::optional<std::string> erste_datei(std::string_view ordner) override;
    bool datei_existiert(std::string_view pfad) override;
    std::vector<std::string> dateien(std::string_view muster) override;
    bool ordner_existiert(std::string_view pfad) override;
    Ergebnis ordner_anlegen(std::string_view pfad) override;
    Ergebnis kopieren(std::string_view quelle, std::string_view ziel) override;
    Ergebnis loeschen(std::string_view pfad) override;
    Ergebnis ersetzen(std::string_view quelle, std::string_view ziel) override;
    Ergebnis schreiben(std::string_view pfad, std::string_view bytes) override;
    std::unique_ptr<Lesedatei> oeffnen(std::string_view pfad, Ergebnis& fehler) override;
    long shell_ausfuehren(std::string_view verb, std::string_view ziel, int anzeige) override;
    std::string spezialordner(Spezialordner ordner) override;
    Ergebnis verknuepfung_anlegen(std::string_view lnk, std::string_view ziel, std::string_view symbol) override;
    std::string programmpfad() override;
    Datum heute() override;
    Ergebnis im_ordner_zeigen(std::string_view pfad) override;

    // --- durable writing and the yes/no question -----------------------------------
    // Every question asked, and the answer the "user" gives (true is Ja).
    std::vector<std::string> fragen;
    bool frage_antwort = true;
    // The default button of each question, in the same order.
    std::vector<Vorgabe> frage_vorgaben;
    // Number of appends done, and the appends (counted from 1) that fail as a
    // full disk does, having written only their first half.
    int anhaenge = 0;
    std::set<int> anhaengen_reisst;
    Ergebnis anhaengen(std::string_view pfad, std::string_view bytes) override;
    bool frage(std::string_view text, Vorgabe vorgabe = Vorgabe::Ja) override;

    // --- the common file dialogs ------------------------------------------------------
    // Every dialog shown, in order, and what the "user" picks in the next
    // ones: the files of each Open dialog and the path of each Save As
    // dialog, oldest first. An empty entry, nullopt or none left is Cancel.
    std::vector<Dateiwahl> dateidialoge;
    std::deque<std::vector<std::string>> zu_oeffnen;
    std::deque<std::optional<std::string>> speicherorte;
    std::vector<std::string> dateien_waehlen(const Dateiwahl& w) override;
    std::optional<std::string> speicherort_waehlen(const Dateiwahl& w) override;

private:
    void karte_in_box();
    std::string wie_geschrieben(std::string_view windows_pfad) const;
    bool markiert(const std::set<std::string>& menge, std::string_view pfad) const;
    bool gewoehnliche_datei(const std::filesystem::path& p, std::string_view windows_pfad) const;
    Ergebnis schreibfehler(std::string_view pfad) const;

    std::filesystem::path wurzel_;
    bool eigene_wurzel_ = false;
};

} // namespace karmo
