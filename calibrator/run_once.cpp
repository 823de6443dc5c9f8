#include "run_once.h"

#include "driver_contract.h"
#include "store_registry.h"

void RemoveRunOnceEntry()
{
    DeleteUserValue(RunOnceKeyPathCalibrator, RunOnceValueName);
}
