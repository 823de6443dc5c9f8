// The setup program's decisions that need no platform. Platform-free.
#pragma once

#include <stddef.h>
#include <stdint.h>

// The command-line tail: the command line without the program name (quoted
// or not) and without the blanks (characters up to 0x20) after it.
const char *CommandLineTail(const char *commandLine);

// Only a tail of exactly "/u" uninstalls.
bool IsUninstallTail(const char *tail);

// How far each wizard page moves from where it stands (page, in screen
// pixels): half the screen less 300, each half dropping its remainder, never
// negative; then less, so that a page that fits the screen lies wholly on it
// (Large Fonts make a page larger), and never so far that its left or top
// edge, with the caption, leaves the screen.
struct PageShift {
    int32_t Dx, Dy;
};
struct PageRect {
    int32_t Left, Top, Right, Bottom;
};
PageShift WizardPageShift(int32_t screenWidth, int32_t screenHeight, PageRect page);

// The number after the first three characters, as the standard
// string-to-integer conversion reads it (blanks, a sign, digits; no digits
// give 0), kept within 32 bits.
int32_t NumberAfterPrefix(const char *text);

// A serial-port value's data as read (size bytes, perhaps without a
// terminating zero): its port number when it names a COM port (COM in any
// case, then a number of 0 or more), else -1.
int32_t ParsePortEntry(const char *data, size_t size);
