#include "mapfile/section_io.h"

#include <algorithm>
#include <cstring>
#include <vector>

std::string FieldText(const uint8_t* field, size_t size) {
    const uint8_t* end = std::find(field, field + size, 0);
    return std::string(reinterpret_cast<const char*>(field), end - field);
}

namespace {

bool IsContinuationByte(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// True when text is well-formed UTF-8 (lead bytes followed by as many continuation bytes as
// they announce); names from Windows code pages are usually not.
bool IsUtf8(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80           ? 1
                        : (lead >> 5) == 0x6  ? 2
                        : (lead >> 4) == 0xE  ? 3
                        : (lead >> 3) == 0x1E ? 4
                                              : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        for (size_t k = 1; k < length; ++k) {
            if (!IsContinuationByte(static_cast<unsigned char>(text[i + k]))) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

}  // namespace

void PutFieldText(uint8_t* field, size_t size, const std::string& text, bool keepTerminator) {
    std::memset(field, 0, size);
    size_t length = std::min(text.size(), keepTerminator ? size - 1 : size);
    // A UTF-8 name is cut between characters: half a character would not read back as text.
    if (length < text.size() && IsUtf8(text)) {
        while (length > 0 && IsContinuationByte(static_cast<unsigned char>(text[length]))) {
            --length;
        }
    }
    std::memcpy(field, text.data(), length);
}

void WritePlaceholder(CMapArchive& archive, size_t count) {
    std::vector<uint8_t> zeros(count);
    archive.Write(zeros.data(), zeros.size());
}
