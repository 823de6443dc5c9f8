// What every part of the setup asks of the platform: bounded paths, the
// last backslash of a path, 8.3 forms, and which family of Windows runs.
// The copy rules and the restart queue both stand on this, and it on
// nothing of theirs.
#pragma once

#include <windows.h>

// Builds a path; when it would not fit, the last-error code says so and the
// result is false, so the caller fails as it would on the platform call.
bool BuildPath(char *out, int size, const char *pattern, const char *first,
               const char *second = nullptr);

// The last backslash of a path, stepping by characters; NULL when none.
const char *LastBackslash(const char *path);

// The name after the path's last backslash; the whole path when none.
const char *FileNameOf(const char *path);

// The folder of a path, with its backslash, so that a drive's root stays
// "C:\"; false, with the platform's error, when the path has no backslash
// or its folder does not fit PathSize bytes.
bool FolderOf(const char *path, char *folder);

// The 8.3 form of an existing path into out (PathSize bytes); false, with
// the platform's error, when the path is missing or its form does not fit.
bool ShortPath(const char *path, char *out);

// True when both name the same existing folder, however each is spelled:
// in any case, in the long or the 8.3 form.
bool IsSameFolder(const char *first, const char *second);

// True when the path names an existing file, not a folder.
bool IsFile(const char *path);

// Clears the file's attributes and deletes it; false when it is still there.
bool DeleteOver(const char *path);

// Writes text to the file, made anew; false when any of it was not written.
bool WriteNewFile(const char *path, const char *text, DWORD size);

// True on Windows 95/98/ME, false on the NT family.
bool RunsOnWindows9x();
