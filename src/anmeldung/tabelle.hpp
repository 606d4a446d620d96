// Text tables as spreadsheets write them: records of fields, quotes, line ends, the header's separator.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace karmo::anmeldung {

// One record: its fields, and the file line where it begins (from 1).
struct Satz {
    std::vector<std::string> felder;
    std::size_t zeile = 1;
};

// Reads records of a UTF-8 text from `pos` on. Fields are separated by
// `trenner`; a field that begins with a double quote runs to the next quote
// not doubled ("" stands for one), line breaks included, and what follows
// that quote up to the separator belongs to it as well. A record ends at
// CR LF, LF or CR outside quotes, or at the end of the text.
class Satzleser {
public:
    Satzleser(std::string_view text, char trenner, std::size_t pos = 0, std::size_t zeile = 1)
        : text_(text), trenner_(trenner), pos_(pos), zeile_(zeile) {}
    // The next record into `s` (its fields reused); false at the end.
    bool naechster(Satz& s);
    std::size_t position() const { return pos_; }
    std::size_t zeile() const { return zeile_; }

private:
    void feld(std::string& f);
    bool zeilenende(std::size_t i) const { return text_[i] == '\r' || text_[i] == '\n'; }
    void zeilenende_ueberspringen();

    std::string_view text_;
    char trenner_;
    std::size_t pos_;
    std::size_t zeile_;
};

// The header: the first of the first 10 records whose headings `passt`
// accepts, read with the separator that occurs most outside quotes in it
// (";", ",", tab; ";" before "," before tab when as often). Nothing when
// none of them is accepted.
struct Kopf {
    char trenner;
    Satz satz;
    std::size_t danach;      // where the first record after it begins
    std::size_t zeile_danach; // its line
};
inline constexpr std::size_t k_kopf_suchzeilen = 10;
std::optional<Kopf> kopf_suchen(std::string_view text, const std::function<bool(const std::vector<std::string>&)>& passt);

// Excel's text formula ="…" as the text it stands for ("" inside for one
// quote); nothing when `feld` is not of that form.
std::optional<std::string> formeltext(std::string_view feld);

// One field appended to a record being written with ";": in quotes (inner
// quotes doubled) when it holds ";", a quote, CR or LF.
void feld_schreiben(std::string& out, std::string_view feld);
// A field written as Excel's text formula ="…", so that Excel shows it as
// the text it is; in quotes as well when it holds ";", CR or LF.
void formelfeld_schreiben(std::string& out, std::string_view text);

} // namespace karmo::anmeldung
