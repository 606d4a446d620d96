// A lean platform over a real folder, for telling the test double's own cost apart from the code under measurement.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/plattform.hpp"

namespace bench {

// Drive c: is `wurzel`; a path is turned into a real one by swapping the
// separators, with no case-insensitive search and no fault injection. What
// reading event files needs is served, and durable writing as the Windows
// platform does it (every write flushed with fsync before the file is
// closed); everything else fails.
class DirektPlattform final : public karmo::Plattform {
public:
    explicit DirektPlattform(std::filesystem::path wurzel) : wurzel_(std::move(wurzel)) {}

    std::vector<std::string> meldungen;

    std::string echt(std::string_view p) const {
        if (p.size() >= 3 && (p[0] == 'c' || p[0] == 'C') && p[1] == ':') p.remove_prefix(3);
        std::string s = wurzel_.string() + "/";
        for (char c : p) s += c == '\\' ? '/' : c;
        return s;
    }

    void meldung(std::string_view text) override { meldungen.emplace_back(text); }
    std::optional<std::string> erste_datei(std::string_view) override { return std::nullopt; }
    bool datei_existiert(std::string_view pfad) override {
        struct stat st {};
        return ::stat(echt(pfad).c_str(), &st) == 0 && S_ISREG(st.st_mode);
    }
    // Only the pattern "<folder>\*.<ext>", the extension compared without
    // regard to case.
    std::vector<std::string> dateien(std::string_view muster) override {
        const auto stern = muster.rfind("\\*.");
        std::vector<std::string> namen;
        if (stern == std::string_view::npos) return namen;
        const std::string ordner = echt(muster.substr(0, stern + 1));
        const std::string_view endung = muster.substr(stern + 2);
        DIR* d = ::opendir(ordner.c_str());
        if (!d) return namen;
        while (const dirent* e = ::readdir(d)) {
            const std::string_view n = e->d_name;
            if (e->d_type != DT_REG || n.size() < endung.size()) continue;
            bool gleich = true;
            for (std::size_t i = 0; i < endung.size(); ++i) {
                gleich = gleich && std::tolower(static_cast<unsigned char>(n[n.size() - endung.size() + i])) ==
                                       std::tolower(static_cast<unsigned char>(endung[i]));
            }
            if (gleich) namen.emplace_back(n);
        }
        ::closedir(d);
        return namen;
    }
    bool ordner_existiert(std::string_view pfad) override {
        struct stat st {};
        return ::stat(echt(pfad).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }
    karmo::Ergebnis ordner_anlegen(std::string_view pfad) override {
        return ::mkdir(echt(pfad).c_str(), 0755) == 0 ? karmo::Ergebnis{} : k_nein;
    }
    karmo::Ergebnis kopieren(std::string_view, std::string_view) override { return k_nein; }
    karmo::Ergebnis loeschen(std::string_view pfad) override {
        return ::unlink(echt(pfad).c_str()) == 0 ? karmo::Ergebnis{} : k_nein;
    }
    karmo::Ergebnis ersetzen(std::string_view quelle, std::string_view ziel) override {
        return ::rename(echt(quelle).c_str(), echt(ziel).c_str()) == 0 ? karmo::Ergebnis{} : k_nein;
    }
    karmo::Ergebnis schreiben(std::string_view pfad, std::string_view bytes) override {
        return dauerhaft(::open(echt(pfad).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), bytes);
    }
    std::unique_ptr<karmo::Lesedatei> oeffnen(std::string_view pfad, karmo::Ergebnis& fehler) override {
        const int fd = ::open(echt(pfad).c_str(), O_RDONLY);
        if (fd < 0) {
            fehler = {53, "Datei nicht gefunden"};
            return nullptr;
        }
        return std::make_unique<Leser>(fd);
    }
    long shell_ausfuehren(std::string_view, std::string_view, int) override { return 0; }
    std::string spezialordner(karmo::Spezialordner) override { return {}; }
    karmo::Ergebnis verknuepfung_anlegen(std::string_view, std::string_view, std::string_view) override { return k_nein; }
    std::string programmpfad() override { return "c:\\zelva\\Karmo.exe"; }
    karmo::Datum heute() override { return {21, 12, 2006}; }
    karmo::Ergebnis anhaengen(std::string_view pfad, std::string_view bytes) override {
        return dauerhaft(::open(echt(pfad).c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644), bytes);
    }
    // The answer to every yes/no question.
    bool frage_antwort = true;
    bool frage(std::string_view, karmo::Vorgabe = karmo::Vorgabe::Ja) override { return frage_antwort; }
    karmo::Ergebnis im_ordner_zeigen(std::string_view) override { return k_nein; }

    // Writes all of `bytes` to the open descriptor, flushes and closes it.
    static karmo::Ergebnis dauerhaft(int fd, std::string_view bytes) {
        if (fd < 0) return k_nein;
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd, bytes.data(), bytes.size());
            if (n <= 0) {
                ::close(fd);
                return k_nein;
            }
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        const bool ok = ::fsync(fd) == 0;
        return ::close(fd) == 0 && ok ? karmo::Ergebnis{} : k_nein;
    }

private:
    class Leser final : public karmo::Lesedatei {
    public:
        explicit Leser(int fd) : fd_(fd) {}
        ~Leser() override { ::close(fd_); }
        Leser(const Leser&) = delete;
        Leser& operator=(const Leser&) = delete;
        std::size_t lesen(char* ziel, std::size_t n, karmo::Ergebnis& fehler) override {
            const ssize_t r = ::read(fd_, ziel, n);
            if (r < 0) {
                fehler = {57, "Lesefehler"};
                return 0;
            }
            return static_cast<std::size_t>(r);
        }

    private:
        int fd_;
    };

    inline static const karmo::Ergebnis k_nein{75, "Nicht unterstützt"};
    std::filesystem::path wurzel_;
};

} // namespace bench
