// Stands in for a game: prints its descriptors, input, session, blocked signals, folder and
// arguments, then ends as asked: engine_stand_in exit|signal N [ARGUMENT...]
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <dirent.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

int main(int argc, char* argv[]) {
    if (argc < 3)
        return 2;
    DIR* fds = opendir("/proc/self/fd");
    while (const dirent* entry = fds ? readdir(fds) : nullptr)
        if (entry->d_name[0] != '.' && std::atoi(entry->d_name) != dirfd(fds))
            std::printf("%s ", entry->d_name);
    closedir(fds);
    struct stat input {};
    const bool nullInput = fstat(0, &input) == 0 && input.st_rdev == makedev(1, 3);
    sigset_t blocked;
    sigprocmask(SIG_BLOCK, nullptr, &blocked);
    char folder[4096] = "";
    std::printf("\n%s\n%s\n%s\n%s\n", nullInput ? "input null" : "input inherited",
                getsid(0) == getpid() ? "own session" : "Brimvault's session",
                sigisemptyset(&blocked) ? "nothing blocked" : "signals blocked",
                getcwd(folder, sizeof folder));
    for (int i = 3; i < argc; ++i)
        std::printf("%s\n", argv[i]);
    std::fflush(stdout);
    const int number = std::atoi(argv[2]);
    if (std::strcmp(argv[1], "signal") == 0) {
        std::signal(number, SIG_DFL); // a sanitizer's own handler would catch it
        std::raise(number);
    }
    return number;
}
