// The colour file and theme reader: the strict theme reader and the startup reading rules.
#include "FuzzSupport.h"

#include "settings/ColourTheme.h"
#include "settings/SettingsScript.h"

#include <cstdint>

namespace {

void runInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const bv::ThemeReadResult theme = bv::readColourTheme(bytes);
    if (theme.values) {
        for (int v : *theme.values)
            bv::fuzz::require(v >= 0 && v <= 255, "theme values in range");
        const bv::ThemeReadResult again = bv::readColourTheme(bv::colourThemeBytes(*theme.values));
        bv::fuzz::require(again.values && *again.values == *theme.values, "theme round trip");
    } else {
        bv::fuzz::require(theme.badLine >= 1 && theme.badLine <= 6,
                          "a rejected theme names a line");
    }
    const bv::ColourValues design{0, 0, 0, 255, 215, 0};
    for (int v : bv::startupColours(bytes, design))
        bv::fuzz::require(v >= 0 && v <= 255, "startup colours in range");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    bv::fuzz::timedInput(data, size, runInput);
    return 0;
}
