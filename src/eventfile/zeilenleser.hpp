// Reads an event file line by line in chunks, keeping at most what a value can be taken from.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/plattform.hpp"

namespace karmo::xml {

// Every text the readers search lines for. A line longer than the reader
// keeps is still searched for these in full.
inline constexpr std::array<std::string_view, 28> k_suchwoerter{
    "Veranstaltung", "</Veranstaltung>", "<Meldungsart>", "<VNR>",        "</VNR>",
    "<Punkte>",      "</Punkte>",        "<Datum_von>",   "</Datum_von>", "<Datum_bis>",
    "</Datum_bis>",  "<Uhrzeit_von>",    "</Uhrzeit_von>", "<Uhrzeit_bis>", "</Uhrzeit_bis>",
    "<Bemerkung>",   "</Bemerkung>",     "<Dauer>",       "</Dauer>",     "<Teilnehmer>",
    "</Teilnehmer>", "<EFN>",            "<Punkte_Basis>", "<Punkte_Referent>", "</Meldungsart>",
    "</EFN>",        "</Punkte_Basis>",  "</Punkte_Referent>",
};

// Index of a word in k_suchwoerter.
enum class Wort : std::uint8_t {
    Veranstaltung, Veranstaltung_zu, Meldungsart, VNR, VNR_zu,
    Punkte, Punkte_zu, Datum_von, Datum_von_zu, Datum_bis,
    Datum_bis_zu, Uhrzeit_von, Uhrzeit_von_zu, Uhrzeit_bis, Uhrzeit_bis_zu,
    Bemerkung, Bemerkung_zu, Dauer, Dauer_zu, Teilnehmer,
    Teilnehmer_zu, EFN, Punkte_Basis, Punkte_Referent, Meldungsart_zu,
    EFN_zu, Punkte_Basis_zu, Punkte_Referent_zu,
};

// The values of a participant block taken in one step (block_lesen).
struct Blockwerte {
    std::string_view efn, basis, referent;
};

// A line ends at CR or CR LF; a lone LF belongs to the line. The last line
// may lack its end. Lines are single-byte text exactly as in the file.
class Zeilenleser {
public:
    explicit Zeilenleser(Lesedatei& datei);

    // Reads the next line. Past the end of the file: error 62 "Einlesen
    // hinter Dateiende."; a read error: the platform's error.
    void lesen() {
        // The usual case, kept inline: the previous line's CR LF and the
        // whole next line lie in the buffer.
        if (cr_offen_ && pos_ + 1 < fuellung_) {
            cr_offen_ = false;
            if (puffer_[pos_] == '\n') ++pos_;
            zu_lang_ = false;
            if (pos_ < fuellung_ && im_puffer_lesen()) return;
        }
        lesen_langsam();
    }
    // Nearly every participant block is in the shape the program writes:
    //   " <EFN>v</EFN>", " <Punkte_Basis>v</Punkte_Basis>",
    //   " <Punkte_Interaktivitaet>v</Punkte_Interaktivitaet>",
    //   " <Punkte_Lernkontrolle>v</Punkte_Lernkontrolle>",
    //   " <Punkte_Referent>v</Punkte_Referent>", "</Teilnehmer>"
    // with each v short and free of "<" and CR, and CR or CR LF after each
    // line. When the lines after the current one are exactly that and lie
    // in the buffer, this takes all six, gives the three values (views
    // valid until the next lesen()) and leaves the reader as six lesen()
    // calls would: on the line "</Teilnehmer>". Otherwise it takes nothing
    // and returns false.
    bool block_lesen(Blockwerte& werte);
    // Whether no character is left after the current line.
    bool ende() {
        if (cr_offen_ && pos_ + 1 < fuellung_) return false;
        return ende_langsam();
    }

    // The current line, or its first k_hoechstlaenge characters when it is
    // longer (zu_lang). Valid until the next lesen().
    std::string_view zeile() const { return ansicht_; }
    bool zu_lang() const { return zu_lang_; }
    // Whether the whole current line contains the word.
    bool enthaelt(Wort wort) const {
        // The one word without "<" is only asked of line 2.
        if (wort == Wort::Veranstaltung && !zu_lang_) return ansicht_.find(k_suchwoerter[0]) != std::string_view::npos;
        if (!funde_bekannt_) woerter_suchen();
        return (funde_ & (1U << static_cast<unsigned>(wort))) != 0;
    }
    // Whether the whole current line contains any of the words in `maske`
    // (bits by Wort); only for words that start with "<".
    bool enthaelt_eines(std::uint32_t maske) const {
        if (!funde_bekannt_) woerter_suchen();
        return (funde_ & maske) != 0;
    }
    // Byte position of the word's first occurrence in zeile(); only for a
    // word starting with "<" that the line contains and a line not too long.
    std::size_t position(Wort wort) const { return positionen_[static_cast<std::size_t>(wort)]; }

private:
    void lesen_langsam();
    bool ende_langsam();
    bool nachfuellen();
    void lf_schlucken();
    bool im_puffer_lesen();
    void anhaengen(const char* a, std::size_t n);
    void ueberhang_durchsuchen(const char* a, std::size_t n);
    void woerter_suchen() const;

    Lesedatei& datei_;
    // Grows from a small first block (a peek reads only the head of a file)
    // to its full size while the caller keeps reading. The buffer has room
    // for a few bytes after `groesse_`, and those after `fuellung_` are
    // zero, so the line scan and the tag match may load whole words.
    std::unique_ptr<char[]> puffer_;
    std::size_t groesse_ = 0;
    std::size_t pos_ = 0;
    std::size_t fuellung_ = 0;
    bool dateiende_ = false;
    bool cr_offen_ = false; // the last line ended with CR; an LF may follow

    std::string zeile_; // the current line when it is not kept in puffer_
    std::string_view ansicht_;
    bool zu_lang_ = false;
    // Words found in the current line (all of them once `funde_bekannt_`).
    mutable std::uint32_t funde_ = 0;
    mutable bool funde_bekannt_ = false;
    // One slot per word, and spare ones the tag match writes for a "<" that
    // starts no word.
    mutable std::array<std::uint32_t, 32> positionen_{};
    std::string fenster_;     // tail of the scanned part, for words across chunks
};

} // namespace karmo::xml
