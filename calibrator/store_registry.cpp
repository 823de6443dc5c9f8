#include "store_registry.h"

#include "driver_contract.h"

#include <stdlib.h>

HKEY OpenParameterStore()
{
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, StoreKeyPathWithSlash, 0, KEY_ALL_ACCESS, &key) !=
        ERROR_SUCCESS)
        return NULL;
    return key;
}

bool ReadStoreValue(HKEY key, const char *name, int32_t *value)
{
    // Room for more than a DWORD, so that a longer value is seen as too long
    // instead of failing with ERROR_MORE_DATA and a half-filled buffer.
    BYTE data[8];
    DWORD type = 0, size = sizeof data;
    if (RegQueryValueExA(key, name, NULL, &type, data, &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != 4)
        return false;
    *value = int32_t(DWORD(data[0]) | DWORD(data[1]) << 8 | DWORD(data[2]) << 16 |
                     DWORD(data[3]) << 24);
    return true;
}

void WriteStoreValue(HKEY key, const char *name, int32_t value)
{
    DWORD data = DWORD(value);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&data), 4);
}

void CloseParameterStore(HKEY key)
{
    RegCloseKey(key);
}

bool TakeUserValue(const char *path, const char *name, UserValue *value)
{
    *value = {};
    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, path, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, NULL, NULL, NULL, &size) == ERROR_SUCCESS &&
        (value->Data = static_cast<BYTE *>(malloc(size + 1))) != NULL) {
        value->Size = size;
        if (RegQueryValueExA(key, name, NULL, &value->Type, value->Data, &value->Size) !=
            ERROR_SUCCESS)
            FreeUserValue(value);
    }
    RegDeleteValueA(key, name);
    RegCloseKey(key);
    return value->Data != NULL;
}

void PutUserValueBack(const char *path, const char *name, UserValue *value)
{
    HKEY key;
    if (RegCreateKeyA(HKEY_CURRENT_USER, path, &key) == ERROR_SUCCESS) {
        RegSetValueExA(key, name, 0, value->Type, value->Data, value->Size);
        RegCloseKey(key);
    }
    FreeUserValue(value);
}

void FreeUserValue(UserValue *value)
{
    free(value->Data);
    *value = {};
}
