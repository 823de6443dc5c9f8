// Holds a file open, shared with no one, as an open Control Panel holds its
// applet, until the session ends; the second file is made once it holds it.
#include <windows.h>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    HANDLE held = CreateFileA(argv[1], GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (held == INVALID_HANDLE_VALUE)
        return 1;
    CloseHandle(CreateFileA(argv[2], GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    Sleep(INFINITE);
    return 0;
}
