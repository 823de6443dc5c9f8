#include "install_files.h"
#include "setup_state.h"
#include "shortcuts.h"

#include <objbase.h>
#include <shlobj.h>

// The three platform identifiers this step names, defined here rather than
// taken from the toolchain's uuid library, whose one object holds every
// identifier the platform has: some 35 KB in the program for these 48 bytes.
extern "C" {
const CLSID CLSID_ShellLink = {0x00021401, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IShellLinkA = {0x000214EE, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
}

namespace {

struct Shortcut {
    const char *LinkFile; // in the program group
    const char *Target;   // in the product folder
    const char *Description;
    const char *Arguments;
};

const Shortcut Shortcuts[] = {
    {"Velmora help.lnk", "Velmora.hlp", "Touch Screen Help", nullptr},
    {"Uninstall Velmora.lnk", "install.exe", "Uninstall", "/u"},
    {"Readme.lnk", "brevin.txt", "README", nullptr},
    {"Right Button.lnk", "lokrit.exe", "RButton", nullptr},
    {"Handwritting demo.lnk", "Scrivel.exe", "Write Demo", nullptr},
    {"Calibration.lnk", "Zentrim.exe", "Calibration", nullptr},
};

} // namespace

int CreateShellLink(const char *target, const char *linkFile, const char *description,
                    const char *workingDirectory, const char *arguments)
{
    IShellLinkA *link = NULL;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void **>(&link))))
        return 0;
    if (arguments)
        link->SetArguments(arguments);
    link->SetDescription(description);
    link->SetPath(target);
    link->SetWorkingDirectory(workingDirectory);
    IPersistFile *file = NULL;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
        link->Release();
        return 0;
    }
    WCHAR widePath[PathSize];
    if (MultiByteToWideChar(CP_ACP, 0, linkFile, -1, widePath, PathSize) > 0)
        file->Save(widePath, 2);
    file->Release();
    link->Release();
    return 1;
}

int CreateShortcuts(HWND)
{
    // Without the Programs folder there is no group to make: the shortcuts
    // are skipped rather than put anywhere else.
    bool haveGroup = ResolveProgramsDirectory();
    CoInitialize(NULL);
    char group[PathSize], workingDirectory[PathSize];
    haveGroup = haveGroup &&
                BuildPath(group, sizeof group, "%s\\%s", ProgramsDirectory, ProgramGroupName);
    if (haveGroup)
        CreateDirectoryA(group, NULL);
    if (haveGroup &&
        BuildPath(workingDirectory, sizeof workingDirectory, "%s\\%s", WindowsDirectory,
                  ProductFolderName)) {
        for (const Shortcut &s : Shortcuts) {
            char target[PathSize], linkFile[PathSize];
            // A path that does not fit skips its shortcut, as a failed one.
            if (BuildPath(target, sizeof target, "%s\\%s", workingDirectory, s.Target) &&
                BuildPath(linkFile, sizeof linkFile, "%s\\%s", group, s.LinkFile))
                CreateShellLink(target, linkFile, s.Description, workingDirectory, s.Arguments);
        }
    }
    CoUninitialize();
    return StepDone;
}
