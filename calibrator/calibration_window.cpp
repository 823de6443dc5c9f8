#include "calibration_window.h"

#include "calibration_compute.h"
#include "calibration_layout.h"
#include "calibrator_state.h"
#include "parameter_access.h"

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

void OnCreate(HWND window)
{
    ReadCalibration(&SavedCalibration.LeftOffset, &SavedCalibration.TopOffset,
                    &SavedCalibration.XMikeyPerPixel, &SavedCalibration.YMikeyPerPixel,
                    &SavedCalibration.SwapXY);
    SavedBeepMode = ReadParameter(BeepModeName);
    SetBeepMode(CalibrationBeepMode);
    ShowCursor(FALSE);
    TouchTaken = 0;
    TouchPending = 0;
    ScreenState = 1;
    CheckScreenFresh = 0;

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
    if (ScreenState == 1 || ScreenState == 2) {
        Blit(dc, ScreenState == 1 ? layout.FirstTarget : layout.SecondTarget, TargetWidth,
             TargetHeight, TargetDC);
        Blit(dc, layout.CheckMark, CheckMarkWidth, CheckMarkHeight, CheckMarkDC);
        DrawScreenText(dc, TargetText, layout.TargetText);
    } else if (ScreenState == 3) {
        bool first = CheckScreenFresh != 0;
        if (first) {
            CheckScreenFresh = 0;
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
    if (ScreenState >= 3 || TouchPending == 1)
        return;
    if (ScreenState == 1)
        FirstTouch = {x, y};
    else if (ScreenState == 2)
        SecondTouch = {x, y};
    TouchPending = 1;
    TouchTaken = 1;
    SetTimer(window, PauseTimer, PausePeriod, NULL);
}

void OnTimer(HWND window, UINT_PTR id)
{
    if (id == GiveUpTimer) {
        KillTimer(window, GiveUpTimer);
        if (ScreenState != 3) {
            RestoreCalibration();
            DestroyWindow(window);
        }
        return;
    }
    if (TouchTaken == 0)
        return;
    KillTimer(window, PauseTimer);
    ScreenState += 1;
    if (ScreenState == 3)
        CheckScreenFresh = 1;
    InvalidateRect(window, NULL, TRUE);
    TouchPending = 0;
}

bool OnTargetScreen()
{
    return ScreenState == 1 || ScreenState == 2;
}

void OnKey(HWND window, WPARAM key)
{
    if (!OnTargetScreen() || (key != VK_ESCAPE && key != VK_SPACE))
        return;
    RestoreCalibration();
    KillTimer(window, GiveUpTimer);
    DestroyWindow(window);
}

void OnButton(HWND window, HWND button)
{
    if (button == NULL)
        return;
    if (button == OkButton) {
        DestroyWindow(window);
    } else if (button == AdjustAgainButton) {
        ScreenState = 1;
        TouchTaken = 0;
        TouchPending = 0;
        KillTimer(window, GiveUpTimer);
        WriteCalibration(NeutralCalibration);
        SetTimer(window, GiveUpTimer, GiveUpPeriod, NULL);
        InvalidateRect(window, NULL, TRUE);
        ShowWindow(OkButton, SW_HIDE);
        ShowWindow(AdjustAgainButton, SW_HIDE);
        ShowCursor(FALSE);
    }
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
void OnSessionEnd(HWND window)
{
    RestoreUnlessComputed(window);
    DestroyWindow(window);
}

void OnDestroy()
{
    SendReloadRequest();
    SetBeepMode(SavedBeepMode);
    ShowCursor(TRUE);
    DeleteDC(TargetDC);
    DeleteDC(CheckMarkDC);
    DeleteDC(HandDC);
    DeleteObject(TargetBitmap);
    DeleteObject(CheckMarkBitmap);
    DeleteObject(HandBitmap);
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
    case WM_CLOSE:
        // Alt+F4 or the task list; the default handling then destroys.
        RestoreUnlessComputed(window);
        break;
    case WM_ENDSESSION:
        // Only a session that does end; a cancelled one changes nothing.
        if (wParam) {
            OnSessionEnd(window);
            return 0; // the window is gone
        }
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    }
    // Every message goes on to the default handling: creation continues, the
    // class's white brush erases, and a close request destroys the window.
    return DefWindowProcA(window, message, wParam, lParam);
}
