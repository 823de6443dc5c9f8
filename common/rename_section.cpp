#include "rename_section.h"

#include "path_format.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c | 0x20) : c;
}

// One line of the text: [Begin, End) without its '\n', First its first
// character that is not blank, Next where the following line begins.
struct Line {
    const char *Begin, *First, *End, *Next;
};

Line LineAt(const char *p, const char *end)
{
    Line line{p, p, p, end};
    while (line.End < end && *line.End != '\n')
        ++line.End;
    if (line.End < end)
        line.Next = line.End + 1;
    while (line.First < line.End && IsBlank(*line.First))
        ++line.First;
    return line;
}

bool IsSectionHeader(const Line &line)
{
    return line.First < line.End && *line.First == '[';
}

// "[rename]" in any case, blanks allowed around the name.
bool IsRenameHeader(const Line &line)
{
    if (!IsSectionHeader(line))
        return false;
    const char *p = line.First + 1;
    while (p < line.End && IsBlank(*p))
        ++p;
    for (const char *name = "rename"; *name; ++name, ++p)
        if (p == line.End || Lower(*p) != *name)
            return false;
    while (p < line.End && IsBlank(*p))
        ++p;
    return p < line.End && *p == ']';
}

// The name in [begin, end) without the blanks around it, or "" when it does
// not fit.
void CopyName(char *out, const char *begin, const char *end)
{
    while (begin < end && IsBlank(*begin))
        ++begin;
    while (end > begin && IsBlank(end[-1]))
        --end;
    size_t length = size_t(end - begin);
    if (length >= PendingNameSize)
        length = 0;
    for (size_t i = 0; i < length; ++i)
        out[i] = begin[i];
    out[length] = '\0';
}

} // namespace

RenameInsertion FindRenameInsertion(const char *text, size_t length)
{
    const char *const end = text + length;
    const char *insertAt = nullptr;
    bool inRename = false;
    for (const char *p = text; p < end;) {
        Line line = LineAt(p, end);
        if (IsSectionHeader(line)) {
            if (inRename)
                break; // the next section begins: the first [rename] ends here
            inRename = IsRenameHeader(line);
            if (inRename)
                insertAt = line.Next;
        } else if (inRename && line.First < line.End) {
            insertAt = line.Next;
        }
        p = line.Next;
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

bool NextRenameLine(const char *text, size_t length, size_t *cursor, PendingOperation *op)
{
    const char *const end = text + length;
    const char *p = text + *cursor;
    if (*cursor == 0) { // to the first line after the first [rename] header
        p = end;
        for (const char *q = text; q < end;) {
            Line line = LineAt(q, end);
            q = line.Next;
            if (IsRenameHeader(line)) {
                p = q;
                break;
            }
        }
    }
    for (; p < end;) {
        Line line = LineAt(p, end);
        p = line.Next;
        if (IsSectionHeader(line))
            break; // the section ends
        const char *equals = line.First;
        while (equals < line.End && *equals != '=')
            ++equals;
        if (equals == line.End || *line.First == ';')
            continue;
        op->Begin = size_t(line.Begin - text);
        op->End = size_t(line.Next - text);
        op->WideTarget[0] = op->WideSource[0] = 0;
        CopyName(op->Target, line.First, equals);
        CopyName(op->Source, equals + 1, line.End);
        const char *t = op->Target;
        if (Lower(t[0]) == 'n' && Lower(t[1]) == 'u' && Lower(t[2]) == 'l' && !t[3]) {
            CopyName(op->Target, equals + 1, line.End); // "NUL=FILE" deletes FILE
            op->Source[0] = '\0';
        }
        *cursor = op->End;
        return true;
    }
    *cursor = length;
    return false;
}

namespace {

uint16_t UnitAt(const char *data, size_t at)
{
    return uint16_t(uint8_t(data[at]) | uint8_t(data[at + 1]) << 8);
}

// Where the zero-ended name from `from` ends, at its zero; length - 1 or
// more when it does not end within the data.
size_t NameEnd(const char *data, size_t length, size_t from)
{
    while (from + 1 < length && UnitAt(data, from))
        from += 2;
    return from;
}

// The name in [begin, end) without the "\??\" that NT puts before it; ""
// when it does not fit.
void CopyWideName(uint16_t *out, const char *data, size_t begin, size_t end)
{
    static const char prefix[] = "\\??\\";
    bool prefixed = end - begin >= 8;
    for (size_t i = 0; prefixed && i < 4; ++i)
        prefixed = UnitAt(data, begin + 2 * i) == uint16_t(prefix[i]);
    if (prefixed)
        begin += 8;
    size_t units = (end - begin) / 2;
    if (units >= PendingNameSize)
        units = 0;
    for (size_t i = 0; i < units; ++i)
        out[i] = UnitAt(data, begin + 2 * i);
    out[units] = 0;
}

} // namespace

bool NextPendingRename(const char *data, size_t length, size_t *cursor, PendingOperation *op)
{
    size_t from = *cursor;
    if (from + 1 >= length || !UnitAt(data, from))
        return false;
    size_t fromEnd = NameEnd(data, length, from);
    size_t to = fromEnd + 2, toEnd = NameEnd(data, length, to);
    if (toEnd + 1 >= length)
        return false; // a pair cut short
    op->Begin = from;
    op->End = toEnd + 2;
    op->Target[0] = op->Source[0] = '\0';
    if (to < toEnd && UnitAt(data, to) == '!')
        to += 2;
    if (to < toEnd) {
        CopyWideName(op->WideTarget, data, to, toEnd);
        CopyWideName(op->WideSource, data, from, fromEnd);
    } else {
        CopyWideName(op->WideTarget, data, from, fromEnd);
        op->WideSource[0] = 0;
    }
    *cursor = op->End;
    return true;
}

size_t DropPendingOperations(const char *text, size_t length,
                             bool (*next)(const char *, size_t, size_t *, PendingOperation *),
                             bool (*drop)(const PendingOperation &), char *out)
{
    size_t written = 0, copied = 0, cursor = 0;
    PendingOperation op;
    while (next(text, length, &cursor, &op)) {
        if (!drop(op))
            continue;
        while (copied < op.Begin)
            out[written++] = text[copied++];
        copied = op.End;
    }
    while (copied < length)
        out[written++] = text[copied++];
    return written;
}

bool IsRestartCopyName(const char *name)
{
    if (Lower(name[0]) != 'v' || Lower(name[1]) != 'e' || Lower(name[2]) != 'l')
        return false;
    size_t digits = 0;
    for (const char *p = name + 3; *p && *p != '.'; ++p, ++digits) {
        char c = Lower(*p);
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    const char *ext = name + 3 + digits;
    return digits >= 1 && digits <= 4 && ext[0] == '.' && Lower(ext[1]) == 't' &&
           Lower(ext[2]) == 'm' && Lower(ext[3]) == 'p' && !ext[4];
}
