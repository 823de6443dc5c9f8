// Prints, one a line, the Unix path of each Windows path given, its 8.3
// parts taken to the long names they stand for (GetLongPathNameA), as
// Windows would find the file; a path that names nothing is printed as
// given, and an empty line when a folder on its way is missing. The restart
// model reads names this way while the session still runs.
#include <windows.h>
#include <stdio.h>

int main(int argc, char **argv)
{
    typedef char *(CDECL * UnixName)(const WCHAR *);
    UnixName unixName = reinterpret_cast<UnixName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName)
        return 2;
    for (int i = 1; i < argc; ++i) {
        char longPath[MAX_PATH];
        DWORD length = GetLongPathNameA(argv[i], longPath, MAX_PATH);
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, length > 0 && length < MAX_PATH ? longPath : argv[i], -1,
                            wide, MAX_PATH);
        char *path = unixName(wide);
        printf("%s\n", path ? path : ""); // "": a folder on the way is missing
        if (path)
            HeapFree(GetProcessHeap(), 0, path);
    }
    return 0;
}
