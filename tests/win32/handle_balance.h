// Every operation under test opens and closes its keys, find handles and
// files within itself; on Windows 98 a key left open holds the registry's
// copy of it, and a find handle left open keeps its folder from being
// removed. So every Wine test is checked to leave its process holding the
// kernel handles it found, and a child process checks its own operation.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <string>

// Opens what the platform and GoogleTest open on first use and keep for the
// process's life, so that no check charges it to the first operation.
void OpenWhatStaysOpen();

// "" when the operation left the process's handles as it found them; else
// what changed, each handle it left open on a line of its own ("Key
// \REGISTRY\Machine\...").
std::string HandlesChangedBy(const std::function<void()> &operation);

// A test whose operation keeps handles for the process's life on purpose
// says how many.
void ExpectHandlesKeptOpen(size_t count);

// The check around each test, for GoogleTest's listeners.
testing::TestEventListener *NewHandleBalance();
