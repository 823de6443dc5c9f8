// Checks on registry data the setup reads back, which anyone could have
// changed since it was written. Platform-free.
#pragma once

#include <stddef.h>

inline constexpr char DeviceMarker[] = "Orbalin Serial Touchscreen";

// True when the size bytes read are exactly the marker, with or without one
// terminating zero: nothing else matches, and nothing past size is read.
bool IsDeviceMarker(const char *data, size_t size);

// True when the size bytes read name a mouse class slot the installation
// could have made: "Mouse\0000" to "Mouse\0015", with or without one
// terminating zero. Anything else (empty, another key, "..", longer text)
// must not be deleted.
bool IsClassSlotName(const char *data, size_t size);
