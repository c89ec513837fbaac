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

TEST(DialogFilter, SavedNamesWithoutADotTakeTheSelectedExtension) {
    const struct {
        const char* path;
        const char* filter;
        const char* saved;
    } cases[] = {
        {"/t/green", "Colour Themes (*.brc)", "/t/green.brc"},
        {"/t/game", "Doom Legacy Config File (*.cfg)", "/t/game.cfg"},
        {"/t/net", "PWADs and DeHacked Patches (*.wad *.deh)", "/t/net.wad"},
        {"/t/my.theme", "Colour Themes (*.brc)", "/t/my.theme"},
        {"/t/green.", "Colour Themes (*.brc)", "/t/green."},
        {"/t.d/green", "Colour Themes (*.brc)", "/t.d/green.brc"},
        {"/t/green", "All files (*)", "/t/green"},
        {"/t/green", "All files (*.*)", "/t/green"},
        {"/t/green", "Doom3.exe (Doom3.exe)", "/t/green"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(bv::withFilterExtension(QLatin1String(c.path), QLatin1String(c.filter)),
                  QLatin1String(c.saved))
            << c.path << " " << c.filter;
}
