// What Karmo asks of the operating system: messages, files, the shell, shortcuts, the date.
//
// Paths are Windows paths ("c:\zelva\Daten\x.XML") held as UTF-8. File
// contents cross this interface as raw bytes; the event file and the settings
// file are Windows-1252 (see common/text.hpp for the conversion).
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/fehler.hpp"
#include "platform/drucker.hpp"

namespace karmo {

// Which button of a yes/no question Enter chooses.
enum class Vorgabe { Ja, Nein };

struct Datum {
    int tag = 1;
    int monat = 1;
    int jahr = 2000;
};

// A file opened for sequential reading.
class Lesedatei {
public:
    virtual ~Lesedatei() = default;
    // Reads up to `n` bytes into `ziel`; returns the count read, 0 at the end
    // of the file. A read error sets `fehler` and returns 0.
    virtual std::size_t lesen(char* ziel, std::size_t n, Ergebnis& fehler) = 0;
};

enum class Spezialordner {
    Desktop,          // the user's desktop folder
    StartmenueProgramme, // the programs folder of the user's Start menu
};

// What a common file dialog shows: its title, its filter's name and pattern
// ("Veranstaltungen (*.XML)", "*.XML"), and the file name Save As proposes.
struct Dateiwahl {
    std::string titel;
    std::string filtername;
    std::string muster; // "*.XML", or several: "*.csv;*.txt"; the first one's extension is the default
    std::string vorschlag;
    // Further filters after the first: name and pattern.
    std::vector<std::pair<std::string, std::string>> weitere_filter = {};
    // The Open dialog takes several files at once.
    bool mehrere = true;
};

class Plattform {
public:
    virtual ~Plattform() = default;

    // --- messages -----------------------------------------------------------
    // A modal message box: the text, OK only, no icon, title "Karmo", owned by
    // the program's active window. Returns when the user has closed it.
    virtual void meldung(std::string_view text) = 0;

    // --- file system --------------------------------------------------------
    // Name (without folder) of the first ordinary file in `ordner` (a folder
    // path with trailing backslash): not hidden, not system, not a folder.
    virtual std::optional<std::string> erste_datei(std::string_view ordner) = 0;
    // Whether `pfad` names an ordinary file (not hidden, not system, not a
    // folder); names compare without regard to case.
    virtual bool datei_existiert(std::string_view pfad) = 0;
    // Names of the ordinary files matching a wildcard pattern such as
    // "c:\zelva\Daten\*.XML" ("*" and "?" in the last component), in the
    // order the file system returns them. A missing folder gives none.
    virtual std::vector<std::string> dateien(std::string_view muster) = 0;
    virtual bool ordner_existiert(std::string_view pfad) = 0;
    // Creates one folder level; the parent must exist.
    virtual Ergebnis ordner_anlegen(std::string_view pfad) = 0;
    // Copies a file, overwriting an existing target.
    virtual Ergebnis kopieren(std::string_view quelle, std::string_view ziel) = 0;
    virtual Ergebnis loeschen(std::string_view pfad) = 0;
    // Moves `quelle` over `ziel`, replacing it in one step.
    virtual Ergebnis ersetzen(std::string_view quelle, std::string_view ziel) = 0;
    // Creates or truncates `pfad` and writes `bytes` as its whole content.
    virtual Ergebnis schreiben(std::string_view pfad, std::string_view bytes) = 0;
    // Opens `pfad` for reading; nullptr with `fehler` set when it cannot.
    virtual std::unique_ptr<Lesedatei> oeffnen(std::string_view pfad, Ergebnis& fehler) = 0;

    // --- shell --------------------------------------------------------------
    // ShellExecute with no owner, no parameters, no working directory. Returns
    // the shell's result value (greater than 32 means success).
    virtual long shell_ausfuehren(std::string_view verb, std::string_view ziel, int anzeige) = 0;
    // The folder without trailing backslash; empty when the system has none.
    virtual std::string spezialordner(Spezialordner ordner) = 0;
    // Writes a shortcut file `lnk` with its target and the file whose first
    // icon it shows (`symbol`; empty: the system's choice for the target).
    virtual Ergebnis verknuepfung_anlegen(std::string_view lnk, std::string_view ziel, std::string_view symbol) = 0;

    // --- process and clock ----------------------------------------------------
    // Full path of the running executable.
    virtual std::string programmpfad() = 0;
    virtual Datum heute() = 0;

    // --- durable writing and a yes/no question --------------------------------
    // `schreiben` above hands its bytes to the disk before it returns (the
    // file's buffers are flushed), so that a following `ersetzen` moves a
    // complete file. This appends `bytes` to `pfad` (created when missing)
    // and returns only when they are on the disk.
    virtual Ergebnis anhaengen(std::string_view pfad, std::string_view bytes) = 0;
    // A modal message box with the buttons Ja and Nein, title "Karmo", no
    // icon; true when the user chose Ja. `vorgabe` is the button that has
    // the focus when the box opens.
    virtual bool frage(std::string_view text, Vorgabe vorgabe = Vorgabe::Ja) = 0;
    // --- scanner input in message boxes -----------------------------------------
    // A card (eingabe/meldungsfang.hpp) typed into a message box or a question
    // never answers it. Whether the box keeps the card depends on whether a
    // list is there to take it: `setze_kartenannahme` names who decides (the
    // running program: a capture form is open). Without one, or when it says
    // no, the card's keys go nowhere and the box stays open for a person.
    using Kartenannahme = std::function<bool()>;
    void setze_kartenannahme(Kartenannahme a) { kartenannahme_ = std::move(a); }
    bool nimmt_karten() const { return kartenannahme_ && kartenannahme_(); }
    // The cards kept from every box since they were last handed out, oldest
    // first: each is handed out once; empty when none is left.
    std::string scan_aus_meldung();
    bool karten_wartend() const { return !karten_.empty(); }

    // --- at hand for the user -------------------------------------------------
    // Opens a file manager window on the folder of the file `pfad` with that
    // file selected. A failure is reported to the caller only: it is no error
    // the user has to answer.
    virtual Ergebnis im_ordner_zeigen(std::string_view pfad) = 0;

    // --- the common Open and Save As dialogs --------------------------------------
    // Both are modal, owned by the program's active window, with the title
    // and the one filter of `w`; any folder or drive may be chosen.
    // The Open dialog takes several files at once: their full paths, none
    // when the user cancelled.
    virtual std::vector<std::string> dateien_waehlen(const Dateiwahl& w) = 0;
    // The Save As dialog proposes `w.vorschlag`; its own question guards a
    // file that exists. The chosen full path, nothing when cancelled.
    virtual std::optional<std::string> speicherort_waehlen(const Dateiwahl& w) = 0;

    // --- printing ---------------------------------------------------------------
    // The printers, wired by the program's entry (or a test); none wired
    // means no printer at all.
    void setze_drucker(Drucker* d) { drucker_ = d; }
    Drucker* drucker() const { return drucker_; }

protected:
    // An implementation's box kept this card.
    void karte_merken(std::string efn) { karten_.push_back(std::move(efn)); }

private:
    Kartenannahme kartenannahme_;
    std::deque<std::string> karten_;
    Drucker* drucker_ = nullptr;
};

inline std::string Plattform::scan_aus_meldung() {
    if (karten_.empty()) return {};
    std::string efn = std::move(karten_.front());
    karten_.pop_front();
    return efn;
}

} // namespace karmo
