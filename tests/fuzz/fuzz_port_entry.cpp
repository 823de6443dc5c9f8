// Serial-port value data exactly as read, with or without a terminator.
#include "setup_logic.h"

#include <stdint.h>
#include <stdlib.h>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    int32_t port = ParsePortEntry(reinterpret_cast<const char *>(data), size);
    if (port < -1)
        abort();
    std::string text(reinterpret_cast<const char *>(data), size); // as the list holds it
    NumberAfterPrefix(text.c_str());
    return 0;
}
