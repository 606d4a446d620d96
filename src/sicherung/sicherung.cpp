// Writing the journal as the open event changes, ending it, and restoring from it at the next start.
#include "sicherung/sicherung.hpp"

#include <exception>

#include "common/fehler.hpp"
#include "common/text.hpp"
#include "eventfile/teilnehmer_eintrag.hpp"
#include "eventfile/teilnehmerzahl.hpp"

namespace karmo {

using sicherung::k_felder;
using ui::Ctl;
using ui::FormId;

namespace {

bool erfassung(FormId id) { return id == FormId::MA1_Maske || id == FormId::MA2_Maske; }

std::size_t feldzahl(FormId id) { return id == FormId::MA1_Maske ? sicherung::k_felder_typ1 : k_felder.size(); }

int feldindex(FormId id, Ctl c) {
    for (std::size_t i = 0; i < feldzahl(id); ++i) {
        if (k_felder[i].ctl == c) return static_cast<int>(i);
    }
    return -1;
}

// Creates the folders along `ordner` (ending in "\") from the drive's first
// folder on, without a word to the user: a journal that cannot be written
// must not stop the capture.
bool ordner_sicherstellen(Plattform& pl, std::string_view ordner) {
    for (std::size_t i = 3; i < ordner.size(); ++i) {
        if (ordner[i] != '\\') continue;
        const std::string_view vorne = ordner.substr(0, i + 1);
        if (pl.ordner_existiert(vorne)) continue;
        if (!pl.ordner_anlegen(vorne).ok() && !pl.ordner_existiert(vorne)) return false;
    }
    return true;
}

std::string ordner_von(std::string_view pfad) { return std::string(pfad.substr(0, pfad.rfind('\\') + 1)); }

bool alles_lesen(Plattform& pl, const std::string& pfad, std::string& bytes) {
    Ergebnis fehler;
    const auto datei = pl.oeffnen(pfad, fehler);
    if (!datei) return false;
    std::string puffer(1 << 16, '\0');
    for (;;) {
        const std::size_t n = datei->lesen(puffer.data(), puffer.size(), fehler);
        if (!fehler.ok()) return false;
        if (n == 0) return true;
        bytes.append(puffer.data(), n);
    }
}

// Only a file under the base directory is taken back as the current file.
bool im_basisverzeichnis(std::string_view pfad) {
    const std::string_view ordner = k_basisverzeichnis;
    if (pfad.size() <= ordner.size() || !text::gleich_ohne_gross_klein(pfad.substr(0, ordner.size()), ordner)) {
        return false;
    }
    const std::string_view rest = pfad.substr(ordner.size());
    return rest.find_first_of("/:") == std::string_view::npos && rest.find("..") == std::string_view::npos;
}

std::string zwei(int n) {
    std::string s = std::to_string(n);
    if (s.size() < 2) s.insert(s.begin(), '0');
    return s;
}

} // namespace

std::string Sicherung::pfad() { return std::string(k_basisverzeichnis) + "Sicherung\\Erfassung.jnl"; }

std::string Sicherung::verworfen_ordner() { return std::string(k_basisverzeichnis) + "Sicherung\\verworfen\\"; }

// --- changes ----------------------------------------------------------------------------

bool Sicherung::bereit(const ui::Fenster& form) const {
    return verfolgt_ && form_ == form.id() && begonnen_ && gesund_;
}

void Sicherung::zeile_angefuegt(ui::Fenster& form, std::string_view zeile) {
    if (ruhe_ > 0 || !erfassung(form.id())) return;
    if (!bereit(form)) return schnappschuss(form);
    std::string e;
    sicherung::eintrag(e, {sicherung::k_anfuegen, zeile});
    anhaengen(form, std::move(e));
}

void Sicherung::zeilen_angefuegt(ui::Fenster& form, int ab) {
    if (ruhe_ > 0 || !erfassung(form.id())) return;
    // A snapshot holds the new lines already.
    if (!bereit(form)) return schnappschuss(form);
    const int n = form.zeilenzahl(Ctl::Teilnehmerliste);
    if (ab >= n) return;
    // One entry for all of them (up to its size limit): one check sum, and
    // the restore takes them together or not at all, as they came.
    std::string e, zeile;
    e.reserve(static_cast<std::size_t>(n - ab) * 24 + 64);
    sicherung::Sammeleintrag neu(e, sicherung::k_anfuegen);
    for (int i = ab; i < n; ++i) {
        form.zeile_lesen(Ctl::Teilnehmerliste, i, zeile);
        neu.feld(zeile);
    }
    neu.schliessen();
    anhaengen(form, std::move(e));
}

void Sicherung::zeile_ersetzt(ui::Fenster& form, int i, std::string_view zeile) {
    if (ruhe_ > 0 || !erfassung(form.id())) return;
    if (!bereit(form)) return schnappschuss(form);
    std::string e;
    sicherung::eintrag(e, {sicherung::k_ersetzen, std::to_string(i), zeile});
    anhaengen(form, std::move(e));
}

void Sicherung::zeile_entfernt(ui::Fenster& form, int i) {
    if (ruhe_ > 0 || !erfassung(form.id())) return;
    if (!bereit(form)) return schnappschuss(form);
    std::string e;
    sicherung::eintrag(e, {sicherung::k_entfernen, std::to_string(i)});
    anhaengen(form, std::move(e));
}

void Sicherung::feld_geaendert(ui::Fenster& form, Ctl feld) {
    if (ruhe_ > 0 || !erfassung(form.id())) return;
    const int k = feldindex(form.id(), feld);
    if (k < 0) return;
    const auto i = static_cast<std::size_t>(k);
    std::string text = form.text(feld);
    // A text set again unchanged, or back in the clean state: nothing to keep.
    if (verfolgt_ && form_ == form.id() && text == felder_[i]) return;
    if (!bereit(form)) return schnappschuss(form);
    std::string e;
    sicherung::eintrag(e, {sicherung::k_feld, k_felder[i].name, text});
    felder_[i] = std::move(text);
    anhaengen(form, std::move(e));
}

bool Sicherung::zustand_unveraendert() const {
    const Zustand& z = p_.zustand();
    return z.Aktuelle_VNR == vnr_ && z.Aktuelle_Meldungsart == meldungsart_ && z.Aktuelle_Kammer == kammer_ &&
           z.Aktuelle_Datei == datei_;
}

void Sicherung::zustand_eintrag(std::string& out) const {
    const Zustand& z = p_.zustand();
    sicherung::eintrag(out, {sicherung::k_zustand, z.Aktuelle_VNR, std::to_string(z.Aktuelle_Meldungsart),
                             std::to_string(z.Aktuelle_Kammer), z.Aktuelle_Datei});
}

void Sicherung::anhaengen(const ui::Fenster&, std::string eintrag) {
    if (!zustand_unveraendert()) {
        std::string z;
        zustand_eintrag(z);
        eintrag.insert(0, z);
        const Zustand& zu = p_.zustand();
        vnr_ = zu.Aktuelle_VNR;
        meldungsart_ = zu.Aktuelle_Meldungsart;
        kammer_ = zu.Aktuelle_Kammer;
        datei_ = zu.Aktuelle_Datei;
    }
    // A failed append may leave a torn entry behind: the next change writes
    // the whole journal anew instead of appending to it.
    if (!p_.plattform().anhaengen(pfad(), eintrag).ok()) gesund_ = false;
}

// Takes the form's boxes and the current values as what the journal holds.
void Sicherung::verfolgen(const ui::Fenster& form) {
    verfolgt_ = true;
    form_ = form.id();
    for (std::size_t i = 0; i < felder_.size(); ++i) felder_[i] = i < feldzahl(form_) ? form.text(k_felder[i].ctl) : "";
    const Zustand& z = p_.zustand();
    vnr_ = z.Aktuelle_VNR;
    meldungsart_ = z.Aktuelle_Meldungsart;
    kammer_ = z.Aktuelle_Kammer;
    datei_ = z.Aktuelle_Datei;
}

// The whole form as the journal's first entries, written beside the journal
// and moved into its place: the journal is either complete from its first
// entry on, or not there.
void Sicherung::schnappschuss(const ui::Fenster& form) {
    if (begonnen_ && verfolgt_ && form_ != form.id()) beiseitelegen();
    verfolgen(form);
    sicherung::Stand st;
    st.form = form_;
    st.vnr = vnr_;
    st.meldungsart = meldungsart_;
    st.kammer = kammer_;
    st.datei = datei_;
    for (std::size_t i = 0; i < feldzahl(form_); ++i) st.felder[i] = felder_[i];
    const int n = form.zeilenzahl(Ctl::Teilnehmerliste);
    st.zeilen.reserve(static_cast<std::size_t>(n > 0 ? n : 0));
    for (int i = 0; i < n; ++i) st.zeilen.push_back(form.zeile(Ctl::Teilnehmerliste, i));
    const std::string out = sicherung::schnappschuss(st);

    Plattform& pl = p_.plattform();
    const std::string ziel = pfad();
    const std::string zwischen = ziel + ".tmp";
    Ergebnis e = ordner_sicherstellen(pl, ordner_von(ziel)) ? pl.schreiben(zwischen, out) : Ergebnis{76, "Pfad nicht gefunden"};
    if (e.ok()) e = pl.ersetzen(zwischen, ziel);
    if (e.ok()) {
        begonnen_ = true;
        gesund_ = true;
    } else {
        pl.loeschen(zwischen);
        gesund_ = false;
    }
}

// --- the journal's life -------------------------------------------------------------------

void Sicherung::neu_beginnen(const std::function<void()>& fuellen) {
    ++ruhe_;
    try {
        fuellen();
    } catch (...) {
        --ruhe_;
        throw;
    }
    --ruhe_;
    // Unsaved changes of another event are never dropped.
    if (begonnen_) beiseitelegen();
    begonnen_ = false;
    gesund_ = true;
    verfolgt_ = false;
    for (FormId id : {FormId::MA1_Maske, FormId::MA2_Maske}) {
        if (p_.formulare().geladen(id) && p_.form(id).sichtbar()) verfolgen(p_.form(id));
    }
}

void Sicherung::gespeichert(ui::Fenster& form) {
    if (!erfassung(form.id())) return;
    if (begonnen_ && form_ == form.id()) p_.plattform().loeschen(pfad());
    if (begonnen_ && form_ != form.id()) beiseitelegen();
    begonnen_ = false;
    gesund_ = true;
    verfolgen(form);
}

void Sicherung::verworfen() {
    if (begonnen_) beiseitelegen();
    begonnen_ = false;
    gesund_ = true;
    verfolgt_ = false;
}

bool Sicherung::sichern(ui::Fenster& form) {
    if (!erfassung(form.id())) return gesund_;
    for (std::size_t i = 0; i < feldzahl(form.id()); ++i) feld_geaendert(form, k_felder[i].ctl);
    // A failed write of a row leaves no box changed: the journal is written
    // anew from the form.
    if (!gesund_ && ruhe_ == 0) schnappschuss(form);
    return gesund_;
}

// Moved under a dated name that is not taken yet; never deleted.
void Sicherung::beiseitelegen() {
    Plattform& pl = p_.plattform();
    begonnen_ = false;
    const std::string ordner = verworfen_ordner();
    if (!ordner_sicherstellen(pl, ordner)) return;
    const Datum d = pl.heute();
    const std::string stamm = ordner + "Erfassung_" + std::to_string(d.jahr) + "-" + zwei(d.monat) + "-" + zwei(d.tag);
    for (int k = 1; k < 10000; ++k) {
        const std::string ziel = stamm + "_" + std::to_string(k) + ".jnl";
        if (pl.datei_existiert(ziel)) continue;
        pl.ersetzen(pfad(), ziel);
        return;
    }
}

// --- the start ---------------------------------------------------------------------------

bool Sicherung::anbieten() {
    Plattform& pl = p_.plattform();
    const std::string p = pfad();
    if (!pl.datei_existiert(p)) return false;
    std::string bytes;
    sicherung::Gelesen g;
    if (alles_lesen(pl, p, bytes)) g = sicherung::lesen(bytes);
    bytes = std::string();
    if (!g.lesbar) {
        beiseitelegen();
        pl.meldung("Fehler:" + std::to_string(k_fehler_sicherung) +
                   " : Die Sicherung einer nicht gespeicherten Teilnehmerliste ist unlesbar. Sie wurde unter " +
                   verworfen_ordner() + " abgelegt.");
        return false;
    }
    const sicherung::Stand& s = g.stand;
    const std::string vnr = s.felder[0] ? *s.felder[0] : s.vnr;
    if (!pl.frage("Karmo wurde beendet, ohne die Teilnehmerliste der Veranstaltung " + vnr + " zu speichern (" +
                  std::to_string(s.zeilen.size()) + " Teilnehmer erfasst). Soll sie wiederhergestellt werden?")) {
        beiseitelegen();
        return false;
    }
    wiederherstellen(g);
    return true;
}

void Sicherung::wiederherstellen(const sicherung::Gelesen& g) {
    const sicherung::Stand& s = g.stand;
    Zustand& z = p_.zustand();
    ++ruhe_;
    ui::Fenster* form = nullptr;
    try {
        z.Aktuelle_VNR = s.vnr;
        z.Aktuelle_Meldungsart = s.meldungsart;
        z.Aktuelle_Kammer = s.kammer <= z.Kammeranzahl ? s.kammer : 0;
        // A save never takes its path from here, but the current file is
        // only ever one under the base directory.
        z.Aktuelle_Datei = im_basisverzeichnis(s.datei) ? s.datei : "";
        form = &p_.form(s.form);
        for (std::size_t i = 0; i < s.feldzahl(); ++i) {
            if (s.felder[i]) form->setze_text(k_felder[i].ctl, *s.felder[i]);
        }
        form->liste_leeren(Ctl::Teilnehmerliste);
        for (const std::string& zeile : s.zeilen) form->zeile_anfuegen(Ctl::Teilnehmerliste, zeile);
        Teilnehmerzahl_zeigen(p_, *form);
        form->zeigen();
        form->fokus(Ctl::EFN);
    } catch (...) {
        --ruhe_;
        throw;
    }
    --ruhe_;
    // The journal goes on from here. Its values are those it holds, so that a
    // value the program did not take back is written again with the next change.
    verfolgen(*form);
    vnr_ = s.vnr;
    meldungsart_ = s.meldungsart;
    kammer_ = s.kammer;
    datei_ = s.datei;
    begonnen_ = true;
    gesund_ = true;
    // A torn last entry must not stand in front of the next one: the journal
    // is written anew, as the restored form holds it.
    if (g.rest) schnappschuss(*form);
}

void Sicherung_neu_beginnen(Programm& p, const std::function<void()>& fuellen) {
    if (Sicherung* s = p.sicherung()) {
        s->neu_beginnen(fuellen);
    } else {
        fuellen();
    }
}

bool Sicherung_anbieten(Programm& p) {
    Sicherung* s = p.sicherung();
    if (!s) return false;
    try {
        return s->anbieten();
    } catch (const std::exception& e) {
        // Whatever went wrong, the start goes on with the main menu.
        const Fehler f = als_fehler(e);
        p.plattform().meldung("Fehler:" + std::to_string(f.nummer()) + " : " + f.text());
        return false;
    }
}

} // namespace karmo
