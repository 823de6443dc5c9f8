// The wizard pages with their real templates under Wine: each page runs
// modally as in the program, driven through a hook that acts when a page
// activates and answers the message boxes.
#include "driver_contract.h"
#include "message_boxes.h"
#include "registry_fixture.h"
#include "resource.h"
#include "setup_state.h"
#include "wizard_pages.h"

#include <gtest/gtest.h>

namespace {

const char SerialPorts[] = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
const std::string PortCaption = "Velmora Touchscreen Setup (TouchScreen Port Selection)";
const std::string WelcomeCaption = "Velmora Touchscreen Setup (Welcome)";

// Recreates the port list key (volatile, as every key under HARDWARE is).
// Wine enumerates values by name, so the names fix the order.
void SetSerialPorts(const std::vector<std::pair<std::string, std::string>> &values)
{
    ASSERT_TRUE(DeleteTree(HKEY_LOCAL_MACHINE, SerialPorts));
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, SerialPorts, 0, NULL, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, NULL, &key, NULL),
              ERROR_SUCCESS);
    for (const auto &v : values)
        RegSetValueExA(key, v.first.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE *>(v.second.c_str()), DWORD(v.second.size() + 1));
    RegCloseKey(key);
}

std::vector<std::string> ListItems(HWND page)
{
    std::vector<std::string> items;
    HWND list = GetDlgItem(page, IDC_PORT_LIST);
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[300] = {};
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

void Press(HWND page, int id)
{
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

class Wizard : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppInstance = GetModuleHandleA(NULL);
        ScreenWidth = 1024;
        ScreenHeight = 768;
        // One backdrop for all: destroying a window under Wine takes seconds.
        static HWND backdrop = CreateWindowExA(0, "STATIC", "backdrop", WS_POPUP | WS_VISIBLE, 0,
                                               0, 1024, 768, NULL, NULL, NULL, NULL);
        MainWindow = backdrop;
        InstallStep = 99; // ticks of a progress page opened here do nothing
        SelectedPort = -7;
        TakeQuitMessage();
    }
    void TearDown() override { TakeQuitMessage(); }

    // Runs the port page until the chain ends; the progress page it may open
    // is cancelled at once.
    void RunPortPage(MessageBoxRecorder &boxes)
    {
        boxes.PagePrefix = "Velmora Touchscreen Setup";
        auto onPage = boxes.OnPage;
        boxes.OnPage = [&, onPage](HWND page, const std::string &caption) {
            if (caption == "Velmora Touchscreen Setup (Progressing...)")
                Press(page, IDCANCEL);
            else
                onPage(page, caption);
        };
        DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_PORT), MainWindow, PortPageProc, 0);
        EXPECT_TRUE(TakeQuitMessage());
    }
};

struct PortCase {
    const char *what;
    std::vector<std::pair<std::string, std::string>> values;
    std::vector<std::string> listed;
    int selectedPort;
};

TEST_F(Wizard, PortListAndSelectedPort)
{
    const PortCase cases[] = {
        {"COM1 and COM2", {{"a", "COM1"}, {"b", "COM2"}}, {"COM1", "COM2"}, 1},
        {"sorted by text", {{"a", "COM2"}, {"b", "COM10"}}, {"COM10", "COM2"}, 10},
        {"a value without the prefix ends the list",
         {{"a", "COM1"}, {"b", "\\Device\\Serial1"}, {"c", "COM3"}}, {"COM1"}, 1},
        {"any case", {{"a", "cOm4"}}, {"cOm4"}, 4},
        {"a 300-byte value ends the list", {{"a", "COM5"}, {"b", "COM" + std::string(297, '6')}},
         {"COM5"}, 5},
        {"a 300-character name ends the list", {{"a", "COM5"}, {std::string(300, 'n'), "COM6"}},
         {"COM5"}, 5},
    };
    for (const PortCase &c : cases) {
        SCOPED_TRACE(c.what);
        SetSerialPorts(c.values);
        std::vector<std::string> listed;
        LRESULT selection = -2;
        MessageBoxRecorder boxes({IDYES}); // "Are you sure to break setup process?"
        boxes.OnPage = [&](HWND page, const std::string &) {
            listed = ListItems(page);
            selection = SendDlgItemMessageA(page, IDC_PORT_LIST, LB_GETCURSEL, 0, 0);
            Press(page, IDC_NEXT);
        };
        RunPortPage(boxes);
        EXPECT_EQ(listed, c.listed);
        EXPECT_EQ(selection, 0);
        EXPECT_EQ(SelectedPort, c.selectedPort);
        ASSERT_EQ(boxes.Seen().size(), 1u);
        EXPECT_EQ(boxes.Seen()[0].Text, "Are you sure to break setup process?");
    }
}

// Windows 98 may name its ports only in their hardware keys: they fill the
// list when SERIALCOMM gives none, each once, and never beside it.
TEST_F(Wizard, PortListFromTheDeviceTree)
{
    const std::pair<std::string, std::string> tree[] = {
        {"Enum\\Root\\*PNP0500\\0000", "COM3"}, {"Enum\\BIOS\\*PNP0501\\0C", "com1"},
        {"Enum\\PCI\\VEN_1415\\BUS_00", "COM3"}, {"Enum\\BIOS\\*PNP0400\\0D", "LPT1"},
        {"Enum\\Root\\VelmoraDeep\\0000\\Sub", "COM7"}};
    for (const auto &key : tree)
        PutRaw(HKEY_LOCAL_MACHINE, key.first.c_str(), "PortName", REG_SZ, key.second.c_str(),
               DWORD(key.second.size()));
    const PortCase cases[] = {
        {"no SERIALCOMM", {}, {"com1", "COM3"}, 1},
        {"SERIALCOMM names no COM port", {{"a", "\\Device\\Serial1"}}, {"com1", "COM3"}, 1},
        {"SERIALCOMM lists one", {{"a", "COM2"}}, {"COM2"}, 2},
    };
    for (const PortCase &c : cases) {
        SCOPED_TRACE(c.what);
        if (c.values.empty())
            ASSERT_TRUE(DeleteTree(HKEY_LOCAL_MACHINE, SerialPorts));
        else
            SetSerialPorts(c.values);
        std::vector<std::string> listed;
        MessageBoxRecorder boxes({IDYES});
        boxes.OnPage = [&](HWND page, const std::string &) {
            listed = ListItems(page);
            Press(page, IDC_NEXT);
        };
        RunPortPage(boxes);
        EXPECT_EQ(listed, c.listed);
        EXPECT_EQ(SelectedPort, c.selectedPort);
    }
    for (const char *root : {"Enum\\Root\\*PNP0500", "Enum\\BIOS\\*PNP0501",
                             "Enum\\PCI\\VEN_1415", "Enum\\BIOS\\*PNP0400", "Enum\\Root\\VelmoraDeep"})
        DeleteTree(HKEY_LOCAL_MACHINE, root);
    SetSerialPorts({{"COM1", "COM1"}});
}

TEST_F(Wizard, NextOnAnEmptyListStaysOnThePage)
{
    ASSERT_TRUE(DeleteTree(HKEY_LOCAL_MACHINE, SerialPorts)); // no key at all
    MessageBoxRecorder boxes;
    HWND portPage = NULL;
    boxes.OnPage = [&](HWND page, const std::string &) {
        portPage = page;
        EXPECT_TRUE(ListItems(page).empty());
        Press(page, IDC_NEXT);
    };
    boxes.OnBox = [&](const SeenBox &) { Press(portPage, IDCANCEL); };
    RunPortPage(boxes);
    ASSERT_EQ(boxes.Seen().size(), 1u); // the warning, and no progress page
    EXPECT_EQ(boxes.Seen()[0].Owner, portPage);
    EXPECT_EQ(SelectedPort, -7);
}

TEST_F(Wizard, PreviousThenNextRefillsTheList)
{
    SetSerialPorts({{"a", "COM1"}, {"b", "COM2"}});
    std::vector<std::string> second;
    LRESULT secondSelection = -2;
    int portVisits = 0;
    MessageBoxRecorder boxes;
    boxes.OnPage = [&](HWND page, const std::string &caption) {
        if (caption == WelcomeCaption) {
            Press(page, IDC_NEXT);
        } else if (++portVisits == 1) {
            SendDlgItemMessageA(page, IDC_PORT_LIST, LB_SETCURSEL, 1, 0);
            SetSerialPorts({{"a", "COM1"}, {"b", "COM2"}, {"c", "COM9"}});
            Press(page, IDC_PREVIOUS);
        } else {
            second = ListItems(page);
            secondSelection = SendDlgItemMessageA(page, IDC_PORT_LIST, LB_GETCURSEL, 0, 0);
            Press(page, IDCANCEL);
        }
    };
    RunPortPage(boxes);
    EXPECT_EQ(portVisits, 2);
    EXPECT_EQ(second, (std::vector<std::string>{"COM1", "COM2", "COM9"}));
    EXPECT_EQ(secondSelection, 0);
}

// Where a page stands with and without centring: the difference is the shift.
RECT PlainPage;

// The Welcome template opened without centring; a dialog procedure has the
// platform's calling convention, which a lambda lacks on i686.
INT_PTR CALLBACK PlainPageProc(HWND page, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    GetWindowRect(page, &PlainPage);
    EndDialog(page, 0);
    return TRUE;
}

TEST_F(Wizard, PagesShiftTowardsTheMiddle)
{
    static RECT centred;
    DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_WELCOME), MainWindow, PlainPageProc, 0);
    MessageBoxRecorder boxes;
    boxes.OnPage = [&](HWND page, const std::string &) {
        GetWindowRect(page, &centred);
        Press(page, IDCANCEL);
    };
    boxes.PagePrefix = "Velmora";
    DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_WELCOME), MainWindow, WelcomePageProc, 0);
    EXPECT_TRUE(TakeQuitMessage());
    EXPECT_EQ(centred.left - PlainPage.left, 212);
    EXPECT_EQ(centred.top - PlainPage.top, 84);
    EXPECT_EQ(centred.right - centred.left, PlainPage.right - PlainPage.left);
}

} // namespace
