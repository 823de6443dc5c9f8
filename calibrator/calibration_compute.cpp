#include "calibration_compute.h"

#include "calibration_math.h"
#include "calibrator_state.h"
#include "store_registry.h"

void ComputeCalibration(int32_t firstX, int32_t firstY, int32_t secondX, int32_t secondY)
{
    HKEY key = OpenParameterStore();
    if (key == NULL)
        return;

    // The values a missing one stands for; "SwapXY" is not read.
    CalibrationSet inForce = NeutralCalibration;
    ReadStoreValue(key, "LeftOffset", &inForce.LeftOffset);
    ReadStoreValue(key, "TopOffset", &inForce.TopOffset);
    ReadStoreValue(key, "XMikeyPerPixel", &inForce.XMikeyPerPixel);
    ReadStoreValue(key, "YMikeyPerPixel", &inForce.YMikeyPerPixel);

    CalibrationSet result;
    if (DeriveCalibration(firstX, firstY, secondX, secondY, ScreenWidth, ScreenHeight, inForce,
                          &result)) {
        WriteStoreValue(key, "SwapXY", result.SwapXY);
        WriteStoreValue(key, "LeftOffset", result.LeftOffset);
        WriteStoreValue(key, "TopOffset", result.TopOffset);
        WriteStoreValue(key, "XMikeyPerPixel", result.XMikeyPerPixel);
        WriteStoreValue(key, "YMikeyPerPixel", result.YMikeyPerPixel);
    }
    CloseParameterStore(key);
}
