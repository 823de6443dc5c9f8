// WININIT.INI and NT's pending list as other programs left them: the
// insertion point lies within the text, and the text before it ends a line
// unless told otherwise; every operation found lies within the text, after
// the one before, and dropping them all keeps every other byte.
#include "rename_section.h"

#include <stdint.h>
#include <stdlib.h>
#include <vector>

namespace {

bool Everything(const PendingOperation &)
{
    return true;
}

void CheckOperations(const std::vector<char> &text,
                     bool (*next)(const char *, size_t, size_t *, PendingOperation *))
{
    size_t cursor = 0, previousEnd = 0, spans = 0;
    PendingOperation op;
    while (next(text.data(), text.size(), &cursor, &op)) {
        if (op.Begin < previousEnd || op.End <= op.Begin || op.End > text.size() ||
            cursor != op.End)
            abort();
        spans += op.End - op.Begin;
        previousEnd = op.End;
    }
    std::vector<char> out(text.size() + 1);
    if (DropPendingOperations(text.data(), text.size(), next, Everything, out.data()) !=
        text.size() - spans)
        abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<char> text(data, data + size); // exactly this big, so ASan sees any overread
    RenameInsertion at = FindRenameInsertion(text.data(), size);
    if (at.Offset > size || (at.NeedsSection && at.Offset != size))
        abort();
    bool endsLine = at.Offset == 0 || text[at.Offset - 1] == '\n';
    if (at.NeedsLineEnd == endsLine)
        abort();
    CheckOperations(text, NextRenameLine);
    CheckOperations(text, NextPendingRename);
    return 0;
}
