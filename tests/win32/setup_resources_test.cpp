// The setup program's resources as Windows reads them: strings, the
// accelerators, the menu, the About box, and every page template's controls
// in template order with their ids, classes, texts, styles and rectangles.
#include "main_window.h"
#include "message_boxes.h"
#include "resource.h"
#include "resource_check.h"
#include "setup_state.h"
#include "wizard_pages.h"

#include <gtest/gtest.h>

namespace {

HINSTANCE Self() { return GetModuleHandleA(NULL); }

TEST(SetupResources, StringsAcceleratorsAndMenu)
{
    const struct {
        UINT id;
        const char *text;
    } strings[] = {{103, "Velmora TouchScreen Driver Setup"}, {109, "INSTALL"}, {110, "quinpad1.0.cpl"}};
    for (const auto &s : strings) {
        char text[100];
        LoadStringA(Self(), s.id, text, sizeof text);
        EXPECT_STREQ(text, s.text);
    }

    HACCEL table = LoadAcceleratorsA(Self(), MAKEINTRESOURCEA(IDA_MAIN));
    ACCEL entries[4];
    ASSERT_EQ(CopyAcceleratorTableA(table, entries, 4), 2);
    const char keys[] = {'?', '/'};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(entries[i].key, keys[i]);
        EXPECT_EQ(entries[i].cmd, IDM_ABOUT);
        EXPECT_EQ(entries[i].fVirt & ~0x80, FALT); // a character entry: no FVIRTKEY
    }

    HMENU menu = LoadMenuA(Self(), MAKEINTRESOURCEA(IDM_MAIN));
    ASSERT_NE(menu, (HMENU)NULL);
    EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 0), 0), UINT(IDM_EXIT));
    EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 1), 0), UINT(IDM_ABOUT));
    DestroyMenu(menu);
}

TEST(SetupResources, ArtUnderLanguage2052)
{
    const struct {
        int id;
        LONG w, h;
        WORD bits;
    } bitmaps[] = {{IDB_SIDE, 120, 262, 4}, {IDB_LOGO, 248, 88, 24}};
    for (const auto &b : bitmaps) {
        BitmapShape shape = BitmapResourceShape(b.id);
        EXPECT_EQ(shape.Width, b.w) << b.id;
        EXPECT_EQ(shape.Height, b.h) << b.id;
        EXPECT_EQ(shape.Bits, b.bits) << b.id;
    }
    for (int icon : {IDI_SETUP, IDI_SETUP_SMALL})
        EXPECT_NE(FindResourceData(RT_GROUP_ICON, icon), nullptr) << icon;
    for (int dialog : {IDD_ABOUT, IDD_WELCOME, IDD_PORT, IDD_PROGRESS})
        EXPECT_NE(FindResourceData(RT_DIALOG, dialog), nullptr) << dialog;
    EXPECT_NE(FindResourceData(RT_VERSION, 1), nullptr);
}

// The About box as the backdrop opens it, on Alt+? or Alt+/, and each of its
// two buttons ending it.
TEST(SetupResources, AboutCommandOpensTheBoxItsButtonsEnd)
{
    AppInstance = Self();
    lstrcpyA(MainClassName, "INSTALL");
    RegisterMainClass(Self());
    HWND backdrop = CreateWindowExA(0, MainClassName, "", WS_OVERLAPPED, 0, 0, 200, 100, NULL, NULL,
                                    Self(), NULL);
    ASSERT_NE(backdrop, (HWND)NULL);
    KillTimer(backdrop, 1); // no wizard meanwhile
    for (int button : {IDOK, IDCANCEL}) {
        MessageBoxRecorder boxes;
        boxes.PagePrefix = "About";
        int opened = 0;
        boxes.OnPage = [&](HWND about, const std::string &) {
            ++opened;
            PostMessageA(about, WM_COMMAND, button, 0);
        };
        SendMessageA(backdrop, WM_COMMAND, IDM_ABOUT, 0); // returns once the box has ended
        EXPECT_EQ(opened, 1) << button;
    }
    DestroyWindow(backdrop);
    TakeQuitMessage();
}

struct Control {
    int id;
    const char *cls, *text;
    DWORD style; // the bits that must be set
    RECT units;  // x, y, width, height in dialog units
};

const DWORD Bitmap = SS_BITMAP | WS_BORDER;
// WS_VSCROLL too, which the list box itself drops while nothing needs scrolling.
const DWORD List = WS_BORDER | WS_TABSTOP | LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;

struct Template {
    int id;
    const char *caption;
    std::vector<Control> controls;
};

const Template Templates[] = {
    {IDD_WELCOME, "Velmora Touchscreen Setup (Welcome)",
     {{1002, "Button", "Next", BS_DEFPUSHBUTTON | WS_TABSTOP, {103, 159, 50, 14}},
      {2, "Button", "Cancel", WS_TABSTOP, {177, 159, 50, 14}},
      {-1, "Static", "Welcome to use Velmora touchscreen for windows 98/me. This program will install the drivers of our touchscreen on your computer.", WS_GROUP, {75, 13, 185, 27}},
      {-1, "Static", "Tips: It is strongly recommended that you exit all windows programs before running this setup program.", WS_GROUP, {73, 111, 194, 19}},
      {-1, "Static", "Press \"Next\" to continue, \"Cancel\" to exit this setup.", WS_GROUP, {73, 131, 187, 13}},
      {-1, "Static", nullptr, Bitmap, {7, 15, 61, 132}},
      {-1, "Static", nullptr, Bitmap, {74, 41, 192, 65}}}},
    {IDD_PORT, "Velmora Touchscreen Setup (TouchScreen Port Selection)",
     {{1002, "Button", "Next", BS_DEFPUSHBUTTON | WS_TABSTOP, {130, 159, 43, 14}},
      {2, "Button", "Cancel", WS_TABSTOP, {191, 159, 50, 14}},
      {-1, "Static", nullptr, Bitmap, {7, 15, 61, 132}},
      {1000, "ListBox", "", List, {79, 53, 180, 70}},
      {-1, "Static", "This type of touchscreen controller uses RS232 interface to communicate with the computer. The COM ports existing in your computer are listed as follows, please select the COM port which your controller is attached to.", WS_GROUP, {79, 14, 194, 35}},
      {-1, "Static", "Tips: If you have selected the wrong COM port, your touchscreen can't work correctly. You can use the touchscreen control panel to change it.", WS_GROUP, {79, 125, 181, 24}},
      {1001, "Button", "Previous", WS_TABSTOP, {82, 159, 39, 14}}}},
    {IDD_PROGRESS, "Velmora Touchscreen Setup (Progressing...)",
     {{1003, "Button", "Finish", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_DISABLED, {110, 159, 50, 14}},
      {2, "Button", "Cancel", WS_TABSTOP, {178, 159, 50, 14}},
      {-1, "Static", nullptr, Bitmap, {7, 15, 60, 131}},
      {-1, "Static", "Setup Program is doing the following setup procedure on your computer. Please Wait...", WS_GROUP, {80, 14, 186, 19}},
      {1004, "Static", ">> Adding touchscreen Device on your computer", WS_GROUP | WS_DISABLED, {84, 49, 183, 19}},
      {1005, "Static", ">> Adding Driver files on your computer", WS_GROUP | WS_DISABLED, {83, 73, 181, 21}},
      {1006, "Static", ">> Creating shutcut links of applications", WS_GROUP | WS_DISABLED, {83, 100, 180, 22}}}},
};

INT_PTR CALLBACK PlainPage(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

TEST(SetupResources, PageTemplatesControlByControl)
{
    for (const Template &t : Templates) {
        SCOPED_TRACE(t.caption);
        HWND page = CreateDialogParamA(Self(), MAKEINTRESOURCEA(t.id), NULL, PlainPage, 0);
        ASSERT_NE(page, (HWND)NULL);
        char text[512];
        GetWindowTextA(page, text, sizeof text);
        EXPECT_STREQ(text, t.caption);
        DWORD pageStyle = DWORD(GetWindowLongA(page, GWL_STYLE));
        EXPECT_EQ(pageStyle & (WS_POPUP | WS_CAPTION | WS_SYSMENU), DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU));
        RECT size = {0, 0, 280, 180}, client;
        MapDialogRect(page, &size);
        GetClientRect(page, &client);
        EXPECT_EQ(client.right, size.right);
        EXPECT_EQ(client.bottom, size.bottom);

        HWND child = GetWindow(page, GW_CHILD);
        for (const Control &c : t.controls) {
            SCOPED_TRACE(c.id);
            ASSERT_NE(child, (HWND)NULL);
            EXPECT_EQ(GetDlgCtrlID(child) & 0xFFFF, c.id & 0xFFFF); // the template holds 16 bits
            char cls[32];
            GetClassNameA(child, cls, sizeof cls);
            EXPECT_EQ(lstrcmpiA(cls, c.cls), 0) << cls;
            if (c.text) {
                GetWindowTextA(child, text, sizeof text);
                EXPECT_STREQ(text, c.text);
            }
            DWORD style = DWORD(GetWindowLongA(child, GWL_STYLE));
            // The dialog manager draws a bordered control in 3D: the border
            // may come back as a client edge.
            if (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)
                style |= WS_BORDER;
            if (lstrcmpiA(c.cls, "Button") == 0) {
                EXPECT_EQ(style & 0xF, c.style & 0xF); // push or default push
            }
            EXPECT_EQ(style & (c.style & ~0xFu), c.style & ~0xFu);
            RECT want = c.units; // each of the four values maps on its own
            MapDialogRect(page, &want);
            RECT got;
            GetWindowRect(child, &got);
            MapWindowPoints(NULL, page, reinterpret_cast<POINT *>(&got), 2);
            EXPECT_EQ(got.left, want.left);
            EXPECT_EQ(got.top, want.top);
            if ((style & SS_TYPEMASK) != SS_BITMAP || lstrcmpiA(cls, "Static") != 0) {
                EXPECT_EQ(got.right - got.left, want.right); // a bitmap static takes its picture's size
                EXPECT_EQ(got.bottom - got.top, want.bottom);
            }
            child = GetWindow(child, GW_HWNDNEXT);
        }
        EXPECT_EQ(child, (HWND)NULL);
        DestroyWindow(page);
    }
}

} // namespace
