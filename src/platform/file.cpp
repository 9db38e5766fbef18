#include "platform/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/regular_file.h"

CFile::~CFile() {
    if (handle >= 0) {
        ::close(handle);
    }
}

bool CFile::Open(const std::string& newPath, OpenMode mode) {
    if (handle >= 0) {
        Close();
    }
    openProblem.clear();
    if (mode == OpenMode::Read) {
        handle = OpenRegularFile(newPath, openProblem);
    } else {
        handle = ::open(newPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (handle < 0) {
            openProblem = std::strerror(errno);
        }
    }
    path = newPath;
    position = 0;
    return handle >= 0;
}

void CFile::Adopt(int descriptor, const std::string& newPath) {
    if (handle >= 0) {
        Close();
    }
    handle = descriptor;
    path = newPath;
    position = 0;
    openProblem.clear();
}

size_t CFile::Read(void* buffer, size_t count) {
    ssize_t got = 0;
    do {
        got = ::pread(handle, buffer, count, static_cast<off_t>(position));
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        Fail("read", errno);
    }
    position += static_cast<uint64_t>(got);
    return static_cast<size_t>(got);
}

void CFile::Write(const void* buffer, size_t count) {
    const auto* bytes = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < count) {
        ssize_t put = ::pwrite(handle, bytes + done, count - done, static_cast<off_t>(position));
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            Fail("write", put < 0 ? errno : EIO);
        }
        done += static_cast<size_t>(put);
        position += static_cast<uint64_t>(put);
    }
}

uint64_t CFile::Seek(int64_t offset, SeekFrom from) {
    const uint64_t base = from == SeekFrom::Begin     ? 0
                          : from == SeekFrom::Current ? position
                                                      : GetLength();
    int64_t target = 0;
    if (__builtin_add_overflow(static_cast<int64_t>(base), offset, &target) || target < 0) {
        Fail("seek", EINVAL);
    }
    position = static_cast<uint64_t>(target);
    return position;
}

uint64_t CFile::GetLength() const {
    struct stat status;
    if (::fstat(handle, &status) != 0) {
        Fail("stat", errno);
    }
    return static_cast<uint64_t>(status.st_size);
}

uint64_t CFile::BytesLeft() const {
    uint64_t length = GetLength();
    return position < length ? length - position : 0;
}

void CFile::Flush() {
    if (::fsync(handle) != 0 && errno != EINVAL) {
        Fail("flush", errno);
    }
}

void CFile::StartWriteback(uint64_t offset, uint64_t count) {
#ifdef SYNC_FILE_RANGE_WRITE
    if (handle >= 0) {
        ::sync_file_range(handle, static_cast<off_t>(offset), static_cast<off_t>(count),
                          SYNC_FILE_RANGE_WRITE);
    }
#else
    (void)offset;
    (void)count;
#endif
}

void CFile::Close() {
    if (handle < 0) {
        return;
    }
    int closing = handle;
    handle = -1;
    if (::close(closing) != 0 && errno != EINTR) {
        Fail("close", errno);
    }
}

void CFile::Fail(const char* operation, int error) const {
    throw CFileException(
        std::string("cannot ") + operation + " " + path + ": " + std::strerror(error), error);
}
