#include "path_format.h"

bool FormatPath(char *out, size_t size, const char *pattern, const char *first,
                const char *second)
{
    if (size == 0)
        return false;
    const char *args[2] = {first, second};
    int next = 0;
    size_t used = 0;
    for (const char *p = pattern; *p; ++p) {
        const char *piece = p;
        size_t length = 1;
        if (p[0] == '%' && p[1] == 's') {
            piece = next < 2 && args[next] ? args[next] : "";
            ++next;
            ++p;
            length = 0;
            while (piece[length])
                ++length;
        }
        if (length >= size - used) {
            out[0] = '\0';
            return false;
        }
        for (size_t i = 0; i < length; ++i)
            out[used++] = piece[i];
    }
    out[used] = '\0';
    return true;
}
