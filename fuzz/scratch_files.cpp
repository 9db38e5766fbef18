#include "scratch_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

// The harness cannot do its work without its files; that is the fuzzer's failure, not the input's.
[[noreturn]] void Fail(const std::string& what) {
    std::perror(what.c_str());
    std::abort();
}

}  // namespace

CScratchFiles::CScratchFiles() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvo-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        Fail(pattern);
    }
    folder = pattern;
}

CScratchFiles::~CScratchFiles() {
    for (const auto& [name, handle] : handles) {
        close(handle);
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

std::string CScratchFiles::Write(const std::string& name, const uint8_t* data, size_t size) {
    std::string path = PathOf(name);
    auto [entry, added] = handles.try_emplace(name, -1);
    if (added) {
        entry->second = open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    }
    int handle = entry->second;
    if (handle < 0 || pwrite(handle, data, size, 0) != static_cast<ssize_t>(size) ||
        ftruncate(handle, static_cast<off_t>(size)) != 0) {
        Fail(path);
    }
    return path;
}
