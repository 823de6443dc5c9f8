#include "message_boxes.h"

namespace {

MessageBoxRecorder *Active;

// Pages are handed on from a thread timer, once their creation (and the
// filling their WM_INITDIALOG does) is over: they activate before that.
std::vector<std::pair<HWND, std::string>> PendingPages;

void CALLBACK HandPagesOn(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(NULL, id);
    std::vector<std::pair<HWND, std::string>> pages;
    pages.swap(PendingPages);
    for (const auto &p : pages)
        if (Active && Active->OnPage && IsWindow(p.first))
            Active->OnPage(p.first, p.second);
}

BOOL CALLBACK FindText(HWND child, LPARAM lParam)
{
    char cls[32], text[1024];
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0 && GetWindowTextA(child, text, sizeof text) > 0) {
        *reinterpret_cast<std::string *>(lParam) = text;
        return FALSE;
    }
    return TRUE;
}

} // namespace

MessageBoxRecorder::MessageBoxRecorder(std::vector<int> answers) : answers_(std::move(answers))
{
    Active = this;
    hook_ = SetWindowsHookExA(WH_CBT, Hook, NULL, GetCurrentThreadId());
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    UnhookWindowsHookEx(hook_);
    Active = nullptr;
}

LRESULT CALLBACK MessageBoxRecorder::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && Active) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char cls[32];
        GetClassNameA(box, cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0 && !GetPropA(box, "velmora.seen")) {
            SetPropA(box, "velmora.seen", reinterpret_cast<HANDLE>(1));
            SeenBox seen;
            char caption[256];
            GetWindowTextA(box, caption, sizeof caption);
            seen.Caption = caption;
            if (!Active->PagePrefix.empty() && seen.Caption.rfind(Active->PagePrefix, 0) == 0) {
                PendingPages.push_back({box, seen.Caption});
                SetTimer(NULL, 0, 10, HandPagesOn);
                return CallNextHookEx(NULL, code, wParam, lParam);
            }
            EnumChildWindows(box, FindText, reinterpret_cast<LPARAM>(&seen.Text));
            seen.Owner = GetWindow(box, GW_OWNER);
            Active->seen_.push_back(seen);
            if (Active->OnBox)
                Active->OnBox(seen);
            int answer = Active->next_ < Active->answers_.size() ? Active->answers_[Active->next_++]
                                                                 : IDOK;
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
        }
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

bool TakeQuitMessage()
{
    MSG msg;
    bool quit = false;
    while (PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE))
        quit = true;
    return quit;
}
