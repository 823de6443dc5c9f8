// A stand-in program for proving the e2e tier: one window with one button;
// a click on it records itself in the registry and ends the program.
#include <windows.h>

namespace {

const char SmokeKey[] = "Software\\VelmoraSmoke";

LRESULT CALLBACK SmokeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreateWindowExA(0, "button", "Press", WS_CHILD | WS_VISIBLE, 100, 100, 200, 100, window,
                        reinterpret_cast<HMENU>(1), NULL, NULL);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == 1) {
            HKEY key;
            if (RegCreateKeyA(HKEY_CURRENT_USER, SmokeKey, &key) == ERROR_SUCCESS) {
                DWORD clicked = 1;
                RegSetValueExA(key, "Clicked", 0, REG_DWORD, reinterpret_cast<BYTE *>(&clicked), 4);
                RegCloseKey(key);
            }
            DestroyWindow(window);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = SmokeProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "VelmoraSmoke";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, "VelmoraSmoke", "Velmora smoke", WS_POPUP | WS_VISIBLE, 0, 0,
                                  400, 300, NULL, NULL, instance, NULL);
    ShowWindow(window, show);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
