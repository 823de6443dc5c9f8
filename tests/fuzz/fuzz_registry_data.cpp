// "DriverDesc" and "Driver" data exactly as read: no read past it, and only
// the exact texts accepted.
#include "registry_data.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *text = reinterpret_cast<const char *>(data);
    if (IsDeviceMarker(text, size)) {
        size_t n = strlen(DeviceMarker);
        if (!(size == n || (size == n + 1 && text[n] == '\0')) || memcmp(text, DeviceMarker, n) != 0)
            abort();
    }
    if (IsClassSlotName(text, size) && (size < 10 || memcmp(text, "Mouse\\00", 8) != 0))
        abort();
    return 0;
}
