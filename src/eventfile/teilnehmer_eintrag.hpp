// The participant's list line "EFN (base/speaker)": built, read by position, its points as a key; the count beside the list.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ui/fenster.hpp"

namespace karmo {

// The one reading of a list line, by position and by its first "/" (never
// by the brackets): the first 15 characters are the EFN, the points part
// starts with the 17th, its base points run up to and including its first
// "/" (empty without one), and the speaker points are the rest after it
// (all of the part without a "/"). The writer, the duplicate index, the
// merge's points key, the correction buttons and the printout all read a
// line through this. A line whose first 16 bytes are ASCII (every scanned
// one) is cut by bytes; any other by characters.
struct Eintragsteile {
    std::string_view efn;
    std::string_view basis;
    std::string_view referent;
};
Eintragsteile eintrag_teilen(std::string_view zeile);

// efn + " (" + basis + "/" + referent + ")"
std::string Teilnehmer_Eintrag(std::string_view efn, std::string_view basis, std::string_view referent);
// The same into `ziel`, whose storage is reused.
void eintrag_bauen(std::string& ziel, std::string_view efn, std::string_view basis, std::string_view referent);

// eintrag_teilen(zeile).efn: the first 15 characters (all of it when shorter).
std::string_view eintrag_efn(std::string_view zeile);
// The digits of eintrag_teilen(zeile).basis and .referent.
std::string eintrag_basispunkte(std::string_view zeile);
std::string eintrag_referentenpunkte(std::string_view zeile);

// A line's points as numbers, for comparing two lines (the duplicate index
// keeps it for each EFN, the merge compares another list's line with it):
// the digits of the base points, "/", the digits of the speaker points,
// each half without leading zeros ("8/0" for "(08/0)"; a half without
// digits stays empty).
std::string Punkteschluessel(std::string_view zeile);
// The same into the `platz` bytes at `ziel`: its length, which may be more
// than `platz` (then the bytes are not all there).
std::size_t punkteschluessel_schreiben(std::string_view zeile, char* ziel, std::size_t platz);

} // namespace karmo
