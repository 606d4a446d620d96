// The table reader's rules: refusals, the header's columns, each row's display name and EFN, duplicates, the summary.
#include "anmeldung/liste.hpp"

#include <algorithm>
#include <utility>

#include "anmeldung/faltung.hpp"
#include "anmeldung/kodierung.hpp"
#include "anmeldung/tabelle.hpp"
#include "checks/nummern.hpp"

namespace karmo::anmeldung {
namespace {

bool ist_arbeitsmappe(std::string_view b) {
    return b.starts_with("PK\x03\x04") || b.starts_with("PK\x05\x06") ||
           b.starts_with("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
}

bool leer(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view getrimmt(std::string_view s) {
    while (!s.empty() && leer(s.front())) s.remove_prefix(1);
    while (!s.empty() && leer(s.back())) s.remove_suffix(1);
    return s;
}

bool ziffer(char c) { return c >= '0' && c <= '9'; }

// The columns Karmo reads; -1 when the table has none.
struct Spalten {
    int efn = -1, nachname = -1, vorname = -1, titel = -1;

    // The headings of a record: true when one names an EFN column. Most
    // records looked at are not the header: the other columns are sought
    // only in the one that has an EFN column.
    bool zuordnen(const std::vector<std::string>& ueberschriften) {
        efn = nachname = vorname = titel = -1;
        for (std::size_t i = 0; i < ueberschriften.size() && efn < 0; ++i) {
            if (ist_efn(schluessel(ueberschriften[i]))) efn = static_cast<int>(i);
        }
        if (efn < 0) return false;
        int name = -1;
        for (std::size_t i = 0; i < ueberschriften.size(); ++i) {
            const std::string& k = schluessel(ueberschriften[i]);
            const int s = static_cast<int>(i);
            if (ist_efn(k)) continue;
            if (k == "nachname" || k == "familienname") {
                if (nachname < 0) nachname = s;
            } else if (k == "name") {
                if (name < 0) name = s;
            } else if (k == "vorname") {
                if (vorname < 0) vorname = s;
            } else if (k == "titel" || k == "akadtitel") {
                if (titel < 0) titel = s;
            }
        }
        // "Name" beside "Vorname" is the surname; alone it holds the whole
        // name as given, which the display name shows as it is.
        if (nachname < 0) nachname = name;
        return true;
    }

private:
    static bool ist_efn(const std::string& k) {
        return k.find("efn") != std::string::npos || k.find("fortbildungsnummer") != std::string::npos || k == "barcode";
    }
    // A heading's key (Excel's ="…" taken as its text), in room reused.
    const std::string& schluessel(const std::string& ueberschrift) {
        if (const auto text = formeltext(ueberschrift)) ueberschrift_schluessel(*text, k_);
        else ueberschrift_schluessel(ueberschrift, k_);
        return k_;
    }
    std::string k_;
};

void zelle(const Satz& s, int spalte, std::string& ziel) {
    ziel.clear();
    if (spalte < 0 || static_cast<std::size_t>(spalte) >= s.felder.size()) return;
    const std::string& f = s.felder[static_cast<std::size_t>(spalte)];
    if (auto text = formeltext(f)) ziel = std::move(*text);
    else ziel = f;
}

bool hat_text(const Anmeldung& a) {
    for (const std::string* z : {&a.nachname, &a.vorname, &a.titel, &a.efn_zelle}) {
        if (!getrimmt(*z).empty()) return true;
    }
    return false;
}

// Excel's scientific form of a long number: digits, maybe a decimal comma
// or point with digits, "E", maybe a sign, digits.
bool wissenschaftlich(std::string_view t) {
    std::size_t i = 0;
    const auto ziffern = [&] {
        const std::size_t a = i;
        while (i < t.size() && ziffer(t[i])) ++i;
        return i > a;
    };
    if (!ziffern()) return false;
    if (i < t.size() && (t[i] == ',' || t[i] == '.')) {
        ++i;
        if (!ziffern()) return false;
    }
    if (i >= t.size() || (t[i] != 'E' && t[i] != 'e')) return false;
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    return ziffern() && i == t.size();
}

// The cell's digits with blanks, hyphens and dots between digits removed;
// any other character stays and makes the number invalid.
std::string efn_ziffern(std::string_view t) {
    std::string z;
    std::size_t i = 0;
    while (i < t.size()) {
        const char c = t[i];
        if (c == ' ' || c == '-' || c == '.') {
            std::size_t ende = i;
            while (ende < t.size() && (t[ende] == ' ' || t[ende] == '-' || t[ende] == '.')) ++ende;
            if (!z.empty() && ziffer(z.back()) && ende < t.size() && ziffer(t[ende])) {
                i = ende;
                continue;
            }
        }
        z.push_back(c);
        ++i;
    }
    return z;
}

} // namespace

void bereinigt_anhaengen(std::string& out, std::string_view zelle) {
    const std::size_t anfang = out.size();
    std::size_t i = 0;
    while (i < zelle.size()) {
        const unsigned char c = static_cast<unsigned char>(zelle[i]);
        if (c >= 0x20 && c < 0x7F) { // most of a name
            out.push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        const std::size_t z = i;
        const char32_t cp = zeichen_lesen(zelle, i);
        if (cp < 0x20 || (cp >= 0x7F && cp <= 0x9F)) {
            if (cp == '\r' && i < zelle.size() && zelle[i] == '\n') ++i;
            out.push_back(' ');
        } else {
            out.append(zelle.substr(z, i - z));
        }
    }
    while (out.size() > anfang && out.back() == ' ') out.pop_back();
    std::size_t vorn = anfang;
    while (vorn < out.size() && out[vorn] == ' ') ++vorn;
    out.erase(anfang, vorn - anfang);
}

std::string bereinigt(std::string_view zelle) {
    std::string out;
    bereinigt_anhaengen(out, zelle);
    return out;
}

void anzeigename_setzen(std::string& out, std::string_view nachname, std::string_view titel, std::string_view vorname) {
    out.clear();
    bereinigt_anhaengen(out, nachname);
    const std::size_t nach_name = out.size();
    out.append(", ");
    const std::size_t vor_titel = out.size();
    bereinigt_anhaengen(out, titel);
    if (out.size() > vor_titel) out.push_back(' ');
    const std::size_t vor_vorname = out.size();
    bereinigt_anhaengen(out, vorname);
    if (out.size() == vor_vorname && vor_vorname > vor_titel) out.pop_back(); // a title without a first name
    if (out.size() == vor_titel) out.resize(nach_name); // neither: no comma
    else if (nach_name == 0) out.erase(0, 2);            // no surname: no comma
}

std::string Anzeigename(std::string_view nachname, std::string_view titel, std::string_view vorname) {
    std::string out;
    anzeigename_setzen(out, nachname, titel, vorname);
    return out;
}

Leseergebnis Tabelle_lesen(std::string_view bytes) {
    Leseergebnis e;
    if (bytes.size() > k_hoechstgroesse) {
        e.ablehnung = Ablehnung::Zu_gross;
        return e;
    }
    if (ist_arbeitsmappe(bytes)) {
        e.ablehnung = Ablehnung::Arbeitsmappe;
        return e;
    }
    const std::optional<std::string> text = als_utf8(bytes);
    if (!text) {
        e.ablehnung = Ablehnung::Keine_Textdatei;
        return e;
    }
    Spalten spalten;
    const std::optional<Kopf> kopf =
        kopf_suchen(*text, [&spalten](const std::vector<std::string>& u) { return spalten.zuordnen(u); });
    if (!kopf) {
        e.ablehnung = Ablehnung::Kein_Kopf;
        return e;
    }

    Anmeldeliste& liste = e.liste;
    Lesebilanz& b = liste.bilanz;
    // Each valid EFN's number and row, for finding the repeats afterwards.
    std::vector<std::pair<std::uint64_t, std::uint32_t>> nummern;
    Satzleser leser(*text, kopf->trenner, kopf->danach, kopf->zeile_danach);
    Satz satz;
    Anmeldung a;
    while (leser.naechster(satz)) {
        zelle(satz, spalten.nachname, a.nachname);
        zelle(satz, spalten.vorname, a.vorname);
        zelle(satz, spalten.titel, a.titel);
        zelle(satz, spalten.efn, a.efn_zelle);
        if (!hat_text(a)) continue;
        if (liste.zeilen.size() == k_hoechstzahl) {
            e = Leseergebnis{Ablehnung::Zu_gross, {}};
            return e;
        }
        a.zeile = static_cast<std::uint32_t>(satz.zeile);
        anzeigename_setzen(a.anzeigename, a.nachname, a.titel, a.vorname);
        a.efn.clear();
        const std::string_view t = getrimmt(a.efn_zelle);
        if (t.empty()) {
            a.stand = EFN_Stand::Ohne;
            ++b.ohne_efn;
        } else {
            std::string z = efn_ziffern(t);
            const std::optional<std::uint64_t> zahl = EFN_Zahl(z);
            if (!zahl) {
                a.stand = EFN_Stand::Ungueltig;
                if (b.erste_ungueltige.size() < k_ungueltige_gezeigt) b.erste_ungueltige.push_back(liste.zeilen.size());
                ++b.ungueltig;
                b.gekuerzt = b.gekuerzt || wissenschaftlich(t);
            } else {
                a.efn = std::move(z);
                a.stand = EFN_Stand::Gueltig;
                nummern.emplace_back(*zahl, static_cast<std::uint32_t>(liste.zeilen.size()));
            }
        }
        liste.zeilen.push_back(std::move(a));
    }
    b.anmeldungen = liste.zeilen.size();
    // An EFN's first row keeps it; the later ones are repeats.
    std::sort(nummern.begin(), nummern.end());
    for (std::size_t i = 0; i < nummern.size(); ++i) {
        if (i == 0 || nummern[i].first != nummern[i - 1].first) {
            ++b.gueltig;
            continue;
        }
        liste.zeilen[nummern[i].second].stand = EFN_Stand::Doppelt;
        if (i == 1 || nummern[i - 1].first != nummern[i - 2].first) ++b.mehrfach;
    }
    return e;
}

std::string Ablehnungstext(Ablehnung a, std::string_view pfad, std::string_view grund) {
    const std::string p(pfad);
    switch (a) {
    case Ablehnung::Keine: break;
    case Ablehnung::Arbeitsmappe:
        return "Die Datei " + p + " ist eine Arbeitsmappe, keine Textdatei. Bitte speichern Sie die Tabelle als "
                                  "„CSV (Trennzeichen-getrennt)“ und laden Sie diese Datei.";
    case Ablehnung::Keine_Textdatei: return "Die Datei " + p + " ist keine Textdatei.";
    case Ablehnung::Kein_Kopf:
        return "In der Datei " + p + " wurde keine Spalte „EFN“ gefunden. Die erste Zeile der Tabelle muss die Spalten "
                                     "benennen, zum Beispiel: Nachname;Vorname;EFN";
    case Ablehnung::Zu_gross:
        return "Die Datei " + p + " ist zu groß für eine Anmeldeliste (höchstens " + std::to_string(k_hoechstzahl) +
               " Anmeldungen).";
    case Ablehnung::Unlesbar: return "Die Datei " + p + " konnte nicht gelesen werden: " + std::string(grund);
    }
    return {};
}

std::string Zusammenfassung(const Anmeldeliste& liste) {
    const Lesebilanz& b = liste.bilanz;
    std::string t = "Anmeldeliste geladen: " + std::to_string(b.anmeldungen) + " Anmeldungen, " + std::to_string(b.gueltig) +
                    " davon mit gültiger EFN.";
    const auto zeile = [&t](const std::string& z) { t.append("\r\n").append(z); };
    if (b.ohne_efn != 0) zeile(std::to_string(b.ohne_efn) + " ohne EFN.");
    if (b.ungueltig != 0) {
        zeile(std::to_string(b.ungueltig) + " mit ungültiger EFN:");
        for (const std::size_t i : b.erste_ungueltige) {
            const Anmeldung& a = liste.zeilen[i];
            zeile("Zeile " + std::to_string(a.zeile) + ": " + a.anzeigename + " (" + bereinigt(a.efn_zelle) + ")");
        }
        if (b.ungueltig > b.erste_ungueltige.size()) zeile("…");
    }
    if (b.mehrfach != 0)
        zeile(std::to_string(b.mehrfach) + " EFN standen mehrfach in der Liste und wurden nur einmal übernommen.");
    if (b.gekuerzt) {
        zeile("Excel hat lange Nummern gekürzt. Bitte formatieren Sie die EFN-Spalte als Text und speichern Sie die Datei "
              "erneut.");
    }
    return t;
}

} // namespace karmo::anmeldung
