// Prints each shortcut's target, arguments and working directory, one a
// line (three empty lines for one that cannot be read), read through
// IShellLinkA as the shell reads it when the user clicks.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <stdio.h>

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    CoInitialize(NULL);
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        IShellLinkA *link = NULL;
        IPersistFile *file = NULL;
        WCHAR path[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, argv[i], -1, path, MAX_PATH);
        char target[MAX_PATH] = "", arguments[MAX_PATH] = "", folder[MAX_PATH] = "";
        WIN32_FIND_DATAA data;
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER,
                                       IID_IShellLinkA, reinterpret_cast<void **>(&link))) &&
            SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file))) &&
            SUCCEEDED(file->Load(path, STGM_READ))) {
            link->GetPath(target, MAX_PATH, &data, SLGP_RAWPATH);
            link->GetArguments(arguments, MAX_PATH);
            link->GetWorkingDirectory(folder, MAX_PATH);
        } else {
            status = 1;
        }
        printf("%s\n%s\n%s\n", target, arguments, folder);
        if (file)
            file->Release();
        if (link)
            link->Release();
    }
    CoUninitialize();
    return status;
}
