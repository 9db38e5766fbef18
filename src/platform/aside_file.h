#pragma once

#include <sys/types.h>

#include <string>

// A file made in a folder to take the place of another file there once it is complete. It is
// made unnamed where the file system allows, so that a writer killed half-way leaves nothing
// behind, and gets a name only to be renamed over its target. Where unnamed files are refused
// it is made with a hidden name of its own pattern. Either way it is locked (flock) while this
// object holds it, and making one first removes the files of that pattern in the folder that
// no one holds any more: those of writers that were killed.
class CAsideFile {
  public:
    enum class Kind { UnnamedWherePossible, Named };

    CAsideFile() = default;
    ~CAsideFile() { Close(); }
    CAsideFile(const CAsideFile&) = delete;
    CAsideFile& operator=(const CAsideFile&) = delete;

    // Makes the file in folder, open for reading and writing, with the mode bits given. False,
    // with errno set, when nothing can be made there.
    bool Make(const std::string& folder, mode_t mode, Kind kind = Kind::UnnamedWherePossible);
    int Descriptor() const { return handle; }
    // Its path while it has a name, else empty.
    const std::string& Path() const { return path; }

    // Names the file when it is unnamed and renames it over target. False, with errno set,
    // when that fails; the file then stays aside.
    bool RenameOver(const std::string& target);
    // Takes away the name a named file has: it lives on while it is open.
    void RemoveName();
    // Removes the name it still has and closes it.
    void Close();

  private:
    bool MakeNamed();
    bool Link();

    std::string folder;
    std::string path;
    int handle = -1;
};
