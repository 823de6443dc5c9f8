// The calibration arithmetic over any stored 32-bit values, any screen size
// and any 16-bit touches: defined results, offsets never negative.
#include "calibration_math.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    struct {
        uint16_t touches[4];
        int32_t width, height;
        CalibrationSet inForce;
    } in = {};
    memcpy(&in, data, size < sizeof in ? size : sizeof in);
    CalibrationSet out;
    if (!DeriveCalibration(in.touches[0], in.touches[1], in.touches[2], in.touches[3], in.width,
                           in.height, in.inForce, &out))
        return 0;
    if (out.LeftOffset < 0 || out.TopOffset < 0 || out.SwapXY < 0 || out.SwapXY > 3)
        abort();
    return 0;
}
