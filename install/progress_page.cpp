#include "device_registration.h"
#include "driver_contract.h"
#include "file_deployment.h"
#include "hand_off.h"
#include "install_files.h"
#include "progress_page.h"
#include "resource.h"
#include "restart_reconcile.h"
#include "setup_registry.h"
#include "setup_state.h"
#include "shortcuts.h"
#include "wizard_pages.h"

namespace {

const UINT_PTR StepTimer = 1;
const UINT FirstStepDelay = 100;
const UINT NextStepDelay = 200;

struct InstallStepEntry {
    int Line;
    const char *Failure;
};

const InstallStepEntry Steps[InstallStepCount] = {
    {IDC_LINE_DEVICE, "Setup driver fail!! err=%d"},
    {IDC_LINE_FILES, "Setup file fail!! err=%d"},
    {IDC_LINE_SHORTCUTS, "Create shutcut fail!! err=%d"},
};
const int StepCount = InstallStepCount;

void OfferFinish(HWND page)
{
    EnableWindow(GetDlgItem(page, IDCANCEL), FALSE);
    EnableWindow(GetDlgItem(page, IDC_FINISH), TRUE);
    // The focus was on "Cancel", now disabled: give it to "Finish", so that
    // Enter finishes as the default button suggests.
    SendMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(page, IDC_FINISH)), TRUE);
}

void OnTick(HWND page)
{
    KillTimer(page, StepTimer);
    if (InstallStep >= 0 && InstallStep < StepCount) {
        const InstallStepEntry &step = Steps[InstallStep];
        EnableWindow(GetDlgItem(page, step.Line), TRUE);
        // Before the first change: what an earlier run left for the restart
        // must not undo this installation there.
        if ((InstallStep != 0 || ReconcileRestartQueue(false)) &&
            InstallStepFunctions[InstallStep](page) >= StepDone) {
            SetTimer(page, StepTimer, NextStepDelay, NULL);
        } else {
            DWORD error = GetLastError();
            char text[64]; // the longest format with any 32-bit value
            wsprintfA(text, step.Failure, int(error));
            MessageBoxA(page, text, "Error", MB_OK);
            OfferFinish(page);
        }
    } else if (InstallStep == StepCount) {
        OfferFinish(page);
    }
    InstallStep += 1;
}

void OnFinish(HWND page)
{
    EndDialog(page, IDC_FINISH);
    if (InstallStep > StepCount) {
        WriteHandOff();
        if (MessageBoxA(page,
                        "To make the installation valid, you must restart your computer. Restart now?",
                        "Message", MB_YESNO) == IDYES) {
            MessageBoxA(page, "Please remove all floppy disks and CDs.", "Message", MB_OK);
            ExitWindowsEx(EWX_REBOOT, 0);
        }
    }
    PostQuitMessage(0);
    EndDialog(page, IDC_FINISH);
}

// Windows' dialog manager sends no Cancel command for a disabled "Cancel"
// (the close box or Escape after the sequence ended); Wine sends it anyway.
void OnCancel(HWND page)
{
    if (!IsWindowEnabled(GetDlgItem(page, IDCANCEL)))
        return;
    if (MessageBoxA(page, "Are you sure to break setup process?", "Message", MB_YESNO) == IDYES) {
        KillTimer(page, StepTimer);
        PostQuitMessage(0);
        EndDialog(page, IDCANCEL);
    }
}

void OnProgressPageInit(HWND page)
{
    CenterWizardPage(page);
    ResolveInstallPaths();
    SetTimer(page, StepTimer, FirstStepDelay, NULL);
}

// The page's buttons, by their id; false for any other.
bool OnProgressCommand(HWND page, int id)
{
    switch (id) {
    case IDC_FINISH:
        OnFinish(page);
        return true;
    case IDCANCEL:
        OnCancel(page);
        return true;
    }
    return false;
}

} // namespace

int (*InstallStepFunctions[InstallStepCount])(HWND page) = {RegisterTouchDevice, DeployFiles,
                                                            CreateShortcuts};

INT_PTR CALLBACK ProgressPageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnProgressPageInit(page);
        return TRUE;
    case WM_TIMER:
        OnTick(page);
        return FALSE;
    case WM_COMMAND:
        return OnProgressCommand(page, LOWORD(wParam));
    }
    return FALSE;
}
