// The per-user store values read at startup: positions, docking and console visibility.
#include "FuzzSupport.h"

#include "settings/StoredValues.h"

#include <cstdint>

namespace {

void runInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const std::optional<int> twips = bv::storedTwips(text))
        bv::fuzz::require(*twips >= -100000000 && *twips <= 100000000,
                          "a restored position fits a screen coordinate");
    if (const std::optional<int> dock = bv::storedCheck(text))
        bv::fuzz::require(*dock == 0 || *dock == 1, "docking is 0 or 1");
    const std::optional<bool> shown = bv::storedBoolean(text);
    if (text == QLatin1String("True"))
        bv::fuzz::require(shown == true, "the written True reads back");
    if (text == QLatin1String("False"))
        bv::fuzz::require(shown == false, "the written False reads back");
    // What exit writes must read back unchanged.
    if (const std::optional<int> twips = bv::storedTwips(text))
        bv::fuzz::require(bv::storedTwips(QString::number(*twips)) == twips,
                          "a stored position reads back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    bv::fuzz::timedInput(data, size, runInput);
    return 0;
}
