#pragma once

#include <string>

#include "platform/aside_file.h"

// A file that is written aside and put in the place of its target only when it is complete, so
// that a failed or interrupted write leaves whatever the target held.
//
// The target is taken as a user means it: a symbolic link is followed, and its final target is
// replaced (the file to write stands beside that one); an existing FIFO or character device is
// written into, never replaced (so /dev/null discards), after the whole file was made aside. So
// is a pipe, socket or terminal that a path naming an open descriptor leads to (/dev/stdout,
// /dev/fd/N, /proc/self/fd/N): it is written into through that descriptor. A folder, a
// read-only file, a block device and a socket are refused. Replacing a file gives it a new
// inode: hard links to the old one keep the old content.
class COutputFile {
  public:
    // The file written aside is unnamed where the file system allows (see CAsideFile); tests
    // ask for the named one that other file systems get.
    explicit COutputFile(CAsideFile::Kind asideKind = CAsideFile::Kind::UnnamedWherePossible)
        : asideKind(asideKind) {}
    // The file written aside goes unless it was committed.
    ~COutputFile() = default;
    COutputFile(const COutputFile&) = delete;
    COutputFile& operator=(const COutputFile&) = delete;

    // Checks the target and makes the file to write: false, with Problem() saying why, when the
    // target cannot be written or nothing can be made beside it.
    bool Begin(const std::string& target);
    // The file to write, a regular file open for reading and writing, owned by this object:
    // writers that close what they use take a dup of it.
    int Descriptor() const { return aside.Descriptor(); }
    // The path the content goes to in the end (the target with its links followed).
    const std::string& Target() const { return target; }

    // Puts the content in place: commits it to the device, renames it over the target and
    // commits the folder, or copies it into a FIFO or device. False, with Problem(), when that
    // fails; the target is then as it was, but for a FIFO or device that took part of it. Either
    // way nothing is left aside.
    bool Commit();
    const std::string& Problem() const { return problem; }

    // Puts both files in place or neither: when the second cannot be put in place, the first
    // target gets back what it held (or goes, when it did not exist). False, with problem set.
    static bool CommitBoth(COutputFile& first, COutputFile& second, std::string& problem);

  private:
    bool Fail(const std::string& what);
    bool Rename();
    bool CopyInto();

    bool MakeInTemporaryFolder();

    CAsideFile::Kind asideKind;
    std::string target;
    CAsideFile aside;
    bool intoDevice = false;  // a FIFO or character device, written into
    int intoDescriptor = -1;  // the open descriptor a device is written into through, if any
    bool targetExisted = false;
    std::string problem;
};
