// Fuzz target: the registration list's table reader on arbitrary bytes, the register built from it, its stored form read back.
//
// What must hold for any file:
// - never more than 32,767 registrations, and a refused file gives none;
// - every EFN the reader calls valid passes the number check, and only those have one;
// - no display name holds a control character or blanks at its ends;
// - the counts of the summary are those of the rows;
// - the list as Karmo stores it reads back as the same list, and stores as the same bytes;
// - the register holds every row but the repeated EFNs, finds each valid EFN, and a search
//   gives places in the window's order, no more than asked for.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "anmeldung/ablage.hpp"
#include "anmeldung/register.hpp"
#include "checks/nummern.hpp"
#include "common/text.hpp"
#include "umgebung.hpp"

namespace {

using namespace karmo::anmeldung;

bool steuerzeichenfrei(std::string_view s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x20 || c == 0x7F) return false;
        // C1 controls, U+0080 to U+009F: C2 80 to C2 9F.
        if (c == 0xC2 && i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) <= 0x9F) return false;
    }
    return true;
}

void gleich(const Anmeldeliste& a, const Anmeldeliste& b) {
    KARMO_PRUEFEN(a.zeilen.size() == b.zeilen.size());
    for (std::size_t i = 0; i < a.zeilen.size(); ++i) {
        const Anmeldung& x = a.zeilen[i];
        const Anmeldung& y = b.zeilen[i];
        KARMO_PRUEFEN(x.nachname == y.nachname && x.vorname == y.vorname && x.titel == y.titel && x.efn_zelle == y.efn_zelle);
        KARMO_PRUEFEN(x.anzeigename == y.anzeigename && x.efn == y.efn && x.stand == y.stand);
    }
    KARMO_PRUEFEN(a.bilanz.gueltig == b.bilanz.gueltig && a.bilanz.ohne_efn == b.bilanz.ohne_efn &&
                  a.bilanz.ungueltig == b.bilanz.ungueltig && a.bilanz.mehrfach == b.bilanz.mehrfach &&
                  a.bilanz.gekuerzt == b.bilanz.gekuerzt);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    const std::string_view bytes(reinterpret_cast<const char*>(daten), groesse);
    Leseergebnis e = Tabelle_lesen(bytes);
    const Anmeldeliste& l = e.liste;
    KARMO_PRUEFEN(l.zeilen.size() <= k_hoechstzahl);
    if (e.ablehnung != Ablehnung::Keine) {
        KARMO_PRUEFEN(l.zeilen.empty());
        return 0;
    }

    std::size_t gueltig = 0, doppelt = 0, ohne = 0, ungueltig = 0;
    for (const Anmeldung& a : l.zeilen) {
        const bool hat_efn = a.stand == EFN_Stand::Gueltig || a.stand == EFN_Stand::Doppelt;
        KARMO_PRUEFEN(hat_efn ? karmo::EFN_gueltig(a.efn) : a.efn.empty());
        KARMO_PRUEFEN(steuerzeichenfrei(a.anzeigename));
        KARMO_PRUEFEN(a.anzeigename.empty() || (a.anzeigename.front() != ' ' && a.anzeigename.back() != ' '));
        KARMO_PRUEFEN(a.zeile >= 1);
        gueltig += a.stand == EFN_Stand::Gueltig;
        doppelt += a.stand == EFN_Stand::Doppelt;
        ohne += a.stand == EFN_Stand::Ohne;
        ungueltig += a.stand == EFN_Stand::Ungueltig;
    }
    KARMO_PRUEFEN(l.bilanz.anmeldungen == l.zeilen.size() && l.bilanz.gueltig == gueltig && l.bilanz.ohne_efn == ohne &&
                  l.bilanz.ungueltig == ungueltig && l.bilanz.mehrfach <= doppelt);
    KARMO_PRUEFEN(Zusammenfassung(l).starts_with("Anmeldeliste geladen: "));

    // Stored and read again.
    const std::string abgelegt = Ablagetext(l);
    const Leseergebnis wieder = Tabelle_lesen(abgelegt);
    KARMO_PRUEFEN(wieder.ablehnung == Ablehnung::Keine);
    gleich(l, wieder.liste);
    KARMO_PRUEFEN(Ablagetext(wieder.liste) == abgelegt);

    // The register, its index and a search for a piece of the first name.
    const Anmelderegister r{std::move(e.liste)};
    const std::vector<Anmeldung>& zeilen = r.liste().zeilen;
    KARMO_PRUEFEN(r.groesse() == zeilen.size() - doppelt && r.gueltige() == gueltig);
    for (const Anmeldung& a : zeilen) {
        if (a.stand != EFN_Stand::Gueltig) continue;
        const Anmeldung* g = r.finden(a.efn);
        KARMO_PRUEFEN(g != nullptr && g->zeile == a.zeile);
    }
    // The first row is never a repeat: its first three characters find it.
    const std::string_view anfrage = zeilen.empty() ? std::string_view{} : karmo::text::links(zeilen[0].anzeigename, 3);
    const Treffer t = r.suchen(anfrage, false, 5);
    KARMO_PRUEFEN(t.plaetze.size() <= 5 && t.gesamt <= r.groesse() && t.plaetze.size() <= t.gesamt);
    KARMO_PRUEFEN(zeilen.empty() || t.gesamt >= 1);
    for (std::size_t i = 1; i < t.plaetze.size(); ++i) KARMO_PRUEFEN(t.plaetze[i - 1] < t.plaetze[i]);
    return 0;
}
