#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "map_json.h"
#include "model/terrain_type.h"

// Reading the values of a map document, each failure a CJsonPathError with the value's path.

std::string MemberPath(const std::string& path, const char* name);
std::string ElementPath(const std::string& path, size_t index);

// The member, or null when the object has none; a value that is not an object is refused.
const Json* FindMember(const Json& object, const std::string& path, const char* name);
const Json& RequireMember(const Json& object, const std::string& path, const char* name);
// The member when it is there, which must then be an array; null when it is not.
const Json* FindArray(const Json& object, const std::string& path, const char* name);
// An array, of exactly size elements when size is given.
const Json& ArrayAt(const Json& value, const std::string& path,
                    std::optional<size_t> size = std::nullopt);
int64_t WholeNumber(const Json& value, const std::string& path, int64_t minimum, int64_t maximum);
const std::string& TextAt(const Json& value, const std::string& path);
std::vector<uint8_t> Base64At(const Json& value, const std::string& path);
// An array of size numbers 0 to 255.
template <size_t size>
std::array<uint8_t, size> BytesAt(const Json& value, const std::string& path) {
    const Json& values = ArrayAt(value, path, size);
    std::array<uint8_t, size> bytes;
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<uint8_t>(WholeNumber(values[i], ElementPath(path, i), 0, 255));
    }
    return bytes;
}

// A tile as "type:request" (or "type:request:aux" for a three-byte record), or a type alone.
struct TileText {
    int type = 0;
    int request = 0;
    std::optional<uint8_t> aux;
};
TileText TileAt(const Json& value, const std::string& path);
std::string TileTextOf(int type, int request, std::optional<uint8_t> aux);

// Overwrites the fields of record that the object gives; every field must be there when
// complete is set.
void ReadTerrainRecord(const Json& object, const std::string& path, bool complete,
                       CTerrainType& record);
