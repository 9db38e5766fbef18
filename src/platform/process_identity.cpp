#include "platform/process_identity.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// Field 22 of /proc/PID/stat, 0 when it cannot be read. The command name in field 2 may hold
// spaces and parentheses, so the fields are counted after its last ')'.
uint64_t StartTimeOf(int64_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return 0;
    }
    const size_t nameEnd = line.rfind(')');
    if (nameEnd == std::string::npos) {
        return 0;
    }
    std::istringstream fields(line.substr(nameEnd + 1));
    std::string field;
    // Fields 3 to 21, then the start time.
    for (int number = 3; number <= 21 && fields >> field; ++number) {
    }
    uint64_t started = 0;
    fields >> started;
    return started;
}

}  // namespace

ProcessIdentity ProcessIdentity::Own() {
    const int64_t pid = getpid();
    return {pid, StartTimeOf(pid)};
}

bool ProcessIdentity::IsRunning() const {
    if (pid <= 0 || (kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM)) {
        return false;
    }
    return started == 0 || StartTimeOf(pid) == started;
}
