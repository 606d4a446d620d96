// Starting a command and reading its time and memory from the kernel.
#include "prozesse.hpp"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "umgebung.hpp"

namespace bench {

using Clock = std::chrono::steady_clock;

Prozesslauf prozess(const std::vector<std::string>& argv, bool ausgabe_lesen) {
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    int rohr[2] = {-1, -1};
    posix_spawn_file_actions_t aktionen;
    posix_spawn_file_actions_init(&aktionen);
    if (ausgabe_lesen) {
        if (::pipe(rohr) != 0) abbruch("pipe");
        posix_spawn_file_actions_adddup2(&aktionen, rohr[1], 1);
        posix_spawn_file_actions_addclose(&aktionen, rohr[0]);
    } else {
        posix_spawn_file_actions_addopen(&aktionen, 1, "/dev/null", O_WRONLY, 0);
    }
    Prozesslauf lauf;
    const auto t0 = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, args[0], &aktionen, nullptr, args.data(), environ) != 0) abbruch("Kann nicht starten: " + argv[0]);
    if (ausgabe_lesen) {
        ::close(rohr[1]);
        char puffer[4096];
        ssize_t n;
        while ((n = ::read(rohr[0], puffer, sizeof puffer)) > 0) lauf.ausgabe.append(puffer, static_cast<std::size_t>(n));
        ::close(rohr[0]);
    }
    int status = 0;
    rusage ru {};
    ::wait4(pid, &status, 0, &ru);
    lauf.sekunden = std::chrono::duration<double>(Clock::now() - t0).count();
    posix_spawn_file_actions_destroy(&aktionen);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) abbruch("Prozess gescheitert: " + argv[0] + " " + (argv.size() > 1 ? argv[1] : ""));
    lauf.maxrss_kib = ru.ru_maxrss;
    lauf.cpu = static_cast<double>(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
               static_cast<double>(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) * 1e-6;
    return lauf;
}

Im_Wechsel prozesse_vergleichen(const std::vector<std::string>& a, const std::vector<std::string>& b, int laeufe) {
    prozess(a);
    prozess(b);
    // A failed process aborts the run (prozess), so every round has its figures.
    return *im_wechsel(laeufe, [&a]() -> std::optional<double> { return prozess(a).cpu; },
                       [&b]() -> std::optional<double> { return prozess(b).cpu; });
}

} // namespace bench
