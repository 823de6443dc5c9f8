#include "setup_logic.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(CommandLine, OnlyATailOfExactlySlashUUninstalls)
{
    const struct {
        const char *commandLine, *tail;
        bool uninstall;
    } cases[] = {
        {"install.exe /u", "/u", true},
        {"\"C:\\Program Files\\x\\install.exe\" /u", "/u", true},
        {"\"C:\\a b\\install.exe\"/u", "/u", true},
        {"install.exe \t /u", "/u", true},
        {"install.exe /U", "/U", false},
        {"install.exe -u", "-u", false},
        {"install.exe /u ", "/u ", false},
        {"install.exe /uninstall", "/uninstall", false},
        {"install.exe", "", false},
        {"install.exe   ", "", false},
        {"\"unterminated /u", "", false},
        // Code page 936: a trail byte (0x40 and above; 0x5C in these two) is
        // never a quotation mark or a blank.
        {"\"C:\\\x9C\x5C \x87\x5C\\install.exe\" /u", "/u", true},
        {"C:\\\x9C\x5C\\install.exe /u", "/u", true},
    };
    for (const auto &c : cases) {
        const char *tail = CommandLineTail(c.commandLine);
        EXPECT_STREQ(tail, c.tail) << c.commandLine;
        EXPECT_EQ(IsUninstallTail(tail), c.uninstall) << c.commandLine;
    }
}

TEST(WizardPageShift, HalvesDropTheirRemainderAndKeepThePageOnTheScreen)
{
    const PageRect small = {0, 22, 566, 385}; // 280 x 180 units at 96 dpi, below a caption
    const PageRect large = {0, 22, 776, 502}; // the same at 120 dpi (Large Fonts)
    const struct {
        int w, h;
        PageRect page;
        int dx, dy;
    } cases[] = {
        {800, 600, small, 100, 0},   {1024, 768, small, 212, 84}, {640, 480, small, 20, 0},
        {400, 300, small, 0, -22},   {1025, 769, small, 212, 84}, {800, 600, large, 24, 0},
        {1024, 768, large, 212, 84}, {640, 480, large, 0, -22},
    };
    for (const auto &c : cases) {
        PageShift s = WizardPageShift(c.w, c.h, c.page);
        EXPECT_EQ(s.Dx, c.dx) << c.w << "x" << c.h << ", page " << c.page.Right;
        EXPECT_EQ(s.Dy, c.dy) << c.w << "x" << c.h << ", page " << c.page.Right;
    }
}

TEST(ParsePortEntry, ComPortsOnly)
{
    const struct {
        std::string data;
        int port;
    } cases[] = {
        {std::string("COM1\0", 5), 1},
        {std::string("COM12\0", 6), 12},
        {std::string("cOm4\0", 5), 4},
        {std::string("COM\0", 4), 0},          // no digits read as 0
        {std::string("COM 7x\0", 7), 7},       // blanks, then digits up to the first other
        {std::string("COM+3\0", 6), 3},
        {std::string("COM-2\0", 6), -1},       // a negative number ends the list
        {std::string("COM99999999999\0", 15), 2147483647},
        {std::string("LPT1\0", 5), -1},
        {std::string("CO\0", 3), -1},
        {std::string("\\Device\\Serial0\0", 16), -1},
        {"COM1", -1},                          // no terminator within what was read
        {std::string(256, 'C'), -1},
        {"", -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ParsePortEntry(c.data.data(), c.data.size()), c.port) << c.data;
}

TEST(NumberAfterPrefix, SkipsThreeCharacters)
{
    EXPECT_EQ(NumberAfterPrefix("COM10"), 10);
    EXPECT_EQ(NumberAfterPrefix("XYZ 5"), 5);
    EXPECT_EQ(NumberAfterPrefix("CO"), 0);
    EXPECT_EQ(NumberAfterPrefix(""), 0);
}

} // namespace
