// Where a line goes in WININIT.INI, the file whose [rename] section Windows
// 95/98/ME carries out at the next start: "DESTINATION=SOURCE" replaces a
// file, "NUL=FILE" deletes one. Platform-free.
#pragma once

#include <stddef.h>

struct RenameInsertion {
    size_t Offset;     // where the new text goes; what stood there follows it
    bool NeedsLineEnd; // the text before Offset does not end its last line
    bool NeedsSection; // there is no [rename] section: the text begins one
};

// After the last line of the first [rename] section (the one Windows reads)
// that holds more than blanks, or after its header when it holds none; at
// the end of the text when there is no such section.
RenameInsertion FindRenameInsertion(const char *text, size_t length);

// The text to write at the insertion: its line end, header and line
// "destination=source" as needed. False, out "", when it does not fit.
bool FormatRenameLine(char *out, size_t size, const RenameInsertion &at, const char *destination,
                      const char *source);
