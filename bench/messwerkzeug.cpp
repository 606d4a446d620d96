// Raw file access and the registration of in-process benchmarks.
#include "messwerkzeug.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>

#include "umgebung.hpp"

namespace bench {

std::string datei_lesen(const fs::path& p) {
    const int fd = ::open(p.c_str(), O_RDONLY);
    if (fd < 0) abbruch("Kann nicht öffnen: " + p.string());
    struct stat st {};
    ::fstat(fd, &st);
    std::string s(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t gelesen = 0;
    while (gelesen < s.size()) {
        const ssize_t n = ::read(fd, s.data() + gelesen, s.size() - gelesen);
        if (n <= 0) break;
        gelesen += static_cast<std::size_t>(n);
    }
    ::close(fd);
    s.resize(gelesen);
    return s;
}

void datei_schreiben_roh(const fs::path& p, std::string_view bytes) {
    const int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) abbruch("Kann nicht schreiben: " + p.string());
    std::size_t geschrieben = 0;
    while (geschrieben < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + geschrieben, bytes.size() - geschrieben);
        if (n <= 0) abbruch("Schreibfehler: " + p.string());
        geschrieben += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

std::vector<std::string> ordnerinhalt(const fs::path& ordner) {
    std::vector<std::string> namen;
    DIR* d = ::opendir(ordner.c_str());
    if (!d) abbruch("Kein Ordner: " + ordner.string());
    while (const dirent* e = ::readdir(d)) {
        if (e->d_name[0] != '.') namen.emplace_back(e->d_name);
    }
    ::closedir(d);
    return namen;
}

double cpu_sekunden() {
    timespec ts {};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

constexpr int k_wiederholungen = 7;

void registrieren(const char* name, std::function<void(benchmark::State&)> f, bool manuell, double min_zeit) {
    auto* b = benchmark::RegisterBenchmark(name, [f = std::move(f)](benchmark::State& s) { f(s); });
    b->Repetitions(k_wiederholungen)->MinTime(min_zeit)->Unit(benchmark::kMicrosecond);
    if (manuell) b->UseManualTime();
}

} // namespace bench
