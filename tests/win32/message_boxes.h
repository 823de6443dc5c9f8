// Answers the message boxes a test provokes and records them. A thread-local
// WH_CBT hook sees each box as it is activated, notes its caption and text,
// and presses the scripted button (IDOK when the script has run out).
#pragma once

#include <windows.h>
#include <functional>
#include <string>
#include <vector>

struct SeenBox {
    std::string Caption;
    std::string Text;
    HWND Owner;
};

class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(std::vector<int> answers = {});
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder &) = delete;
    MessageBoxRecorder &operator=(const MessageBoxRecorder &) = delete;

    const std::vector<SeenBox> &Seen() const { return seen_; }

    // Runs as each box appears, before it is answered.
    std::function<void(const SeenBox &)> OnBox;

    // Dialogs that are not message boxes (by caption prefix) go here when
    // they activate, once each, instead of being recorded and answered.
    std::string PagePrefix;
    std::function<void(HWND page, const std::string &caption)> OnPage;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hook_;
    std::vector<int> answers_;
    size_t next_ = 0;
    std::vector<SeenBox> seen_;
};

// Removes the quit message that ending a wizard or the calibration window
// posts to this thread; true if there was one.
bool TakeQuitMessage();
