// Reading a chosen table through the platform, and the event's own copy written, read back and removed.
#include "anmeldung/ablage.hpp"

#include "anmeldung/tabelle.hpp"
#include "platform/ablegen.hpp"

namespace karmo::anmeldung {
namespace {

// The file's bytes, at most `grenze` of them (one more tells it is longer);
// nothing when it cannot be opened or read, `fehler` saying why.
std::optional<std::string> datei_lesen(Plattform& pl, std::string_view pfad, std::size_t grenze, Ergebnis& fehler) {
    const std::unique_ptr<Lesedatei> datei = pl.oeffnen(pfad, fehler);
    if (!datei) {
        if (fehler.ok()) fehler = Ergebnis{53, "Datei nicht gefunden"};
        return std::nullopt;
    }
    std::string bytes;
    std::string block(1 << 16, '\0');
    while (bytes.size() <= grenze) {
        const std::size_t n = datei->lesen(block.data(), block.size(), fehler);
        if (!fehler.ok()) return std::nullopt;
        if (n == 0) break;
        bytes.append(block.data(), n);
    }
    return bytes;
}

Einlesung lesen(Plattform& pl, std::string_view pfad) {
    Einlesung e;
    Ergebnis fehler;
    const std::optional<std::string> bytes = datei_lesen(pl, pfad, k_hoechstgroesse, fehler);
    if (!bytes) {
        e.meldung = Ablehnungstext(Ablehnung::Unlesbar, pfad, fehler.text);
        return e;
    }
    Leseergebnis r = Tabelle_lesen(*bytes);
    if (r.ablehnung == Ablehnung::Keine && Ablagetext(r.liste).size() > k_hoechstgroesse) r.ablehnung = Ablehnung::Zu_gross;
    if (r.ablehnung != Ablehnung::Keine) {
        e.meldung = Ablehnungstext(r.ablehnung, pfad);
        return e;
    }
    e.liste = std::move(r.liste);
    return e;
}

void zelle_ablegen(std::string& out, std::string_view zelle) {
    if (zelle.starts_with("=\"")) formelfeld_schreiben(out, zelle);
    else feld_schreiben(out, zelle);
}

} // namespace

Einlesung Anmeldeliste_einlesen(Plattform& pl, std::string_view pfad) {
    Einlesung e = lesen(pl, pfad);
    if (e.liste) e.meldung = Zusammenfassung(*e.liste);
    return e;
}

std::string Anmeldeliste_pfad(std::string_view datenordner, std::string_view vnr) {
    return std::string(datenordner) + std::string(vnr) + ".Anmeldeliste.csv";
}

std::string Ablagetext(const Anmeldeliste& liste) {
    std::string out = "\xEF\xBB\xBFNachname;Vorname;Titel;EFN\r\n";
    for (const Anmeldung& a : liste.zeilen) {
        zelle_ablegen(out, a.nachname);
        out.push_back(';');
        zelle_ablegen(out, a.vorname);
        out.push_back(';');
        zelle_ablegen(out, a.titel);
        out.push_back(';');
        zelle_ablegen(out, a.efn_zelle);
        out.append("\r\n");
    }
    return out;
}

Ergebnis Anmeldeliste_ablegen(Plattform& pl, std::string_view datenordner, std::string_view vnr, const Anmeldeliste& liste) {
    return Datei_ablegen(pl, Anmeldeliste_pfad(datenordner, vnr), Ablagetext(liste));
}

Einlesung Anmeldeliste_laden(Plattform& pl, std::string_view datenordner, std::string_view vnr) {
    const std::string pfad = Anmeldeliste_pfad(datenordner, vnr);
    if (!pl.datei_existiert(pfad)) return {};
    return lesen(pl, pfad);
}

Ergebnis Anmeldeliste_entfernen(Plattform& pl, std::string_view datenordner, std::string_view vnr) {
    return pl.loeschen(Anmeldeliste_pfad(datenordner, vnr));
}

std::string Ablagefehler_Text(std::string_view pfad, const Ergebnis& e) {
    return "Die Anmeldeliste konnte nicht gespeichert werden:\r\n" + std::string(pfad) + "\r\n" + e.text;
}

} // namespace karmo::anmeldung
