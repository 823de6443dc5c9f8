// The calibration screen driven through its real window procedure under Wine:
// touches, timer ticks, keys and button clicks as messages, checked against
// the store, the beep mode, the state, the cursor and the message boxes.
#include "calibration_fixture.h"
#include "calibration_window.h"
#include "calibrator_state.h"
#include "driver_contract.h"
#include "handle_balance.h"
#include "message_boxes.h"
#include "parameter_access.h"
#include "registry_fixture.h"
#include "resource.h"
#include "resource_check.h"
#include "single_instance.h"

#include <gtest/gtest.h>

namespace {

const CalibrationSet Previous = {11, 22, 33, 44, 1};
const int32_t PreviousBeepMode = 5;
const CalibrationSet Computed = {82, 84, 57, 58, 0}; // from (120, 90) and (680, 500)

int CursorCount()
{
    int count = ShowCursor(FALSE);
    ShowCursor(TRUE);
    return count + 1;
}

class CalibrationScreen : public ::testing::Test {
protected:
    HWND window = NULL;
    int cursorBefore = 0;

    void SetUp() override
    {
        ResetStore();
        PutCalibrationSet(Previous);
        PutDword(HKEY_LOCAL_MACHINE, StoreKeyPath, "BeepMode", PreviousBeepMode);
        cursorBefore = CursorCount();
    }

    void TearDown() override
    {
        if (IsWindow(window))
            DestroyWindow(window);
        TakeQuitMessage();
        while (CursorCount() > cursorBefore)
            ShowCursor(FALSE);
        while (CursorCount() < cursorBefore)
            ShowCursor(TRUE);
    }

    void Create(int width = 800, int height = 600)
    {
        window = StartCalibrationWindow(width, height);
        ASSERT_NE(window, (HWND)NULL);
    }

    void Touch(int x, int y) { SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
    void Tick(UINT_PTR id) { SendMessageA(window, WM_TIMER, id, 0); }
    void Key(WPARAM vk) { SendMessageA(window, WM_KEYDOWN, vk, 0); }
    void Click(HWND button) { SendMessageA(window, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), LPARAM(button)); }
    void Paint()
    {
        InvalidateRect(window, NULL, TRUE);
        UpdateWindow(window);
    }

    // Both touches with their pauses, then the check screen's first paint.
    void ReachCheckScreen()
    {
        Touch(120, 90);
        Tick(PauseTimer);
        Touch(680, 500);
        Tick(PauseTimer);
        ASSERT_EQ(ScreenState, CheckScreen);
        Paint();
    }

    void ExpectEndedWith(const CalibrationSet &set)
    {
        EXPECT_FALSE(IsWindow(window));
        ExpectStoredSet(set);
        EXPECT_EQ(StoreInt("BeepMode"), PreviousBeepMode);
    }
};

TEST(CalibratorResources, BitmapsUnderLanguage2052)
{
    const struct {
        int id;
        LONG w, h;
        WORD bits;
    } bitmaps[] = {{IDB_TARGET, 65, 65, 4}, {IDB_CHECKMARK, 28, 27, 8}, {IDB_HAND, 91, 109, 24},
                   {IDB_PLUS, 30, 30, 4},   {IDB_RINGS, 90, 90, 24}};
    for (const auto &b : bitmaps) {
        BitmapShape shape = BitmapResourceShape(b.id);
        EXPECT_EQ(shape.Width, b.w) << b.id;
        EXPECT_EQ(shape.Height, b.h) << b.id;
        EXPECT_EQ(shape.Bits, b.bits) << b.id;
    }
    EXPECT_NE(FindResourceData(RT_GROUP_ICON, IDI_ZENTRIM), nullptr);
    EXPECT_NE(FindResourceData(RT_VERSION, 1), nullptr);

    // The cross meets at the target's centre pixel, which the screen puts on
    // each target point: the middle lines of both bands run through (32, 32).
    HDC dc = CreateCompatibleDC(NULL);
    HBITMAP target = LoadBitmapA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDB_TARGET));
    SelectObject(dc, target);
    COLORREF middle = GetPixel(dc, 0, 32);
    for (int i = 0; i < 65; ++i)
        if (i != 32) {
            EXPECT_EQ(GetPixel(dc, i, 32), middle) << i;
            EXPECT_EQ(GetPixel(dc, 32, i), middle) << i;
        }
    EXPECT_NE(GetPixel(dc, 32, 32), middle); // the point itself is marked
    EXPECT_NE(GetPixel(dc, 0, 31), middle);  // striped: the next line differs
    EXPECT_EQ(GetPixel(dc, 0, 30), middle);  // five lines wide, 30 to 34
    EXPECT_EQ(GetPixel(dc, 0, 34), middle);
    EXPECT_EQ(GetPixel(dc, 0, 29), RGB(255, 255, 255));
    DeleteDC(dc);
    DeleteObject(target);
}

TEST_F(CalibrationScreen, CreationSavesAndNeutralises)
{
    Create();
    EXPECT_EQ(SavedCalibration.LeftOffset, Previous.LeftOffset);
    EXPECT_EQ(SavedCalibration.SwapXY, Previous.SwapXY);
    EXPECT_EQ(SavedBeepMode, PreviousBeepMode);
    ExpectStoredSet(NeutralCalibration);
    EXPECT_EQ(StoreInt("BeepMode"), CalibrationBeepMode);
    EXPECT_EQ(ScreenState, FirstTargetScreen);
    EXPECT_EQ(TargetWidth, 65);
    EXPECT_EQ(TargetHeight, 65);
    EXPECT_EQ(CursorCount(), cursorBefore - 1);
    EXPECT_FALSE(IsWindowVisible(OkButton));
    EXPECT_FALSE(IsWindowVisible(AdjustAgainButton));
    EXPECT_EQ(GetDlgCtrlID(OkButton), 0);
    EXPECT_EQ(GetDlgCtrlID(AdjustAgainButton), 0);
    EXPECT_TRUE(KillTimer(window, GiveUpTimer)); // armed: the other tests tick it by hand
}

TEST_F(CalibrationScreen, TwoTouchesThenOkKeepTheComputedSet)
{
    Create();
    Touch(120, 90);
    EXPECT_TRUE(TouchPending);
    Touch(300, 300); // during the pause: ignored
    Tick(PauseTimer);
    EXPECT_EQ(ScreenState, SecondTargetScreen);
    EXPECT_EQ(FirstTouch.X, 120);
    EXPECT_EQ(FirstTouch.Y, 90);
    Touch(680, 500);
    Tick(PauseTimer);
    EXPECT_EQ(ScreenState, CheckScreen);
    ExpectStoredSet(NeutralCalibration); // nothing computed before the paint

    Paint();
    ExpectStoredSet(Computed);
    EXPECT_TRUE(IsWindowVisible(OkButton));
    EXPECT_TRUE(IsWindowVisible(AdjustAgainButton));
    EXPECT_EQ(CursorCount(), cursorBefore);

    // A repaint computes nothing again and leaves the cursor alone.
    PutCalibrationSet(NeutralCalibration);
    Paint();
    ExpectStoredSet(NeutralCalibration);
    EXPECT_EQ(CursorCount(), cursorBefore);
    PutCalibrationSet(Computed);

    Touch(10, 10); // on the check screen touches are not recorded
    Key(VK_ESCAPE);
    EXPECT_TRUE(IsWindow(window));
    Tick(GiveUpTimer); // only stops the timer here
    EXPECT_TRUE(IsWindow(window));

    Click(OkButton);
    ExpectEndedWith(Computed);
    EXPECT_EQ(CursorCount(), cursorBefore + 1);
}

TEST_F(CalibrationScreen, AdjustAgainThenGiveUpRestoresTheSetSavedAtCreation)
{
    Create();
    ReachCheckScreen();
    Click(AdjustAgainButton);
    EXPECT_TRUE(KillTimer(window, GiveUpTimer)); // armed again
    EXPECT_EQ(ScreenState, FirstTargetScreen);
    EXPECT_FALSE(TouchTaken);
    ExpectStoredSet(NeutralCalibration);
    EXPECT_FALSE(IsWindowVisible(OkButton)); // the first target screen shows no buttons
    EXPECT_FALSE(IsWindowVisible(AdjustAgainButton));
    EXPECT_EQ(CursorCount(), cursorBefore - 1);
    Tick(PauseTimer); // no touch taken since: nothing
    EXPECT_EQ(ScreenState, FirstTargetScreen);

    Tick(GiveUpTimer);
    ExpectEndedWith(Previous);
}

// A new display size while the screen runs: the window covers it, and the
// calibration starts over at it, wherever it was; the cursor stays hidden
// once. A new colour depth at the same size changes nothing.
TEST_F(CalibrationScreen, ADisplayChangeStartsOverAtTheNewSize)
{
    const struct {
        const char *where;
        int width, height;
        bool checkScreen; // else pausing after the first touch
        ::CalibrationScreen after;
    } cases[] = {
        {"the check screen", 1024, 768, true, FirstTargetScreen},
        {"a pause", 640, 480, false, FirstTargetScreen},
        {"the same size", 800, 600, true, CheckScreen},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.where);
        SetUp();
        Create();
        if (c.checkScreen)
            ReachCheckScreen();
        else
            Touch(120, 90);
        SendMessageA(window, WM_DISPLAYCHANGE, 16, MAKELPARAM(c.width, c.height));
        EXPECT_EQ(ScreenState, c.after);
        RECT r;
        GetWindowRect(window, &r);
        EXPECT_EQ(r.right - r.left, c.width);
        EXPECT_EQ(r.bottom - r.top, c.height);
        if (c.after == CheckScreen) {
            ExpectStoredSet(Computed);
            TearDown();
            continue;
        }
        ExpectStoredSet(NeutralCalibration);
        EXPECT_EQ(CursorCount(), cursorBefore - 1);
        EXPECT_FALSE(IsWindowVisible(OkButton));
        GetWindowRect(OkButton, &r);
        EXPECT_EQ(r.left, c.width / 2 - 105);
        EXPECT_EQ(r.top, c.height / 2 - 30);
        Key(VK_ESCAPE);
        ExpectEndedWith(Previous);
        TearDown();
    }
}

TEST_F(CalibrationScreen, EscapeAndSpaceOnEachTargetScreenRestore)
{
    for (WPARAM key : {WPARAM(VK_ESCAPE), WPARAM(VK_SPACE)})
        for (int state : {1, 2}) {
            SCOPED_TRACE(testing::Message() << "key " << key << " in state " << state);
            SetUp();
            Create();
            if (state == 2) {
                Touch(120, 90);
                Tick(PauseTimer);
            }
            Key('A');
            Key(VK_RETURN);
            EXPECT_TRUE(IsWindow(window));
            Key(key);
            ExpectEndedWith(Previous);
            TearDown();
        }
}

TEST_F(CalibrationScreen, GiveUpDuringThePauseAfterTheSecondTouch)
{
    Create();
    Touch(120, 90);
    Tick(PauseTimer);
    Touch(680, 500);
    Tick(GiveUpTimer);
    ExpectEndedWith(Previous);
    EXPECT_EQ(ScreenState, SecondTargetScreen);
}

TEST_F(CalibrationScreen, CloseRequestOnATargetScreenRestoresLikeEscape)
{
    Create();
    Touch(120, 90);
    Tick(PauseTimer);
    SendMessageA(window, WM_CLOSE, 0, 0);
    ExpectEndedWith(Previous);
}

TEST_F(CalibrationScreen, CloseRequestOnTheCheckScreenKeepsTheComputedSet)
{
    Create();
    ReachCheckScreen();
    SendMessageA(window, WM_CLOSE, 0, 0);
    ExpectEndedWith(Computed);
}

// A log-off or shut-down: the saved set goes back unless the computed one is
// in the store, and the beep mode always does; a cancelled one changes
// nothing. No close request or destruction would follow: the process ends.
TEST_F(CalibrationScreen, SessionEndPutsBackWhatLeavingEarlyWould)
{
    const struct {
        const char *screen;
        int touches;   // each followed by its pause, but for a last half one
        bool pausing;  // one more touch, its pause still running
        bool painted;  // the check screen's first paint, which computes
        bool computed; // what the store then keeps
    } cases[] = {
        {"first target", 0, false, false, false},
        {"pause after the first touch", 0, true, false, false},
        {"second target", 1, false, false, false},
        {"pause after the second touch", 1, true, false, false},
        {"check screen before its computation", 2, false, false, false},
        {"check screen after its computation", 2, false, true, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.screen);
        SetUp();
        Create();
        const int points[2][2] = {{120, 90}, {680, 500}};
        for (int i = 0; i < c.touches + (c.pausing ? 1 : 0); ++i) {
            Touch(points[i][0], points[i][1]);
            if (i < c.touches)
                Tick(PauseTimer);
        }
        if (c.painted)
            Paint();
        EXPECT_TRUE(SendMessageA(window, WM_QUERYENDSESSION, 0, 0));
        SendMessageA(window, WM_ENDSESSION, FALSE, 0); // cancelled
        EXPECT_TRUE(IsWindow(window));
        ExpectStoredSet(c.computed ? Computed : NeutralCalibration);
        EXPECT_EQ(StoreInt("BeepMode"), CalibrationBeepMode);
        SendMessageA(window, WM_ENDSESSION, TRUE, 0);
        ExpectEndedWith(c.computed ? Computed : Previous);
        TearDown();
    }
}

TEST_F(CalibrationScreen, SessionEndWithoutAStoreKeyCreatesNone)
{
    RemoveStore();
    MessageBoxRecorder boxes;
    Create();
    SendMessageA(window, WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(boxes.Seen().size(), 3u); // as any end: the beep mode cannot go back
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, StoreKeyPath));
}

// A second start finds the copy that runs, brings its window forward and
// must then end without touching anything.
TEST(SecondCalibrator, BringsTheFirstForward)
{
    ExpectHandlesKeptOpen("Mutant", 3); // each check's mutex, held until the process ends
    EXPECT_FALSE(AnotherCalibratorRuns()); // this process is now the one that runs
    ResetStore();
    HWND first = StartCalibrationWindow(800, 600);
    ASSERT_NE(first, (HWND)NULL);
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, NULL,
                                 NULL, NULL, NULL);
    SetForegroundWindow(other);
    EXPECT_TRUE(AnotherCalibratorRuns());
    EXPECT_EQ(GetForegroundWindow(), first);
    // Still being created, not yet shown: left where it is, so as not to take
    // the activation from an error box its creation may show.
    ShowWindow(first, SW_HIDE);
    SetForegroundWindow(other);
    EXPECT_TRUE(AnotherCalibratorRuns());
    EXPECT_EQ(GetForegroundWindow(), other);
    DestroyWindow(other);
    DestroyWindow(first);
    TakeQuitMessage();
}

TEST_F(CalibrationScreen, NoStoreKeyTellsTwiceAtCreationAndOnceAtTheEnd)
{
    RemoveStore();
    MessageBoxRecorder boxes;
    Create();
    ASSERT_EQ(boxes.Seen().size(), 2u);
    ReachCheckScreen(); // runs all the same
    Click(OkButton);
    EXPECT_FALSE(IsWindow(window));
    ASSERT_EQ(boxes.Seen().size(), 3u);
    for (const SeenBox &box : boxes.Seen()) {
        EXPECT_EQ(box.Caption, "Error");
        EXPECT_EQ(box.Text, "Open Registry error!!!");
        EXPECT_EQ(box.Owner, (HWND)NULL);
    }
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, StoreKeyPath));
}

TEST_F(CalibrationScreen, MissingSwapXYIsSavedAsZeroAndRestoredSo)
{
    ResetStore();
    PutCalibrationSet(Previous);
    HKEY key;
    ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, StoreKeyPath, &key), ERROR_SUCCESS);
    RegDeleteValueA(key, "SwapXY");
    RegDeleteValueA(key, "BeepMode");
    RegCloseKey(key);
    SavedCalibration = {};
    Create();
    Key(VK_ESCAPE);
    ExpectStoredSet({11, 22, 33, 44, 0});
    // A missing "BeepMode" is put back as the setup's default.
    EXPECT_EQ(StoreInt("BeepMode"), 2);
}

} // namespace
