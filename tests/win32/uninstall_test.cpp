// The uninstallation under Wine. UninstallPackage empties the folder its
// program runs from, so it runs in a copy of this test program placed in the
// product folder, as the "Uninstall Velmora" shortcut runs install.exe there;
// this process prepares, answers the child's warning box and checks.
#include "device_registration.h"
#include "driver_contract.h"
#include "file_deployment.h"
#include "file_fixture.h"
#include "handle_balance.h"
#include "install_files.h"
#include "main_window.h"
#include "registry_fixture.h"
#include "setup_registry.h"
#include "setup_state.h"
#include "shortcuts.h"
#include "uninstall.h"

#include <gtest/gtest.h>
#include <cstdio>
#include <functional>

namespace {

const char ResultKey[] = "Software\\VelmoraTest";

// The wide registry calls as Windows 95/98/ME export them.
LONG WINAPI QueryStub(HKEY, LPCWSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD)
{
    return ERROR_CALL_NOT_IMPLEMENTED;
}
LONG WINAPI SetStub(HKEY, LPCWSTR, DWORD, DWORD, const BYTE *, DWORD)
{
    return ERROR_CALL_NOT_IMPLEMENTED;
}

LRESULT CALLBACK RefuseWindows(int code, WPARAM, LPARAM)
{
    return code == HCBT_CREATEWND;
}

LRESULT CALLBACK CloseBoxes(int code, WPARAM wParam, LPARAM)
{
    if (code == HCBT_ACTIVATE)
        PostMessageA(reinterpret_cast<HWND>(wParam), WM_CLOSE, 0, 0);
    return 0;
}

// In the child: uninstall, report the result as the exit code (2 when it
// left a handle open), and end; or run "Uninstall Velmora" where no window
// can be made or its question is closed; or report the source directory the child's own path gives.
const bool IsChild = [] {
    if (strstr(GetCommandLineA(), "--resolve-child")) {
        ResolveInstallPaths();
        HKEY key;
        RegCreateKeyA(HKEY_CURRENT_USER, ResultKey, &key);
        RegSetValueExA(key, "SourceDirectory", 0, REG_SZ,
                       reinterpret_cast<const BYTE *>(SourceDirectory), lstrlenA(SourceDirectory) + 1);
        RegCloseKey(key);
        ExitProcess(0);
    }
    if (!strstr(GetCommandLineA(), "--uninstall-child"))
        return false;
    if (strstr(GetCommandLineA(), "--wide-registry-stubs")) {
        QueryValueWide = QueryStub;
        SetValueWide = SetStub;
    }
    lstrcpyA(AppletFileName, "quinpad1.0.cpl");
    // "Uninstall Velmora" whose question cannot be shown, or is closed.
    const bool refuse = strstr(GetCommandLineA(), "--no-windows") != NULL;
    if (refuse || strstr(GetCommandLineA(), "--close-question")) {
        if (!SetWindowsHookExA(WH_CBT, refuse ? RefuseWindows : CloseBoxes, NULL,
                               GetCurrentThreadId()))
            ExitProcess(3);
        RunUninstallMode();
        ExitProcess(0);
    }
    OpenWhatStaysOpen();
    int result = 0;
    std::string changed = HandlesChangedBy([&] { result = UninstallPackage(); });
    if (!changed.empty()) {
        std::fprintf(stderr, "the uninstallation: %s\n", changed.c_str());
        ExitProcess(2);
    }
    ExitProcess(result < 0 ? 1 : 0);
    return true;
}();

const char SlotRoot[] = "System\\CurrentControlSet\\Services\\Class\\Mouse";
const char ClassRoot[] = "System\\CurrentControlSet\\Services\\Class";
const char DeviceRoot[] = "Enum\\Root\\DravikTouchScreen";
const char Instance[] = "Enum\\Root\\DravikTouchScreen\\0000";

std::string WindowsDir()
{
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, MAX_PATH);
    return dir;
}

const std::string Staging = "C:\\velmora-uninstall-source";
// What the restart does: WININIT.INI on Windows 9x, this value on NT.
const char SessionManager[] = "System\\CurrentControlSet\\Control\\Session Manager";
const char PendingRenames[] = "PendingFileRenameOperations";
const char ChildName[] = "uninstall-child.exe";
// Another program's file, named with U+4E2D, which no Western code page holds.
const std::wstring ForeignName = L"C:\\\x4E2D.TMP";

std::wstring Wide(const std::string &text)
{
    return std::wstring(text.begin(), text.end()); // ASCII paths only
}
// Wine's version for one program, by its file name.
const std::string ChildVersionKey = std::string("Software\\Wine\\AppDefaults\\") + ChildName;

class Uninstall : public ::testing::Test {
protected:
    std::string windows = WindowsDir();
    std::string product = windows + "\\VelmoraScreen";
    std::string group;

    void SetUp() override
    {
        MakeDir(windows + "\\System"); // as on Windows 98; a 64-bit prefix lacks it
        RemoveTree(windows + "\\System\\QUINPA~1.CPL"); // a test that failed midway
        RemoveTree(product);
        RemoveTree(Staging);
        ForgetTheRestart();
        ASSERT_TRUE(DeleteTree(HKEY_LOCAL_MACHINE, SlotRoot));
        ASSERT_TRUE(DeleteTree(HKEY_LOCAL_MACHINE, DeviceRoot));
        PutRaw(HKEY_LOCAL_MACHINE, (std::string(SlotRoot) + "\\0003").c_str(), "DriverDesc",
               REG_SZ, "PS/2 Mouse", 10); // another device's slot, never to be touched
    }

    void TearDown() override
    {
        RemoveTree(product);
        RemoveTree(Staging);
        ForgetTheRestart();
    }

    // A copy an installation made for the restart, read-only from a floppy.
    std::string copy = windows + "\\VEL1A2B.TMP";

    // NT's list as the system keeps it, in UTF-16.
    void PutPendingList(const std::wstring &pairs)
    {
        HKEY key;
        ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, SessionManager, &key), ERROR_SUCCESS);
        RegSetValueExW(key, L"PendingFileRenameOperations", 0, REG_MULTI_SZ,
                       reinterpret_cast<const BYTE *>(pairs.data()), DWORD(pairs.size() * 2));
        RegCloseKey(key);
    }

    std::wstring PendingList()
    {
        std::wstring list(4096, L'\0');
        DWORD size = DWORD(list.size() * 2);
        HKEY key;
        if (RegOpenKeyA(HKEY_LOCAL_MACHINE, SessionManager, &key) != ERROR_SUCCESS)
            return L"";
        if (RegQueryValueExW(key, L"PendingFileRenameOperations", NULL, NULL,
                             reinterpret_cast<BYTE *>(&list[0]), &size) != ERROR_SUCCESS)
            size = 0;
        RegCloseKey(key);
        list.resize(size / 2);
        return list;
    }

    // Nothing left for the prefix's next session to carry out.
    void ForgetTheRestart()
    {
        RemoveTree(windows + "\\WININIT.INI");
        RemoveTree(copy);
        DeleteTree(HKEY_LOCAL_MACHINE, SetupKeyPath);
        HKEY key;
        if (RegOpenKeyA(HKEY_LOCAL_MACHINE, SessionManager, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, PendingRenames);
            RegCloseKey(key);
        }
    }


    // A complete installation by the real install steps.
    void Install()
    {
        MakeDir(Staging);
        PutPackageFiles(Staging);
        lstrcpyA(SourceDirectory, Staging.c_str());
        lstrcpyA(WindowsDirectory, windows.c_str());
        lstrcpyA(AppletFileName, "quinpad1.0.cpl");
        SelectedPort = 2;
        ASSERT_EQ(RegisterTouchDevice(NULL), 0);
        ASSERT_EQ(DeployFiles(NULL), 0);
        ASSERT_EQ(CreateShortcuts(NULL), 0);
        group = std::string(ProgramsDirectory) + "\\Velmora Touchscreen";
        ASSERT_TRUE(FileExists(group + "\\Calibration.lnk"));
    }

    // Runs the uninstallation from the product folder; onWarning runs when
    // the child's warning box shows, which is then answered. Returns the
    // child's exit code: 0 success, 1 failure, 2 a handle left open.
    DWORD RunFromProduct(int *warnings, const std::function<void()> &onWarning = {})
    {
        MakeDir(product);
        return RunFrom(product, warnings, onWarning);
    }

    DWORD RunFrom(const std::string &folder, int *warnings,
                  const std::function<void()> &onWarning = {},
                  const std::string &childName = ChildName, const char *mode = "--uninstall-child")
    {
        char self[MAX_PATH];
        GetModuleFileNameA(NULL, self, MAX_PATH);
        std::string child = folder + "\\" + childName;
        CopyFileA(self, child.c_str(), FALSE);
        std::string command = "\"" + child + "\" " + mode;
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(), &si,
                            &pi))
            return 99;
        *warnings = 0;
        // A child that waits on a box no one answers is ended after a minute.
        for (int waited = 0; WaitForSingleObject(pi.hProcess, 50) == WAIT_TIMEOUT; ++waited) {
            if (waited == 1200)
                TerminateProcess(pi.hProcess, 98);
            HWND box = FindWindowA("#32770", "Warning");
            if (box && IsWindowVisible(box)) {
                ++*warnings;
                if (onWarning)
                    onWarning();
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                while (IsWindow(box))
                    Sleep(20);
            }
        }
        DWORD code = 99;
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
        return code;
    }

    // An installation with keys below its device entry and its class slot,
    // uninstalled with Wine reporting that version: they all go.
    void ExpectSubtreesRemoved(const char *version, const std::string &belowEntry,
                               const std::string &belowSlot)
    {
        Install();
        PutRaw(HKEY_CURRENT_USER, ChildVersionKey.c_str(), "Version", REG_SZ, version,
               DWORD(strlen(version)));
        PutDword(HKEY_LOCAL_MACHINE, (std::string(Instance) + "\\" + belowEntry).c_str(), "Boot", 1);
        PutDword(HKEY_LOCAL_MACHINE, (std::string(SlotRoot) + "\\0000\\" + belowSlot).c_str(),
                 "Rate", 60);
        // The installation left the calibrator's replacement for the restart,
        // beside another program's line: the restart must not bring it back.
        const bool win98 = strcmp(version, "win98") == 0;
        const std::string calibrator = windows + "\\Zentrim.exe", other = "C:\\OLD.TMP";
        PutFile(copy, "new", FILE_ATTRIBUTE_READONLY);
        if (win98) {
            PutFile(windows + "\\WININIT.INI", "[rename]\r\n" + ShortName(calibrator) + "=" +
                                                  ShortName(copy) + "\r\nNUL=" + other + "\r\n");
        } else {
            PutPendingList(L"\\??\\" + Wide(copy) + L'\0' + L"!\\??\\" + Wide(calibrator) + L'\0' +
                           L"\\??\\" + ForeignName + std::wstring(3, L'\0'));
        }
        int warnings = 0;
        EXPECT_EQ(RunFromProduct(&warnings), 0u);
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, DeviceRoot));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, (std::string(SlotRoot) + "\\0000").c_str()));
        ExpectOtherDeviceKept();
        EXPECT_FALSE(FileExists(copy));
        DeleteTree(HKEY_CURRENT_USER, ChildVersionKey.c_str());
        // The running program goes at the restart: on 9x through WININIT.INI,
        // on NT through MoveFileExA, which removes the emptied folder too.
        const std::string running = product + "\\" + ChildName;
        std::wstring pending = PendingList();
        if (win98) {
            EXPECT_EQ(FileText(windows + "\\WININIT.INI"),
                      "[rename]\r\nNUL=" + other + "\r\nNUL=" + ShortName(running) + "\r\n");
            EXPECT_EQ(pending, L"");
        } else {
            // Another program's name outside the code page stays as it was.
            for (const std::wstring &name : {Wide(running), Wide(product), ForeignName})
                EXPECT_NE(pending.find(name + std::wstring(2, L'\0')), std::wstring::npos);
            EXPECT_EQ(pending.find(L"Zentrim"), std::wstring::npos);
            EXPECT_FALSE(FileExists(windows + "\\WININIT.INI"));
        }
    }

    void ExpectOtherDeviceKept()
    {
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, (std::string(SlotRoot) + "\\0003").c_str()));
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, ClassRoot));
    }
};

TEST_F(Uninstall, RemovesACompleteInstallation)
{
    Install();
    SetFileAttributesA((windows + "\\Zentrim.exe").c_str(), FILE_ATTRIBUTE_READONLY);
    // Windows 98's restart left the applet under its 8.3 name alone.
    const std::string leftover = windows + "\\System\\QUINPA~1.CPL";
    ASSERT_TRUE(MoveFileA((windows + "\\System\\quinpad1.0.cpl").c_str(), leftover.c_str()));
    PutRaw(HKEY_LOCAL_MACHINE, ShortNamesKeyPath, leftover.c_str(), REG_SZ, "quinpad1.0.cpl", 14);
    MakeDir(product + "\\sub");
    PutFile(product + "\\sub\\keep.txt", "kept");
    // Uninstalled before the restart: the hand-off goes, other entries stay.
    for (const char *name : {RunOnceValueName, "Other"})
        PutRaw(HKEY_CURRENT_USER, RunOnceKeyPath, name, REG_SZ, "C:\\x.exe", 8);
    int warnings = 0;
    EXPECT_EQ(RunFromProduct(&warnings), 0u);
    EXPECT_EQ(warnings, 0);
    EXPECT_FALSE(GetValue(HKEY_CURRENT_USER, RunOnceKeyPath, RunOnceValueName).Present);
    EXPECT_TRUE(GetValue(HKEY_CURRENT_USER, RunOnceKeyPath, "Other").Present);
    DeleteTree(HKEY_CURRENT_USER, RunOnceKeyPath);

    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, DeviceRoot));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, (std::string(SlotRoot) + "\\0000").c_str()));
    ExpectOtherDeviceKept();
    for (const char *gone : {"\\System\\kaltex.vxd", "\\inf\\kaltex.inf", "\\Zentrim.exe",
                             "\\System\\quinpad1.0.cpl", "\\System\\QUINPA~1.CPL"})
        EXPECT_FALSE(FileExists(windows + gone)) << gone;
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, SetupKeyPath));
    EXPECT_FALSE(FileExists(group));
    // The product folder keeps the running program, until the restart, and
    // the subfolder.
    EXPECT_TRUE(FileExists(product + "\\uninstall-child.exe"));
    EXPECT_EQ(FileText(windows + "\\WININIT.INI"),
              "[rename]\r\nNUL=" + ShortName(product + "\\uninstall-child.exe") + "\r\n");
    EXPECT_EQ(FileText(product + "\\sub\\keep.txt"), "kept");
    EXPECT_FALSE(FileExists(product + "\\install.exe"));
    EXPECT_FALSE(FileExists(product + "\\brevin.txt"));
    // Kept: the parameter store and the cursor.
    EXPECT_EQ(StoreInt("Port"), 2);
    EXPECT_TRUE(FileExists(windows + "\\nilpt.cur"));

    // A second uninstallation finds nothing and reports failure.
    EXPECT_EQ(RunFromProduct(&warnings), 1u);
    ExpectOtherDeviceKept();
}

// "Uninstall Velmora" removes nothing unless its question is answered Yes:
// not when the question cannot be shown, nor when it is closed.
TEST_F(Uninstall, NothingGoesUnlessTheQuestionIsAnsweredYes)
{
    for (const char *mode : {"--uninstall-child --no-windows", "--uninstall-child --close-question"}) {
        SCOPED_TRACE(mode);
        SetUp();
        Install();
        int warnings = 0;
        EXPECT_EQ(RunFrom(product, &warnings, {}, ChildName, mode), 0u);
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, DeviceRoot));
        EXPECT_TRUE(FileExists(windows + "\\Zentrim.exe"));
    }
}

// The prefix reports the package's target, whose RegDeleteKeyA takes a
// whole subtree; an NT version keeps a key that has subkeys. The device
// entry and the class slot go with everything below them under either.
TEST(WinePrefix, ReportsWindows98)
{
    DWORD version = GetVersion();
    EXPECT_TRUE(version & 0x80000000) << "not the Windows 9x family";
    EXPECT_EQ(LOBYTE(version), 4);
    EXPECT_EQ(HIBYTE(LOWORD(version)), 10);
}

// Wine draws caption buttons as Marlett glyphs: a prefix without the font
// shows the close box as the letter "r" in every window and screenshot.
TEST(WinePrefix, HasTheFontOfCaptionButtons)
{
    HDC dc = CreateCompatibleDC(NULL);
    HFONT font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET, 0, 0,
                             0, 0, "Marlett");
    HGDIOBJ previous = SelectObject(dc, font);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof face, face);
    SelectObject(dc, previous);
    DeleteObject(font);
    DeleteDC(dc);
    EXPECT_STREQ(face, "Marlett");
}

TEST_F(Uninstall, TakesWholeSubtreesUnderWindows98AndNT)
{
    for (const char *version : {"win98", "winxp"}) {
        SCOPED_TRACE(version);
        SetUp();
        // Keys Windows itself adds below a device entry and a class slot.
        ExpectSubtreesRemoved(version, "LogConf", "Settings\\Deep");
    }
}

// Where the wide registry calls are stubs, as Windows 95/98/ME export them,
// NT's list is not read ANSI instead: the package's line stays with its
// copy, and the uninstallation says it did not succeed.
TEST_F(Uninstall, APendingListThatCannotBeReadWideIsLeftAlone)
{
    Install();
    PutRaw(HKEY_CURRENT_USER, ChildVersionKey.c_str(), "Version", REG_SZ, "winxp", 5);
    const std::wstring queued = L"\\??\\" + Wide(copy) + L'\0' + L"!\\??\\" +
                                Wide(windows + "\\Zentrim.exe") + L'\0';
    PutFile(copy, "new");
    PutPendingList(queued + L'\0');
    int warnings = 0;
    EXPECT_EQ(RunFrom(product, &warnings, {}, ChildName, "--uninstall-child --wide-registry-stubs"), 1u);
    DeleteTree(HKEY_CURRENT_USER, ChildVersionKey.c_str());
    EXPECT_EQ(PendingList().compare(0, queued.size(), queued), 0);
    EXPECT_TRUE(FileExists(copy));
}

// Started from any other folder, a download folder or a floppy's root: the
// product folder goes, and the folder it ran from keeps every file, the
// read-only and hidden ones too. Bad input: with the product folder
// missing, or its name taken by a file, nothing else is touched either.
TEST_F(Uninstall, FromAnotherFolderTakesTheProductFolderOnly)
{
    for (const char *productState : {"installed", "missing", "a file"}) {
        SCOPED_TRACE(productState);
        SetUp();
        Install();
        PutFile(Staging + "\\letter.doc", "mine", FILE_ATTRIBUTE_READONLY);
        PutFile(Staging + "\\io.sys", "boot", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        if (lstrcmpA(productState, "installed") != 0)
            RemoveTree(product);
        if (lstrcmpA(productState, "a file") == 0)
            PutFile(product, "a file");
        const DWORD readOnly = GetFileAttributesA((Staging + "\\letter.doc").c_str());
        int warnings = 0;
        EXPECT_EQ(RunFrom(Staging, &warnings), 0u);
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, DeviceRoot));
        for (const char *name : {"install.exe", "Zentrim.exe", "kaltex.inf", "brevin.txt"})
            EXPECT_EQ(FileText(Staging + "\\" + name), name) << name;
        EXPECT_EQ(FileText(Staging + "\\letter.doc"), "mine");
        EXPECT_EQ(GetFileAttributesA((Staging + "\\letter.doc").c_str()), readOnly);
        EXPECT_EQ(FileText(Staging + "\\io.sys"), "boot");
        EXPECT_TRUE(FileExists(Staging + "\\" + ChildName));
        if (lstrcmpA(productState, "a file") == 0)
            EXPECT_EQ(FileText(product), "a file");
        else
            EXPECT_FALSE(FileExists(product));
    }
}

// The product folder however the running program's path may spell it.
TEST(ProductFolder, RecognisedInAnyCaseAndTheShortForm)
{
    const std::string windows = WindowsDir();
    const std::string product = windows + "\\VelmoraScreen";
    MakeDir(product);
    MakeDir(product + "Old");
    char shortForm[MAX_PATH];
    ASSERT_GT(GetShortPathNameA(product.c_str(), shortForm, MAX_PATH), 0u);
    ASSERT_NE(product, shortForm);
    std::string upper = product, lower = product;
    CharUpperA(&upper[0]);
    CharLowerA(&lower[0]);
    const struct {
        std::string spelling;
        bool same;
    } cases[] = {
        {product, true},       {upper, true},         {lower, true},
        {shortForm, true},     {product + "Old", false}, {windows, false},
        {"C:\\VelmoraScreen", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IsSameFolder(c.spelling.c_str(), product.c_str()), c.same) << c.spelling;
    RemoveTree(product + "Old");
    RemoveTree(product);
    EXPECT_FALSE(IsSameFolder(product.c_str(), product.c_str())) << "a missing folder";
}

// Left open after the warning, the applet goes at the restart.
TEST_F(Uninstall, WarnsOnceAboutALockedApplet)
{
    for (bool closedOnWarning : {true, false}) {
        SCOPED_TRACE(closedOnWarning ? "closed before OK" : "still open");
        SetUp();
        Install();
        std::string applet = windows + "\\System\\quinpad1.0.cpl";
        HANDLE lock = CreateFileA(applet.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
        ASSERT_NE(lock, INVALID_HANDLE_VALUE);
        int warnings = 0;
        EXPECT_EQ(RunFromProduct(&warnings, [&] {
                      if (closedOnWarning)
                          CloseHandle(lock), lock = INVALID_HANDLE_VALUE;
                  }),
                  0u);
        if (lock != INVALID_HANDLE_VALUE)
            CloseHandle(lock);
        EXPECT_EQ(warnings, 1);
        EXPECT_EQ(FileExists(applet), !closedOnWarning);
        EXPECT_EQ(FileText(windows + "\\WININIT.INI").find("NUL=" + ShortName(applet) + "\r\n"),
                  closedOnWarning ? std::string::npos : 10u); // first, after "[rename]\r\n"
    }
}

// The "Driver" value names the class slot to delete; whatever else it holds,
// nothing but a slot the installation could have made may go.
TEST_F(Uninstall, HostileDriverValuesDeleteNothingElse)
{
    const std::string overlong = "Mouse\\0001" + std::string(590, 'x');
    const struct {
        const char *what;
        std::string data;
        DWORD type;
    } cases[] = {
        {"empty", "", REG_SZ},
        {"the class itself", "Mouse", REG_SZ},
        {"up and out", "..\\..", REG_SZ},
        {"through ..", "Mouse\\..", REG_SZ},
        {"deeper", "Mouse\\0003\\x", REG_SZ},
        {"beyond the sixteen slots", "Mouse\\0016", REG_SZ},
        {"another case", "MOUSE\\0003", REG_SZ},
        {"600 bytes", overlong, REG_SZ},
        {"no terminator", "Mouse\\0003xyz", REG_BINARY},
        {"missing", "", REG_NONE},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        PutRaw(HKEY_LOCAL_MACHINE, Instance, "Class", REG_SZ, "Mouse", 5);
        if (c.type != REG_NONE)
            PutRaw(HKEY_LOCAL_MACHINE, Instance, "Driver", c.type, c.data.data(),
                   DWORD(c.data.size()));
        int warnings = 0;
        EXPECT_EQ(RunFromProduct(&warnings), 1u);
        ExpectOtherDeviceKept();
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, DeviceRoot));
    }
}

// ---- code page 936, as on Chinese Windows 98 (run with LANG=zh_CN.UTF-8) ----
// A GBK trail byte can be 0x5C, the backslash: 淺 is 9C 5C, 嘰 is 87 5C.

const std::string Qian = "\x9C\x5C";
const std::string Ji = "\x87\x5C";

class CodePage936 : public Uninstall {
protected:
    void SetUp() override
    {
        ASSERT_EQ(GetACP(), 936u) << "these tests run under LANG=zh_CN.UTF-8";
        Uninstall::SetUp();
    }
};

TEST_F(CodePage936, PathsAreCutByCharacters)
{
    const struct {
        std::string path;
        int at; // of the last backslash, -1 for none
    } cases[] = {
        {"C:\\" + Qian, 2},
        {"C:\\dir\\" + Ji + Qian, 6},
        {Qian + Ji, -1},
        {"C:\\" + Qian + "\\install.exe", 5},
    };
    for (const auto &c : cases) {
        const char *found = LastBackslash(c.path.c_str());
        EXPECT_EQ(found ? int(found - c.path.c_str()) : -1, c.at) << c.path;
    }
}

// A program whose own name ends in such a byte pair runs from its folder.
TEST_F(CodePage936, SourceDirectoryOfAProgramNamedWithA5CTrailByte)
{
    const std::string folder = "C:\\velmora-" + Qian;
    MakeDir(folder);
    int warnings = 0;
    EXPECT_EQ(RunFrom(folder, &warnings, {}, "setup" + Qian + ".exe", "--resolve-child"), 0u);
    StoredValue source = GetValue(HKEY_CURRENT_USER, ResultKey, "SourceDirectory");
    EXPECT_EQ(source.Bytes, folder + std::string(1, '\0'));
    DeleteTree(HKEY_CURRENT_USER, ResultKey);
    RemoveTree(folder);
}

// Subkeys named so under the device entry and the class slot, under an NT
// version, whose RegDeleteKeyA leaves a key with subkeys: all of it goes.
TEST_F(CodePage936, KeysNamedWithA5CTrailByteGoWithTheirDevice)
{
    ExpectSubtreesRemoved("winxp", Qian + "\\" + Ji, Ji + "\\x");
}

} // namespace
