// Any command line: the tail lies within it, and only "/u" uninstalls.
#include "setup_logic.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string line(reinterpret_cast<const char *>(data), size);
    const char *tail = CommandLineTail(line.c_str());
    if (tail < line.c_str() || tail > line.c_str() + strlen(line.c_str()))
        abort();
    if (IsUninstallTail(tail) != (strcmp(tail, "/u") == 0))
        abort();
    return 0;
}
