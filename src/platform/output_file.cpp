#include "platform/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/regular_file.h"

namespace {

constexpr int kMaxLinkHops = 40;

std::string SystemProblem() {
    return std::strerror(errno);
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The path that a write to path really replaces: symbolic links followed to their end, which
// need not exist yet.
bool FollowLinks(std::string path, std::string& resolved, std::string& problem) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat status;
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            resolved = path;
            return true;
        }
        std::vector<char> link(static_cast<size_t>(status.st_size > 0 ? status.st_size : 4096) + 1);
        ssize_t length = ::readlink(path.c_str(), link.data(), link.size());
        if (length < 0 || static_cast<size_t>(length) >= link.size()) {
            problem = length < 0 ? SystemProblem() : "the symbolic link changed while it was read";
            return false;
        }
        std::string next(link.data(), static_cast<size_t>(length));
        path = next.starts_with('/') ? next : FolderOf(path) + "/" + next;
    }
    problem = std::strerror(ELOOP);
    return false;
}

mode_t NewFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes every byte, retrying after interruptions; false with errno set.
bool WriteAll(int handle, const char* bytes, size_t count) {
    while (count > 0) {
        ssize_t put = ::write(handle, bytes, count);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            if (put == 0) {
                errno = EIO;
            }
            return false;
        }
        bytes += put;
        count -= static_cast<size_t>(put);
    }
    return true;
}

// Copies the whole content of from, from its start, to to's position.
bool CopyContent(int from, int to, std::string& problem) {
    std::vector<char> block(65536);
    for (off_t offset = 0;;) {
        ssize_t got = ::pread(from, block.data(), block.size(), offset);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 || !WriteAll(to, block.data(), static_cast<size_t>(got))) {
            problem = SystemProblem();
            return false;
        }
        if (got == 0) {
            return true;
        }
        offset += got;
    }
}

// A new file in folder, named so that folder listings keep it out of sight; -1 on failure.
int MakeFileIn(const std::string& folder, std::string& path) {
    path = folder + "/.tarvo-XXXXXX";
    int handle = ::mkostemp(path.data(), O_CLOEXEC);
    if (handle < 0) {
        path.clear();
    }
    return handle;
}

// The folder entry of a renamed file reaches the device only with the folder.
void SyncFolder(const std::string& folder) {
    int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle >= 0) {
        ::fsync(handle);
        ::close(handle);
    }
}

// A copy of the file at path beside it, to put back with a rename; empty on failure.
std::string KeepCopyOf(const std::string& path, std::string& problem) {
    int original = OpenRegularFile(path, problem);
    if (original < 0) {
        return "";
    }
    std::string copy;
    int handle = MakeFileIn(FolderOf(path), copy);
    if (handle < 0) {
        problem = SystemProblem();
        ::close(original);
        return "";
    }
    struct stat status;
    if (::fstat(original, &status) == 0) {
        ::fchmod(handle, status.st_mode & 07777);
    }
    bool kept = CopyContent(original, handle, problem);
    ::close(original);
    ::close(handle);
    if (!kept) {
        ::unlink(copy.c_str());
        return "";
    }
    return copy;
}

}  // namespace

COutputFile::~COutputFile() {
    if (handle >= 0) {
        ::close(handle);
    }
    if (!temporary.empty()) {
        ::unlink(temporary.c_str());
    }
}

bool COutputFile::Fail(const std::string& what) {
    problem = what;
    return false;
}

bool COutputFile::Begin(const std::string& path) {
    problem.clear();
    if (!FollowLinks(path, target, problem)) {
        return false;
    }
    mode_t mode = NewFileMode();
    struct stat status;
    targetExisted = ::stat(target.c_str(), &status) == 0;
    if (!targetExisted && errno != ENOENT) {
        return Fail(SystemProblem());
    }
    if (targetExisted) {
        if (S_ISDIR(status.st_mode)) {
            return Fail("it is a folder");
        }
        if (S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode)) {
            // Made whole in the temporary folder first: writers go back to fill in directories.
            intoDevice = true;
            const char* folder = std::getenv("TMPDIR");
            std::string name;
            handle = MakeFileIn(folder != nullptr && *folder != '\0' ? folder : "/tmp", name);
            if (handle >= 0) {
                ::unlink(name.c_str());
            }
            return handle >= 0 || Fail(SystemProblem());
        }
        if (!S_ISREG(status.st_mode)) {
            return Fail("not a regular file");
        }
        // The mode bits say read-only also to a user whom the system would let write.
        if ((status.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) {
            return Fail("the file is read-only");
        }
        mode = status.st_mode & 07777;
    }
    handle = MakeFileIn(FolderOf(target), temporary);
    if (handle < 0) {
        return Fail(SystemProblem());
    }
    ::fchmod(handle, mode);
    return true;
}

bool COutputFile::Commit() {
    if (handle < 0) {
        return Fail("there is nothing to write");
    }
    return intoDevice ? CopyInto() : Rename();
}

bool COutputFile::Rename() {
    int closing = std::exchange(handle, -1);
    bool renamed = ::fsync(closing) == 0;
    if (!renamed) {
        problem = SystemProblem();
    }
    if (::close(closing) != 0 && renamed) {
        renamed = Fail(SystemProblem());
    }
    if (renamed && ::rename(temporary.c_str(), target.c_str()) != 0) {
        renamed = Fail(SystemProblem());
    }
    if (!renamed) {
        ::unlink(temporary.c_str());
    }
    temporary.clear();
    if (renamed) {
        SyncFolder(FolderOf(target));
    }
    return renamed;
}

bool COutputFile::CopyInto() {
    // A FIFO waits here for its reader, as a shell redirection does.
    int device = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (device < 0) {
        return Fail(SystemProblem());
    }
    bool copied = CopyContent(handle, device, problem);
    if (::close(device) != 0 && copied) {
        return Fail(SystemProblem());
    }
    return copied;
}

bool COutputFile::CommitBoth(COutputFile& first, COutputFile& second, std::string& problem) {
    std::string kept;
    if (first.targetExisted && !first.intoDevice && !second.intoDevice) {
        kept = KeepCopyOf(first.target, problem);
        if (kept.empty()) {
            return false;
        }
    }
    if (!first.Commit()) {
        problem = first.problem;
    } else if (!second.Commit()) {
        problem = second.problem;
        if (!kept.empty() && ::rename(kept.c_str(), first.target.c_str()) == 0) {
            kept.clear();
        } else if (!first.targetExisted) {
            ::unlink(first.target.c_str());
        }
    } else {
        problem.clear();
    }
    if (!kept.empty()) {
        ::unlink(kept.c_str());
    }
    return problem.empty();
}
