#include "mapfile/map_archive.h"

#include <algorithm>

#include "foundation/little_endian.h"

CMapArchive::CMapArchive(CFile& file, Mode mode)
    : file(file),
      mode(mode),
      buffer(std::make_unique_for_overwrite<uint8_t[]>(kBufferSize)),
      bufferStart(file.GetPosition()),
      writebackFrom(bufferStart) {
    SetPackedVersion(CurrentFileVersion);
}

void CMapArchive::SetVersion(uint8_t major, uint8_t minor, uint8_t release, uint8_t build) {
    SetPackedVersion(PackVersion(major, minor, release, build));
}

void CMapArchive::SetPackedVersion(uint32_t packed) {
    packedVersion = packed;
    for (int i = 0; i < 4; ++i) {
        version[i] = static_cast<uint8_t>(packed >> (24 - 8 * i));
    }
}

// Loading keeps the file positioned at the end of what the buffer holds.
bool CMapArchive::Refill() {
    bufferStart += end;
    next = 0;
    end = 0;
    end = file.Read(buffer.get(), kBufferSize);
    return end > 0;
}

size_t CMapArchive::Read(void* bytes, size_t count) {
    auto* out = static_cast<uint8_t*>(bytes);
    size_t done = 0;
    while (done < count) {
        if (next == end) {
            if (count - done >= kBufferSize) {
                // Large blocks skip the buffer.
                bufferStart += end;
                next = end = 0;
                size_t got = file.Read(out + done, count - done);
                bufferStart += got;
                done += got;
                break;
            }
            if (!Refill()) {
                break;
            }
        }
        size_t take = std::min(count - done, end - next);
        std::memcpy(out + done, buffer.get() + next, take);
        next += take;
        done += take;
    }
    return done;
}

uint8_t CMapArchive::ReadUInt8() {
    uint8_t value;
    if (!ReadByte(value)) {
        throw CArchiveEndOfFile();
    }
    return value;
}

uint32_t CMapArchive::ReadUInt32() {
    uint8_t bytes[4];
    if (end - next >= 4) {
        std::memcpy(bytes, buffer.get() + next, 4);
        next += 4;
    } else if (Read(bytes, 4) != 4) {
        throw CArchiveEndOfFile();
    }
    return GetLe32(bytes);
}

bool CMapArchive::SeekTo(uint64_t offset) {
    if (offset >= GetLength()) {
        return false;
    }
    if (mode == Mode::Load && offset >= bufferStart && offset < bufferStart + end) {
        next = static_cast<size_t>(offset - bufferStart);
        return true;
    }
    Flush();
    file.Seek(static_cast<int64_t>(offset), CFile::SeekFrom::Begin);
    bufferStart = offset;
    return true;
}

uint64_t CMapArchive::GetLength() {
    if (!lengthKnown || mode == Mode::Store) {
        length = file.GetLength();
        lengthKnown = true;
    }
    return length;
}

void CMapArchive::Write(const void* bytes, size_t count) {
    const auto* in = static_cast<const uint8_t*>(bytes);
    if (count >= kBufferSize) {
        Flush();
        file.Write(in, count);
        bufferStart += count;
        StartWriteback();
        return;
    }
    while (count > 0) {
        if (next == kBufferSize) {
            Flush();
        }
        size_t take = std::min(count, kBufferSize - next);
        std::memcpy(buffer.get() + next, in, take);
        next += take;
        in += take;
        count -= take;
    }
}

void CMapArchive::WriteUInt16(uint16_t value) {
    uint8_t bytes[2];
    PutLe16(bytes, value);
    Write(bytes, 2);
}

void CMapArchive::WriteUInt32(uint32_t value) {
    uint8_t bytes[4];
    PutLe32(bytes, value);
    Write(bytes, 4);
}

uint8_t* CMapArchive::Claim(size_t count) {
    if (kBufferSize - next < count) {
        Flush();
    }
    uint8_t* room = buffer.get() + next;
    next += count;
    return room;
}

void CMapArchive::Patch(uint64_t offset, const void* bytes, size_t count) {
    if (offset >= bufferStart) {
        std::memcpy(buffer.get() + (offset - bufferStart), bytes, count);
        return;
    }
    if (offset + count > bufferStart) {
        Flush();
    }
    file.Seek(static_cast<int64_t>(offset), CFile::SeekFrom::Begin);
    file.Write(bytes, count);
    file.Seek(static_cast<int64_t>(bufferStart), CFile::SeekFrom::Begin);
}

void CMapArchive::StartWriteback() {
    constexpr uint64_t kWritebackStep = 1024 * 1024;
    if (bufferStart - writebackFrom >= kWritebackStep) {
        file.StartWriteback(writebackFrom, bufferStart - writebackFrom);
        writebackFrom = bufferStart;
    }
}

void CMapArchive::Flush() {
    if (mode == Mode::Store) {
        if (next > 0) {
            size_t held = next;
            next = 0;
            file.Write(buffer.get(), held);
            bufferStart += held;
            StartWriteback();
        }
        return;
    }
    if (next < end) {
        file.Seek(-static_cast<int64_t>(end - next), CFile::SeekFrom::Current);
    }
    bufferStart += next;
    next = end = 0;
}
