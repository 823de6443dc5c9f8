#include "progress_page.h"
#include "resource.h"
#include "setup_logic.h"
#include "setup_registry.h"
#include "setup_state.h"
#include "wizard_pages.h"

namespace {

const char SerialPortsKey[] = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
const int EntrySize = 256;
// Windows 95/98/ME keep each device's hardware key at Enum\bus\device\instance.
const char HardwareKey[] = "Enum";
const int HardwareKeyDepth = 3;

// Registry data as read (dataSize of size bytes) as a port entry: its port
// number, or -1. Data stored without its terminating zero gets one here when
// there is room; without room the text would run past the buffer, and is
// refused.
int32_t PortFromData(char *entry, DWORD dataSize, DWORD size)
{
    if (size == 0)
        return -1;
    if (dataSize < size)
        entry[dataSize++] = '\0';
    return ParsePortEntry(entry, dataSize);
}

// A hardware key's "PortName", added once when it names a COM port.
void AddPortName(HWND list, HKEY key)
{
    char entry[EntrySize];
    DWORD size = sizeof entry;
    if (!ReadValue(key, "PortName", entry, &size) || PortFromData(entry, size, sizeof entry) < 0)
        return;
    if (SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(entry)) == LB_ERR)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
}

// Every hardware key depth levels below key.
void AddHardwarePorts(HWND list, HKEY key, int depth)
{
    char name[EntrySize];
    for (DWORD i = 0; ReadSubkeyName(key, i, name, sizeof name); ++i) {
        HKEY child = OpenKey(key, name);
        if (!child)
            continue;
        if (depth > 1)
            AddHardwarePorts(list, child, depth - 1);
        else
            AddPortName(list, child);
        CloseKey(child);
    }
}

void FillPortList(HWND list)
{
    char entry[EntrySize];
    DWORD index = 0;
    for (; ReadSerialPortEntry(index, entry, sizeof entry) >= 0; ++index)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    if (index > 0)
        return;
    // Windows 95/98/ME may list no port there at all: its communications
    // layer names each port in the port's hardware key instead.
    if (HKEY hardware = OpenKey(HKEY_LOCAL_MACHINE, HardwareKey)) {
        AddHardwarePorts(list, hardware, HardwareKeyDepth);
        CloseKey(hardware);
    }
}

// "Next" with nothing selected (no COM port found): the page stays, since
// an installation without a port could not work.
bool TakeSelectedPort(HWND page)
{
    HWND list = GetDlgItem(page, IDC_PORT_LIST);
    LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    char text[EntrySize];
    if (selected == LB_ERR || SendMessageA(list, LB_GETTEXTLEN, selected, 0) >= EntrySize ||
        SendMessageA(list, LB_GETTEXT, selected, reinterpret_cast<LPARAM>(text)) == LB_ERR) {
        MessageBoxA(page,
                    "No COM port is selected. Connect the touchscreen controller to a COM port "
                    "of this computer and run this setup again, or press \"Cancel\" to exit.",
                    AppTitle, MB_OK | MB_ICONWARNING);
        return false;
    }
    SelectedPort = NumberAfterPrefix(text);
    return true;
}

// "Cancel", Escape or the close box on a page: the whole wizard ends.
void QuitWizard(HWND page)
{
    PostQuitMessage(0);
    EndDialog(page, IDCANCEL);
}

// Pages nest: the page left ends itself, then opens the next one modally,
// owned by the backdrop, from within its own command handling.
void MoveToPage(HWND page, int leaving, int nextTemplate, DLGPROC nextProc)
{
    EndDialog(page, leaving);
    OpenWizardPage(MainWindow, nextTemplate, nextProc);
}

void OnPortPageInit(HWND page)
{
    CenterWizardPage(page);
    FillPortList(GetDlgItem(page, IDC_PORT_LIST));
    SendDlgItemMessageA(page, IDC_PORT_LIST, LB_SETCURSEL, 0, 0);
}

// The Welcome page's buttons, by their id; false for any other.
bool OnWelcomeCommand(HWND page, int id)
{
    switch (id) {
    case IDC_NEXT:
        MoveToPage(page, IDC_NEXT, IDD_PORT, PortPageProc);
        return true;
    case IDCANCEL:
        QuitWizard(page);
        return true;
    }
    return false;
}

// The port page's buttons, by their id; false for any other, the list's
// notifications among them.
bool OnPortCommand(HWND page, int id)
{
    switch (id) {
    case IDC_PREVIOUS:
        MoveToPage(page, IDC_PREVIOUS, IDD_WELCOME, WelcomePageProc);
        return true;
    case IDC_NEXT:
        if (TakeSelectedPort(page))
            MoveToPage(page, IDC_NEXT, IDD_PROGRESS, ProgressPageProc);
        return true;
    case IDCANCEL:
        QuitWizard(page);
        return true;
    }
    return false;
}

} // namespace

void OpenWizardPage(HWND owner, int pageTemplate, DLGPROC proc)
{
    if (DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(pageTemplate), owner, proc, 0) == -1)
        PostQuitMessage(0);
}

void CenterWizardPage(HWND page)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(page, &placement);
    RECT at = {};
    GetWindowRect(page, &at);
    PageShift shift = WizardPageShift(ScreenWidth, ScreenHeight, {at.left, at.top, at.right, at.bottom});
    OffsetRect(&placement.rcNormalPosition, shift.Dx, shift.Dy);
    SetWindowPlacement(page, &placement);
}

int32_t ReadSerialPortEntry(DWORD index, char *entry, DWORD size)
{
    HKEY key = OpenKeyFullAccess(HKEY_LOCAL_MACHINE, SerialPortsKey);
    if (!key)
        return -1;
    DWORD dataSize = size;
    bool read = ReadIndexedValue(key, index, entry, &dataSize);
    CloseKey(key);
    return read ? PortFromData(entry, dataSize, size) : -1;
}

INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        CenterWizardPage(page);
        return TRUE;
    case WM_COMMAND:
        return OnWelcomeCommand(page, LOWORD(wParam));
    }
    return FALSE;
}

INT_PTR CALLBACK PortPageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnPortPageInit(page);
        return TRUE;
    case WM_COMMAND:
        return OnPortCommand(page, LOWORD(wParam));
    }
    return FALSE;
}
