// Any command line: the tail lies within it, only "/u" uninstalls, and a
// long-name command fills its two buffers within their sizes.
#include "setup_logic.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string line(reinterpret_cast<const char *>(data), size);
    const char *tail = CommandLineTail(line.c_str());
    if (tail < line.c_str() || tail > line.c_str() + strlen(line.c_str()))
        abort();
    if (IsUninstallTail(tail) != (strcmp(tail, "/u") == 0))
        abort();
    std::vector<char> name(8), path(8); // exactly this big, so ASan sees any overrun
    if (ParseLongNameTail(tail, name.data(), name.size(), path.data(), path.size()) &&
        (!name[0] || !path[0] || IsUninstallTail(tail)))
        abort();
    return 0;
}
