// Prints a shortcut's target, arguments and working directory, one a line,
// read through IShellLinkA as the shell reads it when the user clicks.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <stdio.h>

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    CoInitialize(NULL);
    IShellLinkA *link = NULL;
    IPersistFile *file = NULL;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void **>(&link))) ||
        FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file))))
        return 1;
    WCHAR path[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, argv[1], -1, path, MAX_PATH);
    if (FAILED(file->Load(path, STGM_READ)))
        return 1;
    char text[MAX_PATH];
    WIN32_FIND_DATAA data;
    link->GetPath(text, MAX_PATH, &data, SLGP_RAWPATH);
    printf("%s\n", text);
    link->GetArguments(text, MAX_PATH);
    printf("%s\n", text);
    link->GetWorkingDirectory(text, MAX_PATH);
    printf("%s\n", text);
    file->Release();
    link->Release();
    CoUninitialize();
    return 0;
}
