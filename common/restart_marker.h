// How the calibrator knows that an installation still waits for its
// restart: the setup leaves a file in the product folder, holds the moment
// Windows started in it, and has the restart delete it. Only a file that
// names the running boot counts: one that outlived its restart (another
// installer's edit of WININIT.INI dropped its deletion) names an earlier
// boot, and one from a clock set since is taken for a restart too, which
// only spends the hand-off as a restart would. Platform-free.
#pragma once

#include <stddef.h>
#include <stdint.h>

// Under the Windows directory.
inline constexpr char RestartMarkerPath[] = "VelmoraScreen\\restart.pnd";

// When Windows started, in seconds since 1601 (UTC): the system time (in
// 100-ns units, as FILETIME) less the milliseconds since the start
// (GetTickCount, which wraps after 49.7 days: a wrap reads as a restart).
inline uint64_t BootSeconds(uint64_t systemTime, uint32_t ticks)
{
    return systemTime / 10000000 - ticks / 1000;
}

// Two readings of one start differ by the clocks' resolution (55 ms on
// Windows 9x) and the cut to whole seconds; two starts lie at least the
// time of a boot and a setup apart.
inline bool SameBoot(uint64_t a, uint64_t b)
{
    return (a > b ? a - b : b - a) <= 2;
}

// The marker's text: the start's seconds in decimal. False when out, of
// size bytes, cannot hold them.
inline bool FormatBootSeconds(uint64_t seconds, char *out, size_t size)
{
    char digits[24];
    size_t n = 0;
    do {
        digits[n++] = char('0' + seconds % 10);
        seconds /= 10;
    } while (seconds);
    if (n >= size)
        return false;
    for (size_t i = 0; i < n; ++i)
        out[i] = digits[n - 1 - i];
    out[n] = '\0';
    return true;
}

// The seconds a marker's text holds: one to nineteen digits and nothing
// else. False for any other text.
inline bool ParseBootSeconds(const char *text, size_t length, uint64_t *seconds)
{
    if (length == 0 || length > 19)
        return false;
    uint64_t value = 0;
    for (size_t i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + uint64_t(text[i] - '0');
    }
    *seconds = value;
    return true;
}
