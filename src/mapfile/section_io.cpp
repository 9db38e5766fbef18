#include "mapfile/section_io.h"

#include <algorithm>
#include <cstring>
#include <vector>

std::string FieldText(const uint8_t* field, size_t size) {
    const uint8_t* end = std::find(field, field + size, 0);
    return std::string(reinterpret_cast<const char*>(field), end - field);
}

void PutFieldText(uint8_t* field, size_t size, const std::string& text, bool keepTerminator) {
    std::memset(field, 0, size);
    size_t room = keepTerminator ? size - 1 : size;
    std::memcpy(field, text.data(), std::min(text.size(), room));
}

void PutUInt16(uint8_t* at, uint16_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void PutUInt32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        at[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

uint16_t GetUInt16(const uint8_t* at) {
    return static_cast<uint16_t>(at[0] | at[1] << 8);
}

uint32_t GetUInt32(const uint8_t* at) {
    return at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24;
}

void WritePlaceholder(CMapArchive& archive, size_t count) {
    std::vector<uint8_t> zeros(count);
    archive.Write(zeros.data(), zeros.size());
}

bool SeekDirect(CMapArchive& archive, uint64_t offset) {
    archive.Flush();
    CFile& file = archive.GetFile();
    if (offset >= file.GetLength()) {
        return false;
    }
    file.Seek(static_cast<int64_t>(offset), CFile::SeekFrom::Begin);
    return true;
}
