// The participant list's index by EFN: which numbers the list holds, how often, and the points of the first line of each.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ui/fenster.hpp"

namespace karmo {

// Counts the lines of the list by their first 15 characters, so that a scan
// or another list's line does not walk the whole list. The list is also
// changed from outside the group (a new event clears it, loading refills
// it); the window's change count of the list tells, and the index rebuilds
// itself before its next use. Each EFN also keeps the points of its first
// line ("8/0", as numbers: Punkteschluessel), for a line of another
// list to be compared with.
//
// A key of 15 digits, as every scanned line has, is held as its number in
// an open table (no allocation per line, one probe for most look-ups);
// anything else a loaded file brought goes to an ordinary map beside it.
class EFN_Verzeichnis {
public:
    void abgleichen(const ui::Fenster& f);
    bool enthaelt(std::string_view efn) const { return punkte(efn).has_value(); }
    // The points of the first line with this EFN; nothing when none. Valid
    // until the index next changes.
    std::optional<std::string_view> punkte(std::string_view efn) const;
    // Asks the processor to fetch the place of `efn` now, for a look-up a
    // few lines later: a long run of look-ups then waits less for memory.
    void vormerken(std::string_view efn) const;

    // The same look-ups for a valid EFN whose number is known already
    // (EFN_Zahl): another list brings tens of thousands of them. Made only
    // by nummer(): the table holds each number + 1 (0 marks a free place),
    // and a key made from the bare number would silently find nothing.
    class Nummer {
    public:
        Nummer() = delete;

    private:
        friend class EFN_Verzeichnis;
        explicit constexpr Nummer(std::uint64_t wert) : wert_(wert) {}
        std::uint64_t wert_; // the number + 1, as the table holds it
    };
    static constexpr Nummer nummer(std::uint64_t efn_zahl) { return Nummer{efn_zahl + 1}; }
    void vormerken(Nummer n) const;
    std::optional<std::string_view> punkte(Nummer n) const;
    // Where `n` is or would go: one probe serves the look-up and the insert
    // that may follow (valid until the index next changes).
    struct Stelle {
        std::size_t platz;
        bool belegt;
    };
    Stelle suchen(Nummer n) const;
    std::string_view punkte(Stelle s) const { return punkte_von(plaetze_[s.platz]); }
    // A line appended whose key `n` the index does not hold yet, `s` being
    // where suchen(n) found it would go; the room for it was reserved.
    void hinzu_neu(Nummer n, Stelle s, std::string_view zeile);
    // A line appended at the end of the list.
    void hinzu(std::string_view zeile);
    // The line `alt` of the list replaced by `neu` in its place.
    void ersetzt(std::string_view alt, std::string_view neu);
    void weg(std::string_view zeile);
    // Room for `n` numbers in all, made before many lines come at once.
    void reservieren(std::size_t n);
    // Records the list's state after the group changed it itself.
    void merken(const ui::Fenster& f);

private:
    struct Eintrag {
        std::uint32_t anzahl = 0;
        std::string punkte;
    };
    // 24 bytes: a table of 65,536 places stays within 1.5 MB, and a probe
    // (a cache miss, most of a look-up's cost) fetches one line.
    static constexpr std::size_t k_punkte_platz = 11;
    struct Platz {
        std::uint64_t zahl = 0; // the EFN's number + 1; 0 is a free place
        std::uint32_t anzahl = 0;
        std::uint8_t laenge = 0; // of the points; k_lang: in lange_punkte_
        std::array<char, k_punkte_platz> punkte{};
    };
    static constexpr std::uint8_t k_lang = 0xFF;
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
    };

    void punkte_setzen(Platz& p, std::string_view zeile);
    std::string_view punkte_von(const Platz& p) const;
    // The place of `zahl`, or the free place where it would go.
    std::size_t platz(std::uint64_t zahl) const;
    std::size_t heim(std::uint64_t zahl) const;
    // How many lines the key has (nullptr when none), for either store.
    std::uint32_t* anzahl(std::string_view schluessel);
    void entfernen(std::string_view schluessel);
    // A table of free places with room for `n` numbers.
    void tabelle(std::size_t n);

    std::vector<Platz> plaetze_;
    std::size_t belegt_ = 0;
    unsigned bits_ = 0;
    std::unordered_map<std::string, Eintrag, Hash, std::equal_to<>> sonstige_;
    // Points too long for their place (only from a loaded file), by number.
    std::unordered_map<std::uint64_t, std::string> lange_punkte_;
    std::uint64_t stand_ = 0;
    bool gueltig_ = false;
    // A line of an EFN that stands more than once went away: which line is
    // first now is known only to the list, which is read again.
    bool neu_lesen_ = false;
};

} // namespace karmo
