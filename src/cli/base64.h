#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Base64 with the standard alphabet and padding, for the stored bytes in JSON documents.
std::string Base64Encode(const uint8_t* bytes, size_t size);
inline std::string Base64Encode(const std::vector<uint8_t>& bytes) {
    return Base64Encode(bytes.data(), bytes.size());
}
// False for text that is not padded base64 of the standard alphabet.
bool Base64Decode(const std::string& text, std::vector<uint8_t>& bytes);
