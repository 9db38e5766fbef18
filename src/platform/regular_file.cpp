#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

int OpenRegularFile(const std::string& path, std::string& problem) {
    // Without O_NONBLOCK the open itself waits for a writer on a FIFO.
    int handle = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (handle < 0) {
        problem = std::strerror(errno);
        return -1;
    }
    struct stat status;
    if (::fstat(handle, &status) != 0) {
        problem = std::strerror(errno);
        ::close(handle);
        return -1;
    }
    if (!S_ISREG(status.st_mode)) {
        problem = "not a regular file";
        ::close(handle);
        return -1;
    }
    ::fcntl(handle, F_SETFL, ::fcntl(handle, F_GETFL) & ~O_NONBLOCK);
    return handle;
}

bool IsFileAt(int handle, const std::string& path) {
    struct stat held;
    struct stat named;
    return ::fstat(handle, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}
