#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "platform/regular_file.h"

namespace {

constexpr std::chrono::milliseconds kRetryPause{5};

}  // namespace

// A holder removes the lock file before it lets go, so a waiter may get the lock on a file that
// is gone while a third program made and locked a new one: the lock counts only while the path
// still names the locked file. That makes removing the file safe.
bool CFileLock::Acquire(const std::string& lockPath, std::chrono::milliseconds timeout,
                        std::string& problem) {
    Release();
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        handle = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (handle < 0) {
            problem = "the lock file " + lockPath + " cannot be made: " + std::strerror(errno);
            return false;
        }
        if (::flock(handle, LOCK_EX | LOCK_NB) == 0 && IsFileAt(handle, lockPath)) {
            path = lockPath;
            return true;
        }
        ::close(handle);
        handle = -1;
        if (std::chrono::steady_clock::now() >= deadline) {
            problem = "another program kept the lock file " + lockPath + " for longer than " +
                      std::to_string(timeout.count() / 1000) + " seconds";
            return false;
        }
        std::this_thread::sleep_for(kRetryPause);
    }
}

void CFileLock::Release() {
    if (handle >= 0) {
        ::unlink(path.c_str());
        ::close(handle);
        handle = -1;
    }
}
