// The main of every Wine test program: GoogleTest's, with the handle check
// around each test and a stand-in for the driver's control device.
#include "driver_contract.h"
#include "handle_balance.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The driver's control device, \\.\Kestrune, is under Wine whatever the
// prefix's dosdevices folder holds under that name: a plain file there
// stands in, so that each reload request really opens and closes it
// (DeviceIoControl on it fails, which the calibrator ignores). "" when the
// prefix is unknown or the file cannot be made or opened as the device.
std::string PutControlDeviceStandIn()
{
    const char *prefix = std::getenv("WINEPREFIX");
    if (!prefix || prefix[0] != '/')
        return "";
    std::string path = std::string("Z:") + prefix + "/dosdevices/kestrune";
    std::replace(path.begin(), path.end(), '/', '\\');
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return "";
    CloseHandle(file);
    HANDLE device = CreateFileA(ControlDevicePath, GENERIC_READ | GENERIC_WRITE, 0, NULL,
                                OPEN_EXISTING, 0, NULL);
    if (device == INVALID_HANDLE_VALUE)
        return "";
    CloseHandle(device);
    return path;
}

} // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    OpenWhatStaysOpen();
    std::string broken = HandleCheckBroken();
    if (!broken.empty()) {
        std::fprintf(stderr, "no handle check: %s\n", broken.c_str());
        return 1;
    }
    const std::string device = PutControlDeviceStandIn();
    if (device.empty()) {
        std::fprintf(stderr, "no stand-in for the control device in the prefix's dosdevices\n");
        return 1;
    }
    testing::UnitTest::GetInstance()->listeners().Append(NewHandleBalance());
    int result = RUN_ALL_TESTS();
    DeleteFileA(device.c_str());
    return result;
}
