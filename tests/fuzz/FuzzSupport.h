#pragma once

#include "settings/LaunchSettings.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace bv::fuzz {

// A broken invariant is a finding: abort so that libFuzzer saves the input.
inline void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

inline void checkRecord(const LaunchSettings& s) {
    require(s.text(Text::txtWeap).size() <= kWeaponsOrderMax, "txtWeap at most nine characters");
    require(!(s.checked(Check::check3DFX) && s.checked(Check::checkGL)),
            "never both check3DFX and checkGL");
    const int dm = static_cast<int>(s.dm());
    require(dm >= 0 && dm <= 2, "exactly one deathmatch option");
    for (int i = 0; i < kCheckCount; ++i) {
        const int v = s.check(static_cast<Check>(i));
        require(v == 0 || v == 1, "check boxes hold 0 or 1");
    }
}

// Times each input in CPU time of this thread (so that a busy machine does not inflate it) and
// prints the slowest one when the run ends: the long run shows how slow the worst input was
// without a timed assertion.
class InputTimer {
public:
    InputTimer() : start_(now()) {}
    ~InputTimer() {
        const long long ns = now() - start_;
        static bool registered = false;
        if (!registered) {
            registered = true;
            std::atexit([] {
                std::fprintf(stderr, "slowest input: %.2f ms\n",
                             static_cast<double>(slowest()) / 1e6);
            });
        }
        // The first input pays for one-time set-up (folders, the application object).
        static bool first = true;
        if (!first && ns > slowest())
            slowest() = ns;
        first = false;
    }

private:
    static long long now() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
    }
    static long long& slowest() {
        static long long value = 0;
        return value;
    }
    long long start_;
};

} // namespace bv::fuzz
