#include "calibration_math.h"

namespace {

// Raw controller value of pixel v on an axis of the given length. Formed in 64
// bits: v × 65535 no longer fits 32 bits above 32768, and a stored offset can
// be anything. The order of operations is the driver's: product, ÷ length,
// ÷ scale, + offset, each division truncating toward zero.
int64_t RawValue(int32_t v, int32_t length, int32_t scale, int32_t offset)
{
    return (int64_t(v) * PointerRange / length) / scale + offset;
}

// A stored offset must be a 32-bit value of 0 or more.
int32_t ClampOffset(int64_t offset)
{
    if (offset < 0)
        return 0;
    if (offset > INT32_MAX)
        return INT32_MAX;
    return int32_t(offset);
}

} // namespace

bool DeriveCalibration(int32_t firstX, int32_t firstY, int32_t secondX, int32_t secondY,
                       int32_t screenWidth, int32_t screenHeight, const CalibrationSet &inForce,
                       CalibrationSet *result)
{
    if (screenWidth == 0 || screenHeight == 0 || inForce.XMikeyPerPixel == 0 ||
        inForce.YMikeyPerPixel == 0)
        return false;

    int32_t flags = 0;
    int32_t xa = firstX, xb = secondX, ya = firstY, yb = secondY;
    if (firstX > secondX) {
        xa = secondX;
        xb = firstX;
        flags = MirrorX;
    }
    if (firstY > secondY) {
        ya = secondY;
        yb = firstY;
        flags |= MirrorY;
    }

    int64_t rawXa = RawValue(xa, screenWidth, inForce.XMikeyPerPixel, inForce.LeftOffset);
    int64_t rawXb = RawValue(xb, screenWidth, inForce.XMikeyPerPixel, inForce.LeftOffset);
    int64_t rawYa = RawValue(ya, screenHeight, inForce.YMikeyPerPixel, inForce.TopOffset);
    int64_t rawYb = RawValue(yb, screenHeight, inForce.YMikeyPerPixel, inForce.TopOffset);

    // A new scale only when both spans are positive, so the two axes change
    // together. Both quotients are at most 52429.
    int64_t scaleX = inForce.XMikeyPerPixel, scaleY = inForce.YMikeyPerPixel;
    int64_t spanX = rawXb - rawXa, spanY = rawYb - rawYa;
    if (spanX > 0 && spanY > 0) {
        scaleX = TargetDistance / spanX;
        scaleY = TargetDistance / spanY;
    }

    // New offsets only with two positive scales: a span above 52429 raw units
    // leaves a scale of 0, and the offsets as they were.
    int64_t left = inForce.LeftOffset, top = inForce.TopOffset;
    if (scaleX > 0 && scaleY > 0) {
        left = rawXa - EdgeToTarget / scaleX;
        top = rawYa - EdgeToTarget / scaleY;
    }

    result->SwapXY = flags;
    result->LeftOffset = ClampOffset(left);
    result->TopOffset = ClampOffset(top);
    result->XMikeyPerPixel = int32_t(scaleX);
    result->YMikeyPerPixel = int32_t(scaleY);
    return true;
}
