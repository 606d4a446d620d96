// Reads an event file line by line in chunks, keeping at most what a value can be taken from.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/plattform.hpp"

namespace karmo::xml {

// Every text the readers search lines for. A line longer than the reader
// keeps is still searched for these in full.
inline constexpr std::array<std::string_view, 24> k_suchwoerter{
    "Veranstaltung", "</Veranstaltung>", "<Meldungsart>", "<VNR>",        "</VNR>",
    "<Punkte>",      "</Punkte>",        "<Datum_von>",   "</Datum_von>", "<Datum_bis>",
    "</Datum_bis>",  "<Uhrzeit_von>",    "</Uhrzeit_von>", "<Uhrzeit_bis>", "</Uhrzeit_bis>",
    "<Bemerkung>",   "</Bemerkung>",     "<Dauer>",       "</Dauer>",     "<Teilnehmer>",
    "</Teilnehmer>", "<EFN>",            "<Punkte_Basis>", "<Punkte_Referent>",
};

// A line ends at CR or CR LF; a lone LF belongs to the line. The last line
// may lack its end. Lines are single-byte text exactly as in the file.
class Zeilenleser {
public:
    explicit Zeilenleser(Lesedatei& datei);

    // Reads the next line. Past the end of the file: error 62, as the old
    // line input raised; a read error: the platform's error.
    void lesen();
    // Whether no character is left after the current line.
    bool ende();

    // The current line, or its first k_hoechstlaenge characters when it is
    // longer (zu_lang). Valid until the next lesen().
    std::string_view zeile() const { return ansicht_; }
    bool zu_lang() const { return zu_lang_; }
    // Whether the whole current line contains `wort`; beyond the kept part
    // only the words of k_suchwoerter are known.
    bool enthaelt(std::string_view wort) const;

private:
    bool nachfuellen();
    void lf_schlucken();
    void anhaengen(const char* a, std::size_t n);
    void ueberhang_durchsuchen(const char* a, std::size_t n);

    Lesedatei& datei_;
    std::vector<char> puffer_;
    std::size_t pos_ = 0;
    std::size_t fuellung_ = 0;
    bool dateiende_ = false;
    bool cr_offen_ = false; // the last line ended with CR; an LF may follow

    std::string zeile_; // the current line when it is not kept in puffer_
    std::string_view ansicht_;
    bool zu_lang_ = false;
    std::uint32_t funde_ = 0; // found words of a line that is too long
    std::string fenster_;     // tail of the scanned part, for words across chunks
};

} // namespace karmo::xml
