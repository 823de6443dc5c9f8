#include "handle_balance.h"

#include <windows.h>
#include <shlobj.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The values of the handles this process holds, sorted; empty when they
// cannot be listed. Wine answers GetProcessHandleCount with 0, but lists
// each handle here with its owner, registry keys and find handles included.
std::vector<ULONG_PTR> OpenHandles()
{
    std::vector<BYTE> buffer(64 * 1024);
    ULONG needed = 0;
    NTSTATUS status;
    while ((status = NtQuerySystemInformation(SystemHandleInformation, buffer.data(),
                                              ULONG(buffer.size()), &needed)) ==
           NTSTATUS(0xC0000004L)) // STATUS_INFO_LENGTH_MISMATCH
        buffer.resize(std::max<size_t>(needed, buffer.size() * 2));
    std::vector<ULONG_PTR> handles;
    if (!NT_SUCCESS(status))
        return handles;
    const auto *info = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION *>(buffer.data());
    for (ULONG i = 0; i < info->Count; ++i)
        if (info->Handle[i].OwnerPid == GetCurrentProcessId())
            handles.push_back(info->Handle[i].HandleValue);
    std::sort(handles.begin(), handles.end());
    return handles;
}

// "0x94 Key \REGISTRY\Machine\...": what a handle is, for a failure message.
std::string Describe(ULONG_PTR value)
{
    HANDLE handle = reinterpret_cast<HANDLE>(value);
    alignas(8) BYTE type[1024] = {}, name[2048] = {};
    ULONG size;
    NtQueryObject(handle, ObjectTypeInformation, type, sizeof type, &size);
    NtQueryObject(handle, OBJECT_INFORMATION_CLASS(1) /* ObjectNameInformation */, name,
                  sizeof name, &size);
    const UNICODE_STRING &t = reinterpret_cast<PUBLIC_OBJECT_TYPE_INFORMATION *>(type)->TypeName;
    const UNICODE_STRING &n = *reinterpret_cast<UNICODE_STRING *>(name);
    char text[1200];
    std::snprintf(text, sizeof text, "%#lx %.*ls %.*ls", static_cast<unsigned long>(value),
                  int(t.Length / 2), t.Buffer ? t.Buffer : L"", int(n.Length / 2),
                  n.Buffer ? n.Buffer : L"");
    return text;
}

// The handles in after that were not in before, described one a line.
std::string NewHandles(const std::vector<ULONG_PTR> &before, const std::vector<ULONG_PTR> &after)
{
    std::vector<ULONG_PTR> opened;
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(),
                        std::back_inserter(opened));
    std::string text;
    for (ULONG_PTR h : opened)
        text += "\n  " + Describe(h);
    return text;
}

// "" when after holds as many handles as before and kept more; else what
// changed. Handles that cannot be listed are a failure, not a pass.
std::string Compare(const std::vector<ULONG_PTR> &before, const std::vector<ULONG_PTR> &after,
                    size_t kept)
{
    if (before.empty())
        return "this process's handles cannot be listed here";
    if (after.size() == before.size() + kept)
        return "";
    return std::to_string(before.size()) + " handles before, " + std::to_string(after.size()) +
           " after (" + std::to_string(kept) + " kept open on purpose); opened and left open:" +
           NewHandles(before, after);
}

size_t KeptOpen = 0;

class HandleBalance : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo &) override
    {
        KeptOpen = 0;
        before_ = OpenHandles();
    }
    void OnTestEnd(const testing::TestInfo &) override
    {
        std::string changed = Compare(before_, OpenHandles(), KeptOpen);
        EXPECT_EQ(changed, "");
    }
    std::vector<ULONG_PTR> before_;
};

} // namespace

void OpenWhatStaysOpen()
{
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
}

std::string HandlesChangedBy(const std::function<void()> &operation)
{
    std::vector<ULONG_PTR> before = OpenHandles();
    operation();
    return Compare(before, OpenHandles(), 0);
}

void ExpectHandlesKeptOpen(size_t count)
{
    KeptOpen = count;
}

testing::TestEventListener *NewHandleBalance()
{
    return new HandleBalance;
}
