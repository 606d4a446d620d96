// The search over the registrations' names and EFNs: folded texts made once, scanned many bytes at a time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace karmo::anmeldung {

// The registrations' search texts, each registration's display name folded
// with the umlauts as their letter and, where that differs, spelt out, and
// its EFN (an invalid one: the cell folded); per registration the bytes
// its texts hold, which answers a search of one character without a scan.
// A scan tests sixteen places at once for the search's first and last
// byte and compares the whole search only where both fit.
class Suchindex {
public:
    // The next registration, in the window's order.
    void hinzu(std::string_view anzeigename, std::string_view efn_text);
    // The places, rising, of the registrations whose display name or EFN
    // holds `anfrage` in either spelling of its umlauts; `anfrage` is a
    // cleaned search, not empty. Valid until the next search. A search that
    // continues the one before (a letter typed on) tests only what that one
    // found, when it found few.
    const std::vector<std::uint32_t>& suchen(std::string_view anfrage) const;

private:
    // Whether the registration at `platz` matches, tested on its own pieces;
    // `mit_namen`, `mit_efn`: whether those texts can hold the search at all.
    bool passt_platz(std::uint32_t platz, std::string_view grund, std::string_view umschrieben, bool mit_namen,
                     bool mit_efn) const;

    using Zeichen = std::array<std::uint64_t, 4>; // a set of bytes
    // Pieces of text, each ended by a line feed, with where each begins,
    // which registration it belongs to (its place; none: the piece's own
    // index), and the bytes they hold (a search with another is not scanned for).
    struct Texte {
        std::string text;
        std::vector<std::uint32_t> anfaenge{0};
        std::vector<std::uint32_t> plaetze;
        Zeichen alle{};
        void anfuegen(std::string_view stueck, std::uint32_t platz, bool mit_platz);
        bool kann_halten(std::string_view muster) const;
        void markieren(std::string_view muster, std::vector<std::uint8_t>& passt) const;
    };
    Texte namen_, umschrieben_, efn_;
    std::vector<std::uint32_t> umschrieben_stueck_; // per place its piece there, or k_kein_stueck
    static constexpr std::uint32_t k_kein_stueck = UINT32_MAX;
    std::vector<Zeichen> zeichen_;
    std::string puffer_;
    // The search before, folded both ways, and what it found.
    struct Letzte {
        std::string grund, umschrieben;
        std::vector<std::uint32_t> plaetze;
    };
    mutable Letzte letzte_;
    mutable std::vector<std::uint8_t> passt_; // a scan's marks, one per place
};

} // namespace karmo::anmeldung
