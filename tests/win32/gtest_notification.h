// GoogleTest's Notification is built on std::mutex, which MinGW's win32
// thread model lacks; this one is a Win32 event. Force-included before
// GoogleTest's headers, which then take it as already provided.
#pragma once
#include <windows.h>

namespace testing {
namespace internal {
class Notification {
public:
    Notification() : event_(CreateEventA(NULL, TRUE, FALSE, NULL)) {}
    ~Notification() { CloseHandle(event_); }
    Notification(const Notification &) = delete;
    Notification &operator=(const Notification &) = delete;
    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};
} // namespace internal
} // namespace testing
#define GTEST_HAS_NOTIFICATION_ 1
