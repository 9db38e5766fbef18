#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "platform/file.h"

// A file version packed as major << 24 | minor << 16 | release << 8 | build.
constexpr uint32_t PackVersion(int major, int minor, int release, int build) {
    return static_cast<uint32_t>(major & 0xFF) << 24 | static_cast<uint32_t>(minor & 0xFF) << 16 |
           static_cast<uint32_t>(release & 0xFF) << 8 | static_cast<uint32_t>(build & 0xFF);
}

inline constexpr uint32_t CurrentFileVersion = PackVersion(1, 0, 0, 75);
inline constexpr uint32_t OldestReadableVersion = PackVersion(1, 0, 0, 55);

// Thrown when a value is read past the end of the file; caught at the map file layer's edge.
class CArchiveEndOfFile : public std::runtime_error {
  public:
    CArchiveEndOfFile() : std::runtime_error("the file ends early") {}
};

// The buffered stream (4096 bytes) over an open map file, in one direction, carrying the file
// version of what it reads or writes. Direct file access by the art sections must be preceded
// by Flush, which makes the file position equal the stream position.
class CMapArchive {
  public:
    enum class Mode { Store, Load };

    CMapArchive(CFile& file, Mode mode) : file(file), mode(mode) {
        SetPackedVersion(CurrentFileVersion);
    }
    CMapArchive(const CMapArchive&) = delete;
    CMapArchive& operator=(const CMapArchive&) = delete;

    void SetVersion(uint8_t major, uint8_t minor, uint8_t release, uint8_t build);
    void SetPackedVersion(uint32_t packed);
    bool IsNewerThan(int major, int minor, int release, int build) const {
        return packedVersion > PackVersion(major, minor, release, build);
    }
    uint32_t GetPackedVersion() const { return packedVersion; }
    const uint8_t* GetVersionBytes() const { return version; }

    // Loading. Read returns fewer bytes only at the end of the file; the fixed-size reads throw
    // CArchiveEndOfFile there.
    size_t Read(void* buffer, size_t count);
    bool ReadByte(uint8_t& value) {
        if (next == end && !Refill()) {
            return false;
        }
        value = buffer[next++];
        return true;
    }
    uint8_t ReadUInt8();
    uint32_t ReadUInt32();
    int32_t ReadInt32() { return static_cast<int32_t>(ReadUInt32()); }

    // Bytes between the stream position and the end of the file.
    uint64_t BytesLeft() const { return file.BytesLeft() + (end - next); }

    // Storing; a failed write throws CFileException.
    void Write(const void* bytes, size_t count);
    void WriteUInt8(uint8_t value) { Write(&value, 1); }
    void WriteUInt16(uint16_t value);
    void WriteUInt32(uint32_t value);
    void WriteInt32(int32_t value) { WriteUInt32(static_cast<uint32_t>(value)); }

    // Storing: writes the buffer out. Loading: gives back the read-ahead, so that the file
    // position is the stream position again.
    void Flush();
    CFile& GetFile() { return file; }

  private:
    bool Refill();

    static constexpr size_t kBufferSize = 4096;

    CFile& file;
    Mode mode;
    uint8_t version[4] = {};
    uint32_t packedVersion = 0;
    uint8_t buffer[kBufferSize];
    size_t next = 0;  // loading: next unread byte; storing: bytes held
    size_t end = 0;   // loading: bytes in the buffer
};
