// Deterministic benchmark data: the largest event file and a crowded data folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

// splitmix64: the same sequence on every machine and standard library, which
// std::uniform_*_distribution does not promise.
class Zufall {
public:
    explicit Zufall(std::uint64_t saat) : s_(saat) {}
    std::uint64_t naechste();
    // Uniform in [von, bis].
    int zwischen(int von, int bis);
    bool wahrscheinlich(int prozent) { return zwischen(1, 100) <= prozent; }

private:
    std::uint64_t s_;
};

// Luhn check digit of the digits in `nutzteil` (rightmost digit doubled).
char luhn_ziffer(std::string_view nutzteil);

// The i-th participant number of a series: 15 digits, valid check digit,
// distinct for distinct i below 10^10 within one series.
std::string efn(std::uint64_t serie, std::uint64_t i);
// The i-th event number of a chamber prefix: 19 digits, valid check digit.
std::string vnr(std::string_view praefix, std::uint64_t i);

// UTF-8 to Windows-1252 for the characters the generator uses.
std::string cp1252(std::string_view utf8);

struct Teilnehmer {
    std::string efn;
    std::string basis;    // digits
    std::string referent; // digits
};

struct Veranstaltung {
    std::string vnr;
    int meldungsart = 2;
    std::string datum_von, datum_bis, uhrzeit_von, uhrzeit_bis, dauer;
    std::string bemerkung; // Windows-1252, lines joined by "\r\n"
    std::string punkte;
    std::vector<Teilnehmer> teilnehmer;
};

// The file's bytes, one element per line, "\r\n" after every line.
std::string dateitext(const Veranstaltung& v);
// "<vnr>.XML" or "<vnr>_<datum_von>.XML".
std::string dateiname(const Veranstaltung& v, bool datiert);

// (a) The largest event: 32,767 participants, report type 2, three-line content.
Veranstaltung groesste_veranstaltung();

struct Ordnerbilanz {
    int ereignisdateien = 0; // event files written
    int fremde = 0;          // other ".XML" files
    int doppelt = 0;         // events saved under both names
    std::uintmax_t bytes = 0;
};
// (b) 10,000 event files plus 100 files ending in ".XML" that are not event
// files, written into `ordner` (created).
Ordnerbilanz ordner_erzeugen(const std::filesystem::path& ordner);

void datei_schreiben(const std::filesystem::path& p, std::string_view bytes);

} // namespace bench
