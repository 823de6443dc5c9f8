// Bounded building of paths and key names from a pattern. Platform-free.
#pragma once

#include <stddef.h>

// Writes pattern into out (size bytes, terminator included), each "%s"
// replaced by the next of the given texts (missing ones count as empty).
// When the result would not fit, out becomes "" and the result is false: a
// path is never cut short into another, valid one.
bool FormatPath(char *out, size_t size, const char *pattern, const char *first,
                const char *second = nullptr);
