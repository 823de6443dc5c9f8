// The setup program's one way into the registry: every key it opens, makes
// or deletes and every value it reads or writes goes through here. Results
// the install steps do not test are not returned.
#pragma once

#include <windows.h>
#include <stdint.h>

// Opens a key (RegOpenKeyA); NULL when it does not open.
HKEY OpenKey(HKEY root, const char *path);

// Opens a key with full access (RegOpenKeyExA, KEY_ALL_ACCESS); NULL when it
// does not open.
HKEY OpenKeyFullAccess(HKEY root, const char *path);

// Makes or opens a key (RegCreateKeyA); NULL when neither works.
HKEY CreateKey(HKEY root, const char *path);

// Opens a key, and makes it only when it does not open; NULL when neither.
HKEY OpenOrCreateKey(HKEY root, const char *path);

void CloseKey(HKEY key);

// The name of the subkey at that index; false when there is none or its
// name does not fit size bytes.
bool ReadSubkeyName(HKEY key, DWORD index, char *name, DWORD size);

// The data of the value at that index (its name, of up to 255 characters, is
// not kept): at most *size bytes, *size then the bytes read; false when there
// is no value there or its name or data does not fit. The type is not tested.
bool ReadIndexedValue(HKEY key, DWORD index, char *data, DWORD *size);

// A named value's data, as above; with no data buffer, only its size.
bool ReadValue(HKEY key, const char *name, char *data, DWORD *size);

// The name of the value at that index; false when there is none or its
// name does not fit size bytes.
bool ReadValueName(HKEY key, DWORD index, char *name, DWORD size);

// A number as a 4-byte REG_DWORD.
void WriteDword(HKEY key, const char *name, int32_t value);

// A number as 4 bytes of REG_BINARY, least significant first.
void WriteBinaryDword(HKEY key, const char *name, DWORD value);

// Text as REG_SZ, its byte count leaving out the terminating zero, as the
// driver's loader expects; false when it was not written.
bool WriteText(HKEY key, const char *name, const char *text);

// RegQueryValueExW and RegSetValueExW, for a list other programs write in
// characters the code page may not hold. Looked up when first needed:
// Windows 95/98/ME export them as stubs that fail with
// ERROR_CALL_NOT_IMPLEMENTED, and one without them gets that error too.
// Tests put stand-ins here.
typedef LONG(WINAPI *QueryWideProc)(HKEY, LPCWSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
typedef LONG(WINAPI *SetWideProc)(HKEY, LPCWSTR, DWORD, DWORD, const BYTE *, DWORD);
extern QueryWideProc QueryValueWide;
extern SetWideProc SetValueWide;

// A named value's bytes (at most *size, *size then the bytes read; with no
// data buffer, only its size), or the platform's error.
LONG ReadWideValue(HKEY key, const WCHAR *name, char *data, DWORD *size);

// UTF-16 texts, each ended by a zero, as REG_MULTI_SZ of size bytes.
LONG WriteWideMultiText(HKEY key, const WCHAR *name, const char *data, DWORD size);

// False when the value is still there.
bool DeleteValue(HKEY key, const char *name);

// Deletes a key with all its subkeys, as RegDeleteKeyA does on Windows 98/ME;
// built from calls Windows 98 has, since on NT RegDeleteKeyA leaves a key
// with subkeys alone. True when the key is gone.
bool DeleteKeyTree(HKEY root, const char *path);
