#pragma once

#include "settings/LaunchSettings.h"

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace bv::fuzz {

// Every input writes files: in memory where the host allows.
inline QTemporaryDir& scratch() {
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/brimvault-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/brimvault-fuzz-XXXXXX"));
    return dir;
}

inline long long threadCpuNs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

// A broken invariant is a finding: abort so that libFuzzer saves the input.
inline void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

inline void checkRecord(const LaunchSettings& s) {
    require(s.text(Text::weaponsOrder).size() <= kWeaponsOrderMax, "txtWeap at most nine characters");
    require(!(s.checked(Check::threeDfx) && s.checked(Check::openGl)),
            "never both check3DFX and checkGL");
    const int dm = static_cast<int>(s.dm());
    require(dm >= 0 && dm <= 2, "exactly one deathmatch option");
    for (int i = 0; i < kCheckCount; ++i) {
        const int v = s.check(static_cast<Check>(i));
        require(v == 0 || v == 1, "check boxes hold 0 or 1");
    }
}

// Runs one input, timed in CPU time of this thread. An input over the budget runs twice more
// and keeps its fastest time: each input starts from scratch, so a slow run that does not
// repeat was the machine. Each new slowest figure is printed at once; nothing is asserted.
template <typename Run> void timedInput(const uint8_t* data, size_t size, Run run) {
    constexpr long long kBudgetNs = 10'000'000;
    static long long slowestInput = 0;
    static long long slowestRun = 0;
    static bool first = true;

    const auto once = [&] {
        const long long start = threadCpuNs();
        run(data, size);
        return threadCpuNs() - start;
    };
    long long best = once();
    const long long firstRun = best;
    for (int again = 0; again < 2 && best > kBudgetNs; ++again)
        best = std::min(best, once());
    // The first input pays for one-time set-up (folders, the application object).
    if (!first && (best > slowestInput || firstRun > slowestRun)) {
        slowestInput = std::max(slowestInput, best);
        slowestRun = std::max(slowestRun, firstRun);
        std::fprintf(stderr, "slowest input: %.2f ms (slowest single run %.2f ms)\n",
                     static_cast<double>(slowestInput) / 1e6,
                     static_cast<double>(slowestRun) / 1e6);
    }
    first = false;
}

} // namespace bv::fuzz
