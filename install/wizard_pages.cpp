#include "resource.h"
#include "setup_logic.h"
#include "setup_state.h"
#include "wizard.h"

namespace {

const char SerialPortsKey[] = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
const int EntrySize = 256;

void FillPortList(HWND list)
{
    char entry[EntrySize];
    for (DWORD index = 0; ReadSerialPortEntry(index, entry, sizeof entry) >= 0; ++index)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
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
    DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(nextTemplate), MainWindow, nextProc, 0);
}

} // namespace

void CenterWizardPage(HWND page)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(page, &placement);
    PageShift shift = WizardPageShift(ScreenWidth, ScreenHeight);
    OffsetRect(&placement.rcNormalPosition, shift.Dx, shift.Dy);
    SetWindowPlacement(page, &placement);
}

int32_t ReadSerialPortEntry(DWORD index, char *entry, DWORD size)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SerialPortsKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return -1;
    char name[256];
    DWORD nameLength = sizeof name;
    DWORD dataSize = size;
    LONG status = RegEnumValueA(key, index, name, &nameLength, NULL, NULL,
                                reinterpret_cast<BYTE *>(entry), &dataSize);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || size == 0)
        return -1;
    // Data stored without its terminating zero gets one here when there is
    // room; without room the text would run past the buffer, and is refused.
    if (dataSize < size)
        entry[dataSize++] = '\0';
    return ParsePortEntry(entry, dataSize);
}

INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        CenterWizardPage(page);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_NEXT:
            MoveToPage(page, IDC_NEXT, IDD_PORT, PortPageProc);
            return TRUE;
        case IDCANCEL:
            QuitWizard(page);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

INT_PTR CALLBACK PortPageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        CenterWizardPage(page);
        FillPortList(GetDlgItem(page, IDC_PORT_LIST));
        SendDlgItemMessageA(page, IDC_PORT_LIST, LB_SETCURSEL, 0, 0);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_PREVIOUS:
            MoveToPage(page, IDC_PREVIOUS, IDD_WELCOME, WelcomePageProc);
            return TRUE;
        case IDC_NEXT:
            if (!TakeSelectedPort(page))
                return TRUE;
            MoveToPage(page, IDC_NEXT, IDD_PROGRESS, ProgressPageProc);
            return TRUE;
        case IDCANCEL:
            QuitWizard(page);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
