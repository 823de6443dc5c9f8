// press_button DESKTOP TITLE ID [LOG]: presses a button of a top-level
// window of that Wine desktop, found by its title, by the button's control
// id: message boxes are labelled in the system's language, so their buttons
// are driven by id, not by text. Exit code 0 when the button was pressed, 1
// when it was not there within 30 seconds, 3 when the desktop could not be
// joined; a negative id only waits for that button to be enabled. With LOG,
// a message box's text is first added to that file as a line.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char **argv)
{
    if (argc != 4 && argc != 5)
        return 2;
    // First: a thread joins a desktop only while it has no window and no hook.
    HDESK desktop = OpenDesktopA(argv[1], 0, FALSE, GENERIC_ALL);
    if (!desktop || !SetThreadDesktop(desktop))
        return 3;
    const char *title = argv[2];
    int id = atoi(argv[3]);
    const bool waitOnly = id < 0;
    if (waitOnly)
        id = -id;
    for (int tries = 0; tries < 300; ++tries) {
        HWND window = FindWindowA(NULL, title);
        HWND button = window ? GetDlgItem(window, id) : NULL;
        if (button && IsWindowEnabled(button) && waitOnly)
            return 0;
        if (button && IsWindowEnabled(button)) {
            char text[1024] = "";
            GetDlgItemTextA(window, 0xFFFF, text, sizeof text); // a message box's text
            if (FILE *log = argc == 5 ? fopen(argv[4], "a") : NULL) {
                fprintf(log, "%s\n", text);
                fclose(log);
            }
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(button));
            return 0;
        }
        Sleep(100);
    }
    return 1;
}
