// A type-2 event lives under two names; a save under one brings the other along when it holds the same event.
#include "eventfile/zwillingsdatei.hpp"

#include "common/fehler.hpp"
#include "common/text.hpp"
#include "eventfile/dateizugriff.hpp"
#include "eventfile/ersetzen.hpp"
#include "eventfile/zeilenleser.hpp"

namespace karmo {
namespace {

using xml::Wort;

const char* const k_quelle = "Dateizugriff";

std::string wert(const xml::Zeilenleser& leser, Wort auf, Wort zu) {
    if (leser.zu_lang() || !leser.enthaelt(zu)) return {};
    const std::size_t start = leser.position(auf) + xml::k_suchwoerter[static_cast<std::size_t>(auf)].size();
    const std::size_t ende = leser.position(zu);
    if (ende <= start) return {};
    return text::cp1252_zu_utf8(leser.zeile().substr(start, ende - start));
}

} // namespace

std::optional<Kopfwerte> Kopfwerte_lesen(Plattform& pl, std::string_view pfad) {
    Ergebnis fehler;
    const auto datei = pl.oeffnen(pfad, fehler);
    if (!datei) {
        if (fehler.ok()) fehler = {53, "Datei nicht gefunden"};
        throw Fehler(fehler.nummer, k_quelle, fehler.text);
    }
    xml::Zeilenleser leser(*datei);
    // Line 2 names the root element of every event file.
    for (int i = 0; i < 2; ++i) {
        if (leser.ende()) return std::nullopt;
        leser.lesen();
    }
    if (!leser.enthaelt(Wort::Veranstaltung)) return std::nullopt;

    Kopfwerte k;
    bool vnr_gelesen = false;
    bool datum_gelesen = false;
    while (!leser.ende()) {
        leser.lesen();
        if (leser.enthaelt(Wort::Teilnehmer) || leser.enthaelt(Wort::Veranstaltung_zu)) break;
        if (!vnr_gelesen && leser.enthaelt(Wort::VNR)) {
            k.vnr = wert(leser, Wort::VNR, Wort::VNR_zu);
            vnr_gelesen = true;
        }
        if (!datum_gelesen && leser.enthaelt(Wort::Datum_von)) {
            k.datum_von = wert(leser, Wort::Datum_von, Wort::Datum_von_zu);
            datum_gelesen = true;
        }
    }
    return k;
}

void Zwilling_nachziehen(Programm& p, std::string_view gespeichert, std::string_view vnr, std::string_view datum_von,
                         std::string_view inhalt) {
    Plattform& pl = p.plattform();
    const std::string einfach = Dateiname_einfach(p.zustand(), vnr);
    const std::string datiert = Dateiname_datiert(p.zustand(), vnr, datum_von);
    std::string zwilling;
    if (text::gleich_ohne_gross_klein(gespeichert, datiert)) {
        zwilling = einfach;
    } else if (text::gleich_ohne_gross_klein(gespeichert, einfach)) {
        zwilling = datiert;
    } else {
        return; // a path of neither name (only a caller outside the forms)
    }
    if (!pl.datei_existiert(zwilling)) return;

    // The plain name is shared by every session of the number: only a file
    // of this very session (same number, same first day) is brought along.
    const std::optional<Kopfwerte> k = Kopfwerte_lesen(pl, zwilling);
    if (!k || k->vnr != vnr || k->datum_von != datum_von) return;

    Datei_ersetzen(pl, zwilling, inhalt, k_quelle);
}

} // namespace karmo
