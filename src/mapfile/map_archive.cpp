#include "mapfile/map_archive.h"

#include <algorithm>

#include "foundation/little_endian.h"

void CMapArchive::SetVersion(uint8_t major, uint8_t minor, uint8_t release, uint8_t build) {
    SetPackedVersion(PackVersion(major, minor, release, build));
}

void CMapArchive::SetPackedVersion(uint32_t packed) {
    packedVersion = packed;
    for (int i = 0; i < 4; ++i) {
        version[i] = static_cast<uint8_t>(packed >> (24 - 8 * i));
    }
}

bool CMapArchive::Refill() {
    next = 0;
    end = file.Read(buffer, kBufferSize);
    return end > 0;
}

size_t CMapArchive::Read(void* bytes, size_t count) {
    auto* out = static_cast<uint8_t*>(bytes);
    size_t done = 0;
    while (done < count) {
        if (next == end) {
            if (count - done >= kBufferSize) {
                size_t got = file.Read(out + done, count - done);  // large blocks skip the buffer
                done += got;
                break;
            }
            if (!Refill()) {
                break;
            }
        }
        size_t take = std::min(count - done, end - next);
        std::memcpy(out + done, buffer + next, take);
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
    if (Read(bytes, 4) != 4) {
        throw CArchiveEndOfFile();
    }
    return GetLe32(bytes);
}

void CMapArchive::Write(const void* bytes, size_t count) {
    const auto* in = static_cast<const uint8_t*>(bytes);
    while (count > 0) {
        if (next == kBufferSize) {
            Flush();
        }
        size_t take = std::min(count, kBufferSize - next);
        std::memcpy(buffer + next, in, take);
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

void CMapArchive::Flush() {
    if (mode == Mode::Store) {
        if (next > 0) {
            size_t held = next;
            next = 0;
            file.Write(buffer, held);
        }
        return;
    }
    if (next < end) {
        file.Seek(-static_cast<int64_t>(end - next), CFile::SeekFrom::Current);
    }
    next = end = 0;
}
