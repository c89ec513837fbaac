#include "platform/QtPlatform.h"

#include <gtest/gtest.h>

TEST(DialogFilter, PairsBecomeToolkitEntries) {
    EXPECT_EQ(bv::toDialogFilter(QStringLiteral("Brimvault Config File|*.brv")),
              QStringLiteral("Brimvault Config File (*.brv)"));
    EXPECT_EQ(bv::toDialogFilter(QStringLiteral("PWADs and DeHacked Patches|*.wad;*.deh")),
              QStringLiteral("PWADs and DeHacked Patches (*.wad *.deh)"));
    EXPECT_EQ(bv::toDialogFilter(QStringLiteral(
                  "Doom Legacy Config File|*.cfg|Brimvault Config File|*.brv|Brimvault HX8 "
                  "Parameter File|*.hx8")),
              QStringLiteral("Doom Legacy Config File (*.cfg);;Brimvault Config File "
                             "(*.brv);;Brimvault HX8 Parameter File (*.hx8)"));
    EXPECT_EQ(bv::toDialogFilter(QStringLiteral("Doom3.exe|Doom3.exe|Doombot.bat|Doombot.bat")),
              QStringLiteral("Doom3.exe (Doom3.exe);;Doombot.bat (Doombot.bat)"));
}
