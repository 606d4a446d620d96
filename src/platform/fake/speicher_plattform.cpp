// Test double of the platform held wholly in memory, with Windows' rules for names and its error numbers.
#include "platform/fake/speicher_plattform.hpp"

#include <algorithm>
#include <cstring>
#include <utility>

#include "common/text.hpp"
#include "platform/fake/platzhalter.hpp"
#include "platform/fake/windows_fehler.hpp"

namespace karmo {
namespace {

using namespace windows_fehler;

constexpr std::string_view k_laufwerk = "c:";

// Reads from bytes that stay alive as long as the reader does.
class SpeicherLeser final : public Lesedatei {
public:
    explicit SpeicherLeser(std::shared_ptr<const std::string> bytes) : bytes_(std::move(bytes)) {}
    std::size_t lesen(char* ziel, std::size_t n, Ergebnis& /*fehler*/) override {
        const std::size_t k = std::min(n, bytes_->size() - pos_);
        if (k > 0) std::memcpy(ziel, bytes_->data() + pos_, k);
        pos_ += k;
        return k;
    }

private:
    std::shared_ptr<const std::string> bytes_;
    std::size_t pos_ = 0;
};

} // namespace

SpeicherPlattform::SpeicherPlattform() = default;

void SpeicherPlattform::Schluessel::append(std::string_view t) {
    if (!lang_ && n_ + t.size() <= k_kurz) {
        std::copy(t.begin(), t.end(), kurz_.begin() + static_cast<std::ptrdiff_t>(n_));
        n_ += t.size();
        return;
    }
    if (!lang_) {
        ueberlauf_.assign(kurz_.data(), n_);
        lang_ = true;
    }
    ueberlauf_.append(t);
}

void SpeicherPlattform::Schluessel::kuerzen(std::size_t n) {
    if (lang_) {
        ueberlauf_.resize(std::min(n, ueberlauf_.size()));
    } else {
        n_ = std::min(n, n_);
    }
}

void SpeicherPlattform::Schluessel::klein_ab(std::size_t ab) {
    char* const d = lang_ ? ueberlauf_.data() : kurz_.data();
    for (std::size_t k = ab; k < size(); ++k) {
        if (d[k] >= 'A' && d[k] <= 'Z') d[k] = static_cast<char>(d[k] - 'A' + 'a');
    }
}

// One pass: each component is appended in lower case, "." is skipped and
// ".." takes the last one off again (never the drive).
SpeicherPlattform::Name SpeicherPlattform::zerlegen(std::string_view pfad) {
    Name n;
    Schluessel& s = n.s;
    std::size_t letzter_anfang = 0; // where the last component starts in the key
    std::string_view letzter;
    std::size_t i = 0;
    while (i <= pfad.size()) {
        std::size_t j = i;
        while (j < pfad.size() && pfad[j] != '\\' && pfad[j] != '/') ++j;
        const std::string_view teil = pfad.substr(i, j - i);
        i = j + 1;
        if (teil.empty() || teil == ".") continue;
        const bool laufwerk = teil.size() == 2 && teil[1] == ':';
        if (s.empty() && !laufwerk) s.append(k_laufwerk); // a path without a drive lies on c:
        if (teil == "..") {
            const std::size_t trenner = s.sicht().rfind('\\');
            if (trenner != std::string_view::npos) s.kuerzen(trenner);
            letzter = {};
            continue;
        }
        if (!s.empty()) s.push_back('\\');
        letzter_anfang = s.size();
        bool ascii = true;
        for (char c : teil) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        if (ascii) {
            s.append(teil);
            s.klein_ab(letzter_anfang);
        } else {
            s.append(text::klein(teil));
        }
        letzter = teil;
    }
    if (s.empty()) s.append(k_laufwerk);
    n.trenner = s.sicht().rfind('\\');
    // After "..", the last component is whatever the key now ends with.
    const std::size_t anfang = n.trenner == std::string_view::npos ? 0 : n.trenner + 1;
    if (letzter_anfang == anfang) n.geschrieben = letzter;
    return n;
}

bool SpeicherPlattform::ordner_da(std::string_view schluessel) const {
    return schluessel == k_laufwerk || ordner_.find(schluessel) != ordner_.end();
}

Ergebnis SpeicherPlattform::schreibfehler(std::string_view schluessel) const {
    if (schreibgeschuetzt_.find(schluessel) != schreibgeschuetzt_.end()) return k_zugriff;
    if (datentraeger_voll) return k_voll;
    return {};
}

SpeicherPlattform::Datei& SpeicherPlattform::eintrag(const Name& n) {
    auto it = dateien_.find(n.schluessel());
    if (it != dateien_.end()) return it->second;
    if (frei_.empty()) {
        return dateien_.emplace(std::string(n.schluessel()), Datei{std::string(n.letzter()), nullptr}).first->second;
    }
    // The entry of a file removed before, with its buffers; a new file is
    // empty, and a reader that has the removed one open keeps its bytes.
    frei_.key().assign(n.schluessel());
    frei_.mapped().name.assign(n.letzter());
    std::shared_ptr<std::string>& b = frei_.mapped().bytes;
    if (b && b.use_count() == 1) {
        b->clear();
    } else {
        b.reset();
    }
    return dateien_.insert(std::move(frei_)).position->second;
}

void SpeicherPlattform::bytes_setzen(Datei& d, std::string_view bytes) {
    // A reader that has the file open keeps what it opened.
    if (d.bytes && d.bytes.use_count() == 1) {
        d.bytes->assign(bytes);
    } else {
        d.bytes = std::make_shared<std::string>(bytes);
    }
}

void SpeicherPlattform::entfernen(std::map<std::string, Datei, std::less<>>::iterator it) {
    frei_ = dateien_.extract(it);
}

void SpeicherPlattform::schreibschutz(std::string_view pfad) { schreibgeschuetzt_.emplace(zerlegen(pfad).schluessel()); }

void SpeicherPlattform::datei_ablegen(std::string_view pfad, std::string_view bytes) {
    const Name n = zerlegen(pfad);
    // Every folder on the way, from the outermost.
    const std::string_view ordner = n.ordner();
    for (std::size_t p = ordner.find('\\'); p != std::string_view::npos; p = ordner.find('\\', p + 1)) {
        ordner_.emplace(ordner.substr(0, p));
    }
    if (ordner != k_laufwerk && !ordner.empty()) ordner_.emplace(ordner);
    bytes_setzen(eintrag(n), bytes);
}

std::string SpeicherPlattform::datei_lesen(std::string_view pfad) const { return std::string(datei_ansehen(pfad)); }

std::string_view SpeicherPlattform::datei_ansehen(std::string_view pfad) const {
    const auto it = dateien_.find(zerlegen(pfad).schluessel());
    return it == dateien_.end() ? std::string_view() : std::string_view(*it->second.bytes);
}

void SpeicherPlattform::leeren() {
    dateien_.clear();
    frei_ = {};
    ordner_.clear();
}

void SpeicherPlattform::meldung(std::string_view t) {
    meldungen.emplace_back(t);
    karte_in_box();
}

// The card scanned into this box, kept where a list takes it.
void SpeicherPlattform::karte_in_box() {
    std::string karte = std::exchange(scan_nach_meldung, {});
    if (!karte.empty() && nimmt_karten()) karte_merken(std::move(karte));
}

std::optional<std::string> SpeicherPlattform::erste_datei(std::string_view ordner) {
    const std::string o = std::string(zerlegen(ordner).schluessel()) + '\\';
    for (auto it = dateien_.lower_bound(o); it != dateien_.end() && it->first.compare(0, o.size(), o) == 0; ++it) {
        if (it->first.find('\\', o.size()) == std::string::npos) return it->second.name;
    }
    return std::nullopt;
}

bool SpeicherPlattform::datei_existiert(std::string_view pfad) {
    return dateien_.find(zerlegen(pfad).schluessel()) != dateien_.end();
}

std::vector<std::string> SpeicherPlattform::dateien(std::string_view muster) {
    std::vector<std::string> out;
    const auto trenner = muster.find_last_of("\\/");
    const std::string_view ordner = trenner == std::string_view::npos ? std::string_view{} : muster.substr(0, trenner);
    const std::string maske = text::klein(muster.substr(trenner == std::string_view::npos ? 0 : trenner + 1));
    const std::string o = std::string(zerlegen(ordner).schluessel()) + '\\';
    for (auto it = dateien_.lower_bound(o); it != dateien_.end() && it->first.compare(0, o.size(), o) == 0; ++it) {
        const std::string_view rest = std::string_view(it->first).substr(o.size());
        if (rest.find('\\') != std::string_view::npos) continue;
        if (platzhalter::passt(maske, rest)) out.push_back(it->second.name);
    }
    return out;
}

bool SpeicherPlattform::ordner_existiert(std::string_view pfad) { return ordner_da(zerlegen(pfad).schluessel()); }

Ergebnis SpeicherPlattform::ordner_anlegen(std::string_view pfad) {
    const Name n = zerlegen(pfad);
    if (ordner_da(n.schluessel()) || dateien_.count(n.schluessel()) != 0) return k_vorhanden;
    if (!ordner_da(n.ordner())) return k_pfad_fehlt;
    ordner_.emplace(n.schluessel());
    return {};
}

Ergebnis SpeicherPlattform::kopieren(std::string_view quelle, std::string_view ziel) {
    const Name q = zerlegen(quelle), z = zerlegen(ziel);
    const auto it = dateien_.find(q.schluessel());
    if (it == dateien_.end()) return k_nicht_gefunden;
    if (q.schluessel() == z.schluessel()) return k_benutzt;
    if (Ergebnis f = schreibfehler(z.schluessel()); !f.ok()) return f;
    if (!ordner_da(z.ordner())) return k_pfad_fehlt;
    if (ordner_da(z.schluessel())) return k_zugriff;
    eintrag(z).bytes = it->second.bytes;
    return {};
}

Ergebnis SpeicherPlattform::loeschen(std::string_view pfad) {
    const Name n = zerlegen(pfad);
    const auto it = dateien_.find(n.schluessel());
    if (it == dateien_.end()) return k_nicht_gefunden;
    if (schreibgeschuetzt_.find(n.schluessel()) != schreibgeschuetzt_.end()) return k_zugriff;
    entfernen(it);
    return {};
}

Ergebnis SpeicherPlattform::ersetzen(std::string_view quelle, std::string_view ziel) {
    const Name q = zerlegen(quelle), z = zerlegen(ziel);
    const auto it = dateien_.find(q.schluessel());
    if (it == dateien_.end()) return k_nicht_gefunden;
    if (q.schluessel() == z.schluessel()) return {};
    if (schreibgeschuetzt_.find(z.schluessel()) != schreibgeschuetzt_.end()) return k_zugriff;
    if (!ordner_da(z.ordner())) return k_pfad_fehlt;
    if (ordner_da(z.schluessel())) return k_zugriff;
    // The source's entry becomes the target's; a target that was there
    // keeps its name as first written.
    auto knoten = dateien_.extract(it);
    const auto alt = dateien_.find(z.schluessel());
    if (alt != dateien_.end()) {
        knoten.mapped().name.swap(alt->second.name);
        entfernen(alt);
    } else {
        knoten.mapped().name.assign(z.letzter());
    }
    knoten.key().assign(z.schluessel());
    dateien_.insert(std::move(knoten));
    return {};
}

Ergebnis SpeicherPlattform::schreiben(std::string_view pfad, std::string_view bytes) {
    const Name n = zerlegen(pfad);
    if (Ergebnis f = schreibfehler(n.schluessel()); !f.ok()) return f;
    if (!ordner_da(n.ordner())) return k_pfad_fehlt;
    if (ordner_da(n.schluessel())) return k_zugriff;
    bytes_setzen(eintrag(n), bytes);
    return {};
}

std::unique_ptr<Lesedatei> SpeicherPlattform::oeffnen(std::string_view pfad, Ergebnis& fehler) {
    const Name n = zerlegen(pfad);
    const auto it = dateien_.find(n.schluessel());
    if (it == dateien_.end()) {
        fehler = ordner_da(n.schluessel()) ? k_zugriff : ordner_da(n.ordner()) ? k_nicht_gefunden : k_pfad_fehlt;
        return nullptr;
    }
    return std::make_unique<SpeicherLeser>(it->second.bytes);
}

long SpeicherPlattform::shell_ausfuehren(std::string_view verb, std::string_view ziel, int anzeige) {
    shell_aufrufe.push_back({std::string(verb), std::string(ziel), anzeige});
    return shell_ergebnis;
}

std::string SpeicherPlattform::spezialordner(Spezialordner ordner) {
    const std::string& p = ordner == Spezialordner::Desktop ? desktop : startmenue_programme;
    if (!p.empty()) {
        const std::string s(zerlegen(p).schluessel());
        for (std::size_t i = s.find('\\'); i != std::string::npos; i = s.find('\\', i + 1)) ordner_.insert(s.substr(0, i));
        ordner_.insert(s);
    }
    return p;
}

Ergebnis SpeicherPlattform::verknuepfung_anlegen(std::string_view lnk, std::string_view ziel, std::string_view symbol) {
    return schreiben(lnk, "[Verknuepfung]\nZiel=" + std::string(ziel) + "\nSymbol=" + std::string(symbol));
}

std::string SpeicherPlattform::programmpfad() { return exe; }

Datum SpeicherPlattform::heute() { return datum; }

Ergebnis SpeicherPlattform::anhaengen(std::string_view pfad, std::string_view bytes) {
    const Name n = zerlegen(pfad);
    if (Ergebnis f = schreibfehler(n.schluessel()); !f.ok()) return f;
    if (!ordner_da(n.ordner())) return k_pfad_fehlt;
    if (ordner_da(n.schluessel())) return k_zugriff;
    Datei& d = eintrag(n);
    if (d.bytes && d.bytes.use_count() == 1) {
        d.bytes->append(bytes);
        return {};
    }
    // A reader has the file open: it keeps what it opened.
    auto neu = std::make_shared<std::string>(d.bytes ? *d.bytes : std::string());
    neu->append(bytes);
    d.bytes = std::move(neu);
    return {};
}

bool SpeicherPlattform::frage(std::string_view text, Vorgabe) {
    fragen.emplace_back(text);
    karte_in_box();
    return frage_antwort;
}

Ergebnis SpeicherPlattform::im_ordner_zeigen(std::string_view pfad) {
    gezeigte_dateien.emplace_back(pfad);
    // A file manager cannot select what is not there.
    return datei_existiert(pfad) ? Ergebnis{} : k_nicht_gefunden;
}

std::vector<std::string> SpeicherPlattform::dateien_waehlen(const Dateiwahl& w) {
    dateidialoge.push_back(w.titel);
    return {};
}

std::optional<std::string> SpeicherPlattform::speicherort_waehlen(const Dateiwahl& w) {
    dateidialoge.push_back(w.titel);
    return std::nullopt;
}

} // namespace karmo
