// The three install steps against Wine's registry, file system and shell,
// each from a prepared source directory and Windows directory.
#include "device_registration.h"
#include "driver_contract.h"
#include "file_deployment.h"
#include "file_fixture.h"
#include "message_boxes.h"
#include "registry_fixture.h"
#include "restart_reconcile.h"
#include "setup_state.h"
#include "shortcuts.h"
#include "wininit_file.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

namespace {

const std::string Root = "C:\\velmora-steps";
const std::string Source = Root + "\\source";
const std::string Windows = Root + "\\windows";
const std::string Product = Windows + "\\VelmoraScreen";
const char SlotRoot[] = "System\\CurrentControlSet\\Services\\Class\\Mouse";
const char Instance[] = "Enum\\Root\\DravikTouchScreen\\0000";


std::string Slot(int n)
{
    char name[64];
    wsprintfA(name, "%s\\%04d", SlotRoot, n);
    return name;
}

void PutText(const std::string &key, const char *name, const std::string &text)
{
    PutRaw(HKEY_LOCAL_MACHINE, key.c_str(), name, REG_SZ, text.data(), DWORD(text.size()));
}

std::string Text(const std::string &key, const char *name)
{
    std::string bytes = GetValue(HKEY_LOCAL_MACHINE, key.c_str(), name).Bytes;
    return bytes.substr(0, bytes.find('\0'));
}

// All twelve defaults in the store, "Port" the one chosen: the names and
// values the driver reads, written out here, not taken from the product.
void ExpectDefaults(int port)
{
    const struct {
        const char *name;
        int32_t value;
    } defaults[] = {{"Port", port},          {"LeftOffset", 0},    {"TopOffset", 0},
                    {"SwapXY", 0},           {"XMikeyPerPixel", 50}, {"YMikeyPerPixel", 50},
                    {"BeepMode", 2},         {"BeepFreq", 1938},   {"BeepTime", 10000},
                    {"DblClickRegion", 25},  {"DragDelay", 1},     {"MouseMode", 4}};
    for (const auto &d : defaults)
        EXPECT_EQ(StoreInt(d.name), d.value) << d.name;
}

class InstallSteps : public ::testing::Test {
protected:
    void SetUp() override
    {
        RemoveTree(Root);
        MakeDir(Root);
        MakeDir(Source);
        MakeDir(Windows);
        MakeDir(Windows + "\\inf");
        MakeDir(Windows + "\\System");
        PutPackageFiles(Source, "contents of ");
        lstrcpyA(SourceDirectory, Source.c_str());
        lstrcpyA(WindowsDirectory, Windows.c_str());
        lstrcpyA(AppletFileName, "quinpad1.0.cpl");
        SelectedPort = 3;
        ASSERT_TRUE(DeleteTree(HKEY_LOCAL_MACHINE, SlotRoot));
        ASSERT_TRUE(DeleteTree(HKEY_LOCAL_MACHINE, "Enum\\Root\\DravikTouchScreen"));
        ASSERT_TRUE(DeleteTree(HKEY_LOCAL_MACHINE, SetupKeyPath));
        RemoveStore();
    }
    void TearDown() override
    {
        RemoveTree(Root);
        DeleteTree(HKEY_LOCAL_MACHINE, SetupKeyPath);
    }
};

// ---- RegisterTouchDevice ----------------------------------------------------

TEST_F(InstallSteps, RegistrationOnAFreshMachine)
{
    ASSERT_EQ(RegisterTouchDevice(NULL), 0);
    EXPECT_EQ(FileText(Windows + "\\inf\\kaltex.inf"), "contents of kaltex.inf");
    EXPECT_EQ(FileText(Windows + "\\System\\kaltex.vxd"), "contents of kaltex.vxd");

    const struct {
        const char *name, *data;
    } slot[] = {{"DevLoader", "*vmouse"},     {"DriverDesc", "Orbalin Serial Touchscreen"},
                {"InfPath", "kaltex.inf"},    {"InfSection", "Rendal"},
                {"MouseDriver", "kaltex.vxd"}, {"ProviderName", "Halvex"}};
    for (const auto &v : slot) {
        EXPECT_EQ(GetValue(HKEY_LOCAL_MACHINE, Slot(0).c_str(), v.name).Type, DWORD(REG_SZ));
        EXPECT_EQ(Text(Slot(0), v.name), v.data) << v.name;
    }
    const struct {
        const char *name, *data;
    } instance[] = {{"Class", "Mouse"},
                    {"ClassGUID", "{4d36e96f-e325-11ce-bfc1-08002be10318}"},
                    {"DeviceDesc", "Orbalin Serial Touchscreen"},
                    {"Driver", "Mouse\\0000"},
                    {"Mfg", "Halvex"}};
    for (const auto &v : instance)
        EXPECT_EQ(Text(Instance, v.name), v.data) << v.name;
    StoredValue caps = GetValue(HKEY_LOCAL_MACHINE, Instance, "Capabilities");
    EXPECT_EQ(caps.Type, DWORD(REG_BINARY));
    EXPECT_EQ(caps.Bytes, std::string("\x24\0\0\0", 4));
    StoredValue flags = GetValue(HKEY_LOCAL_MACHINE, Instance, "ConfigFlags");
    EXPECT_EQ(flags.Type, DWORD(REG_BINARY));
    EXPECT_EQ(flags.Bytes, std::string(4, '\0'));
}

struct SlotCase {
    const char *what;
    std::vector<std::pair<int, std::string>> slots; // existing slot, its DriverDesc
    int expected;                                   // slot taken, -1 for failure
};

TEST_F(InstallSteps, RegistrationFindsItsSlot)
{
    const std::string marker = "Orbalin Serial Touchscreen";
    std::vector<std::pair<int, std::string>> allOthers;
    for (int n = 0; n < 16; ++n)
        allOthers.push_back({n, "Standard Serial Mouse"});
    const SlotCase cases[] = {
        {"0000 and 0001 taken by others", {{0, "PS/2 Mouse"}, {1, "Serial Mouse"}}, 2},
        {"a second run reuses the marked slot", {{0, "PS/2 Mouse"}, {1, marker}}, 1},
        {"a gap before a marked slot is taken", {{0, "PS/2 Mouse"}, {2, marker}}, 1},
        {"a marker differing in case does not match", {{0, "orbalin serial touchscreen"}}, 1},
        {"a longer text beginning with the marker does not match",
         {{0, marker + std::string(600 - marker.size(), 'x')}}, 1},
        {"slot 10 is decimal", {}, 10},
        {"all sixteen taken by others", allOthers, -1},
    };
    for (const SlotCase &c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        std::vector<std::pair<int, std::string>> slots = c.slots;
        if (c.expected == 10)
            for (int n = 0; n < 10; ++n)
                slots.push_back({n, "Other"});
        for (const auto &s : slots)
            PutText(Slot(s.first), "DriverDesc", s.second);
        int result = RegisterTouchDevice(NULL);
        if (c.expected < 0) {
            EXPECT_EQ(result, -1);
            EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Instance));
            EXPECT_EQ(Text(Slot(0), "DevLoader"), "");
            continue;
        }
        EXPECT_EQ(result, 0);
        char driver[16];
        wsprintfA(driver, "Mouse\\%04d", c.expected);
        EXPECT_EQ(Text(Instance, "Driver"), driver);
        EXPECT_EQ(Text(Slot(c.expected), "DriverDesc"), marker);
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Slot(c.expected + 1).c_str()) &&
                     Text(Slot(c.expected + 1), "DevLoader") == "*vmouse");
    }
}

TEST_F(InstallSteps, RegistrationOverwritesAReadOnlyDriverAndFailsOnMissingFiles)
{
    PutFile(Windows + "\\System\\kaltex.vxd", "old", FILE_ATTRIBUTE_READONLY);
    ASSERT_EQ(RegisterTouchDevice(NULL), 0);
    EXPECT_EQ(FileText(Windows + "\\System\\kaltex.vxd"), "contents of kaltex.vxd");

    SetUp();
    DeleteFileA((Source + "\\kaltex.vxd").c_str());
    EXPECT_EQ(RegisterTouchDevice(NULL), -1);
    EXPECT_TRUE(FileExists(Windows + "\\inf\\kaltex.inf")); // not rolled back
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Slot(0).c_str()));

    SetUp();
    DeleteFileA((Source + "\\kaltex.inf").c_str());
    EXPECT_EQ(RegisterTouchDevice(NULL), -1);
    EXPECT_FALSE(FileExists(Windows + "\\System\\kaltex.vxd"));
}

// A source directory whose path leaves less room than any file name needs:
// each step fails with "file name too long" instead of copying a cut path.
TEST_F(InstallSteps, OverlongPathsFailInsteadOfTruncating)
{
    std::string deep = "C:\\" + std::string(252, 's'); // 255: "\x.y" no longer fits 260
    lstrcpyA(SourceDirectory, deep.c_str());
    EXPECT_EQ(RegisterTouchDevice(NULL), -1);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Slot(0).c_str()));

    MessageBoxRecorder boxes;
    EXPECT_EQ(DeployFiles(NULL), 1); // no entry found; the applet's copy fails after one warning
    EXPECT_EQ(boxes.Seen().size(), 1u);
    EXPECT_FALSE(FileExists(Windows + "\\Zentrim.exe"));
}

// ---- DeployFiles ------------------------------------------------------------

TEST_F(InstallSteps, DeploymentCopiesEverythingAndWritesTheDefaults)
{
    PutFile(Source + "\\hidden.dat", "h", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeDir(Product);
    PutFile(Product + "\\brevin.txt", "old", FILE_ATTRIBUTE_READONLY);
    PutFile(Product + "\\stale.txt", "from an earlier version");
    PutDword(HKEY_LOCAL_MACHINE, StoreKeyPath, "LeftOffset", 99); // an earlier calibration

    MessageBoxRecorder boxes;
    ASSERT_EQ(DeployFiles(NULL), 0);
    for (const char *name : PackageFiles)
        EXPECT_EQ(FileText(Product + "\\" + name), std::string("contents of ") + name);
    EXPECT_EQ(FileText(Product + "\\hidden.dat"), "h");
    EXPECT_EQ(FileText(Product + "\\stale.txt"), "from an earlier version");
    EXPECT_EQ(FileText(Windows + "\\System\\quinpad1.0.cpl"), "contents of quinpad1.0.cpl");
    EXPECT_EQ(FileText(Windows + "\\Zentrim.exe"), "contents of Zentrim.exe");
    EXPECT_EQ(FileText(Windows + "\\nilpt.cur"), "contents of nilpt.cur");
    EXPECT_TRUE(boxes.Seen().empty());
    ExpectDefaults(3);
}

// Setup started again from the product folder, for another port: nothing
// there is copied onto itself, and the rest goes on as in an installation.
TEST_F(InstallSteps, DeploymentFromTheProductFolderChangesNothingThere)
{
    SelectedPort = 4;
    MakeDir(Product);
    PutPackageFiles(Product, "installed ");
    PutFile(Product + "\\brevin.txt", "read-only", FILE_ATTRIBUTE_READONLY);
    char shortName[MAX_PATH];
    ASSERT_GT(GetShortPathNameA(Product.c_str(), shortName, MAX_PATH), 0u);
    CharLowerA(shortName); // as Windows 98 may hand it over
    lstrcpyA(SourceDirectory, shortName);
    EXPECT_EQ(DeployFiles(NULL), 0);
    EXPECT_EQ(FileText(Product + "\\install.exe"), "installed install.exe");
    EXPECT_TRUE(GetFileAttributesA((Product + "\\brevin.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(FileText(Windows + "\\Zentrim.exe"), "installed Zentrim.exe");
    ExpectDefaults(4);
}

// Setup run again, from a newer package too, while a program of the package
// holds one of its files open (lokrit.exe stays resident): Windows 9x
// refuses a copy over it, as Wine does for a file held with FILE_SHARE_READ
// alone. The held file is in place only with the source's bytes; any other
// is replaced at the restart, through WININIT.INI, whose other lines stay.
TEST_F(InstallSteps, DeploymentOverAFileHeldOpen)
{
    const std::string source = Source + "\\lokrit.exe", held = Product + "\\lokrit.exe";
    const std::string wininit = Windows + "\\WININIT.INI";
    const std::string foreign = "[rename]\r\nNUL=C:\\OLD.TMP\r\n\r\n[CombineVxDs]\r\nx=y\r\n";
    const struct {
        const char *what, *held;
        DWORD share;
        int result;
        bool scheduled;
    } cases[] = {
        {"the same bytes are in place", "contents of lokrit.exe", FILE_SHARE_READ, 0, false},
        {"other bytes are replaced at the restart", "an older lokrit.exe", FILE_SHARE_READ, 0,
         true},
        {"a file nobody may read is never in place", "contents of lokrit.exe", 0, 0, true},
        {"a restart that cannot be arranged fails the step", "an older lokrit.exe", FILE_SHARE_READ,
         -1, false},
        {"WININIT.INI held by another program stays as it was", "an older lokrit.exe",
         FILE_SHARE_READ, -2, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        SelectedPort = 4;
        // From a floppy: the copy for the restart takes the read-only attribute.
        PutFile(source, "contents of lokrit.exe", FILE_ATTRIBUTE_READONLY);
        MakeDir(Product);
        PutFile(held, c.held);
        if (c.result == -1)
            MakeDir(wininit); // where the line would go stands a folder
        else
            PutFile(wininit, foreign);
        HANDLE editor = c.result == -2 ? CreateFileA(wininit.c_str(), GENERIC_READ,
                                                     FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                                     OPEN_EXISTING, 0, NULL)
                                       : INVALID_HANDLE_VALUE;
        HANDLE holder =
            CreateFileA(held.c_str(), GENERIC_READ, c.share, NULL, OPEN_EXISTING, 0, NULL);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        int result = DeployFiles(NULL);
        DWORD error = GetLastError();
        CloseHandle(holder);
        if (editor != INVALID_HANDLE_VALUE)
            CloseHandle(editor);
        EXPECT_EQ(result, c.result < 0 ? -1 : c.result);
        EXPECT_EQ(FileText(held), c.held);
        SetFileAttributesA(source.c_str(), 0);
        if (c.result < 0) {
            EXPECT_NE(error, DWORD(0));
            if (c.result == -2) {
                EXPECT_EQ(FileText(wininit), foreign);
            }
            EXPECT_FALSE(GetValue(HKEY_LOCAL_MACHINE, StoreKeyPath, "Port").Present);
            WIN32_FIND_DATAA copy;
            HANDLE search = FindFirstFileA((Product + "\\vel*.tmp").c_str(), &copy);
            EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "the copy for the restart is left";
            if (search != INVALID_HANDLE_VALUE)
                FindClose(search);
            search = FindFirstFileA((Windows + "\\vel*.tmp").c_str(), &copy);
            EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "WININIT.INI's new text is left";
            if (search != INVALID_HANDLE_VALUE)
                FindClose(search);
            continue;
        }
        ExpectDefaults(4);
        // The line goes into the [rename] section, in short names: the
        // held file, then a copy of the source beside it.
        std::string text = FileText(wininit);
        const std::string before = "[rename]\r\nNUL=C:\\OLD.TMP\r\n";
        if (!c.scheduled) {
            EXPECT_EQ(text, foreign);
            continue;
        }
        ASSERT_EQ(text.compare(0, before.size(), before), 0) << text;
        size_t equals = text.find('=', before.size()), end = text.find("\r\n", before.size());
        ASSERT_LT(equals, end) << text;
        EXPECT_EQ(text.substr(before.size(), equals - before.size()), ShortName(held));
        const std::string copy = text.substr(equals + 1, end - equals - 1);
        EXPECT_EQ(copy.rfind(ShortName(Product) + "\\", 0), 0u) << copy;
        EXPECT_EQ(FileText(copy), "contents of lokrit.exe");
        EXPECT_EQ(text.substr(0, before.size()) + text.substr(end + 2), foreign);
    }
}

// What an earlier run left for the restart: the package's operations go,
// with the copies they would have moved into place; every other line stays.
TEST_F(InstallSteps, RestartQueueReconciledBeforeTheRun)
{
    const std::string wininit = Windows + "\\WININIT.INI", copy = Windows + "\\VEL1A2B.TMP";
    const std::string foreign = "NUL=C:\\OLD.TMP\r\n";
    MakeDir(Product);
    PutFile(Product + "\\install.exe", "installed");
    PutFile(Windows + "\\Zentrim.exe", "old");
    PutFile(copy, "new");
    const std::string setup = ShortName(Product + "\\install.exe");
    const std::string replacement = ShortName(Windows + "\\Zentrim.exe") + "=" + ShortName(copy);
    std::string lower = Product + "\\install.exe";
    CharLowerA(&lower[0]);
    const struct {
        const char *what;
        std::string before, after;
        bool readOnly, copyGone;
    } cases[] = {
        {"an uninstallation's deletion", "[rename]\r\nNUL=" + setup + "\r\n" + foreign,
         "[rename]\r\n" + foreign, false, false},
        {"named long, in another case", "[rename]\r\n" + foreign + "NUL=" + lower + "\r\n",
         "[rename]\r\n" + foreign, false, false},
        {"an installation's replacement", "[rename]\r\n" + replacement + "\r\n[x]\r\nNUL=" + setup,
         "[rename]\r\n[x]\r\nNUL=" + setup, false, true},
        {"another program's line", "[rename]\r\nC:\\OTHER.DLL=" + ShortName(copy) + "\r\n",
         "[rename]\r\nC:\\OTHER.DLL=" + ShortName(copy) + "\r\n", false, false},
        {"read-only, nothing changes", "[rename]\r\n" + replacement + "\r\n",
         "[rename]\r\n" + replacement + "\r\n", true, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        PutFile(copy, "new", FILE_ATTRIBUTE_READONLY); // from a floppy
        PutFile(wininit, c.before, c.readOnly ? FILE_ATTRIBUTE_READONLY : 0);
        EXPECT_EQ(ReconcileRestartQueue(false), !c.readOnly);
        EXPECT_EQ(FileText(wininit), c.after);
        EXPECT_EQ(FileExists(copy), !c.copyGone);
        EXPECT_EQ(FileText(Product + "\\install.exe"), "installed");
    }
}

// A run that ended between WININIT.INI's two renames left it stepped aside:
// the next run puts it back, joined by the lines of one another program
// wrote since; one that ended after them keeps the new text.
TEST_F(InstallSteps, WininitSteppedAsideIsPutBack)
{
    const std::string wininit = Windows + "\\WININIT.INI", aside = Windows + "\\VELWINIT.OLD";
    const std::string fresh = Windows + "\\VELWINIT.NEW", old = "[rename]\r\nNUL=C:\\OLD.TMP\r\n";
    const struct {
        const char *what;
        bool freshLeft;
        const char *wininitLeft, *after;
    } cases[] = {
        {"between the renames", true, nullptr, ""},
        {"between them, another program's text since", true, "[rename]\nNUL=C:\\OTHER.TMP",
         "NUL=C:\\OTHER.TMP\r\n"},
        {"after them", false, "new", nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        PutFile(aside, old);
        if (c.freshLeft)
            PutFile(fresh, "unused");
        if (c.wininitLeft)
            PutFile(wininit, c.wininitLeft);
        RecoverWininit();
        EXPECT_EQ(FileText(wininit), c.after ? old + c.after : c.wininitLeft);
        EXPECT_FALSE(FileExists(aside));
        EXPECT_FALSE(FileExists(fresh));
    }
}

// After Windows 9x's restart a replaced applet has only its 8.3 name, as a
// file of its own; the next run gives it its long name back from the
// record the queueing left, and touches no other file.
TEST_F(InstallSteps, LongNamesComeBackAfterTheRestart)
{
    const std::string applet = Windows + "\\System\\quinpad1.0.cpl";
    const std::string leftover = Windows + "\\System\\QUINPA~1.CPL";
    const std::string document = Root + "\\REPORT~1.TXT";
    const struct {
        const char *what, *longBefore, *shortBefore, *name, *longAfter, *shortAfter;
        bool alias, held, atRestart, recordStays;
    } cases[] = {
        {"only the 8.3 name", nullptr, "new", "quinpad1.0.cpl", "new", nullptr, false, false,
         false, false},
        {"beside a file under the long name", "newer", "new", "quinpad1.0.cpl", "newer", nullptr,
         false, false, false, false},
        {"beside it, held: it goes at the restart", "newer", "new", "quinpad1.0.cpl", "newer",
         "new", false, true, true, false},
        {"held, the only copy: it waits for the next run", nullptr, "new", "quinpad1.0.cpl",
         nullptr, "new", false, true, false, true},
        {"the long name's own alias: no restart since", "live", nullptr, "quinpad1.0.cpl", "live",
         nullptr, true, false, false, false},
        {"a name that is no file name", nullptr, "new", "..\\quinpad1.0.cpl", nullptr, "new",
         false, false, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        if (c.longBefore)
            PutFile(applet, c.longBefore);
        if (c.shortBefore)
            PutFile(leftover, c.shortBefore, FILE_ATTRIBUTE_READONLY);
        PutFile(document, "a user's document"); // not the package's: never touched
        const std::string recorded = c.alias ? ShortName(applet) : leftover;
        PutText(ShortNamesKeyPath, recorded.c_str(), c.name);
        PutText(ShortNamesKeyPath, document.c_str(), "report.txt");
        HANDLE holder = c.held ? CreateFileA(leftover.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL)
                               : INVALID_HANDLE_VALUE;
        EXPECT_TRUE(ReconcileRestartQueue(false));
        if (holder != INVALID_HANDLE_VALUE)
            CloseHandle(holder);
        EXPECT_EQ(FileText(applet), c.longAfter ? c.longAfter : "");
        EXPECT_EQ(FileExists(applet), c.longAfter != nullptr);
        EXPECT_EQ(FileExists(leftover), c.shortAfter != nullptr);
        EXPECT_EQ(FileText(Windows + "\\WININIT.INI").find("NUL=" + ShortName(leftover) + "\r\n"),
                  c.atRestart ? 10u : std::string::npos); // after "[rename]\r\n"
        EXPECT_EQ(FileText(document), "a user's document");
        EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, SetupKeyPath), c.recordStays);
    }
}

TEST_F(InstallSteps, DeploymentFailsOnASubdirectory)
{
    MakeDir(Source + "\\sub");
    EXPECT_EQ(DeployFiles(NULL), -1);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, StoreKeyPath));
    EXPECT_FALSE(FileExists(Windows + "\\Zentrim.exe"));
}

// An open Control Panel holds the applet and might write its old settings
// back: the user is warned whenever the copy fails, over the same bytes too,
// and a copy that fails again is finished at the restart.
TEST_F(InstallSteps, DeploymentWarnsOnceAboutALockedApplet)
{
    const std::string applet = Windows + "\\System\\quinpad1.0.cpl";
    const struct {
        const char *what, *held;
        DWORD share;
        bool freedOnWarning, scheduled;
    } cases[] = {
        {"closed before OK", "in use", 0, true, false},
        {"still open", "in use", 0, false, true},
        {"still open, the same bytes", "contents of quinpad1.0.cpl", FILE_SHARE_READ, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        PutFile(applet, c.held);
        HANDLE lock = CreateFileA(applet.c_str(), GENERIC_READ, c.share, NULL, OPEN_EXISTING, 0, NULL);
        ASSERT_NE(lock, INVALID_HANDLE_VALUE);
        MessageBoxRecorder boxes;
        boxes.OnBox = [&](const SeenBox &) {
            if (c.freedOnWarning)
                CloseHandle(lock), lock = INVALID_HANDLE_VALUE;
        };
        HWND page = CreateWindowExA(0, "STATIC", "page", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
        int result = DeployFiles(page);
        if (lock != INVALID_HANDLE_VALUE)
            CloseHandle(lock);
        ASSERT_EQ(boxes.Seen().size(), 1u);
        EXPECT_EQ(boxes.Seen()[0].Caption, "Warnning");
        EXPECT_EQ(boxes.Seen()[0].Text, "Please Close \"Control Panel\"");
        EXPECT_EQ(boxes.Seen()[0].Owner, page);
        DestroyWindow(page);
        EXPECT_EQ(result, 0);
        EXPECT_EQ(FileText(applet), c.freedOnWarning ? "contents of quinpad1.0.cpl" : c.held);
        EXPECT_EQ(FileText(Windows + "\\WININIT.INI").find(ShortName(applet) + "="),
                  c.scheduled ? 10u : std::string::npos); // after "[rename]\r\n"
        // WININIT leaves the new applet under its 8.3 name; the next run
        // gives it its long name back.
        EXPECT_EQ(Text(ShortNamesKeyPath, ShortName(applet).c_str()),
                  c.scheduled ? "quinpad1.0.cpl" : "");
        EXPECT_EQ(FileText(Windows + "\\Zentrim.exe"), "contents of Zentrim.exe");
        ExpectDefaults(3);
    }
}

// A single file missing from the package: the others and the driver's
// settings are still put in place, and the step reports it stopped early.
TEST_F(InstallSteps, DeploymentWithoutTheCalibratorOrCursorStillWritesTheDefaults)
{
    const char *const singles[] = {"Zentrim.exe", "nilpt.cur"};
    for (const char *missing : singles) {
        SCOPED_TRACE(missing);
        SetUp();
        DeleteFileA((Source + "\\" + missing).c_str());
        EXPECT_EQ(DeployFiles(NULL), 1);
        for (const char *file : singles)
            EXPECT_EQ(FileExists(Windows + "\\" + file), file != missing) << file;
        ExpectDefaults(3);
    }
}

// ---- bad input: one row each, the input and the reaction ---------------------

// A read-only copy left in the Windows directory of each file the package
// writes there: overwritten all the same.
TEST_F(InstallSteps, BadInputReadOnlyFilesInTheWindowsDirectoryAreOverwritten)
{
    const char *const written[] = {"\\inf\\kaltex.inf", "\\System\\kaltex.vxd",
                                   "\\System\\quinpad1.0.cpl", "\\Zentrim.exe", "\\nilpt.cur",
                                   "\\VelmoraScreen\\install.exe"};
    MakeDir(Windows + "\\VelmoraScreen");
    for (const char *file : written)
        PutFile(Windows + file, "old", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    MessageBoxRecorder boxes;
    EXPECT_EQ(RegisterTouchDevice(NULL), 0);
    EXPECT_EQ(DeployFiles(NULL), 0);
    EXPECT_TRUE(boxes.Seen().empty());
    for (const char *file : written) {
        EXPECT_EQ(FileText(Windows + file).rfind("contents of ", 0), 0u) << file;
    }
}

// The product folder's name taken by a file: the copies into it fail, the
// step reports it, and the file is left as it was.
TEST_F(InstallSteps, BadInputProductFolderExistingAsAFile)
{
    PutFile(Windows + "\\VelmoraScreen", "a file");
    EXPECT_EQ(DeployFiles(NULL), -1);
    EXPECT_NE(GetLastError(), DWORD(0));
    EXPECT_EQ(FileText(Windows + "\\VelmoraScreen"), "a file");
    EXPECT_FALSE(GetValue(HKEY_LOCAL_MACHINE, StoreKeyPath, "Port").Present);
}

// ---- CreateShortcuts --------------------------------------------------------

struct ReadLink {
    std::string target, arguments, workingDirectory, description;
};

ReadLink ReadShortcut(const std::string &path)
{
    ReadLink r;
    IShellLinkA *link = NULL;
    IPersistFile *file = NULL;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void **>(&link))))
        return r;
    link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file));
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    if (SUCCEEDED(file->Load(wide, STGM_READ))) {
        char text[MAX_PATH];
        WIN32_FIND_DATAA data;
        if (SUCCEEDED(link->GetPath(text, MAX_PATH, &data, SLGP_RAWPATH))) r.target = text;
        if (SUCCEEDED(link->GetArguments(text, MAX_PATH))) r.arguments = text;
        if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) r.workingDirectory = text;
        if (SUCCEEDED(link->GetDescription(text, MAX_PATH))) r.description = text;
    }
    file->Release();
    link->Release();
    return r;
}

TEST_F(InstallSteps, ShortcutsInTheProgramGroup)
{
    for (int run = 1; run <= 2; ++run) { // the second run saves over the first
        SCOPED_TRACE(run);
        EXPECT_EQ(CreateShortcuts(NULL), 0);
    }
    CoInitialize(NULL);
    const std::string group = std::string(ProgramsDirectory) + "\\Velmora Touchscreen";
    const struct {
        const char *link, *target, *description, *arguments;
    } expected[] = {{"Velmora help.lnk", "Velmora.hlp", "Touch Screen Help", ""},
                    {"Uninstall Velmora.lnk", "install.exe", "Uninstall", "/u"},
                    {"Readme.lnk", "brevin.txt", "README", ""},
                    {"Right Button.lnk", "lokrit.exe", "RButton", ""},
                    {"Handwritting demo.lnk", "Scrivel.exe", "Write Demo", ""},
                    {"Calibration.lnk", "Zentrim.exe", "Calibration", ""}};
    for (const auto &e : expected) {
        SCOPED_TRACE(e.link);
        ReadLink link = ReadShortcut(group + "\\" + e.link);
        EXPECT_EQ(lstrcmpiA(link.target.c_str(), (Product + "\\" + e.target).c_str()), 0)
            << link.target;
        EXPECT_EQ(link.arguments, e.arguments);
        EXPECT_EQ(lstrcmpiA(link.workingDirectory.c_str(), Product.c_str()), 0);
        EXPECT_EQ(link.description, e.description);
    }
    CoUninitialize();
    RemoveTree(group);
}

} // namespace
