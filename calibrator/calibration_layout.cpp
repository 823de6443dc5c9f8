#include "calibration_layout.h"

CalibrationLayout ComputeLayout(int32_t w, int32_t h, int32_t targetWidth, int32_t targetHeight)
{
    CalibrationLayout l;
    // The second target is W - W/10 from the left, not 9W/10: they differ
    // when W is not a multiple of 10.
    l.FirstTargetCentre = {w / 10, h / 10};
    l.SecondTargetCentre = {w - w / 10, h - h / 10};
    l.FirstTarget = {l.FirstTargetCentre.X - targetWidth / 2, l.FirstTargetCentre.Y - targetHeight / 2};
    l.SecondTarget = {l.SecondTargetCentre.X - targetWidth / 2,
                      l.SecondTargetCentre.Y - targetHeight / 2};
    l.CheckMark = {w / 2 - 120, h / 2 - 50};
    l.TargetText = {w / 2 - 100, h / 2 - 50, w / 2 + 100, h / 2 + 100};
    l.Hand = {w / 2 - 45, h / 2 - 220};
    l.CheckText = {w / 2 - 200, h / 2 - 100, w / 2 + 200, h / 2 + 100};
    l.OkButton = {w / 2 - 105, h / 2 - 30};
    l.AdjustAgainButton = {w / 2 + 5, h / 2 - 30};
    return l;
}
