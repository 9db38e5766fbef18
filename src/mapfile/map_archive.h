#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
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

// The buffered stream over an open map file, in one direction, carrying the file version of what
// it reads or writes. The buffer is large (64 KB) because every system call is expensive next to
// the copying: a map is read and written in a few dozen calls rather than thousands. The art
// sections move the stream to absolute offsets (SeekTo) and patch directories written earlier
// (Patch); the file object itself is only touched through the archive.
class CMapArchive {
  public:
    enum class Mode { Store, Load };

    static constexpr size_t kBufferSize = 65536;

    CMapArchive(CFile& file, Mode mode);
    CMapArchive(const CMapArchive&) = delete;
    CMapArchive& operator=(const CMapArchive&) = delete;

    void SetVersion(uint8_t major, uint8_t minor, uint8_t release, uint8_t build);
    void SetPackedVersion(uint32_t packed);
    bool IsNewerThan(int major, int minor, int release, int build) const {
        return packedVersion > PackVersion(major, minor, release, build);
    }
    uint32_t GetPackedVersion() const { return packedVersion; }
    const uint8_t* GetVersionBytes() const { return version; }

    // The stream position as an offset in the file.
    uint64_t GetPosition() const { return bufferStart + next; }

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
    // The bytes read ahead of the stream position, reading more when there are none; 0 only at
    // the end of the file. Skip moves past some of them.
    size_t Peek(const uint8_t*& bytes) {
        if (next == end && !Refill()) {
            return 0;
        }
        bytes = buffer.get() + next;
        return end - next;
    }
    void Skip(size_t count) { next += count; }
    // Moves the stream to an offset in the file, keeping what was read ahead when the offset lies
    // in it. False, without moving, for an offset at or beyond the end of the file.
    bool SeekTo(uint64_t offset);
    // Length of the file, asked of the system once.
    uint64_t GetLength();
    // Bytes between the stream position and the end of the file.
    uint64_t BytesLeft() {
        uint64_t length = GetLength();
        return GetPosition() < length ? length - GetPosition() : 0;
    }

    // Storing; a failed write throws CFileException.
    void Write(const void* bytes, size_t count);
    void WriteUInt8(uint8_t value) { Write(&value, 1); }
    void WriteUInt16(uint16_t value);
    void WriteUInt32(uint32_t value);
    void WriteInt32(int32_t value) { WriteUInt32(static_cast<uint32_t>(value)); }
    // Room for count bytes (at most kBufferSize) at the stream position, to be filled at once.
    uint8_t* Claim(size_t count);
    // Overwrites bytes written before at an absolute offset (a directory filled in late); the
    // stream position stays where it is.
    void Patch(uint64_t offset, const void* bytes, size_t count);

    // Storing: writes the buffer out. Loading: gives back the read-ahead, so that the file
    // position is the stream position again.
    void Flush();

  private:
    bool Refill();
    // Storing: once a few megabytes are written, has the system start putting them on the
    // device, so that the save's final flush finds little left to wait for.
    void StartWriteback();

    CFile& file;
    Mode mode;
    uint8_t version[4] = {};
    uint32_t packedVersion = 0;
    std::unique_ptr<uint8_t[]> buffer;
    uint64_t bufferStart = 0;  // file offset of the buffer's first byte
    size_t next = 0;           // loading: next unread byte; storing: bytes held
    size_t end = 0;            // loading: bytes in the buffer
    uint64_t length = 0;
    bool lengthKnown = false;
    uint64_t writebackFrom = 0;  // storing: where written bytes not yet handed to the device start
};
