// Test double of the platform on a real temporary folder, with Windows' rules for names.
#include "platform/fake/fake_plattform.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <fstream>
#include <random>
#include <system_error>
#include <utility>

#include "common/text.hpp"
#include "platform/fake/platzhalter.hpp"
#include "platform/fake/windows_fehler.hpp"

namespace fs = std::filesystem;

namespace karmo {
namespace {

using namespace windows_fehler;

std::vector<std::string> teile(std::string_view pfad) {
    std::vector<std::string> out;
    std::string aktuell;
    for (char c : pfad) {
        if (c == '\\' || c == '/') {
            if (!aktuell.empty()) out.push_back(aktuell);
            aktuell.clear();
        } else {
            aktuell.push_back(c);
        }
    }
    if (!aktuell.empty()) out.push_back(aktuell);
    return out;
}

// Reads straight from the descriptor: the reader above keeps its own buffer.
class DateiLeser final : public Lesedatei {
public:
    explicit DateiLeser(int fd) : fd_(fd) {}
    ~DateiLeser() override { ::close(fd_); }
    DateiLeser(const DateiLeser&) = delete;
    DateiLeser& operator=(const DateiLeser&) = delete;
    std::size_t lesen(char* ziel, std::size_t n, Ergebnis& fehler) override {
        std::size_t gelesen = 0;
        while (gelesen < n) {
            const ssize_t k = ::read(fd_, ziel + gelesen, n - gelesen);
            if (k < 0 && errno == EINTR) continue;
            if (k < 0) {
                fehler = {30, "Das System kann nicht von dem angegebenen Gerät lesen."};
                return 0;
            }
            if (k == 0) break;
            gelesen += static_cast<std::size_t>(k);
        }
        return gelesen;
    }

private:
    int fd_;
};

// A descriptor for reading when `p` is an ordinary file; -1 otherwise.
int datei_oeffnen(const char* p) {
    int fd;
    do {
        fd = ::open(p, O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

fs::path neue_wurzel() {
    static std::atomic<unsigned> zaehler{0};
    std::random_device zufall;
    const auto name = "karmo-fake-" + std::to_string(zufall()) + "-" + std::to_string(zaehler++);
    auto p = fs::temp_directory_path() / name;
    fs::create_directories(p);
    return p;
}

} // namespace

FakePlattform::FakePlattform() : wurzel_(neue_wurzel()), eigene_wurzel_(true) {}

FakePlattform::FakePlattform(fs::path wurzel) : wurzel_(std::move(wurzel)) { fs::create_directories(wurzel_); }

FakePlattform::~FakePlattform() {
    if (eigene_wurzel_) {
        std::error_code ec;
        fs::remove_all(wurzel_, ec);
    }
}

// The path under the root with the components as written; empty when it
// holds ".." (which must be resolved against what exists, one step at a time).
std::string FakePlattform::wie_geschrieben(std::string_view windows_pfad) const {
    std::string p = wurzel_.native();
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    std::size_t i = 0;
    bool erste = true;
    while (i < windows_pfad.size()) {
        std::size_t j = i;
        while (j < windows_pfad.size() && windows_pfad[j] != '\\' && windows_pfad[j] != '/') ++j;
        const std::string_view name = windows_pfad.substr(i, j - i);
        i = j + 1;
        if (name.empty()) continue;
        if (erste && name.size() == 2 && name[1] == ':') {
            erste = false;
            if (name[0] != 'c' && name[0] != 'C') {
                p += "/_";
                p += text::klein(name.substr(0, 1));
            }
            continue;
        }
        erste = false;
        if (name == ".") continue;
        if (name == "..") return {};
        p += '/';
        p += name;
    }
    return p;
}

fs::path FakePlattform::echt(std::string_view windows_pfad) const {
    // Nearly every path is written as it lies on disk: then one look settles it.
    if (std::string p = wie_geschrieben(windows_pfad); !p.empty()) {
        struct stat st {};
        if (::stat(p.c_str(), &st) == 0) return fs::path(std::move(p));
    }
    auto t = teile(windows_pfad);
    fs::path p = wurzel_;
    std::size_t start = 0;
    if (!t.empty() && t[0].size() == 2 && t[0][1] == ':') {
        if (text::klein(t[0]) != "c:") p /= "_" + text::klein(t[0].substr(0, 1));
        start = 1;
    }
    for (std::size_t i = start; i < t.size(); ++i) {
        const std::string& name = t[i];
        if (name == ".") continue;
        if (name == "..") {
            if (p != wurzel_) p = p.parent_path();
            continue;
        }
        fs::path kandidat = p / name;
        std::error_code ec;
        if (!fs::exists(kandidat, ec) && fs::is_directory(p, ec)) {
            for (const auto& e : fs::directory_iterator(p, ec)) {
                if (text::gleich_ohne_gross_klein(e.path().filename().string(), name)) {
                    kandidat = e.path();
                    break;
                }
            }
        }
        p = kandidat;
    }
    return p;
}

bool FakePlattform::markiert(const std::set<std::string>& menge, std::string_view pfad) const {
    if (menge.empty()) return false;
    const fs::path e = echt(pfad);
    for (const auto& m : menge) {
        if (echt(m) == e) return true;
    }
    return false;
}

bool FakePlattform::gewoehnliche_datei(const fs::path& p, std::string_view windows_pfad) const {
    std::error_code ec;
    return fs::is_regular_file(p, ec) && !markiert(versteckt, windows_pfad);
}

Ergebnis FakePlattform::schreibfehler(std::string_view pfad) const {
    if (markiert(in_benutzung, pfad)) return k_benutzt;
    if (markiert(schreibgeschuetzt, pfad)) return k_zugriff;
    if (datentraeger_voll) return k_voll;
    return {};
}

void FakePlattform::datei_ablegen(std::string_view windows_pfad, std::string_view bytes) {
    const fs::path p = echt(windows_pfad);
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string FakePlattform::datei_lesen(std::string_view windows_pfad) const {
    std::ifstream in(echt(windows_pfad), std::ios::binary);
    if (!in) return {};
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

namespace {

// One "Key=value" line of a shortcut written by verknuepfung_anlegen.
std::string verknuepfungswert(const std::string& inhalt, std::string_view schluessel) {
    if (inhalt.rfind("[Verknuepfung]\n", 0) != 0) return {};
    const std::string zeilenkopf = "\n" + std::string(schluessel) + "=";
    const auto anfang = inhalt.find(zeilenkopf);
    if (anfang == std::string::npos) return {};
    const auto wert = anfang + zeilenkopf.size();
    return inhalt.substr(wert, inhalt.find('\n', wert) - wert);
}

} // namespace

std::string FakePlattform::verknuepfungsziel(std::string_view lnk) const {
    return verknuepfungswert(datei_lesen(lnk), "Ziel");
}

std::string FakePlattform::verknuepfungssymbol(std::string_view lnk) const {
    return verknuepfungswert(datei_lesen(lnk), "Symbol");
}

void FakePlattform::meldung(std::string_view t) {
    if (bei_meldung) bei_meldung(t);
    meldungen.emplace_back(t);
    karte_in_box();
}

// The card scanned into this box or file dialog, if the test scripted one:
// kept where a list takes cards, as the real windows do; otherwise its keys
// went nowhere.
void FakePlattform::karte_in_box() {
    if (scans_in_meldungen.empty()) return;
    std::string karte = std::move(scans_in_meldungen.front());
    scans_in_meldungen.pop_front();
    if (!karte.empty() && nimmt_karten()) karte_merken(std::move(karte));
}

std::optional<std::string> FakePlattform::erste_datei(std::string_view ordner) {
    const fs::path p = echt(ordner);
    std::error_code ec;
    if (!fs::is_directory(p, ec)) return std::nullopt;
    std::string basis(ordner);
    if (!basis.empty() && basis.back() != '\\') basis.push_back('\\');
    for (const auto& e : fs::directory_iterator(p, ec)) {
        const std::string name = e.path().filename().string();
        if (gewoehnliche_datei(e.path(), basis + name)) return name;
    }
    return std::nullopt;
}

bool FakePlattform::datei_existiert(std::string_view pfad) { return gewoehnliche_datei(echt(pfad), pfad); }

std::vector<std::string> FakePlattform::dateien(std::string_view muster) {
    std::vector<std::string> out;
    const auto trenner = muster.find_last_of('\\');
    const std::string_view ordner = trenner == std::string_view::npos ? std::string_view{} : muster.substr(0, trenner + 1);
    const std::string maske = text::klein(muster.substr(trenner == std::string_view::npos ? 0 : trenner + 1));
    const fs::path p = echt(ordner);
    // Read with readdir: each entry's name and type from the listing itself,
    // with no path object built per entry (a folder of 10,000 files).
    DIR* d = ::opendir(p.c_str());
    if (d == nullptr) return out;
    while (const dirent* e = ::readdir(d)) {
        const std::string_view name = e->d_name;
        if (name == "." || name == "..") continue;
        if (!platzhalter::passt(maske, text::klein(name))) continue;
        // Only links and file systems that do not say the type need a look.
        if (e->d_type != DT_REG) {
            struct stat st {};
            if (e->d_type != DT_LNK && e->d_type != DT_UNKNOWN) continue;
            if (::stat((p.native() + "/" + std::string(name)).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        }
        if (!versteckt.empty() && markiert(versteckt, std::string(ordner) + std::string(name))) continue;
        out.emplace_back(name);
    }
    ::closedir(d);
    return out;
}

bool FakePlattform::ordner_existiert(std::string_view pfad) {
    std::error_code ec;
    return fs::is_directory(echt(pfad), ec);
}

Ergebnis FakePlattform::ordner_anlegen(std::string_view pfad) {
    if (markiert(ordner_verweigert, pfad)) return k_zugriff;
    const fs::path p = echt(pfad);
    std::error_code ec;
    if (fs::exists(p, ec)) return k_vorhanden;
    if (!fs::is_directory(p.parent_path(), ec)) return k_pfad_fehlt;
    if (!fs::create_directory(p, ec)) return k_zugriff;
    return {};
}

Ergebnis FakePlattform::kopieren(std::string_view quelle, std::string_view ziel) {
    const fs::path q = echt(quelle), z = echt(ziel);
    std::error_code ec;
    if (!fs::is_regular_file(q, ec)) return k_nicht_gefunden;
    if (fs::exists(z, ec) && fs::equivalent(q, z, ec)) return k_benutzt;
    if (Ergebnis f = schreibfehler(ziel); !f.ok()) return f;
    if (!fs::is_directory(z.parent_path(), ec)) return k_pfad_fehlt;
    if (!fs::copy_file(q, z, fs::copy_options::overwrite_existing, ec)) return k_zugriff;
    return {};
}

Ergebnis FakePlattform::loeschen(std::string_view pfad) {
    const fs::path p = echt(pfad);
    std::error_code ec;
    if (!fs::is_regular_file(p, ec)) return k_nicht_gefunden;
    if (markiert(in_benutzung, pfad)) return k_benutzt;
    if (markiert(schreibgeschuetzt, pfad)) return k_zugriff;
    if (!fs::remove(p, ec)) return k_zugriff;
    return {};
}

Ergebnis FakePlattform::ersetzen(std::string_view quelle, std::string_view ziel) {
    const fs::path q = echt(quelle), z = echt(ziel);
    std::error_code ec;
    if (!fs::is_regular_file(q, ec)) return k_nicht_gefunden;
    if (markiert(in_benutzung, ziel)) return k_benutzt;
    if (markiert(schreibgeschuetzt, ziel)) return k_zugriff;
    fs::rename(q, z, ec);
    if (ec) return k_zugriff;
    return {};
}

Ergebnis FakePlattform::schreiben(std::string_view pfad, std::string_view bytes) {
    if (Ergebnis f = schreibfehler(pfad); !f.ok()) return f;
    const fs::path p = echt(pfad);
    std::error_code ec;
    if (!fs::is_directory(p.parent_path(), ec)) return k_pfad_fehlt;
    if (fs::is_directory(p, ec)) return k_zugriff;
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    if (!out) return k_zugriff;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) return k_voll;
    return {};
}

std::unique_ptr<Lesedatei> FakePlattform::oeffnen(std::string_view pfad, Ergebnis& fehler) {
    // Opened first; why it failed is worked out only when it did.
    int fd = -1;
    if (const std::string roh = wie_geschrieben(pfad); !roh.empty()) fd = datei_oeffnen(roh.c_str());
    fs::path p;
    if (fd < 0) {
        p = echt(pfad);
        fd = datei_oeffnen(p.c_str());
    }
    if (fd < 0) {
        std::error_code ec;
        if (fs::is_regular_file(p, ec)) fehler = k_zugriff;
        else fehler = fs::is_directory(p.parent_path(), ec) ? k_nicht_gefunden : k_pfad_fehlt;
        return nullptr;
    }
    if (markiert(in_benutzung, pfad)) {
        ::close(fd);
        fehler = k_benutzt;
        return nullptr;
    }
    return std::make_unique<DateiLeser>(fd);
}

long FakePlattform::shell_ausfuehren(std::string_view verb, std::string_view ziel, int anzeige) {
    shell_aufrufe.push_back({std::string(verb), std::string(ziel), anzeige});
    return shell_ergebnis;
}

std::string FakePlattform::spezialordner(Spezialordner ordner) {
    const std::string& p = ordner == Spezialordner::Desktop ? desktop : startmenue_programme;
    if (!p.empty()) {
        std::error_code ec;
        fs::create_directories(echt(p), ec);
    }
    return p;
}

Ergebnis FakePlattform::verknuepfung_anlegen(std::string_view lnk, std::string_view ziel, std::string_view symbol) {
    if (Ergebnis f = schreibfehler(lnk); !f.ok()) return f;
    return schreiben(lnk, "[Verknuepfung]\nZiel=" + std::string(ziel) + "\nSymbol=" + std::string(symbol));
}

std::string FakePlattform::programmpfad() { return exe; }

Datum FakePlattform::heute() { return datum; }

Ergebnis FakePlattform::anhaengen(std::string_view pfad, std::string_view bytes) {
    ++anhaenge;
    if (Ergebnis f = schreibfehler(pfad); !f.ok()) return f;
    const fs::path p = echt(pfad);
    std::error_code ec;
    if (!fs::is_directory(p.parent_path(), ec)) return k_pfad_fehlt;
    if (fs::is_directory(p, ec)) return k_zugriff;
    const bool reisst = anhaengen_reisst.count(anhaenge) != 0;
    if (reisst) bytes = bytes.substr(0, bytes.size() / 2);
    std::ofstream out(p, std::ios::binary | std::ios::app);
    if (!out) return k_zugriff;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out || reisst) return k_voll;
    return {};
}

bool FakePlattform::frage(std::string_view text, Vorgabe vorgabe) {
    fragen.emplace_back(text);
    frage_vorgaben.push_back(vorgabe);
    // A card never answers: the answer is the person's, given after it.
    karte_in_box();
    return frage_antwort;
}

Ergebnis FakePlattform::im_ordner_zeigen(std::string_view pfad) {
    gezeigte_dateien.emplace_back(pfad);
    if (kein_dateimanager) return k_zugriff;
    // A file manager cannot select what is not there.
    std::error_code ec;
    if (!fs::is_regular_file(echt(pfad), ec)) return k_nicht_gefunden;
    return Ergebnis::erfolg();
}

std::vector<std::string> FakePlattform::dateien_waehlen(const Dateiwahl& w) {
    dateidialoge.push_back(w);
    karte_in_box();
    if (zu_oeffnen.empty()) return {};
    std::vector<std::string> gewaehlt = std::move(zu_oeffnen.front());
    zu_oeffnen.pop_front();
    return gewaehlt;
}

std::optional<std::string> FakePlattform::speicherort_waehlen(const Dateiwahl& w) {
    dateidialoge.push_back(w);
    karte_in_box();
    if (speicherorte.empty()) return std::nullopt;
    std::optional<std::string> ort = std::move(speicherorte.front());
    speicherorte.pop_front();
    return ort;
}

} // namespace karmo
