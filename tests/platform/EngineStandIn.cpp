// Stands in for a game: says what it was given (its descriptors, its session, its blocked
// signals), then ends as asked: engine_stand_in exit N | engine_stand_in signal N
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <dirent.h>
#include <unistd.h>

int main(int argc, char* argv[]) {
    if (argc != 3)
        return 2;
    DIR* fds = opendir("/proc/self/fd");
    if (!fds)
        return 2;
    while (const dirent* entry = readdir(fds)) {
        if (entry->d_name[0] != '.' && std::atoi(entry->d_name) != dirfd(fds))
            std::printf("%s ", entry->d_name);
    }
    closedir(fds);
    std::printf("\n%s\n", getsid(0) == getpid() ? "own session" : "Brimvault's session");
    sigset_t blocked;
    sigprocmask(SIG_BLOCK, nullptr, &blocked);
    std::printf("%s\n", sigisemptyset(&blocked) ? "nothing blocked" : "signals blocked");
    std::fflush(stdout);
    const int number = std::atoi(argv[2]);
    if (std::strcmp(argv[1], "signal") == 0) {
        std::signal(number, SIG_DFL); // a sanitizer's own handler would catch it
        std::raise(number);
    }
    return number;
}
