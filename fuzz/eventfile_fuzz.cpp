// Fuzz target: the event-file readers on arbitrary bytes (values, peek, report type, loading into a form).
//
// Each check states what the readers promise of any file, measured against
// a plain reading of the file's lines here, not against the readers' own
// fast paths.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.hpp"
#include "eventfile/dateizugriff.hpp"
#include "eventfile/testformulare.hpp"
#include "eventfile/xml_wert.hpp"
#include "umgebung.hpp"

namespace {

using karmo::ui::Ctl;
using karmo::ui::FormId;

const std::string k_name = "fuzz.XML";
const std::string k_pfad = "c:\\zelva\\Daten\\" + k_name;

// The file's lines: a line ends at CR or CR LF, a lone LF belongs to it, the
// last may lack its end.
void zeilen(std::string_view bytes, std::vector<std::string_view>& out) {
    out.clear();
    std::size_t anfang = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r') continue;
        out.push_back(bytes.substr(anfang, i - anfang));
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        anfang = i + 1;
    }
    if (anfang < bytes.size()) out.push_back(bytes.substr(anfang));
}

// A plain search: the library's would go through the compare functions that
// the sanitizer watches, and this reading's own comparisons must not steer
// the fuzzer.
std::size_t finden(std::string_view text, std::string_view wort) {
    if (wort.size() > text.size()) return std::string_view::npos;
    for (std::size_t i = 0; i + wort.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < wort.size() && text[i + k] == wort[k]) ++k;
        if (k == wort.size()) return i;
    }
    return std::string_view::npos;
}

bool enthaelt(std::string_view zeile, std::string_view wort) { return finden(zeile, wort) != std::string_view::npos; }

// The value of a single-line element as every reader takes it: from the
// first opening tag to the first closing tag; "" when the closing tag does
// not follow, and for a line whose positions do not fit 16 bits.
std::string wert(std::string_view zeile, std::string_view auf, std::string_view zu) {
    if (zeile.size() > 32767) return {};
    const std::size_t p = finden(zeile, auf);
    const std::size_t q = finden(zeile, zu);
    if (p == std::string_view::npos || q == std::string_view::npos) return {};
    const std::size_t start = p + auf.size();
    return q > start ? std::string(zeile.substr(start, q - start)) : std::string();
}

// What the peek promises for a file: its row text.
std::string erwartete_zeile(const std::vector<std::string_view>& z) {
    // Line 2 must name the event; a file of fewer lines cannot be read.
    if (z.size() < 2 || !enthaelt(z[1], "Veranstaltung")) return {};
    std::string vnr, datum, zeit;
    // From line 3 on, up to the first line holding a participant block or
    // the event's end; line 2 counts as the last line read.
    for (std::size_t i = 1; i + 1 < z.size(); ++i) {
        if (enthaelt(z[i], "<Teilnehmer>") || enthaelt(z[i], "</Veranstaltung>")) break;
        const std::string_view l = z[i + 1];
        if (enthaelt(l, "<VNR>")) vnr = wert(l, "<VNR>", "</VNR>");
        if (enthaelt(l, "<Datum_von>")) datum = wert(l, "<Datum_von>", "</Datum_von>");
        if (enthaelt(l, "<Uhrzeit_von>")) zeit = wert(l, "<Uhrzeit_von>", "</Uhrzeit_von>");
    }
    if (vnr.empty()) return {};
    // Lengths count the file's one-byte characters.
    std::string zeile = karmo::text::cp1252_zu_utf8(vnr);
    if (datum.size() > 3) zeile += " am " + karmo::text::cp1252_zu_utf8(datum);
    if (zeit.size() > 3) zeile += " um " + karmo::text::cp1252_zu_utf8(zeit);
    return zeile;
}

bool ist_zahltext(std::string_view t) {
    if (!t.empty() && t.front() == '-') t.remove_prefix(1);
    if (t.empty()) return false;
    for (char c : t) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    // One program for the whole run.
    static karmo::fuzz::Programmumgebung u(&karmo::testformulare::deklaration);
    const std::string_view bytes(reinterpret_cast<const char*>(daten), groesse);

    // XML_Wert: where the opening tag is present (readers ask only then), a
    // text value stands between it and a closing tag; a number is decimal
    // text or nothing, with or without the tag. Taken on the input's head: a
    // reader asks it of one line at a time (the 32,767-character limit is the
    // unit tests' business), and counting the characters of a whole input
    // would cost more than everything else here.
    const std::string_view kopf = bytes.substr(0, 256);
    for (std::string_view tag : {"VNR", "Meldungsart", ""}) {
        const std::string auf = "<" + std::string(tag) + ">";
        const std::string s = karmo::XML_Wert(kopf, tag, "s");
        if (!s.empty() && enthaelt(kopf, auf)) KARMO_PRUEFEN(enthaelt(kopf, auf + s + "</" + std::string(tag) + ">"));
        const std::string zahl = karmo::XML_Wert(kopf, tag, "n");
        KARMO_PRUEFEN(zahl.empty() || ist_zahltext(zahl));
    }

    u.pl.datei_ablegen(k_pfad, bytes);
    static std::vector<std::string_view> z; // kept: its room is reused
    zeilen(bytes, z);
    const bool erkannt = z.size() >= 2 && enthaelt(z[1], "Veranstaltung");

    // The peek: the row is exactly the event number it read, then the date
    // and the time where they are longer than three characters; the name
    // becomes the full path.
    std::string name = k_name;
    const std::string zeile = karmo::Get_VNR(u.p, name);
    KARMO_PRUEFEN(name == k_pfad);
    KARMO_PRUEFEN(zeile == erwartete_zeile(z));

    // The loader.
    auto& zs = u.p.zustand();
    zs.Dateiliste_Pfade = {k_pfad};
    zs.Lade_Zweck = static_cast<std::uint8_t>(1 + groesse % 2);
    u.pl.meldungen.clear();
    // The loader leaves a box whose element a file lacks as it is: each
    // input starts from the same boxes, so that it does not depend on the
    // ones before it.
    for (FormId id : {FormId::MA1_Maske, FormId::MA2_Maske}) {
        auto& form = u.form(id);
        form.verbergen();
        for (Ctl c : {Ctl::VNR, Ctl::Punkte}) form.setze_text(c, "");
    }
    for (Ctl c : {Ctl::Datum_von, Ctl::DATUM_BIS, Ctl::Uhrzeit_s, Ctl::Uhrzeit_e, Ctl::Dauer, Ctl::Inhalt}) {
        u.form(FormId::MA2_Maske).setze_text(c, "");
    }
    karmo::Veranstaltung_laden(u.p, 0);
    KARMO_PRUEFEN(zs.Aktuelle_Datei == k_pfad);
    const std::uint8_t art = zs.Aktuelle_Meldungsart;
    // The report type (Meldungsart_lesen, called by the loader) is the
    // first Meldungsart line's number: 240 without such a line, 241 when it
    // holds no value or one beyond a byte. Values other than plain digits
    // (signs, decimals, text) are rounded: the unit tests check those.
    for (std::size_t i = 0;; ++i) {
        if (i == z.size()) {
            KARMO_PRUEFEN(art == 240);
            break;
        }
        if (!enthaelt(z[i], "<Meldungsart>")) continue;
        const std::string v = wert(z[i], "<Meldungsart>", "</Meldungsart>");
        if (v.empty()) {
            KARMO_PRUEFEN(art == 241);
        } else if (v.size() <= 18 && ist_zahltext(v) && v.front() != '-') {
            const unsigned long long n = std::stoull(v);
            KARMO_PRUEFEN(art == (n > 255 ? 241U : n));
        }
        break;
    }

    const auto& meldungen = u.pl.meldungen;
    if (art > 200) {
        // Refused before anything else is looked at.
        KARMO_PRUEFEN(meldungen.size() == 1 && meldungen[0] == "Fehler:200 : Falsches Dateiformat!");
    } else if (!erkannt) {
        // Not an event file, or too short to say (reading past the end).
        KARMO_PRUEFEN(meldungen.size() == 1 && (meldungen[0] == "Fehler:2001 : Die Datei ist keine ZELVA-Datei!" ||
                                                 (z.size() < 2 && meldungen[0].rfind("Fehler:62 : ", 0) == 0)));
    } else {
        // Loaded, or stopped by a header value the file's end cut off; a
        // loaded event is shown in the form of its type with its number.
        const bool geladen = meldungen.empty() || meldungen[0].rfind("Fehler:", 0) != 0;
        KARMO_PRUEFEN(meldungen.size() <= 1);
        if (geladen) {
            auto& form = u.form(art == 1 ? FormId::MA1_Maske : FormId::MA2_Maske);
            KARMO_PRUEFEN(form.sichtbar());
            KARMO_PRUEFEN(zs.Aktuelle_VNR == form.text(Ctl::VNR));
            KARMO_PRUEFEN(meldungen.size() == (zs.Lade_Zweck == 2 ? 1U : 0U));
        } else {
            KARMO_PRUEFEN(meldungen[0] == "Fehler:2002 : Unerwartets Dateiende- Datei fehlerhaft!");
        }
    }
    // What the input made is given back: memory that outlives an input makes
    // libFuzzer look for a leak, a slow search.
    u.pl.meldungen.clear();
    u.pl.fragen.clear();
    u.pl.gezeigte_dateien.clear();
    for (FormId id : {FormId::MA1_Maske, FormId::MA2_Maske}) u.form(id).liste_leeren(Ctl::Teilnehmerliste);
    u.pl.leeren();
    return 0;
}
