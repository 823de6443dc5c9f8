#include "setup_logic.h"

const char *CommandLineTail(const char *p)
{
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p == '"')
            ++p;
    } else {
        while (static_cast<unsigned char>(*p) > ' ')
            ++p;
    }
    while (*p && static_cast<unsigned char>(*p) <= ' ')
        ++p;
    return p;
}

bool IsUninstallTail(const char *tail)
{
    return tail[0] == '/' && tail[1] == 'u' && tail[2] == '\0';
}

namespace {

// One axis: the screen's extent and the page's two edges on it.
int32_t AxisShift(int32_t screen, int32_t low, int32_t high)
{
    // Below 600 pixels a negative half would put the caption above the
    // screen, where the page cannot be dragged.
    int32_t shift = screen / 2 - 300;
    if (shift < 0)
        shift = 0;
    if (high + shift > screen)
        shift = screen - high;
    if (low + shift < 0)
        shift = -low;
    return shift;
}

} // namespace

PageShift WizardPageShift(int32_t screenWidth, int32_t screenHeight, PageRect page)
{
    return {AxisShift(screenWidth, page.Left, page.Right),
            AxisShift(screenHeight, page.Top, page.Bottom)};
}

namespace {

int32_t ToInteger(const char *p)
{
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        if (value <= INT32_MAX)
            value = value * 10 + (*p - '0');
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return int32_t(value);
}

bool IsLetter(char c, char upper)
{
    return c == upper || c == upper + ('a' - 'A');
}

} // namespace

int32_t NumberAfterPrefix(const char *text)
{
    for (int i = 0; i < 3; ++i)
        if (text[i] == '\0')
            return 0;
    return ToInteger(text + 3);
}

int32_t ParsePortEntry(const char *data, size_t size)
{
    // The text must end within what was read.
    size_t length = 0;
    while (length < size && data[length] != '\0')
        ++length;
    if (length == size)
        return -1;
    if (length < 3 || !IsLetter(data[0], 'C') || !IsLetter(data[1], 'O') || !IsLetter(data[2], 'M'))
        return -1;
    int32_t number = NumberAfterPrefix(data);
    return number < 0 ? -1 : number;
}
