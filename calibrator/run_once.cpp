#include "run_once.h"

#include "driver_contract.h"

#include <windows.h>

void RemoveRunOnceEntry()
{
    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, RunOnceKeyPathCalibrator, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, RunOnceValueName);
    RegCloseKey(key);
}
