#include "staging_folder.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "exit_status.h"

namespace {

std::string Within(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "/" + name;
}

}  // namespace

CStagingFolder::CStagingFolder(const std::string& folder) : targetFolder(folder) {
    std::string pattern = Within(folder, ".tarvo-map-XXXXXX");
    if (mkdtemp(pattern.data()) == nullptr) {
        problem = std::strerror(errno);
        return;
    }
    path = pattern;
}

CStagingFolder::~CStagingFolder() {
    if (Made()) {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
}

bool CStagingFolder::MoveIntoPlace(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        if (std::rename(PathOf(name).c_str(), Within(targetFolder, name).c_str()) != 0) {
            problem = std::strerror(errno);
            return false;
        }
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, std::max<size_t>(slash, 1));
}

std::string FileNameOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int WriteStaged(const std::string& output, const std::vector<std::string>& names,
                const char* failure,
                const std::function<bool(const CStagingFolder&, std::string& reason)>& write) {
    CStagingFolder staging(FolderOf(output));
    if (!staging.Made()) {
        return ReportFailure(failure, output, staging.Problem());
    }
    std::string reason;
    if (!write(staging, reason)) {
        return ReportFailure(failure, output, reason);
    }
    if (!staging.MoveIntoPlace(names)) {
        return ReportFailure(failure, output, staging.Problem());
    }
    return kExitSuccess;
}
