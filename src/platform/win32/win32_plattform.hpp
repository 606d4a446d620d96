// The platform interface on Win32: message boxes, files, the shell, shortcuts, the clock.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/plattform.hpp"

namespace karmo {

namespace win32 {

// The file-system calls through which files are written and moved: the real
// ones unless a test passes a table of its own that records the calls.
struct Dateiaufrufe {
    decltype(&::CreateFileW) create_file = &::CreateFileW;
    decltype(&::WriteFile) write_file = &::WriteFile;
    decltype(&::FlushFileBuffers) flush_file_buffers = &::FlushFileBuffers;
    decltype(&::CloseHandle) close_handle = &::CloseHandle;
    decltype(&::MoveFileExW) move_file_ex = &::MoveFileExW;
};

} // namespace win32

// The real operating system. Construct it on the user-interface thread: it
// initialises COM there (shortcuts and some shell verbs need an apartment).
class Win32Plattform final : public Plattform {
public:
    Win32Plattform();
    // Writes and moves files through `aufrufe` instead of the system's own calls.
    explicit Win32Plattform(const win32::Dateiaufrufe& aufrufe);
    ~Win32Plattform() override;
    Win32Plattform(const Win32Plattform&) = delete;
    Win32Plattform& operator=(const Win32Plattform&) = delete;

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

    Ergebnis anhaengen(std::string_view pfad, std::string_view bytes) override;
    bool frage(std::string_view text, Vorgabe vorgabe = Vorgabe::Ja) override;

    // GetOpenFileNameW and GetSaveFileNameW (win32_dateiwahl.cpp).
    std::vector<std::string> dateien_waehlen(const Dateiwahl& w) override;
    std::optional<std::string> speicherort_waehlen(const Dateiwahl& w) override;

    // A card caught in one of the thread's windows (win32_kartenfang.cpp).
    void karte_gefangen(std::string efn) { karte_merken(std::move(efn)); }

private:
    // Writes all of `bytes` to the open file, flushes it to the disk and closes it.
    Ergebnis ausschreiben(HANDLE datei, std::string_view bytes);

    // Every message box and question (win32_meldung.cpp), its keys judged
    // by the box's rule (win32_kartenfang.cpp); returns MessageBoxW's answer.
    int box_zeigen(std::string_view text, unsigned knoepfe, bool frage);

    bool com_bereit_ = false;
    win32::Dateiaufrufe api_;
};

namespace win32 {

// UTF-8 <-> UTF-16 at the edge to the wide-character API. Invalid UTF-8
// becomes U+FFFD, as MultiByteToWideChar does it.
std::wstring breit(std::string_view utf8);
std::string schmal(std::wstring_view utf16);

// The system's description of an error number (GetLastError or HRESULT),
// without the trailing line break; never empty.
std::string fehlertext(unsigned long nummer);

// The target path stored in a shortcut file, or nothing when it cannot be read.
std::optional<std::string> verknuepfungsziel(std::string_view lnk);
// The icon file and index stored in a shortcut file, or nothing when it cannot be read.
std::optional<std::pair<std::string, int>> verknuepfungssymbol(std::string_view lnk);

} // namespace win32

} // namespace karmo
