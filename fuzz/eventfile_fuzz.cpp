// Fuzz target: the event-file readers on arbitrary bytes (values, peek, report type, loading into a form).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "eventfile/dateizugriff.hpp"
#include "eventfile/testformulare.hpp"
#include "eventfile/xml_wert.hpp"

namespace {

const std::string k_name = "fuzz.XML";
const std::string k_pfad = "c:\\zelva\\Daten\\" + k_name;

void pruefen(bool bedingung) {
    if (!bedingung) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    // One program for the whole run; its temporary folder goes when the run ends.
    static karmo::testformulare::Umgebung u;
    const std::string_view bytes(reinterpret_cast<const char*>(daten), groesse);

    for (std::string_view tag : {"VNR", "Bemerkung", "Meldungsart", "", "<"}) {
        karmo::XML_Wert(bytes, tag, "s");
        const std::string zahl = karmo::XML_Wert(bytes, tag, "n");
        for (char c : zahl) pruefen((c >= '0' && c <= '9') || c == '-');
    }

    u.pl.datei_ablegen(k_pfad, bytes);
    const std::uint8_t art = karmo::Meldungsart_lesen(u.pl, k_pfad);
    std::string name = k_name;
    const std::string zeile = karmo::Get_VNR(u.p, name);
    pruefen(name == k_pfad);

    auto& z = u.p.zustand();
    z.Dateiliste_Pfade = {k_pfad};
    z.Lade_Zweck = static_cast<std::uint8_t>(1 + groesse % 2);
    u.pl.meldungen.clear();
    karmo::Veranstaltung_laden(u.p, 0);
    pruefen(z.Aktuelle_Meldungsart == art);
    pruefen(z.Aktuelle_Datei == k_pfad);
    // A refused file leaves exactly one message, beginning with its number.
    if (art > 200) pruefen(u.pl.meldungen.size() == 1 && u.pl.meldungen[0].rfind("Fehler:200 : ", 0) == 0);
    u.pl.meldungen.clear();
    if (zeile.empty()) return 0;
    // A listed file starts its row with the event number it holds.
    pruefen(zeile.find(" am ") != 0 && zeile.find(" um ") != 0);
    return 0;
}
