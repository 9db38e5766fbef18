#include "tool_run.h"

#include <sys/wait.h>

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

std::string ReadAll(FILE* stream) {
    std::string text;
    char buffer[4096];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, stream)) > 0) {
        text.append(buffer, count);
    }
    return text;
}

}  // namespace

ToolRun RunTarvoMap(const TempDir& dir, const std::vector<std::string>& arguments) {
    std::string errors = dir.File("stderr.txt");
    std::string command = "cd " + Quoted(dir.Path()) + " && " + Quoted(TARVO_MAP_EXE);
    for (const std::string& argument : arguments) {
        command += " " + Quoted(argument);
    }
    command += " 2>" + Quoted(errors);
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    run.out = ReadAll(pipe);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream file(errors);
    run.err.assign(std::istreambuf_iterator<char>(file), {});
    std::filesystem::remove(errors);
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
