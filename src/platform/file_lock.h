#pragma once

#include <chrono>
#include <string>

// An exclusive lock (flock) on a lock file, for work on files that must not interleave with the
// same work in another program or thread. The lock file is made when it is missing and removed
// when the lock is let go.
class CFileLock {
  public:
    CFileLock() = default;
    ~CFileLock() { Release(); }
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;

    // Waits up to timeout for the lock on the file at path. False, with problem set, when the
    // lock file cannot be made or another holder keeps it longer.
    bool Acquire(const std::string& path, std::chrono::milliseconds timeout, std::string& problem);
    void Release();

  private:
    std::string path;
    int handle = -1;
};
