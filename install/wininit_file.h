// WININIT.INI in the Windows directory, read and written whole, as Windows
// 95/98/ME want a file edited past the profile functions: their cache of
// the file flushed before it is read and after it is written, so that no
// other program's cached lines are missing from what is read or written
// back over it later.
#pragma once

#include <windows.h>

// The file's text, in a buffer the caller frees (free); empty when there is
// no file. False, with the platform's error, when it cannot be read.
bool ReadWininit(char **text, DWORD *size);

// Replaces the file with text. The text is written beside it first and then
// put in its place, so that a failed write (a full disk) leaves it as it
// was. A read-only file stays as it is: false, with the platform's error.
bool WriteWininit(const char *text, DWORD size);

// Writes the line "destination=source" into the first [rename] section,
// after its last line: lines already there (other programs' too, several
// "NUL=" among them, which the profile functions would merge into one) stay
// as they are. False, with the platform's error, when it cannot.
bool AddWininitLine(const char *destination, const char *source);

// What a run that ended inside WriteWininit left: the old file stepped
// aside with no WININIT.INI in its place is put back (the work it holds,
// other programs' too, is done at the restart after all), joined by the
// lines of a WININIT.INI another program wrote since; one stepped aside
// after the new text took its place goes, and so does an unused new text.
void RecoverWininit();
