#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/file_exception.h"

// An unbuffered file handle with the behaviour the map file code relies on: a read past the end
// comes back short without notice, every other failure throws CFileException. The object keeps
// the position itself and reads and writes at it, so positioning costs no system call; it serves
// seekable files only. Read and Write are virtual so that a file can be stood in for.
class CFile {
  public:
    enum class OpenMode {
        Read,         // read only; the file must exist
        CreateWrite,  // write only; created, or cut to length 0 when it exists
    };
    enum class SeekFrom { Begin, Current, End };

    CFile() = default;
    // Closes the file; a failure to close is not reported here (call Close to learn of it).
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // False, with OpenProblem() saying why, when the file cannot be opened; Read opens only
    // regular files (see OpenRegularFile). An open file is closed first.
    bool Open(const std::string& path, OpenMode mode);
    // Takes over a descriptor opened for writing (such as mkstemp's), which Close closes.
    void Adopt(int descriptor, const std::string& path);
    bool IsOpen() const { return handle >= 0; }
    const std::string& OpenProblem() const { return openProblem; }

    // Reads up to count bytes with one system read and returns how many arrived; from a regular
    // file fewer arrive only at its end.
    virtual size_t Read(void* buffer, size_t count);
    // Writes all count bytes or throws.
    virtual void Write(const void* buffer, size_t count);
    // Returns the new position; a position before the start throws. Positions past the end are
    // allowed, as a later write fills the gap with zeros.
    uint64_t Seek(int64_t offset, SeekFrom from);
    uint64_t GetPosition() const { return position; }
    uint64_t GetLength() const;
    // Bytes between the position and the end; 0 when positioned at or past the end.
    uint64_t BytesLeft() const;
    // Commits what was written to the storage device.
    void Flush();
    // Has the system start writing count bytes from offset to the device without waiting for
    // it, so that a later Flush waits less; only a hint, which never fails.
    void StartWriteback(uint64_t offset, uint64_t count);
    // Does nothing when the file is not open.
    void Close();

  private:
    [[noreturn]] void Fail(const char* operation, int error) const;

    int handle = -1;
    uint64_t position = 0;
    std::string path;
    std::string openProblem;
};
