#include "registry_fixture.h"

#include "driver_contract.h"

#include <gtest/gtest.h>

bool DeleteTree(HKEY root, const char *path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return true;
    char name[256];
    while (RegEnumKeyA(key, 0, name, sizeof name) == ERROR_SUCCESS) {
        std::string child = std::string(path) + "\\" + name;
        if (!DeleteTree(root, child.c_str()))
            break;
    }
    RegCloseKey(key);
    return RegDeleteKeyA(root, path) == ERROR_SUCCESS;
}

void PutRaw(HKEY root, const char *path, const char *name, DWORD type, const void *data,
            DWORD size)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyA(root, path, &key), ERROR_SUCCESS) << path;
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE *>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void PutDword(HKEY root, const char *path, const char *name, int32_t value)
{
    PutRaw(root, path, name, REG_DWORD, &value, 4);
}

int32_t StoredValue::AsInt() const
{
    int32_t v = 0;
    memcpy(&v, Bytes.data(), Bytes.size() < 4 ? Bytes.size() : 4);
    return v;
}

StoredValue GetValue(HKEY root, const char *path, const char *name)
{
    StoredValue v;
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return v;
    char data[4096];
    DWORD size = sizeof data;
    if (RegQueryValueExA(key, name, NULL, &v.Type, reinterpret_cast<BYTE *>(data), &size) ==
        ERROR_SUCCESS) {
        v.Present = true;
        v.Bytes.assign(data, size);
    }
    RegCloseKey(key);
    return v;
}

bool KeyExists(HKEY root, const char *path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void RemoveStore()
{
    ASSERT_TRUE(DeleteTree(HKEY_LOCAL_MACHINE, StoreKeyPath));
}

void ResetStore()
{
    RemoveStore();
    HKEY key;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, StoreKeyPath, &key), ERROR_SUCCESS);
    RegCloseKey(key);
}

int32_t StoreInt(const char *name)
{
    StoredValue v = GetValue(HKEY_LOCAL_MACHINE, StoreKeyPath, name);
    EXPECT_TRUE(v.Present) << name;
    EXPECT_EQ(v.Type, DWORD(REG_DWORD)) << name;
    EXPECT_EQ(v.Bytes.size(), 4u) << name;
    return v.AsInt();
}

void PutCalibrationSet(const CalibrationSet &set)
{
    const int32_t *values = &set.LeftOffset;
    for (int i = 0; i < CalibrationValueCount; ++i)
        PutDword(HKEY_LOCAL_MACHINE, StoreKeyPath, CalibrationValueNames[i], values[i]);
}

void ExpectStoredSet(const CalibrationSet &want)
{
    const int32_t *values = &want.LeftOffset;
    for (int i = 0; i < CalibrationValueCount; ++i)
        EXPECT_EQ(StoreInt(CalibrationValueNames[i]), values[i]) << CalibrationValueNames[i];
}
