// The registration list at the door: the window's order, the EFN index, who is captured, and the search.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "anmeldung/liste.hpp"
#include "anmeldung/suche.hpp"

namespace karmo::anmeldung {

// Lines the window "Anmeldeliste" shows at once.
inline constexpr std::size_t k_hoechstens_gezeigt = 200;

// What a search found: the registrations' places in the window's order
// (the first `hoechstens`), and how many match in all.
struct Treffer {
    std::vector<std::uint32_t> plaetze;
    std::size_t gesamt = 0;
};

class Anmelderegister {
public:
    // No list: nothing registered.
    Anmelderegister() = default;
    // The list's rows except the repeated EFNs (EFN_Stand::Doppelt), sorted
    // as a German telephone book: surname, first name, title, each with
    // case ignored, ä as a, ß as ss; rows that compare equal stay in file order.
    explicit Anmelderegister(Anmeldeliste liste);

    const Anmeldeliste& liste() const { return liste_; }
    // Registrations in the window's order.
    std::size_t groesse() const { return ordnung_.size(); }
    const Anmeldung& eintrag(std::size_t platz) const { return liste_.zeilen[ordnung_[platz]]; }
    // R: distinct valid EFNs.
    std::size_t gueltige() const { return liste_.bilanz.gueltig; }

    // The registration with this EFN, nullptr when none: one probe of a
    // hash index (the EFN's number), not a walk through the list.
    const Anmeldung* finden(std::string_view efn) const;
    // Asks the processor to fetch the place of `efn` now, for a look-up a
    // little later (a scan: its checks run meanwhile); and, once that place
    // is at hand, the bytes of its name.
    void vormerken(std::string_view efn) const;
    void name_vormerken(std::string_view efn) const;

    // Who of the list is captured. The participant list tells each change:
    // a line with `efn` added, removed, or the list begun anew. The count of
    // lines is kept, so that the same EFN twice in the list counts once.
    // erfasst_dazu gives the registration when the EFN is registered
    // (nullptr for a walk-in), and in `name` its display name (its EFN when
    // it has none); erfasst_weg whether it is.
    const Anmeldung* erfasst_dazu(std::string_view efn, std::string_view* name = nullptr);
    bool erfasst_weg(std::string_view efn);
    void erfasst_leeren();
    bool erfasst(std::size_t platz) const { return erfasst_[ordnung_[platz]] != 0; }
    // M: registered EFNs in the participant list.
    std::size_t angemeldet_erfasst() const { return angemeldet_erfasst_; }

    // The registrations whose display name or EFN (or, for an invalid one,
    // its cell) contains `anfrage` (blanks at its ends trimmed), with case
    // ignored and umlauts and ß as either spelling ("weiss" finds "Weiß",
    // "muller" and "mueller" find "Müller"). An empty search matches all.
    // `nur_nicht_erfasste` leaves out those captured. The search keeps what
    // it found for the next one (one thread only, as the window has).
    Treffer suchen(std::string_view anfrage, bool nur_nicht_erfasste,
                   std::size_t hoechstens = k_hoechstens_gezeigt) const;

private:
    std::int32_t zeile_zu(std::string_view efn) const;

    Anmeldeliste liste_;
    std::vector<std::uint32_t> ordnung_; // rows of liste_ in the window's order
    // The index: open addressing over the EFN's number, linear probing.
    // A place holds the EFN's number, its row in liste_ (-1: a free place)
    // and where its display name stands in namen_: a scan's look-up reads one
    // place and the name's bytes, not the row (two cache lines, not four).
    struct Platz {
        std::uint64_t zahl = 0;
        std::int32_t zeile = -1;
        std::uint32_t name_anfang = 0;
        std::uint32_t name_laenge = 0;
    };
    const Platz* platz_zu(std::string_view efn) const;
    std::vector<Platz> plaetze_;
    std::string namen_; // the valid rows' display names (or EFN, when it has none), one after another
    // Per row of liste_: lines of the participant list with its EFN.
    std::vector<std::uint16_t> erfasst_;
    std::size_t angemeldet_erfasst_ = 0;
    Suchindex suche_; // in the window's order
};

// --- the texts around the list ------------------------------------------------------------------

// A line of the window: "<Anzeigename> – <EFN>" (and " – erfasst"),
// "<Anzeigename> – ohne EFN", "<Anzeigename> – EFN ungültig".
std::string Zeilentext(const Anmeldung& a, bool erfasst);
// The label under the count after a card the list takes: "Zuletzt: <Anzeigename>",
// or "Zuletzt: <EFN> – nicht angemeldet"; empty without a list.
std::string Zuletzt_Text(const Anmelderegister* r, std::string_view efn);
// The same for a card whose registration is known already (nullptr: a walk-in; a list is there).
// The same for a card whose registration erfasst_dazu gave with its `name`
// (nullptr: a walk-in), into `out`, whose room is reused (a scan sets it each time).
void Zuletzt_Text_setzen(std::string& out, const Anmeldung* a, std::string_view name, std::string_view efn);
// The same for a selected line of the participant list ("Ausgewählt: …").
std::string Ausgewaehlt_Text(const Anmelderegister* r, std::string_view efn);
// "Erfasste Teilnehmer: <N>", with a list "… (angemeldet: <M> von <R>)".
std::string Teilnehmerzahl_Text(std::size_t n, const Anmelderegister* r);
// "<k> von <n> angezeigt".
std::string Anzeige_Text(std::size_t gezeigt, std::size_t gesamt);

inline constexpr std::string_view k_keine_liste = "Keine Anmeldeliste geladen.";
inline constexpr std::string_view k_frage_entfernen =
    "Soll die Anmeldeliste dieser Veranstaltung gelöscht werden? Die erfassten Teilnehmer bleiben erhalten.";
// "Die Veranstaltung hat schon eine Anmeldeliste mit <n> Anmeldungen. Soll sie ersetzt werden?"
std::string Frage_ersetzen(std::size_t anmeldungen);

} // namespace karmo::anmeldung
