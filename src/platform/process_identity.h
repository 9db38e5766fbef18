#pragma once

#include <cstdint>

// A running process told apart from any later one that the system gives the same id: its id and
// the time it started (in clock ticks after boot).
struct ProcessIdentity {
    int64_t pid = 0;
    uint64_t started = 0;

    static ProcessIdentity Own();
    // The process is still there, and is the same one (a started of 0 is not compared).
    bool IsRunning() const;

    bool operator==(const ProcessIdentity&) const = default;
};
