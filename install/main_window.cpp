#include "install_steps.h"
#include "resource.h"
#include "setup_state.h"
#include "wizard.h"

namespace {

const UINT_PTR StartTimer = 1;
const UINT StartDelay = 300;

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
        SetTimer(window, StartTimer, StartDelay, NULL);
        return 0;
    case WM_TIMER:
        // Once only: the whole wizard runs inside this call.
        KillTimer(window, StartTimer);
        DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_WELCOME), window, WelcomePageProc, 0);
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDM_ABOUT:
            DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_ABOUT), window, AboutDlgProc, 0);
            return 0;
        case IDM_EXIT:
            DestroyWindow(window);
            return 0;
        }
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(window, &ps);
        EndPaint(window, &ps);
        return 0;
    }
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
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

void RunUninstallMode()
{
    if (MessageBoxA(NULL, "Are you sure to uninstall Velmora touchscreen?", "Message", MB_YESNO) ==
        IDNO)
        return;
    int result = UninstallPackage();
    const char *text = result < 0
                           ? "Velmora uninstall program: Uninstallation is unsuccessful! Reboot Now?"
                           : "Velmora uninstall program: Uninstallation is successful! Reboot Now?";
    if (MessageBoxA(NULL, text, "Message", MB_YESNO) == IDYES)
        ExitWindowsEx(EWX_REBOOT, 0);
}
