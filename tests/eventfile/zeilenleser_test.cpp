// The line reader against a plain reference on mixed files, whatever the block edges and read sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "eventfile/xml_wert.hpp"
#include "eventfile/zeilenleser.hpp"

namespace karmo {
namespace {

// Hands out at most `stueck` bytes per read.
class Portionen final : public Lesedatei {
public:
    Portionen(const std::string& bytes, std::size_t stueck) : bytes_(bytes), stueck_(stueck) {}
    std::size_t lesen(char* ziel, std::size_t n, Ergebnis&) override {
        const std::size_t k = std::min({n, stueck_, bytes_.size() - pos_});
        std::memcpy(ziel, bytes_.data() + pos_, k);
        pos_ += k;
        return k;
    }

private:
    const std::string& bytes_;
    std::size_t stueck_;
    std::size_t pos_ = 0;
};

// Lines as the file format defines them: up to CR, a CR LF is one end, a
// lone LF stays in the line, the last line needs no end.
std::vector<std::string> referenzzeilen(const std::string& bytes) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t cr = bytes.find('\r', i);
        if (cr == std::string::npos) {
            out.push_back(bytes.substr(i));
            break;
        }
        out.push_back(bytes.substr(i, cr - i));
        i = cr + 1;
        if (i < bytes.size() && bytes[i] == '\n') ++i;
    }
    return out;
}

// Text made of the searched words, near misses, LF, blanks and filler, with
// lines of every length from empty to beyond what the reader keeps.
std::string mischtext(std::uint64_t saat) {
    std::uint64_t z = saat;
    const auto zufall = [&z](std::uint64_t n) {
        z += 0x9E3779B97F4A7C15ULL;
        std::uint64_t x = z;
        x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
        x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
        return (x ^ (x >> 31)) % n;
    };
    const std::vector<std::string> stuecke{
        "<Punkte_Interaktivitaet>", "</Punkte_Lernkontrolle>", "<EFN ", "</", "<", "<P", "<Punkte_Basis",
        "\n", " ", "0", "123456789012345", "Veranstaltung", "</Teilnehmer", "<Uhrzeit_bi", "\xe4\xdf"};
    std::string out;
    while (out.size() < 300000) {
        const std::uint64_t art = zufall(100);
        const std::size_t teile = art < 2 ? 3000 + zufall(8000) : zufall(7);
        for (std::size_t t = 0; t < teile; ++t) {
            if (zufall(2) == 0) out += xml::k_suchwoerter[zufall(xml::k_suchwoerter.size())];
            else out += stuecke[zufall(stuecke.size())];
        }
        out += zufall(3) == 0 ? "\r" : "\r\n";
    }
    out += "<EFN>ohne Zeilenende</EFN>";
    return out;
}

void vergleichen(const std::string& bytes, std::size_t stueck) {
    SCOPED_TRACE("Portionen von " + std::to_string(stueck));
    const auto erwartet = referenzzeilen(bytes);
    Portionen datei(bytes, stueck);
    xml::Zeilenleser leser(datei);
    std::size_t n = 0;
    while (!leser.ende()) {
        leser.lesen();
        ASSERT_LT(n, erwartet.size());
        const std::string& e = erwartet[n];
        const bool lang = e.size() > xml::k_hoechstlaenge;
        ASSERT_EQ(leser.zu_lang(), lang) << "Zeile " << n;
        ASSERT_EQ(leser.zeile(), std::string_view(e).substr(0, xml::k_hoechstlaenge)) << "Zeile " << n;
        for (std::size_t w = 0; w < xml::k_suchwoerter.size(); ++w) {
            const auto wort = static_cast<xml::Wort>(w);
            const std::size_t p = e.find(xml::k_suchwoerter[w]);
            ASSERT_EQ(leser.enthaelt(wort), p != std::string::npos) << "Zeile " << n << ", " << xml::k_suchwoerter[w];
            if (p != std::string::npos && !lang && w != 0) {
                ASSERT_EQ(leser.position(wort), p) << "Zeile " << n;
            }
        }
        ++n;
    }
    EXPECT_EQ(n, erwartet.size());
}

TEST(Zeilenleser, GleichtDerReferenzBeiJederBlockgrenze) {
    const std::string text = mischtext(1);
    // Whole blocks (the reader's own growing sizes), odd sizes that put
    // line ends, CR LF pairs and words across every kind of edge, and one byte.
    for (std::size_t stueck : {std::size_t{1} << 20, std::size_t{4093}, std::size_t{61}, std::size_t{7}}) vergleichen(text, stueck);
    const std::string kurz = mischtext(2).substr(0, 20000);
    vergleichen(kurz, 1);
}

TEST(Zeilenleser, ZeilenendenGenauAnDerKanteDesErstenBlocks) {
    // The first block holds 4096 bytes: its last byte is the CR, the LF, or
    // the first byte of a word that the next block completes.
    for (std::size_t vor : {4094U, 4095U, 4096U, 4097U}) {
        for (const std::string ende : {"\r\n", "\r", "<EFN>1</EFN>\r\n"}) {
            const std::string bytes = std::string(vor, 'x') + ende + "<Punkte_Basis>8</Punkte_Basis>\r\n</Teilnehmer>";
            vergleichen(bytes, std::size_t{1} << 20);
        }
    }
}

TEST(Zeilenleser, WoerterZwischenSpitzenKlammernUndAltenPufferbytes) {
    // Words behind other "<", with ">" close before or after them, cut off
    // by the line end, or so far from the next ">" that no word fits.
    std::string bytes;
    for (const std::string_view w : xml::k_suchwoerter) {
        const std::string wort(w);
        for (const std::string& z : {"<" + wort, "<<" + wort + ">", wort + ">>" + wort, "<>" + wort, wort.substr(0, wort.size() - 1),
                                     wort.substr(0, wort.size() - 1) + std::string(30, ' ') + ">", "</" + wort.substr(1),
                                     ">" + wort.substr(1), wort + wort}) {
            bytes += z + "\r\n" + z + "\r";
        }
    }
    vergleichen(bytes, std::size_t{1} << 20);
    vergleichen(bytes, 13);

    // The reader's blocks grow from 4 KiB to 256 KiB and are then reused:
    // the last block ends in the middle of a word whose rest the block
    // before held at the same place.
    constexpr std::size_t vorher = 4096 + 8192 + 16384 + 32768 + 65536 + 131072;
    constexpr std::size_t block = 262144;
    std::string gross(vorher + block + 1003, 'x');
    gross.replace(vorher + block - 2, 2, "\r\n");
    gross.replace(vorher + 1000, 12, "<EFN>1</EFN>");
    gross.replace(vorher + block + 999, 4, "\r<EF");
    vergleichen(gross, std::size_t{1} << 20);
    gross.back() = '\r';
    gross.replace(vorher + block + 1000, 2, "<E");
    vergleichen(gross, std::size_t{1} << 20);
}

} // namespace
} // namespace karmo
