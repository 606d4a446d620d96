// The journal's line format: one entry per line, each with its own length and check sum.
//
// A line is  <length> " " <crc32, 8 hex digits> " " <payload> "\n"  where the
// length counts the payload's bytes and the check sum is the CRC-32 (as in
// zip) of the payload. The payload is a kind and its fields, separated by tabs;
// a backslash, tab, carriage return or line feed inside a field is written as
// "\\", "\t", "\r" or "\n". So a line cut off anywhere, or changed, fails its
// own check and is known for what it is.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "ui/steuerelemente.hpp"

namespace karmo::sicherung {

// Kinds of entries (the first field of a payload).
inline constexpr std::string_view k_anfang = "S";    // snapshot begins: format version, form (1 or 2)
inline constexpr std::string_view k_zustand = "Z";   // Aktuelle_VNR, Aktuelle_Meldungsart, Aktuelle_Kammer, Aktuelle_Datei
inline constexpr std::string_view k_feld = "F";      // a text box: its name, its text
inline constexpr std::string_view k_anfuegen = "+";  // list lines appended: their texts (one, or many at once)
inline constexpr std::string_view k_ersetzen = "=";  // list line i replaced: i, the new text
inline constexpr std::string_view k_entfernen = "-"; // list line i removed: i
inline constexpr std::string_view k_leeren = "0";    // the list emptied
inline constexpr std::string_view k_ende = "E";      // snapshot complete: its number of list lines
inline constexpr std::string_view k_version = "1";

// The text boxes of a capture form that belong to the event, by their
// names in the journal. A type-1 form has the first two.
struct Feld {
    std::string_view name;
    ui::Ctl ctl;
};
inline constexpr std::array<Feld, 8> k_felder{{
    {"VNR", ui::Ctl::VNR},
    {"Punkte", ui::Ctl::Punkte},
    {"Datum_von", ui::Ctl::Datum_von},
    {"DATUM_BIS", ui::Ctl::DATUM_BIS},
    {"Uhrzeit_s", ui::Ctl::Uhrzeit_s},
    {"Uhrzeit_e", ui::Ctl::Uhrzeit_e},
    {"Dauer", ui::Ctl::Dauer},
    {"Inhalt", ui::Ctl::Inhalt},
}};
inline constexpr std::size_t k_felder_typ1 = 2;
// Most lines a list may hold (list positions are 16-bit).
inline constexpr std::size_t k_hoechstzeilen = 32767;

std::uint32_t crc32(std::string_view bytes);

// Appends one complete line with the given fields (the kind first) to `out`.
void eintrag(std::string& out, std::initializer_list<std::string_view> felder);

// One entry whose fields come one at a time (the lines another list
// brought, thousands at once), written straight into `out` behind room for
// its head, which is filled in when it closes. A payload about to pass
// k_hoechste_nutzlast is closed there and another entry of the same kind
// begun, so that no entry grows past what a reader takes.
class Sammeleintrag {
public:
    static constexpr std::size_t k_hoechste_nutzlast = std::size_t{1} << 20;

    // `teilbar`: whether the fields may go into several entries (each of
    // them a whole line by itself, as the lines of a list are).
    explicit Sammeleintrag(std::string& out, std::string_view art, bool teilbar = true);
    void feld(std::string_view f);
    // Closes the entry.
    void schliessen();

private:
    void beginnen();

    std::string& out_;
    std::string_view art_;
    std::size_t anfang_ = 0; // where its head goes
    std::size_t felder_ = 0;
    bool teilbar_;
};

// Splits the journal into its entries from the front. Stops at the first
// line that is incomplete or fails its check.
class Zeilen {
public:
    explicit Zeilen(std::string_view bytes) : rest_(bytes), gesamt_(bytes.size()) {}
    // The next entry's fields, decoded; false at the end or at a bad line.
    bool naechste(std::vector<std::string>& felder);
    // Bytes of the complete, checked lines handed out so far.
    std::size_t gelesen() const { return gesamt_ - rest_.size(); }
    // Whether bytes are left that are no complete line.
    bool rest() const { return !rest_.empty(); }

private:
    std::string_view rest_;
    std::size_t gesamt_;
};

} // namespace karmo::sicherung
