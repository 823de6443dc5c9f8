// Registry set-up and inspection for the Wine tests.
#pragma once

#include <windows.h>

#include "driver_contract.h"
#include <stdint.h>
#include <string>

// Deletes a key with everything below it; true when it is gone.
bool DeleteTree(HKEY root, const char *path);

// Creates the key and writes a 4-byte REG_DWORD, or raw bytes of any type.
void PutDword(HKEY root, const char *path, const char *name, int32_t value);
void PutRaw(HKEY root, const char *path, const char *name, DWORD type, const void *data,
            DWORD size);

// A value as stored: present, its type, its bytes.
struct StoredValue {
    bool Present = false;
    DWORD Type = 0;
    std::string Bytes;
    int32_t AsInt() const;
};
StoredValue GetValue(HKEY root, const char *path, const char *name);
bool KeyExists(HKEY root, const char *path);

// The driver parameter store as a test sees it, without a trailing backslash.
void ResetStore();                           // the key exists and is empty
void RemoveStore();                          // the key is missing
int32_t StoreInt(const char *name);          // a 4-byte REG_DWORD, else fails the test

// The five calibration values in the store: written as DWORDs, or each
// expected to be a DWORD of the set's value.
void PutCalibrationSet(const CalibrationSet &set);
void ExpectStoredSet(const CalibrationSet &want);
