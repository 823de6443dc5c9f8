#include "registry_data.h"

#include "install_constants.h"

namespace {

// The text read, without the one terminating zero it may carry.
size_t TextLength(const char *data, size_t size)
{
    return size > 0 && data[size - 1] == '\0' ? size - 1 : size;
}

bool SameText(const char *data, size_t length, const char *text)
{
    size_t i = 0;
    for (; i < length; ++i)
        if (text[i] == '\0' || text[i] != data[i])
            return false;
    return text[i] == '\0';
}

} // namespace

bool IsDeviceMarker(const char *data, size_t size)
{
    return SameText(data, TextLength(data, size), DeviceMarker);
}

bool IsClassSlotName(const char *data, size_t size)
{
    const char prefix[] = "Mouse\\";
    const size_t prefixLength = sizeof prefix - 1;
    size_t length = TextLength(data, size);
    if (length != prefixLength + 4 || !SameText(data, prefixLength, prefix))
        return false;
    int number = 0;
    for (size_t i = prefixLength; i < length; ++i) {
        if (data[i] < '0' || data[i] > '9')
            return false;
        number = number * 10 + (data[i] - '0');
    }
    return number < MouseSlotCount;
}
