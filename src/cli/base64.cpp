#include "base64.h"

#include <array>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int kNotBase64 = -1;

std::array<int, 256> DigitValues() {
    std::array<int, 256> values;
    values.fill(kNotBase64);
    for (int i = 0; i < 64; ++i) {
        values[static_cast<unsigned char>(kAlphabet[i])] = i;
    }
    return values;
}

}  // namespace

std::string Base64Encode(const uint8_t* bytes, size_t size) {
    std::string text;
    text.reserve((size + 2) / 3 * 4);
    for (size_t i = 0; i < size; i += 3) {
        const size_t count = size - i < 3 ? size - i : 3;
        uint32_t group = static_cast<uint32_t>(bytes[i]) << 16;
        group |= count > 1 ? static_cast<uint32_t>(bytes[i + 1]) << 8 : 0;
        group |= count > 2 ? bytes[i + 2] : 0;
        for (size_t k = 0; k < 4; ++k) {
            text += k <= count ? kAlphabet[group >> (18 - 6 * k) & 0x3F] : '=';
        }
    }
    return text;
}

bool Base64Decode(const std::string& text, std::vector<uint8_t>& bytes) {
    static const std::array<int, 256> values = DigitValues();
    bytes.clear();
    if (text.size() % 4 != 0) {
        return false;
    }
    bytes.reserve(text.size() / 4 * 3);
    for (size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        const size_t padding = last ? (text[i + 3] == '=') + (text[i + 2] == '=') : 0;
        uint32_t group = 0;
        for (size_t k = 0; k < 4; ++k) {
            const int value = k < 4 - padding ? values[static_cast<unsigned char>(text[i + k])] : 0;
            if (value == kNotBase64) {
                return false;
            }
            group = group << 6 | static_cast<uint32_t>(value);
        }
        // The bits a padded group drops must be zero: one text for each run of bytes.
        if ((padding == 2 && (group & 0xFFFF) != 0) || (padding == 1 && (group & 0xFF) != 0)) {
            return false;
        }
        for (size_t k = 0; k < 3 - padding; ++k) {
            bytes.push_back(static_cast<uint8_t>(group >> (16 - 8 * k)));
        }
    }
    return true;
}
