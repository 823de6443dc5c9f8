// Presses a button of a top-level window, found by its title, by the
// button's control id: message boxes are labelled in the system's language,
// so their buttons are driven by id, not by text. Runs in the desktop of
// the window it presses. Exit code 0 when the button was pressed; a
// negative id only waits, up to 30 seconds, for that button to be enabled.
// With a third argument, a message box's text is first added to that file
// as a line (a console program started in a Wine 10 desktop has no output
// of its own to print to).
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char **argv)
{
    if (argc != 3 && argc != 4)
        return 2;
    int id = atoi(argv[2]);
    const bool waitOnly = id < 0;
    if (waitOnly)
        id = -id;
    for (int tries = 0; tries < 300; ++tries) {
        HWND window = FindWindowA(NULL, argv[1]);
        HWND button = window ? GetDlgItem(window, id) : NULL;
        if (button && IsWindowEnabled(button) && waitOnly)
            return 0;
        if (button && IsWindowEnabled(button)) {
            char text[1024] = "";
            GetDlgItemTextA(window, 0xFFFF, text, sizeof text); // a message box's text
            if (FILE *log = argc == 4 ? fopen(argv[3], "a") : NULL) {
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
