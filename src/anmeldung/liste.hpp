// A registration list read from a text table: the rows, their display names and EFNs, what was refused, the summary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace karmo::anmeldung {

// Most registrations a list holds, and the largest file read as one.
inline constexpr std::size_t k_hoechstzahl = 32767;
inline constexpr std::size_t k_hoechstgroesse = 16 * 1024 * 1024;
// Rows with an invalid EFN that the summary names one by one; the rest is "…".
inline constexpr std::size_t k_ungueltige_gezeigt = 10;

// What a row's EFN cell gave.
enum class EFN_Stand : std::uint8_t {
    Gueltig,   // 15 digits with a correct check digit, the first row with it
    Ohne,      // the cell is empty
    Ungueltig, // anything else: kept by name, cannot be captured
    Doppelt,   // valid, but an earlier row has it: not taken into the register
};

// One row of the table with any text in the columns Karmo reads.
struct Anmeldung {
    // The cells as given (Excel's ="…" taken as its text). A lone "Name"
    // column without "Vorname" is held as the surname.
    std::string nachname, vorname, titel, efn_zelle;
    // "Nachname, Titel Vorname", parts trimmed, missing ones left out with
    // their comma or blank; line breaks, tabs and other control characters
    // as blanks.
    std::string anzeigename;
    // The 15 digits when the cell holds a valid EFN (Gueltig, Doppelt).
    std::string efn;
    std::uint32_t zeile = 0; // the file line where the row begins, from 1
    EFN_Stand stand = EFN_Stand::Ohne;
};

// What the summary reports of a list read.
struct Lesebilanz {
    std::size_t anmeldungen = 0;  // n: every row with text
    std::size_t gueltig = 0;      // m: distinct valid EFNs
    std::size_t ohne_efn = 0;     // k
    std::size_t ungueltig = 0;    // j
    std::size_t mehrfach = 0;     // d: valid EFNs that stood in more than one row
    bool gekuerzt = false;        // a cell in Excel's scientific form ("1,23457E+14")
    std::vector<std::size_t> erste_ungueltige; // indexes into the rows, at most k_ungueltige_gezeigt
};

struct Anmeldeliste {
    std::vector<Anmeldung> zeilen; // file order
    Lesebilanz bilanz;
};

// Why a file is not taken as a registration list.
enum class Ablehnung : std::uint8_t {
    Keine,
    Arbeitsmappe,   // a zip or OLE file: a workbook
    Keine_Textdatei, // NUL bytes, not UTF-16
    Kein_Kopf,      // no header line names an EFN column
    Zu_gross,       // more than k_hoechstzahl rows or more than k_hoechstgroesse bytes
    Unlesbar,       // the file could not be read
};

struct Leseergebnis {
    Ablehnung ablehnung = Ablehnung::Keine;
    Anmeldeliste liste; // empty when refused
};

// The table's bytes as a registration list (the rules: anmeldung/liste.cpp).
// No file is touched.
Leseergebnis Tabelle_lesen(std::string_view bytes);

// The one message of a refusal, naming the file; `grund` is the platform's
// reason for Unlesbar.
std::string Ablehnungstext(Ablehnung a, std::string_view pfad, std::string_view grund = {});
// The one message after a list was read: its lines joined by CR LF, each
// only when its number is not 0 (the first always).
std::string Zusammenfassung(const Anmeldeliste& liste);

// The display name of a row's three name cells (into `out`, its room reused).
void anzeigename_setzen(std::string& out, std::string_view nachname, std::string_view titel, std::string_view vorname);
std::string Anzeigename(std::string_view nachname, std::string_view titel, std::string_view vorname);
// A cell for showing: control characters as blanks (CR LF as one), blanks
// at both ends trimmed; appended to `out`.
void bereinigt_anhaengen(std::string& out, std::string_view zelle);
std::string bereinigt(std::string_view zelle);

} // namespace karmo::anmeldung
