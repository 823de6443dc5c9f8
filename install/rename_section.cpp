#include "rename_section.h"

#include "path_format.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

// "[rename]" in any case, blanks allowed around the name; line is
// [begin, end) from its first character that is not blank.
bool IsRenameHeader(const char *begin, const char *end)
{
    const char *p = begin + 1; // past '['
    while (p < end && IsBlank(*p))
        ++p;
    for (const char *name = "rename"; *name; ++name, ++p)
        if (p == end || (*p | 0x20) != *name)
            return false;
    while (p < end && IsBlank(*p))
        ++p;
    return p < end && *p == ']';
}

} // namespace

RenameInsertion FindRenameInsertion(const char *text, size_t length)
{
    const char *const end = text + length;
    const char *insertAt = nullptr;
    bool inRename = false;
    for (const char *line = text; line < end;) {
        const char *lineEnd = line;
        while (lineEnd < end && *lineEnd != '\n')
            ++lineEnd;
        const char *next = lineEnd < end ? lineEnd + 1 : end;
        const char *first = line;
        while (first < lineEnd && IsBlank(*first))
            ++first;
        if (first < lineEnd && *first == '[') {
            if (inRename)
                break; // the next section begins: the first [rename] ends here
            inRename = IsRenameHeader(first, lineEnd);
            if (inRename)
                insertAt = next;
        } else if (inRename && first < lineEnd) {
            insertAt = next;
        }
        line = next;
    }
    if (!insertAt)
        return {length, length > 0 && end[-1] != '\n', true};
    return {size_t(insertAt - text), insertAt == end && length > 0 && end[-1] != '\n', false};
}

bool FormatRenameLine(char *out, size_t size, const RenameInsertion &at, const char *destination,
                      const char *source)
{
    static const char *const patterns[2][2] = {
        {"%s=%s\r\n", "[rename]\r\n%s=%s\r\n"},
        {"\r\n%s=%s\r\n", "\r\n[rename]\r\n%s=%s\r\n"},
    };
    return FormatPath(out, size, patterns[at.NeedsLineEnd][at.NeedsSection], destination, source);
}
