#include "path_format.h"
#include "registry_data.h"
#include "rename_section.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(FormatPath, FillsOrRefusesWhole)
{
    char out[16];
    EXPECT_TRUE(FormatPath(out, sizeof out, "%s\\%s", "A:", "kaltex.inf"));
    EXPECT_STREQ(out, "A:\\kaltex.inf");
    EXPECT_TRUE(FormatPath(out, sizeof out, "%s\\System\\%s", "C:", "x"));
    EXPECT_STREQ(out, "C:\\System\\x");
    EXPECT_TRUE(FormatPath(out, sizeof out, "%s", nullptr)); // a missing text is empty
    EXPECT_STREQ(out, "");

    // 15 characters and the terminator fit 16 bytes exactly; 16 do not.
    EXPECT_TRUE(FormatPath(out, sizeof out, "%s\\%s", "C:\\abcdefgh", "xyz"));
    EXPECT_EQ(std::string(out).size(), 15u);
    strcpy(out, "junk");
    EXPECT_FALSE(FormatPath(out, sizeof out, "%s\\%s", "C:\\abcdefgh", "wxyz"));
    EXPECT_STREQ(out, "");
    EXPECT_FALSE(FormatPath(out, sizeof out, "%s\\VelmoraScreen", "C:"));
    EXPECT_FALSE(FormatPath(out, 0, "x", nullptr));
}

TEST(IsDeviceMarker, OnlyTheExactMarker)
{
    const std::string marker = "Orbalin Serial Touchscreen";
    const struct {
        std::string data;
        bool match;
    } cases[] = {
        {marker, true},                               // without its terminator
        {marker + std::string(1, '\0'), true},        // with it
        {marker + std::string(2, '\0'), false},       // more than the text
        {marker + std::string("\0x", 2), false},      // text after a zero
        {"orbalin serial touchscreen", false},        // case differs
        {marker.substr(0, marker.size() - 1), false}, // cut short
        {marker + "s", false},
        {std::string(512, 'O'), false},
        {"", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IsDeviceMarker(c.data.data(), c.data.size()), c.match) << c.data;
}

TEST(IsClassSlotName, OnlySlotsTheSetupMakes)
{
    const struct {
        std::string data;
        bool ok;
    } cases[] = {
        {"Mouse\\0000", true},
        {std::string("Mouse\\0015\0", 11), true},
        {"Mouse\\0016", false},
        {"Mouse\\00A1", false},
        {"Mouse\\001", false},
        {"Mouse\\00001", false},
        {"mouse\\0001", false},
        {"Mouse", false},
        {"Mouse\\", false},
        {"", false},
        {"..\\..\\0001", false},
        {"Mouse\\..", false},
        {"Mouse\\0001\\x", false},
        {std::string("Mouse\\0001\0\0", 12), false},
        {"Mouse\\0001" + std::string(590, 'x'), false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IsClassSlotName(c.data.data(), c.data.size()), c.ok) << c.data;
}

// WININIT.INI after "D=S" is added: into the first [rename] section, after
// its last line, every other line kept as it stood.
TEST(RenameSection, TheLineJoinsTheFirstRenameSection)
{
    const struct {
        std::string before, after;
    } cases[] = {
        {"", "[rename]\r\nD=S\r\n"},
        {"[other]\r\na=b", "[other]\r\na=b\r\n[rename]\r\nD=S\r\n"},
        {"[rename]\r\nNUL=C:\\A\r\n", "[rename]\r\nNUL=C:\\A\r\nD=S\r\n"},
        {"[Rename]\r\nNUL=A\r\nNUL=B", "[Rename]\r\nNUL=A\r\nNUL=B\r\nD=S\r\n"},
        {" [ RENAME ] \nNUL=A\n\n[CombineVxDs]\nx=y\n",
         " [ RENAME ] \nNUL=A\nD=S\r\n\n[CombineVxDs]\nx=y\n"},
        {"[rename]\r\n[x]\r\n", "[rename]\r\nD=S\r\n[x]\r\n"},
        {"[rename]", "[rename]\r\nD=S\r\n"},
        {"[renamed]\r\nNUL=A\r\n", "[renamed]\r\nNUL=A\r\n[rename]\r\nD=S\r\n"},
        {"[rename]\r\nNUL=A\r\n[x]\r\n[rename]\r\nNUL=B\r\n",
         "[rename]\r\nNUL=A\r\nD=S\r\n[x]\r\n[rename]\r\nNUL=B\r\n"},
    };
    for (const auto &c : cases) {
        RenameInsertion at = FindRenameInsertion(c.before.data(), c.before.size());
        char line[64];
        ASSERT_TRUE(FormatRenameLine(line, sizeof line, at, "D", "S"));
        EXPECT_EQ(c.before.substr(0, at.Offset) + line + c.before.substr(at.Offset), c.after)
            << c.before;
    }
    char line[8];
    EXPECT_FALSE(FormatRenameLine(line, sizeof line, {0, true, true}, "D", "S"));
}

// The restart's operations that name the package (here, below C:\PKG) go;
// every other byte stays: WININIT.INI's first [rename] section, NT's list
// of zero-ended pairs in UTF-16.
bool InPackage(const PendingOperation &op)
{
    std::string target = op.Target;
    for (const uint16_t *w = op.WideTarget; !op.Target[0] && *w; ++w)
        target += *w < 0x80 ? char(*w) : '?';
    return target.rfind("C:\\PKG\\", 0) == 0;
}

// Each byte as one UTF-16 unit, little-endian; \xE4 as U+4E2D, outside any
// code page of the package.
std::string Utf16(const std::string &text)
{
    std::string wide;
    for (char c : text) {
        uint16_t unit = c == '\xE4' ? 0x4E2D : uint8_t(c);
        wide += char(unit & 0xFF);
        wide += char(unit >> 8);
    }
    return wide;
}

TEST(PendingOperations, ThePackagesGoEveryOtherByteStays)
{
    using namespace std::string_literals;
    const struct {
        std::string before, after;
        bool nt;
    } cases[] = {
        {"[rename]\r\nNUL=C:\\PKG\\INSTALL.EXE\r\nNUL=C:\\OLD.TMP\r\n",
         "[rename]\r\nNUL=C:\\OLD.TMP\r\n", false},
        // comments and later sections are not the restart's
        {"[rename]\r\nC:\\PKG\\ZENTRIM.EXE=C:\\PKG\\VEL1A.TMP\r\n;C:\\PKG\\X=Y\r\n[x]\r\nC:\\PKG\\A=B",
         "[rename]\r\n;C:\\PKG\\X=Y\r\n[x]\r\nC:\\PKG\\A=B", false},
        // blanks, bare LFs, no last line end; a foreign file fed from the folder stays
        {" [ Rename ]\nnul = C:\\PKG\\A \n C:\\OTHER=C:\\PKG\\VEL1.TMP", " [ Rename ]\n C:\\OTHER=C:\\PKG\\VEL1.TMP",
         false},
        {"[renamed]\r\nNUL=C:\\PKG\\A\r\n", "[renamed]\r\nNUL=C:\\PKG\\A\r\n", false},
        {"\\??\\C:\\PKG\\VEL1.TMP\0!\\??\\C:\\PKG\\LOKRIT.EXE\0\\??\\C:\\\xE4\0\0\0"s,
         "\\??\\C:\\\xE4\0\0\0"s, true},
        {"C:\\PKG\\A\0\0C:\\B\0C:\\PKG\\C\0C:\\D\0C:\\E\0\0"s, "C:\\D\0C:\\E\0\0"s, true},
        {"C:\\PKG\\A\0"s, "C:\\PKG\\A\0"s, true}, // a pair cut short is no operation
    };
    for (const auto &c : cases) {
        const std::string before = c.nt ? Utf16(c.before) : c.before;
        std::vector<char> out(before.size() + 1);
        size_t size = DropPendingOperations(before.data(), before.size(),
                                            c.nt ? NextPendingRename : NextRenameLine, InPackage,
                                            out.data());
        EXPECT_EQ(std::string(out.data(), size), c.nt ? Utf16(c.after) : c.after) << c.before;
    }
}

TEST(IsRestartCopyName, OnlyWhatGetTempFileNameMakesForThePackage)
{
    const struct {
        const char *name;
        bool ours;
    } cases[] = {{"VEL1A2B.TMP", true}, {"vel188e.tmp", true}, {"VEL.TMP", false},
                 {"VEL12345.TMP", false}, {"VELG.TMP", false},  {"VEL1.TMPX", false}};
    for (const auto &c : cases)
        EXPECT_EQ(IsRestartCopyName(c.name), c.ours) << c.name;
}

} // namespace
