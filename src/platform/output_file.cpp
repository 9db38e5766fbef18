#include "platform/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string_view>
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

// The descriptor that path names (/dev/fd/N, or /proc/self/fd/N, where /dev/stdout leads) when
// it is open on a pipe, socket or terminal, else -1. Their /proc links lead to no path
// ("pipe:[N]"), and a socket cannot be opened again at all.
int StreamDescriptor(const std::string& path) {
    for (std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
        if (!path.starts_with(folder)) {
            continue;
        }
        const char* digits = path.c_str() + folder.size();
        const char* end = path.c_str() + path.size();
        int descriptor = -1;
        struct stat status;
        if (auto read = std::from_chars(digits, end, descriptor);
            read.ec == std::errc() && read.ptr == end && ::fstat(descriptor, &status) == 0 &&
            (S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode) || S_ISCHR(status.st_mode))) {
            return descriptor;
        }
    }
    return -1;
}

// The path that a write to path really replaces: symbolic links followed to their end, which
// need not exist yet, or to a path naming an open pipe, socket or terminal.
bool FollowLinks(std::string path, std::string& resolved, std::string& problem) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat status;
        if (StreamDescriptor(path) >= 0 || ::lstat(path.c_str(), &status) != 0 ||
            !S_ISLNK(status.st_mode)) {
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

// The folder entry of a renamed file reaches the device only with the folder.
void SyncFolder(const std::string& folder) {
    int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle >= 0) {
        ::fsync(handle);
        ::close(handle);
    }
}

// A copy of the file at path beside it, to put back with a rename.
bool KeepCopyOf(const std::string& path, CAsideFile& copy, CAsideFile::Kind kind,
                std::string& problem) {
    int original = OpenRegularFile(path, problem);
    if (original < 0) {
        return false;
    }
    struct stat status;
    bool kept =
        ::fstat(original, &status) == 0 && copy.Make(FolderOf(path), status.st_mode & 07777, kind);
    if (!kept) {
        problem = SystemProblem();
    }
    kept = kept && CopyContent(original, copy.Descriptor(), problem);
    ::close(original);
    return kept;
}

}  // namespace

bool COutputFile::Fail(const std::string& what) {
    problem = what;
    return false;
}

bool COutputFile::Begin(const std::string& path) {
    problem.clear();
    if (!FollowLinks(path, target, problem)) {
        return false;
    }
    intoDescriptor = StreamDescriptor(target);
    if (intoDescriptor >= 0) {
        intoDevice = true;
        return MakeInTemporaryFolder();
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
            intoDevice = true;
            return MakeInTemporaryFolder();
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
    return aside.Make(FolderOf(target), mode, asideKind) || Fail(SystemProblem());
}

// Content for a FIFO or device is made whole in the temporary folder first: writers go back to
// fill in directories.
bool COutputFile::MakeInTemporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    if (!aside.Make(folder != nullptr && *folder != '\0' ? folder : "/tmp", 0600, asideKind)) {
        return Fail(SystemProblem());
    }
    aside.RemoveName();
    return true;
}

bool COutputFile::Commit() {
    if (aside.Descriptor() < 0) {
        return Fail("there is nothing to write");
    }
    return intoDevice ? CopyInto() : Rename();
}

bool COutputFile::Rename() {
    // Kept open, and so locked, until the rename took the name it gets for it.
    bool renamed = ::fsync(aside.Descriptor()) == 0 && aside.RenameOver(target);
    if (!renamed) {
        problem = SystemProblem();
    }
    aside.Close();
    if (renamed) {
        SyncFolder(FolderOf(target));
    }
    return renamed;
}

bool COutputFile::CopyInto() {
    if (intoDescriptor >= 0) {
        return CopyContent(aside.Descriptor(), intoDescriptor, problem);
    }
    // A FIFO waits here for its reader, as a shell redirection does.
    int device = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (device < 0) {
        return Fail(SystemProblem());
    }
    bool copied = CopyContent(aside.Descriptor(), device, problem);
    if (::close(device) != 0 && copied) {
        return Fail(SystemProblem());
    }
    return copied;
}

bool COutputFile::CommitBoth(COutputFile& first, COutputFile& second, std::string& problem) {
    CAsideFile kept;
    if (first.targetExisted && !first.intoDevice && !second.intoDevice &&
        !KeepCopyOf(first.target, kept, first.asideKind, problem)) {
        return false;
    }
    if (!first.Commit()) {
        problem = first.problem;
    } else if (!second.Commit()) {
        problem = second.problem;
        if (kept.Descriptor() >= 0) {
            kept.RenameOver(first.target);
        } else if (!first.targetExisted) {
            ::unlink(first.target.c_str());
        }
    } else {
        problem.clear();
    }
    return problem.empty();
}
