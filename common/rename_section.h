// The restart's queue as text: WININIT.INI, whose [rename] section Windows
// 95/98/ME carry out at the next start ("DESTINATION=SOURCE" replaces a
// file, "NUL=FILE" deletes one), and NT's PendingFileRenameOperations.
// Platform-free.
#pragma once

#include <stddef.h>
#include <stdint.h>

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

// One operation the restart carries out: Target replaced by Source, or
// deleted when Source is empty. [Begin, End) is all of it in the text, its
// line end or zeros included. A name too long for its buffer comes back
// empty, and so names no file. NT's list names files in UTF-16: its names
// come in WideTarget and WideSource, for the caller to put in its code page.
inline constexpr size_t PendingNameSize = 260;
struct PendingOperation {
    size_t Begin, End;
    char Target[PendingNameSize];
    char Source[PendingNameSize];
    uint16_t WideTarget[PendingNameSize];
    uint16_t WideSource[PendingNameSize];
};

// The next operation from *cursor (0 to begin), *cursor then past it; false
// when there is none. Of WININIT.INI: the lines of the first [rename]
// section with an "=", comments (";") skipped, names without the blanks
// around them.
bool NextRenameLine(const char *text, size_t length, size_t *cursor, PendingOperation *op);

// Of PendingFileRenameOperations as NT keeps it, UTF-16 (little-endian),
// length in bytes: pairs of zero-ended names, "\??\" and the replacing "!"
// left out; an empty second name deletes the first. The list ends at an
// empty name. Target and Source stay empty.
bool NextPendingRename(const char *data, size_t length, size_t *cursor, PendingOperation *op);

// Copies text into out (length bytes at least) without the operations that
// drop accepts, every other byte as it stood; returns the bytes written.
size_t DropPendingOperations(const char *text, size_t length,
                             bool (*next)(const char *, size_t, size_t *, PendingOperation *),
                             bool (*drop)(const PendingOperation &), char *out);

// A file name that GetTempFileNameA makes for the package's copies for the
// restart: "VEL", one to four hexadecimal digits, ".TMP", in any case.
bool IsRestartCopyName(const char *name);
