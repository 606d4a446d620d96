// Loading many generated participant blocks, regular and irregular, against a plain line-by-line model of the rules.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.hpp"
#include "eventfile/dateizugriff.hpp"
#include "eventfile/liste_lesen.hpp"
#include "eventfile/testformulare.hpp"

namespace karmo {
namespace {

using testformulare::Umgebung;
using ui::Ctl;

const std::string k_ordner = "c:\\zelva\\Daten\\";

struct Zufall {
    std::uint64_t s;
    std::uint64_t next() {
        s += 0x9E3779B97F4A7C15ULL;
        std::uint64_t z = s;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    std::size_t bis(std::size_t n) { return static_cast<std::size_t>(next() % n); }
    bool selten(std::size_t n) { return bis(n) == 0; }
};

// --- the model: split into lines, then the loader's rules with plain finds --------------------------------

std::vector<std::string> zeilen_von(const std::string& bytes) {
    std::vector<std::string> out;
    std::string z;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r') {
            z.push_back(bytes[i]);
            continue;
        }
        out.push_back(z);
        z.clear();
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    }
    if (!z.empty()) out.push_back(z);
    return out;
}

bool hat(std::string_view zeile, std::string_view wort) { return zeile.find(wort) != std::string_view::npos; }

std::string wert(std::string_view zeile, std::string_view name) {
    const std::string auf = "<" + std::string(name) + ">";
    const std::string zu = "</" + std::string(name) + ">";
    if (!hat(zeile, zu)) return "";
    const std::size_t start = zeile.find(auf) + auf.size();
    const std::size_t q = zeile.find(zu);
    return q <= start ? "" : std::string(zeile.substr(start, q - start));
}

struct Erwartet {
    std::vector<std::string> liste;
    std::string punkte, dauer, vnr;
};

// Header values in this generator always close in their own line.
Erwartet modell(const std::string& bytes) {
    const std::vector<std::string> z = zeilen_von(bytes);
    Erwartet e;
    constexpr std::array<std::string_view, 8> k_kopf{"VNR", "Punkte", "Datum_von", "Datum_bis",
                                                      "Uhrzeit_von", "Uhrzeit_bis", "Bemerkung", "Dauer"};
    std::size_t i = 2;
    while (i < z.size()) {
        std::string zeile = z[i++];
        for (std::string_view k : k_kopf) {
            if (!hat(zeile, "<" + std::string(k) + ">")) continue;
            if (k == "VNR") e.vnr = wert(zeile, k);
            if (k == "Punkte") e.punkte = wert(zeile, k);
            if (k == "Dauer") e.dauer = wert(zeile, k);
            break;
        }
        if (hat(zeile, "<Teilnehmer>")) {
            std::string efn, basis = "0", referent = "0";
            while (i < z.size()) {
                zeile = z[i++];
                if (hat(zeile, "<EFN>")) efn = wert(zeile, "EFN");
                if (hat(zeile, "<Punkte_Basis>")) basis = wert(zeile, "Punkte_Basis");
                if (hat(zeile, "<Punkte_Referent>")) referent = wert(zeile, "Punkte_Referent");
                if (hat(zeile, "</Teilnehmer>")) {
                    e.liste.push_back(text::cp1252_zu_utf8(efn + " (" + basis + "/" + referent + ")"));
                    break;
                }
            }
        }
        if (hat(zeile, "</Veranstaltung>")) break;
    }
    return e;
}

// --- the generator --------------------------------------------------------------------------------------------

std::string ziffern(Zufall& r, std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s.push_back(static_cast<char>('0' + r.bis(10)));
    return s;
}

// A value, mostly as the program writes it, sometimes odd.
std::string wert_variante(Zufall& r, std::size_t laenge) {
    switch (r.bis(24)) {
    case 0: return "";
    case 1: return ziffern(r, 47 + r.bis(4)); // around the longest value taken in one step
    case 2: return "1>2";
    case 3: return "1\n2";                     // a lone LF belongs to the line
    case 4: return "\xE9t\x80";                // Windows-1252
    case 5: return "1<2";
    case 6: return "1 ";
    default: return ziffern(r, laenge);
    }
}

std::string zeilenende(Zufall& r) { return r.selten(15) ? "\r" : "\r\n"; }

void wertzeile(Zufall& r, std::string& out, std::string_view name, std::size_t laenge) {
    std::string vorn = " <" + std::string(name) + ">";
    std::string hinten = "</" + std::string(name) + ">";
    switch (r.bis(40)) {
    case 0: vorn = "<" + std::string(name) + ">"; break;
    case 1: vorn = "  " + vorn; break;
    case 2: hinten.clear(); break;                         // no closing tag
    case 3: hinten += " "; break;
    case 4: hinten += "<Punkte>" + ziffern(r, 1) + "</Punkte>"; break; // a header tag inside a block
    case 5: vorn = " <VNR>1</VNR>" + vorn; break;
    case 6: hinten += "</Teilnehmer>"; break;              // the block ends early
    case 7: vorn = " <efn>"; break;
    case 8: hinten += "</Veranstaltung>"; break;           // only counts on the block's last line
    case 9: return;                                        // the line is missing
    default: break;
    }
    out += vorn + wert_variante(r, laenge) + hinten + zeilenende(r);
}

void block(Zufall& r, std::string& out) {
    switch (r.bis(30)) {
    case 0: out += "<Punkte>" + ziffern(r, 2) + "</Punkte><Teilnehmer>"; break;
    case 1: out += " <Teilnehmer> <EFN>9</EFN>"; break;
    default: out += "<Teilnehmer>"; break;
    }
    out += zeilenende(r);
    const bool vertauscht = r.selten(25);
    wertzeile(r, out, vertauscht ? "Punkte_Basis" : "EFN", 15);
    wertzeile(r, out, vertauscht ? "EFN" : "Punkte_Basis", 1 + r.bis(2));
    wertzeile(r, out, "Punkte_Interaktivitaet", 1);
    wertzeile(r, out, "Punkte_Lernkontrolle", 1);
    wertzeile(r, out, "Punkte_Referent", 1 + r.bis(2));
    switch (r.bis(30)) {
    case 0: out += " </Teilnehmer>"; break;
    case 1: out += "</Teilnehmer> "; break;
    case 2: out += "</Teilnehmer><Dauer>" + ziffern(r, 3) + "</Dauer>"; break; // not read as a header line
    case 3: return;                                                      // runs on into the next block
    default: out += "</Teilnehmer>"; break;
    }
    out += zeilenende(r);
    if (r.selten(20)) out += "<Dauer>" + ziffern(r, 3) + "</Dauer>" + zeilenende(r);
}

std::string datei(Zufall& r, std::size_t bloecke) {
    std::string out = "<?xml version=\"1.0\" encoding=\"iso-8859-15\" ?>\r\n<Veranstaltung>\r\n"
                      "<VNR>2760123456789012344</VNR>\r\n<Meldungsart>2</Meldungsart>\r\n";
    // Shifts where the blocks meet the reader's block edges.
    out += std::string(r.bis(300), ' ') + "\r\n";
    for (std::size_t i = 0; i < bloecke; ++i) block(r, out);
    if (r.selten(3)) {
        out += "</Veranstaltung>\r\n";
        block(r, out);
    }
    return out;
}

std::vector<std::string> liste(ui::Fenster& f) {
    std::vector<std::string> out;
    for (int i = 0; i < f.zeilenzahl(Ctl::Teilnehmerliste); ++i) out.push_back(f.zeile(Ctl::Teilnehmerliste, i));
    return out;
}

void pruefen(const std::string& bytes, const std::string& was) {
    Umgebung u;
    u.pl.datei_ablegen(k_ordner + "x.XML", bytes);
    u.p.zustand().Dateiliste_Pfade = {k_ordner + "x.XML"};
    Veranstaltung_laden(u.p, 0);
    const Erwartet e = modell(bytes);
    ASSERT_TRUE(u.pl.meldungen.empty()) << was;
    auto& f = u.ma2();
    EXPECT_EQ(f.text(Ctl::VNR), e.vnr) << was;
    EXPECT_EQ(f.text(Ctl::Punkte), e.punkte) << was;
    EXPECT_EQ(f.text(Ctl::Dauer), e.dauer) << was;
    const std::vector<std::string> ist = liste(f);
    ASSERT_EQ(ist.size(), e.liste.size()) << was;
    for (std::size_t i = 0; i < ist.size(); ++i) ASSERT_EQ(ist[i], e.liste[i]) << was << ", line " << i;

    // Read for another list, the same file gives the same number and lines.
    Gelesene_Liste g;
    Teilnehmer_lesen(u.pl, k_ordner + "x.XML", g);
    EXPECT_EQ(g.vnr, e.vnr) << was;
    ASSERT_EQ(g.anzahl(), e.liste.size()) << was;
    for (std::size_t i = 0; i < g.anzahl(); ++i) ASSERT_EQ(g.eintrag(i), e.liste[i]) << was << ", line " << i;
}

TEST(Veranstaltung_laden, RegelmaessigeBloeckeGebenDieGeschriebenenWerte) {
    // Every block in the program's own shape, over several reader blocks.
    Zufall r{7};
    std::string bytes = "<?xml version=\"1.0\" encoding=\"iso-8859-15\" ?>\r\n<Veranstaltung>\r\n"
                        "<Meldungsart>2</Meldungsart>\r\n";
    std::vector<std::string> erwartet;
    for (int i = 0; i < 2000; ++i) {
        const std::string efn = ziffern(r, 15), basis = ziffern(r, 1 + r.bis(2)), ref = ziffern(r, 1);
        bytes += "<Teilnehmer>\r\n <EFN>" + efn + "</EFN>\r\n <Punkte_Basis>" + basis +
                 "</Punkte_Basis>\r\n <Punkte_Interaktivitaet>0</Punkte_Interaktivitaet>\r\n"
                 " <Punkte_Lernkontrolle>0</Punkte_Lernkontrolle>\r\n <Punkte_Referent>" +
                 ref + "</Punkte_Referent>\r\n</Teilnehmer>\r\n";
        erwartet.push_back(efn + " (" + basis + "/" + ref + ")");
    }
    bytes += "</Veranstaltung>\r\n";
    Umgebung u;
    u.pl.datei_ablegen(k_ordner + "x.XML", bytes);
    u.p.zustand().Dateiliste_Pfade = {k_ordner + "x.XML"};
    Veranstaltung_laden(u.p, 0);
    EXPECT_EQ(liste(u.ma2()), erwartet);
}

TEST(Veranstaltung_laden, AbweichendeBloeckeWieZeileFuerZeile) {
    for (std::uint64_t saat = 1; saat <= 60; ++saat) {
        Zufall r{saat};
        pruefen(datei(r, 50 + r.bis(400)), "seed " + std::to_string(saat));
    }
}

} // namespace
} // namespace karmo
