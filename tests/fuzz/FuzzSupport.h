#pragma once

#include "settings/LaunchSettings.h"

#include <cstdio>
#include <cstdlib>

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

} // namespace bv::fuzz
