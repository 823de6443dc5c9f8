#include "calibration_window.h"

#include "calibration_compute.h"
#include "calibration_layout.h"
#include "calibrator_state.h"
#include "parameter_access.h"
#include "resource.h"
#include "run_once.h"

namespace {

const COLORREF TextColour = RGB(0, 102, 255);

HWND CreateButton(HWND window, const char *caption, LayoutPoint at)
{
    // Both buttons have id 0: a click is told apart by the button's handle.
    return CreateWindowExA(0, "button", caption, WS_CHILD | WS_VISIBLE, at.X, at.Y, ButtonWidth,
                           ButtonHeight, window, NULL, NULL, NULL);
}

HDC CreateBitmapDC(HDC screen, HBITMAP bitmap)
{
    HDC dc = CreateCompatibleDC(screen);
    SelectObject(dc, bitmap);
    return dc;
}

bool OnTargetScreen()
{
    return ScreenState == FirstTargetScreen || ScreenState == SecondTargetScreen;
}

void OnCreate(HWND window)
{
    ReadCalibration(&SavedCalibration.LeftOffset, &SavedCalibration.TopOffset,
                    &SavedCalibration.XMikeyPerPixel, &SavedCalibration.YMikeyPerPixel,
                    &SavedCalibration.SwapXY);
    SavedBeepMode = ReadParameter(BeepModeName);
    SetBeepMode(CalibrationBeepMode);
    ShowCursor(FALSE);
    TouchTaken = false;
    TouchPending = false;
    ScreenState = FirstTargetScreen;
    CheckScreenFresh = false;

    HDC screen = GetDC(window);
    TargetDC = CreateBitmapDC(screen, TargetBitmap);
    BITMAP info = {};
    GetObjectA(TargetBitmap, sizeof info, &info);
    TargetWidth = info.bmWidth;
    TargetHeight = info.bmHeight;
    CheckMarkDC = CreateBitmapDC(screen, CheckMarkBitmap);
    HandDC = CreateBitmapDC(screen, HandBitmap);
    ReleaseDC(window, screen);

    SetTimer(window, GiveUpTimer, GiveUpPeriod, NULL);
    CalibrationLayout layout = ComputeLayout(ScreenWidth, ScreenHeight, TargetWidth, TargetHeight);
    OkButton = CreateButton(window, "OK", layout.OkButton);
    AdjustAgainButton = CreateButton(window, "Adjust Again", layout.AdjustAgainButton);
    ShowWindow(OkButton, SW_HIDE);
    ShowWindow(AdjustAgainButton, SW_HIDE);

    WriteCalibration(NeutralCalibration);
    SendReloadRequest();
}

void DrawScreenText(HDC dc, const char *text, LayoutRect r)
{
    RECT rect = {r.Left, r.Top, r.Right, r.Bottom};
    DrawTextA(dc, text, -1, &rect, DT_CENTER);
}

void Blit(HDC dc, LayoutPoint at, int32_t width, int32_t height, HDC source)
{
    BitBlt(dc, at.X, at.Y, width, height, source, 0, 0, SRCCOPY);
}

void OnPaint(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    SetTextColor(dc, TextColour);
    CalibrationLayout layout = ComputeLayout(ScreenWidth, ScreenHeight, TargetWidth, TargetHeight);
    if (OnTargetScreen()) {
        Blit(dc, ScreenState == FirstTargetScreen ? layout.FirstTarget : layout.SecondTarget, TargetWidth,
             TargetHeight, TargetDC);
        Blit(dc, layout.CheckMark, CheckMarkWidth, CheckMarkHeight, CheckMarkDC);
        DrawScreenText(dc, TargetText, layout.TargetText);
    } else if (ScreenState == CheckScreen) {
        bool first = CheckScreenFresh;
        if (first) {
            CheckScreenFresh = false;
            ComputeCalibration(FirstTouch.X, FirstTouch.Y, SecondTouch.X, SecondTouch.Y);
            SendReloadRequest();
        }
        Blit(dc, layout.Hand, HandWidth, HandHeight, HandDC);
        DrawScreenText(dc, CheckText, layout.CheckText);
        ShowWindow(OkButton, SW_SHOWNORMAL);
        ShowWindow(AdjustAgainButton, SW_SHOWNORMAL);
        if (first)
            ShowCursor(TRUE);
    }
    EndPaint(window, &ps);
}

void OnTouch(HWND window, int32_t x, int32_t y)
{
    if (ScreenState >= CheckScreen || TouchPending)
        return;
    if (ScreenState == FirstTargetScreen)
        FirstTouch = {x, y};
    else if (ScreenState == SecondTargetScreen)
        SecondTouch = {x, y};
    TouchPending = true;
    TouchTaken = true;
    SetTimer(window, PauseTimer, PausePeriod, NULL);
}

void OnTimer(HWND window, UINT_PTR id)
{
    if (id == GiveUpTimer) {
        KillTimer(window, GiveUpTimer);
        if (ScreenState != CheckScreen) {
            RestoreCalibration();
            DestroyWindow(window);
        }
        return;
    }
    if (!TouchTaken)
        return;
    KillTimer(window, PauseTimer);
    ScreenState = CalibrationScreen(ScreenState + 1);
    if (ScreenState == CheckScreen)
        CheckScreenFresh = true;
    InvalidateRect(window, NULL, TRUE);
    TouchPending = false;
}

void OnKey(HWND window, WPARAM key)
{
    if (!OnTargetScreen() || (key != VK_ESCAPE && key != VK_SPACE))
        return;
    RestoreCalibration();
    KillTimer(window, GiveUpTimer);
    DestroyWindow(window);
}

// Back to the first target with the neutral set in force; the set and the
// beep mode saved at creation stay as they were saved.
void StartOver(HWND window, bool hideCursor)
{
    ScreenState = FirstTargetScreen;
    TouchTaken = false;
    TouchPending = false;
    KillTimer(window, GiveUpTimer);
    WriteCalibration(NeutralCalibration);
    SetTimer(window, GiveUpTimer, GiveUpPeriod, NULL);
    InvalidateRect(window, NULL, TRUE);
    ShowWindow(OkButton, SW_HIDE);
    ShowWindow(AdjustAgainButton, SW_HIDE);
    if (hideCursor)
        ShowCursor(FALSE);
}

void OnButton(HWND window, HWND button)
{
    if (button == NULL)
        return;
    if (button == OkButton)
        DestroyWindow(window);
    else if (button == AdjustAgainButton)
        StartOver(window, true);
}

void MoveButton(HWND button, LayoutPoint at)
{
    SetWindowPos(button, NULL, at.X, at.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A new display mode while the screen runs (Windows 98 changes it without a
// restart; a kiosk program at the same logon sets its own): the window
// covers the new screen and, when its size changed, the calibration starts
// over, as "Adjust Again" does, so that no touch is computed against a size
// that is no longer the screen's. A new colour depth alone repaints.
void OnDisplayChange(HWND window, LPARAM size)
{
    const int32_t width = LOWORD(size), height = HIWORD(size);
    if (width == 0 || height == 0 || (width == ScreenWidth && height == ScreenHeight)) {
        InvalidateRect(window, NULL, TRUE);
        return;
    }
    ScreenWidth = width;
    ScreenHeight = height;
    SetWindowPos(window, HWND_TOPMOST, 0, 0, width, height, SWP_NOACTIVATE);
    CalibrationLayout layout = ComputeLayout(width, height, TargetWidth, TargetHeight);
    MoveButton(OkButton, layout.OkButton);
    MoveButton(AdjustAgainButton, layout.AdjustAgainButton);
    // The cursor shows only on a check screen that has been painted.
    bool cursorShown = ScreenState == CheckScreen && !CheckScreenFresh;
    CheckScreenFresh = false;
    StartOver(window, cursorShown);
}

// Leaving before the computed set is in the store, whatever the way: the
// saved set goes back, so the user's previous calibration is never lost.
void RestoreUnlessComputed(HWND window)
{
    if (OnTargetScreen() || CheckScreenFresh) {
        RestoreCalibration();
        KillTimer(window, GiveUpTimer);
    }
}

// A log-off, shut-down or restart ends the process without a close request
// or a destruction: the screen ends here as leaving early does, and its
// destruction hands the driver back its beep mode before the process goes.
// Only a session that does end; a cancelled one changes nothing. True when
// the window is gone.
bool OnSessionEnd(HWND window, WPARAM ending)
{
    if (!ending)
        return false;
    RestoreUnlessComputed(window);
    DestroyWindow(window);
    return true;
}

void OnDestroy()
{
    SendReloadRequest();
    SetBeepMode(SavedBeepMode);
    // After the last request, and before a session's end takes the process.
    RearmHandOff();
    ShowCursor(TRUE);
    DeleteDC(TargetDC);
    DeleteDC(CheckMarkDC);
    DeleteDC(HandDC);
    FreeCalibrationBitmaps();
    PostQuitMessage(0);
}

} // namespace

LRESULT CALLBACK CalibrationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        break;
    case WM_PAINT:
        OnPaint(window);
        break;
    case WM_LBUTTONUP:
        OnTouch(window, LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_TIMER:
        OnTimer(window, wParam);
        break;
    case WM_KEYDOWN:
        OnKey(window, wParam);
        break;
    case WM_COMMAND:
        OnButton(window, reinterpret_cast<HWND>(lParam));
        break;
    case WM_DISPLAYCHANGE:
        OnDisplayChange(window, lParam);
        break;
    case WM_CLOSE:
        // Alt+F4 or the task list; the default handling then destroys.
        RestoreUnlessComputed(window);
        break;
    case WM_ENDSESSION:
        if (OnSessionEnd(window, wParam))
            return 0;
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    }
    // Every message goes on to the default handling: creation continues, the
    // class's white brush erases, and a close request destroys the window.
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterCalibrationClass(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = CalibrationWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = CalibrationClassName;
    return RegisterClassA(&wc) != 0;
}

void FreeCalibrationBitmaps()
{
    HBITMAP *bitmaps[] = {&TargetBitmap, &CheckMarkBitmap, &HandBitmap};
    for (HBITMAP *bitmap : bitmaps) {
        DeleteObject(*bitmap);
        *bitmap = NULL;
    }
}

HWND CreateCalibrationWindow(HINSTANCE instance)
{
    TargetBitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_TARGET));
    CheckMarkBitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_CHECKMARK));
    HandBitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_HAND));
    return CreateWindowExA(WS_EX_TOPMOST, CalibrationClassName, "", WS_POPUP | WS_VISIBLE, 0, 0,
                           ScreenWidth, ScreenHeight, NULL, NULL, instance, NULL);
}
