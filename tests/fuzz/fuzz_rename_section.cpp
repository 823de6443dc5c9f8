// WININIT.INI as other programs left it: the insertion point lies within the
// text, and the text before it ends a line unless told otherwise.
#include "rename_section.h"

#include <stdint.h>
#include <stdlib.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<char> text(data, data + size); // exactly this big, so ASan sees any overread
    RenameInsertion at = FindRenameInsertion(text.data(), size);
    if (at.Offset > size || (at.NeedsSection && at.Offset != size))
        abort();
    bool endsLine = at.Offset == 0 || text[at.Offset - 1] == '\n';
    if (at.NeedsLineEnd == endsLine)
        abort();
    return 0;
}
