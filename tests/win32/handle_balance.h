// Every operation under test opens and closes its keys, find handles and
// files within itself; on Windows 98 a key left open holds the registry's
// copy of it, and a find handle left open keeps its folder from being
// removed. So every Wine test is checked to leave its process holding the
// kernel handles it found (each handle's value, type and name compared, both
// ways), with every search it began ended, and no close of a handle that was
// not open; a child process checks its own operation.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <string>

// Opens what the platform and GoogleTest open on first use and keep for the
// process's life, so that no check charges it to the first operation; from
// then on this program's searches and closes are counted.
void OpenWhatStaysOpen();

// "" when the check can see here what it must; else why not.
std::string HandleCheckBroken();

// "" when the operation left the process's handles as it found them; else
// what changed, a handle a line ("0x94 Key \REGISTRY\MACHINE\...").
std::string HandlesChangedBy(const std::function<void()> &operation);

// A test whose operation keeps handles for the process's life on purpose
// names their type as Wine lists it ("Mutant" for a mutex) and how many.
void ExpectHandlesKeptOpen(const char *type, size_t count);

// The check around each test, for GoogleTest's listeners.
testing::TestEventListener *NewHandleBalance();
