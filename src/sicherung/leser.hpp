// Reading a journal back: the open event as it stood at the last complete entry.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sicherung/format.hpp"
#include "ui/steuerelemente.hpp"

namespace karmo::sicherung {

// An open event as the journal keeps it.
struct Stand {
    ui::FormId form = ui::FormId::MA2_Maske;
    std::string vnr; // Aktuelle_VNR
    std::uint8_t meldungsart = 0;
    std::uint8_t kammer = 0;
    std::string datei; // Aktuelle_Datei
    // The texts of the form's boxes, in the order of k_felder; a type-1 form
    // has only the first two.
    std::array<std::optional<std::string>, k_felder.size()> felder;
    std::vector<std::string> zeilen;

    std::size_t feldzahl() const { return form == ui::FormId::MA1_Maske ? k_felder_typ1 : k_felder.size(); }
    bool operator==(const Stand&) const = default;
};

// The entries a journal begins with: the snapshot of `stand` (its boxes
// that have a text, all its lines), which `lesen` reads back as `stand`.
std::string schnappschuss(const Stand& stand);

struct Gelesen {
    // A complete snapshot opens the journal; without one nothing can be restored.
    bool lesbar = false;
    Stand stand;
    // Bytes of the entries applied; when bytes follow them (a torn last entry,
    // or anything after a damaged one), `rest` is set and they are dropped.
    std::size_t gueltig = 0;
    bool rest = false;
};

// Never throws on any input but out of memory.
Gelesen lesen(std::string_view bytes);

} // namespace karmo::sicherung
