// Test double of the platform held wholly in memory: no file of it ever touches the disk.
//
// For the fuzz targets (tens of thousands of loads and saves a second) and
// for tests that need no real folder. Names follow Windows' rules as
// FakePlattform's do: "\" or "/" between components, "." and "..", and
// comparison without regard to case; a file keeps the spelling it was first
// written with. Only drive c: and the folders created on it exist.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/plattform.hpp"

namespace karmo {

class SpeicherPlattform final : public Plattform {
public:
    struct ShellAufruf {
        std::string verb;
        std::string ziel;
        int anzeige;
    };

    SpeicherPlattform();

    // --- what the program did -------------------------------------------------
    std::vector<std::string> meldungen;
    std::vector<ShellAufruf> shell_aufrufe;
    std::vector<std::string> fragen;          // yes/no questions asked
    std::vector<std::string> gezeigte_dateien; // files shown in a file manager

    // --- how the machine behaves ------------------------------------------------
    long shell_ergebnis = 42;
    std::string desktop = "c:\\Users\\karmo\\Desktop";
    std::string startmenue_programme = "c:\\Users\\karmo\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
    std::string exe = "c:\\Downloads\\Karmo.exe";
    Datum datum{21, 12, 2006};
    // Every write fails with "disk full".
    bool datentraeger_voll = false;
    bool frage_antwort = true;
    // Digits of a card scanned into the next message box or question (kept
    // for the list when one takes cards, as the real boxes do).
    std::string scan_nach_meldung;
    // Paths whose files refuse writing and deleting (write-protected).
    void schreibschutz(std::string_view pfad);

    // --- test helpers -----------------------------------------------------------
    // Writes raw bytes, creating folders on the way (no fault injection).
    void datei_ablegen(std::string_view pfad, std::string_view bytes);
    // Raw bytes of a file; "" when there is none.
    std::string datei_lesen(std::string_view pfad) const;
    // The same without a copy, valid until the file next changes.
    std::string_view datei_ansehen(std::string_view pfad) const;
    // Number of files, for tests that a save left no stray file behind.
    std::size_t dateizahl() const { return dateien_.size(); }
    // Forgets every file and folder (drive c: stays), keeping the settings.
    void leeren();

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
    Ergebnis anhaengen(std::string_view pfad, std::string_view bytes) override;
    bool frage(std::string_view text, Vorgabe vorgabe = Vorgabe::Ja) override;
    Ergebnis im_ordner_zeigen(std::string_view pfad) override;

    // The common file dialogs: each cancelled, recorded by title.
    std::vector<std::string> dateidialoge;
    std::vector<std::string> dateien_waehlen(const Dateiwahl& w) override;
    std::optional<std::string> speicherort_waehlen(const Dateiwahl& w) override;

private:
    void karte_in_box();
    // A key built in place: no allocation up to k_kurz bytes, which every
    // path within Windows' own limit of 260 characters keeps to. Every file
    // call takes its path apart, so that counts.
    class Schluessel {
    public:
        static constexpr std::size_t k_kurz = 320;
        std::string_view sicht() const { return lang_ ? std::string_view(ueberlauf_) : std::string_view(kurz_.data(), n_); }
        std::size_t size() const { return sicht().size(); }
        bool empty() const { return size() == 0; }
        void append(std::string_view t);
        void push_back(char c) { append(std::string_view(&c, 1)); }
        // Shortens the key to its first n bytes.
        void kuerzen(std::size_t n);
        // Turns ASCII capitals from byte `ab` on into small letters.
        void klein_ab(std::size_t ab);

    private:
        std::array<char, k_kurz> kurz_;
        std::size_t n_ = 0;
        bool lang_ = false;
        std::string ueberlauf_;
    };

    // A path taken apart: its key (components in lower case, joined by "\",
    // drive first), the key of its folder and its last component as written.
    struct Name {
        Schluessel s;
        std::size_t trenner = std::string::npos; // the last "\" in the key
        std::string_view geschrieben; // the last component in the path given; empty after ".."
        std::string_view schluessel() const { return s.sicht(); }
        std::string_view ordner() const {
            return trenner == std::string::npos ? std::string_view{} : schluessel().substr(0, trenner);
        }
        std::string_view letzter() const {
            if (!geschrieben.empty()) return geschrieben;
            return schluessel().substr(trenner == std::string::npos ? 0 : trenner + 1);
        }
    };
    static Name zerlegen(std::string_view pfad);

    struct Datei {
        std::string name; // as first written
        // Shared with readers that have the file open, so that replacing it
        // does not pull the bytes from under them; appended to in place while
        // no reader holds them.
        std::shared_ptr<std::string> bytes;
    };

    bool ordner_da(std::string_view schluessel) const;
    Ergebnis schreibfehler(std::string_view schluessel) const;
    // The file's entry, created with its name as written when it is new.
    Datei& eintrag(const Name& n);
    void bytes_setzen(Datei& d, std::string_view bytes);
    // Takes a file away, keeping its entry for the next new one: a save
    // writes a temporary file and renames it, thousands of times a second
    // under the fuzzer, and each entry costs allocations.
    void entfernen(std::map<std::string, Datei, std::less<>>::iterator it);

    // Ordered by key, so that a folder's files stand together.
    std::map<std::string, Datei, std::less<>> dateien_;
    std::map<std::string, Datei, std::less<>>::node_type frei_;
    std::set<std::string, std::less<>> ordner_;
    std::set<std::string, std::less<>> schreibgeschuetzt_;
};

} // namespace karmo
