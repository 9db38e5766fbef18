#include "json_fields.h"

#include <algorithm>
#include <charconv>

#include "base64.h"
#include "json_path_error.h"
#include "model/terrain_fields.h"

namespace {

// A decimal number 0 to 255 that is all of text.
std::optional<int> ByteOf(const std::string& text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0 ||
        value > 255) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::string MemberPath(const std::string& path, const char* name) {
    return path.empty() ? name : path + "." + name;
}

std::string ElementPath(const std::string& path, size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

const Json* FindMember(const Json& object, const std::string& path, const char* name) {
    if (!object.is_object()) {
        throw CJsonPathError(path.empty() ? "the document" : path, "must be an object");
    }
    auto member = object.find(name);
    return member == object.end() ? nullptr : &*member;
}

const Json& RequireMember(const Json& object, const std::string& path, const char* name) {
    const Json* member = FindMember(object, path, name);
    if (member == nullptr) {
        throw CJsonPathError(MemberPath(path, name), "is missing");
    }
    return *member;
}

const Json* FindArray(const Json& object, const std::string& path, const char* name) {
    const Json* member = FindMember(object, path, name);
    if (member != nullptr) {
        ArrayAt(*member, MemberPath(path, name));
    }
    return member;
}

const Json& ArrayAt(const Json& value, const std::string& path, std::optional<size_t> size) {
    if (!value.is_array()) {
        throw CJsonPathError(path, "must be an array");
    }
    if (size && value.size() != *size) {
        throw CJsonPathError(path, "must have " + std::to_string(*size) + " elements, not " +
                                       std::to_string(value.size()));
    }
    return value;
}

int64_t WholeNumber(const Json& value, const std::string& path, int64_t minimum, int64_t maximum) {
    const bool fits =
        value.is_number_integer() &&
        (value.is_number_unsigned() ? value.get<uint64_t>() <= uint64_t{INT64_MAX} : true);
    const int64_t number = fits ? value.get<int64_t>() : 0;
    if (!fits || number < minimum || number > maximum) {
        throw CJsonPathError(path, "must be a whole number from " + std::to_string(minimum) +
                                       " to " + std::to_string(maximum));
    }
    return number;
}

const std::string& TextAt(const Json& value, const std::string& path) {
    if (!value.is_string()) {
        throw CJsonPathError(path, "must be a string");
    }
    return value.get_ref<const std::string&>();
}

std::vector<uint8_t> Base64At(const Json& value, const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!Base64Decode(TextAt(value, path), bytes)) {
        throw CJsonPathError(path, "is not base64");
    }
    return bytes;
}

TileText TileAt(const Json& value, const std::string& path) {
    TileText tile;
    if (value.is_number()) {
        tile.type = static_cast<int>(WholeNumber(value, path, 0, 255));
    } else {
        const std::string& text = TextAt(value, path);
        std::vector<std::optional<int>> parts;
        for (size_t from = 0; from <= text.size() && parts.size() <= 3;) {
            const size_t colon = std::min(text.find(':', from), text.size());
            parts.push_back(ByteOf(text.substr(from, colon - from)));
            from = colon + 1;
        }
        if (parts.size() > 3 ||
            std::find(parts.begin(), parts.end(), std::nullopt) != parts.end()) {
            throw CJsonPathError(path,
                                 "\"" + text + "\" is not \"type:request\" with numbers 0 to 255");
        }
        tile.type = *parts[0];
        tile.request = parts.size() > 1 ? *parts[1] : 0;
        if (parts.size() > 2) {
            tile.aux = static_cast<uint8_t>(*parts[2]);
        }
    }
    if (tile.type < TERRAIN_TYPE_CITY || tile.type > TERRAIN_TYPE_CUSTOM_16) {
        throw CJsonPathError(path, "type " + std::to_string(tile.type) + " is not a terrain type");
    }
    return tile;
}

std::string TileTextOf(int type, int request, std::optional<uint8_t> aux) {
    std::string text = std::to_string(type) + ":" + std::to_string(request);
    return aux ? text + ":" + std::to_string(*aux) : text;
}

void ReadTerrainRecord(const Json& object, const std::string& path, bool complete,
                       CTerrainType& record) {
    for (const TerrainField& field : kTerrainFields) {
        const Json* value = complete ? &RequireMember(object, path, field.name)
                                     : FindMember(object, path, field.name);
        if (value != nullptr) {
            record.*field.value = static_cast<int32_t>(
                WholeNumber(*value, MemberPath(path, field.name), INT32_MIN, INT32_MAX));
        }
    }
    const Json* resources = complete ? &RequireMember(object, path, "resources")
                                     : FindMember(object, path, "resources");
    if (resources != nullptr) {
        auto bytes = BytesAt<kResourceSlots>(*resources, MemberPath(path, "resources"));
        std::copy(bytes.begin(), bytes.end(), record.resources);
    }
}
