#include "handle_balance.h"

#include <windows.h>
#include <shlobj.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <tuple>
#include <vector>

namespace {

// One of the process's kernel handles: its value, its type and the name of
// what it holds ("Key", "\REGISTRY\MACHINE\..."). Wine reuses a freed value
// at once, so the value alone cannot tell a new handle from an old one.
struct Handle {
    ULONG_PTR Value;
    std::string Type, Name;
    bool operator<(const Handle &other) const
    {
        return std::tie(Value, Type, Name) < std::tie(other.Value, other.Type, other.Name);
    }
};

std::string Narrow(const UNICODE_STRING &text)
{
    std::string out;
    for (USHORT i = 0; text.Buffer && i < text.Length / 2; ++i)
        out += text.Buffer[i] < 128 ? char(text.Buffer[i]) : '?';
    return out;
}

Handle Describe(ULONG_PTR value)
{
    HANDLE handle = reinterpret_cast<HANDLE>(value);
    alignas(8) BYTE type[1024] = {}, name[2048] = {};
    ULONG size;
    NtQueryObject(handle, ObjectTypeInformation, type, sizeof type, &size);
    NtQueryObject(handle, OBJECT_INFORMATION_CLASS(1) /* ObjectNameInformation */, name,
                  sizeof name, &size);
    return {value, Narrow(reinterpret_cast<PUBLIC_OBJECT_TYPE_INFORMATION *>(type)->TypeName),
            Narrow(*reinterpret_cast<UNICODE_STRING *>(name))};
}

// The kernel handles this process holds, sorted; empty when they cannot be
// listed. Wine answers GetProcessHandleCount with 0, but lists each handle
// here with its owner, registry keys included.
std::vector<Handle> OpenHandles()
{
    std::vector<BYTE> buffer(64 * 1024);
    ULONG needed = 0;
    NTSTATUS status;
    while ((status = NtQuerySystemInformation(SystemHandleInformation, buffer.data(),
                                              ULONG(buffer.size()), &needed)) ==
           NTSTATUS(0xC0000004L)) // STATUS_INFO_LENGTH_MISMATCH
        buffer.resize(std::max<size_t>(needed, buffer.size() * 2));
    std::vector<Handle> handles;
    if (!NT_SUCCESS(status))
        return handles;
    const auto *info = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION *>(buffer.data());
    for (ULONG i = 0; i < info->Count; ++i)
        if (info->Handle[i].OwnerPid == GetCurrentProcessId())
            handles.push_back(Describe(info->Handle[i].HandleValue));
    std::sort(handles.begin(), handles.end());
    return handles;
}

// ---- searches and closes, seen through this program's own imports ----------
// Wine frees a search's kernel handle itself once the search has run to its
// end, so a missing FindClose leaves no kernel handle behind; on Windows 98
// the open search keeps its folder from being removed. And a second close of
// a key fails without changing any handle, unless Wine gave the value to
// another handle meanwhile, which it then closes. So the calls of the code
// under test, which are this program's calls, pass through counting stand-ins.

int OpenSearches = 0;
std::string FailedCloses;

HANDLE(WINAPI *RealFindFirstFileA)(LPCSTR, LPWIN32_FIND_DATAA);
BOOL(WINAPI *RealFindClose)(HANDLE);
BOOL(WINAPI *RealCloseHandle)(HANDLE);
LONG(WINAPI *RealRegCloseKey)(HKEY);

void NoteFailedClose(const char *call, const void *handle)
{
    DWORD error = GetLastError();
    char text[96];
    std::snprintf(text, sizeof text, "\n  %s(%p) failed: not open", call, handle);
    FailedCloses += text;
    SetLastError(error);
}

HANDLE WINAPI CountedFindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA entry)
{
    HANDLE search = RealFindFirstFileA(pattern, entry);
    if (search != INVALID_HANDLE_VALUE)
        ++OpenSearches;
    return search;
}

BOOL WINAPI CountedFindClose(HANDLE search)
{
    BOOL closed = RealFindClose(search);
    if (closed)
        --OpenSearches;
    else
        NoteFailedClose("FindClose", search);
    return closed;
}

BOOL WINAPI CheckedCloseHandle(HANDLE handle)
{
    BOOL closed = RealCloseHandle(handle);
    if (!closed)
        NoteFailedClose("CloseHandle", handle);
    return closed;
}

LONG WINAPI CheckedRegCloseKey(HKEY key)
{
    LONG result = RealRegCloseKey(key);
    if (result != ERROR_SUCCESS)
        NoteFailedClose("RegCloseKey", key);
    return result;
}

// Points every import of module!name in this program at replacement, what
// it pointed at kept in original; false when the program does not import it
// (then nothing here can call it).
template <typename Function>
bool Redirect(const char *module, const char *name, Function replacement, Function *original)
{
    BYTE *base = reinterpret_cast<BYTE *>(GetModuleHandleA(NULL));
    const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER *>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY &imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    bool found = false;
    auto *dll = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress);
    for (; imports.VirtualAddress && dll->Name; ++dll) {
        if (lstrcmpiA(reinterpret_cast<const char *>(base + dll->Name), module) != 0)
            continue;
        auto *names = reinterpret_cast<const IMAGE_THUNK_DATA *>(base + dll->OriginalFirstThunk);
        auto *slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + dll->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto *byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char *>(byName->Name), name) != 0)
                continue;
            DWORD protection;
            const SIZE_T size = sizeof slots->u1.Function;
            VirtualProtect(&slots->u1.Function, size, PAGE_READWRITE, &protection);
            *original = reinterpret_cast<Function>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, size, protection, &protection);
            found = true;
        }
    }
    return found;
}

void CountSearchesAndCloses()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    Redirect("KERNEL32.dll", "FindFirstFileA", &CountedFindFirstFileA, &RealFindFirstFileA);
    Redirect("KERNEL32.dll", "FindClose", &CountedFindClose, &RealFindClose);
    Redirect("KERNEL32.dll", "CloseHandle", &CheckedCloseHandle, &RealCloseHandle);
    Redirect("ADVAPI32.dll", "RegCloseKey", &CheckedRegCloseKey, &RealRegCloseKey);
}

// ---- the comparison ----------------------------------------------------------

struct Snapshot {
    std::vector<Handle> Handles;
    int Searches;
    size_t ClosesSeen;
};

Snapshot Take()
{
    return {OpenHandles(), OpenSearches, FailedCloses.size()};
}

std::string Lines(const std::vector<Handle> &handles)
{
    std::string text;
    char value[32];
    for (const Handle &h : handles) {
        std::snprintf(value, sizeof value, "%#lx", static_cast<unsigned long>(h.Value));
        text += "\n  " + std::string(value) + " " + h.Type + " " + h.Name;
    }
    return text;
}

struct Allowance {
    std::string Type;
    size_t Count = 0;
};

// "" when the process holds the handles it held before, but for the kept
// ones allowed, and every search and close balanced; else what changed.
// Handles that cannot be listed are a failure, not a pass.
std::string Compare(const Snapshot &before, const Snapshot &after, const Allowance &kept)
{
    if (before.Handles.empty())
        return "this process's handles cannot be listed here";
    std::vector<Handle> opened, closed;
    std::set_difference(after.Handles.begin(), after.Handles.end(), before.Handles.begin(),
                        before.Handles.end(), std::back_inserter(opened));
    std::set_difference(before.Handles.begin(), before.Handles.end(), after.Handles.begin(),
                        after.Handles.end(), std::back_inserter(closed));
    size_t keptFound = size_t(std::count_if(opened.begin(), opened.end(),
                                            [&](const Handle &h) { return h.Type == kept.Type; }));
    std::string text;
    if (keptFound != kept.Count)
        text += "\n" + std::to_string(kept.Count) + " " + kept.Type + " handles to keep open, " +
                std::to_string(keptFound) + " opened";
    opened.erase(std::remove_if(opened.begin(), opened.end(),
                                [&](const Handle &h) { return h.Type == kept.Type; }),
                 opened.end());
    if (!opened.empty())
        text += "\nopened and left open:" + Lines(opened);
    if (!closed.empty())
        text += "\nclosed, though opened before:" + Lines(closed);
    if (after.Searches != before.Searches)
        text += "\n" + std::to_string(after.Searches - before.Searches) +
                " searches begun (FindFirstFileA) and not ended (FindClose)";
    if (after.ClosesSeen != before.ClosesSeen)
        text += FailedCloses.substr(before.ClosesSeen);
    return text;
}

Allowance KeptOpen;

class HandleBalance : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo &) override
    {
        KeptOpen = Allowance();
        before_ = Take();
    }
    void OnTestEnd(const testing::TestInfo &) override
    {
        std::string changed = Compare(before_, Take(), KeptOpen);
        EXPECT_EQ(changed, "");
    }
    Snapshot before_;
};

} // namespace

void OpenWhatStaysOpen()
{
    CountSearchesAndCloses();
    SCOPED_TRACE("first use"); // GoogleTest's watcher of this thread
    HKEY key;
    const HKEY roots[] = {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER};
    for (HKEY root : roots)
        if (RegOpenKeyA(root, "Software", &key) == ERROR_SUCCESS)
            RegCloseKey(key);
    LPITEMIDLIST list = NULL; // the shell's keys
    if (SHGetSpecialFolderLocation(NULL, CSIDL_PROGRAMS, &list) == S_OK)
        CoTaskMemFree(list);
    CoInitialize(NULL); // COM's
    IShellLinkA *link = NULL;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void **>(&link))))
        link->Release();
    CoUninitialize();
    CloseHandle(CreateEventA(NULL, FALSE, FALSE, "Velmora first use")); // the named objects' folder
    OutputDebugStringA(""); // the debug output's mutex, which a failed expectation opens
}

std::string HandleCheckBroken()
{
    std::string listed = HandlesChangedBy([] {});
    if (!listed.empty())
        return listed;
    // One search begun and ended, and a key closed twice, must be seen.
    const int searches = OpenSearches;
    const size_t closes = FailedCloses.size();
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA("C:\\*", &entry);
    bool begun = search != INVALID_HANDLE_VALUE && OpenSearches == searches + 1;
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    HKEY key;
    bool closedTwice = RegOpenKeyA(HKEY_CURRENT_USER, "Software", &key) == ERROR_SUCCESS &&
                       RegCloseKey(key) == ERROR_SUCCESS && RegCloseKey(key) != ERROR_SUCCESS &&
                       FailedCloses.size() > closes;
    FailedCloses.resize(closes);
    if (!begun || OpenSearches != searches || !closedTwice)
        return "searches and closes are not seen through this program's imports";
    return "";
}

std::string HandlesChangedBy(const std::function<void()> &operation)
{
    Snapshot before = Take();
    operation();
    return Compare(before, Take(), Allowance());
}

void ExpectHandlesKeptOpen(const char *type, size_t count)
{
    KeptOpen = {type, count};
}

testing::TestEventListener *NewHandleBalance()
{
    return new HandleBalance;
}
