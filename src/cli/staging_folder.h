#pragma once

#include <functional>
#include <string>
#include <vector>

// A hidden folder beside the outputs of a command, in which they are written; they are moved
// into place only when all of them were written, so that a failed command leaves existing
// files as they were. Whatever is left in the folder goes with it.
class CStagingFolder {
  public:
    // Makes the folder in targetFolder ("" for the current folder).
    explicit CStagingFolder(const std::string& targetFolder);
    ~CStagingFolder();
    CStagingFolder(const CStagingFolder&) = delete;
    CStagingFolder& operator=(const CStagingFolder&) = delete;

    // False, with Problem() saying why, when the folder could not be made.
    bool Made() const { return !path.empty(); }
    const std::string& Problem() const { return problem; }

    // Where to write the output that will be named name.
    std::string PathOf(const std::string& name) const { return path + "/" + name; }
    // Moves the named outputs into the target folder. False, with Problem() saying why, at the
    // first that cannot be moved.
    bool MoveIntoPlace(const std::vector<std::string>& names);

  private:
    std::string targetFolder;
    std::string path;
    std::string problem;
};

// The folder part of a path ("" for a bare file name) and the file name part.
std::string FolderOf(const std::string& path);
std::string FileNameOf(const std::string& path);

// Writes the outputs named names through a staging folder beside output and moves them into
// place when write succeeded. Returns the exit status; a failure is reported as
// "failure: output: reason".
int WriteStaged(const std::string& output, const std::vector<std::string>& names,
                const char* failure,
                const std::function<bool(const CStagingFolder&, std::string& reason)>& write);
