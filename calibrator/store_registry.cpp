#include "store_registry.h"

#include "driver_contract.h"

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
