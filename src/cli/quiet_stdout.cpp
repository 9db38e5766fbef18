#include "quiet_stdout.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

CQuietStdout::CQuietStdout() {
    std::fflush(stdout);
    int sink = open("/dev/null", O_WRONLY);
    if (sink < 0) {
        return;
    }
    saved = dup(STDOUT_FILENO);
    if (saved >= 0) {
        dup2(sink, STDOUT_FILENO);
    }
    close(sink);
}

CQuietStdout::~CQuietStdout() {
    if (saved < 0) {
        return;
    }
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
}
