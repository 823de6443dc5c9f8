#include "main_window.h"
#include "resource.h"
#include "setup_state.h"
#include "uninstall.h"
#include "wizard_pages.h"

namespace {

const UINT_PTR StartTimer = 1;
const UINT StartDelay = 300;

void OnCreate(HWND window)
{
    SetTimer(window, StartTimer, StartDelay, NULL);
}

// Once only: the whole wizard runs inside this call.
void OnStartTimer(HWND window)
{
    KillTimer(window, StartTimer);
    OpenWizardPage(window, IDD_WELCOME, WelcomePageProc);
}

// The menu's commands, by their id; false for any other.
bool OnCommand(HWND window, int id)
{
    switch (id) {
    case IDM_ABOUT:
        DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_ABOUT), window, AboutDlgProc, 0);
        return true;
    case IDM_EXIT:
        DestroyWindow(window);
        return true;
    }
    return false;
}

void OnPaint(HWND window)
{
    PAINTSTRUCT ps;
    BeginPaint(window, &ps);
    EndPaint(window, &ps);
}

// "OK", Enter, Escape or the close box: the box ends; false for any other.
bool OnAboutCommand(HWND dialog, int id)
{
    if (id != IDOK && id != IDCANCEL)
        return false;
    EndDialog(dialog, id);
    return true;
}

} // namespace

void RegisterMainClass(HINSTANCE instance)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SETUP));
    wc.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SETUP_SMALL));
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_ACTIVECAPTION + 1);
    wc.lpszClassName = MainClassName;
    RegisterClassExA(&wc);
}

int CreateMainWindow(HINSTANCE instance, int show)
{
    AppInstance = instance;
    HDC screen = GetDC(NULL);
    ScreenHeight = GetDeviceCaps(screen, VERTRES);
    ScreenWidth = GetDeviceCaps(screen, HORZRES);
    HWND window = CreateWindowExA(0, MainClassName, AppTitle, WS_OVERLAPPED, 0, 0, ScreenWidth,
                                  ScreenHeight, NULL, NULL, instance, NULL);
    ReleaseDC(NULL, screen);
    if (window == NULL)
        return 0;
    MainWindow = window;
    ShowWindow(window, show);
    UpdateWindow(window);
    return 1;
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_TIMER:
        OnStartTimer(window);
        return 0;
    case WM_COMMAND:
        if (OnCommand(window, LOWORD(wParam)))
            return 0;
        break;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        return OnAboutCommand(dialog, LOWORD(wParam));
    }
    return FALSE;
}

void RunUninstallMode()
{
    // Only Yes removes anything: a question that could not be shown (no
    // window could be made) is no answer.
    if (MessageBoxA(NULL, "Are you sure to uninstall Velmora touchscreen?", "Message", MB_YESNO) !=
        IDYES)
        return;
    int result = UninstallPackage();
    const char *text = result < 0
                           ? "Velmora uninstall program: Uninstallation is unsuccessful! Reboot Now?"
                           : "Velmora uninstall program: Uninstallation is successful! Reboot Now?";
    if (MessageBoxA(NULL, text, "Message", MB_YESNO) == IDYES)
        ExitWindowsEx(EWX_REBOOT, 0);
}
