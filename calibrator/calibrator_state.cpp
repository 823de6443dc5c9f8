#include "calibrator_state.h"

int32_t ScreenWidth;
int32_t ScreenHeight;
