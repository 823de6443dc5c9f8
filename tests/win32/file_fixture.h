// File-system set-up and inspection for the Wine tests.
#pragma once

#include <windows.h>
#include <string>

void PutFile(const std::string &path, const std::string &content, DWORD attributes = 0);
std::string FileText(const std::string &path); // "" when missing
bool FileExists(const std::string &path);
std::string ShortName(const std::string &path); // the 8.3 form, "" when missing
void RemoveTree(const std::string &path); // a folder and everything below it, or a file
void MakeDir(const std::string &path);

// The files of a package folder that the install steps copy; each is written
// with its name after the prefix as its contents.
extern const char *const PackageFiles[7];
void PutPackageFiles(const std::string &folder, const std::string &prefix = "");
