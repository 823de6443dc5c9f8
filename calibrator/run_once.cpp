#include "run_once.h"

#include "driver_contract.h"

bool RemoveRunOnceEntry(UserValue *entry)
{
    return TakeUserValue(RunOnceKeyPathCalibrator, RunOnceValueName, entry);
}

void PutRunOnceEntryBack(UserValue *entry)
{
    PutUserValueBack(RunOnceKeyPathCalibrator, RunOnceValueName, entry);
}
