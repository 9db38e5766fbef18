#include "tool_run.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::string Quoted(const std::string& word) {
    std::string text = "'";
    for (char c : word) {
        text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return text + "'";
}

}  // namespace

ToolRun RunTarvoMap(const TempDir& dir, const std::vector<std::string>& arguments) {
    std::string output = dir.File("stdout.txt");
    std::string errors = dir.File("stderr.txt");
    // exec: the shell becomes the tool, whose own resource use wait4 then reports.
    std::string command = "cd " + Quoted(dir.Path()) + " && exec " + Quoted(TARVO_MAP_EXE);
    for (const std::string& argument : arguments) {
        command += " " + Quoted(argument);
    }
    command += " >" + Quoted(output) + " 2>" + Quoted(errors);
    ToolRun run;
    pid_t child = fork();
    if (child == 0) {
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child) {
        return run;
    }
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.peakKilobytes = usage.ru_maxrss;
    for (auto [path, text] : {std::pair{output, &run.out}, std::pair{errors, &run.err}}) {
        std::ifstream file(path);
        text->assign(std::istreambuf_iterator<char>(file), {});
        std::filesystem::remove(path);
    }
    return run;
}

bool FileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

std::vector<std::string> FolderContents(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}
