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

void WritePlaceholder(CMapArchive& archive, size_t count) {
    std::vector<uint8_t> zeros(count);
    archive.Write(zeros.data(), zeros.size());
}
