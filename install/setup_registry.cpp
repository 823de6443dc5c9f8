#include "setup_registry.h"

HKEY OpenKey(HKEY root, const char *path)
{
    HKEY key;
    return RegOpenKeyA(root, path, &key) == ERROR_SUCCESS ? key : NULL;
}

HKEY OpenKeyFullAccess(HKEY root, const char *path)
{
    HKEY key;
    return RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS ? key : NULL;
}

HKEY CreateKey(HKEY root, const char *path)
{
    HKEY key;
    return RegCreateKeyA(root, path, &key) == ERROR_SUCCESS ? key : NULL;
}

HKEY OpenOrCreateKey(HKEY root, const char *path)
{
    HKEY key = OpenKey(root, path);
    return key ? key : CreateKey(root, path);
}

void CloseKey(HKEY key)
{
    RegCloseKey(key);
}

bool ReadSubkeyName(HKEY key, DWORD index, char *name, DWORD size)
{
    return RegEnumKeyA(key, index, name, size) == ERROR_SUCCESS;
}

bool ReadIndexedValue(HKEY key, DWORD index, char *data, DWORD *size)
{
    char name[256];
    DWORD nameLength = sizeof name;
    return RegEnumValueA(key, index, name, &nameLength, NULL, NULL, reinterpret_cast<BYTE *>(data),
                         size) == ERROR_SUCCESS;
}

bool ReadValue(HKEY key, const char *name, char *data, DWORD *size)
{
    return RegQueryValueExA(key, name, NULL, NULL, reinterpret_cast<BYTE *>(data), size) ==
           ERROR_SUCCESS;
}

bool ReadValueName(HKEY key, DWORD index, char *name, DWORD size)
{
    return RegEnumValueA(key, index, name, &size, NULL, NULL, NULL, NULL) == ERROR_SUCCESS;
}

void WriteDword(HKEY key, const char *name, int32_t value)
{
    DWORD data = DWORD(value);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&data), 4);
}

void WriteBinaryDword(HKEY key, const char *name, DWORD value)
{
    const BYTE bytes[4] = {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
    RegSetValueExA(key, name, 0, REG_BINARY, bytes, 4);
}

bool WriteText(HKEY key, const char *name, const char *text)
{
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text),
                          lstrlenA(text)) == ERROR_SUCCESS;
}

QueryWideProc QueryValueWide;
SetWideProc SetValueWide;

namespace {

template <typename Proc> bool LookUp(Proc *proc, const char *name)
{
    if (!*proc)
        *proc = reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleA("ADVAPI32.DLL"), name)));
    return *proc != NULL;
}

} // namespace

LONG ReadWideValue(HKEY key, const WCHAR *name, char *data, DWORD *size)
{
    if (!LookUp(&QueryValueWide, "RegQueryValueExW"))
        return ERROR_CALL_NOT_IMPLEMENTED;
    return QueryValueWide(key, name, NULL, NULL, reinterpret_cast<BYTE *>(data), size);
}

LONG WriteWideMultiText(HKEY key, const WCHAR *name, const char *data, DWORD size)
{
    if (!LookUp(&SetValueWide, "RegSetValueExW"))
        return ERROR_CALL_NOT_IMPLEMENTED;
    return SetValueWide(key, name, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE *>(data), size);
}

bool DeleteValue(HKEY key, const char *name)
{
    return RegDeleteValueA(key, name) == ERROR_SUCCESS;
}

bool DeleteKeyTree(HKEY root, const char *path)
{
    HKEY key = OpenKey(root, path);
    if (!key)
        return false;
    // Each subkey by its name below this key: no path is split or joined, so
    // a name holding a double-byte character's 0x5C trail byte stays whole.
    char child[MAX_PATH];
    while (ReadSubkeyName(key, 0, child, sizeof child)) {
        if (!DeleteKeyTree(key, child))
            break; // then this key stays too, and says so below
    }
    CloseKey(key);
    return RegDeleteKeyA(root, path) == ERROR_SUCCESS;
}
