#include "platform/aside_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <random>
#include <string_view>

#include "platform/regular_file.h"

namespace {

constexpr std::string_view kPrefix = ".tarvo-";
constexpr size_t kRandomLetters = 6;
constexpr int kNameAttempts = 100;

bool IsAsideName(std::string_view name) {
    if (name.size() != kPrefix.size() + kRandomLetters || !name.starts_with(kPrefix)) {
        return false;
    }
    for (char letter : name.substr(kPrefix.size())) {
        if (std::isalnum(static_cast<unsigned char>(letter)) == 0) {
            return false;
        }
    }
    return true;
}

// A fresh name in folder, hidden from folder listings and of the pattern left-overs are known
// by.
std::string FreshName(const std::string& folder) {
    static constexpr std::string_view kLetters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::uniform_int_distribution<size_t> pick(0, kLetters.size() - 1);
    std::string name = folder + "/" + std::string(kPrefix);
    for (size_t i = 0; i < kRandomLetters; ++i) {
        name += kLetters[pick(random)];
    }
    return name;
}

// Removes the files of our pattern in folder that nobody holds locked: their writers were
// killed. One whose lock is held belongs to a save in progress and stays.
void RemoveLeftOvers(const std::string& folder) {
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        if (!IsAsideName(entry->d_name)) {
            continue;
        }
        const std::string path = folder + "/" + entry->d_name;
        int handle =
            ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
        if (handle < 0) {
            continue;
        }
        struct stat status;
        if (::fstat(handle, &status) == 0 && S_ISREG(status.st_mode) &&
            ::flock(handle, LOCK_EX | LOCK_NB) == 0) {
            ::unlink(path.c_str());
        }
        ::close(handle);
    }
    ::closedir(listing);
}

}  // namespace

bool CAsideFile::Make(const std::string& in, mode_t mode, Kind kind) {
    Close();
    folder = in;
    RemoveLeftOvers(folder);
    if (kind == Kind::UnnamedWherePossible) {
        handle = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
        // Older kernels say EISDIR, file systems without unnamed files EOPNOTSUPP or EINVAL.
        if (handle < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
            return false;
        }
        // Locked from the start: the name it gets before its rename is then never a left-over.
        if (handle >= 0) {
            ::flock(handle, LOCK_EX);
        }
    }
    if (handle < 0 && !MakeNamed()) {
        return false;
    }
    ::fchmod(handle, mode);
    return true;
}

// Between making the file and locking it, another save may take it for a left-over and remove
// it: a name that no longer leads to the locked file is given up for a fresh one.
bool CAsideFile::MakeNamed() {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        path = FreshName(folder);
        handle = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (handle < 0) {
            path.clear();
            if (errno == EEXIST) {
                continue;
            }
            return false;
        }
        if (::flock(handle, LOCK_EX) == 0 && IsFileAt(handle, path)) {
            return true;
        }
        ::close(handle);
        handle = -1;
        path.clear();
    }
    errno = EEXIST;
    return false;
}

bool CAsideFile::Link() {
    const std::string self = "/proc/self/fd/" + std::to_string(handle);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = FreshName(folder);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            path = name;
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    return false;
}

bool CAsideFile::RenameOver(const std::string& target) {
    if (path.empty() && !Link()) {
        return false;
    }
    if (::rename(path.c_str(), target.c_str()) != 0) {
        return false;
    }
    path.clear();
    return true;
}

void CAsideFile::RemoveName() {
    if (!path.empty()) {
        ::unlink(path.c_str());
        path.clear();
    }
}

void CAsideFile::Close() {
    // The name goes while the lock still says the file is in use.
    RemoveName();
    if (handle >= 0) {
        ::close(handle);
        handle = -1;
    }
}
