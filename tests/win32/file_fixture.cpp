#include "file_fixture.h"

void PutFile(const std::string &path, const std::string &content, DWORD attributes)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (f == INVALID_HANDLE_VALUE)
        return;
    DWORD written;
    WriteFile(f, content.data(), DWORD(content.size()), &written, NULL);
    CloseHandle(f);
    if (attributes)
        SetFileAttributesA(path.c_str(), attributes);
}

std::string ShortName(const std::string &path)
{
    char name[MAX_PATH] = "";
    GetShortPathNameA(path.c_str(), name, MAX_PATH);
    return name;
}

std::string FileText(const std::string &path)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                           OPEN_EXISTING, 0, NULL);
    if (f == INVALID_HANDLE_VALUE)
        return "";
    std::string text;
    char buffer[4096];
    DWORD got;
    while (ReadFile(f, buffer, sizeof buffer, &got, NULL) && got > 0)
        text.append(buffer, got);
    CloseHandle(f);
    return text;
}

bool FileExists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::string &path)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    if (!RemoveDirectoryA(path.c_str())) { // or a file of that name
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
}

void MakeDir(const std::string &path)
{
    CreateDirectoryA(path.c_str(), NULL);
}

const char *const PackageFiles[7] = {"install.exe", "Zentrim.exe", "kaltex.inf", "kaltex.vxd",
                                     "quinpad1.0.cpl", "nilpt.cur", "brevin.txt"};

void PutPackageFiles(const std::string &folder, const std::string &prefix)
{
    for (const char *name : PackageFiles)
        PutFile(folder + "\\" + name, prefix + name);
}
