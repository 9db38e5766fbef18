#include "model/terrain_table.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "model/terrain_names.h"
#include "platform/profile_reader.h"

CTerrainTable theTerrainTable;

namespace {

constexpr size_t kValueLimit = 1023;  // characters of a game data value that are read
constexpr size_t kTokenLimit = 51;    // characters of the resource token that are kept

bool IsSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

void SkipSpace(const std::string& text, size_t& at) {
    while (at < text.size() && IsSpace(text[at])) {
        ++at;
    }
}

// One "%d": optional sign and at least one digit, saturating at the 32-bit limits.
bool ScanInt(const std::string& text, size_t& at, int32_t& out) {
    SkipSpace(text, at);
    size_t i = at;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) {
        return false;
    }
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = std::min(value * 10 + (text[i] - '0'), kLimit);
    }
    value = negative ? -value : std::min(value, kLimit - 1);
    out = static_cast<int32_t>(value);
    at = i;
    return true;
}

// One "%s": a run of non-blank characters.
bool ScanToken(const std::string& text, size_t& at, std::string& out) {
    SkipSpace(text, at);
    size_t end = at;
    while (end < text.size() && !IsSpace(text[end])) {
        ++end;
    }
    if (end == at) {
        return false;
    }
    out = text.substr(at, std::min(end - at, kTokenLimit));
    at = end;
    return true;
}

void SetResourcesFromToken(const std::string& token, CTerrainType& record) {
    std::memset(record.resources, 0, sizeof record.resources);
    for (char c : token) {
        const char* letter =
            std::strchr(kResourceLetters + 1, std::tolower(static_cast<unsigned char>(c)));
        if (c == '\0' || letter == nullptr) {
            record.resources[RESOURCE_PLACEHOLDER] = RESOURCE_ALLOWED;
            continue;
        }
        bool preferred = std::isupper(static_cast<unsigned char>(c)) != 0;
        record.resources[letter - kResourceLetters] =
            preferred ? RESOURCE_PREFERRED : RESOURCE_ALLOWED;
    }
}

}  // namespace

CTerrainTable::CTerrainTable() {
    for (int type = 0; type < kStoredTerrainTypes; ++type) {
        records[type].stampTable = -1;
    }
}

bool ParseTerrainLine(const std::string& value, CTerrainType& record) {
    std::string text = value.substr(0, kValueLimit);
    size_t at = 0;
    int32_t numbers[10];
    for (int32_t& number : numbers) {
        if (!ScanInt(text, at, number)) {
            return false;
        }
    }
    std::string token;
    if (!ScanToken(text, at, token)) {
        return false;
    }
    record.rightOfWayCost = numbers[0];
    record.trackCost = numbers[1];
    record.altitudeLevel = numbers[2];
    record.fourthValue = numbers[3];
    record.allowSignposts = numbers[4];
    record.allowCities = numbers[5];
    record.subtypeCount = numbers[6];
    record.setCount = numbers[7];
    record.exitTable = numbers[8];
    record.stampTable = numbers[9];
    SetResourcesFromToken(token, record);
    return true;
}

int CTerrainTable::LoadGameData(const std::string& path, int* badType, std::string* problem) {
    CProfileReader profile(path);
    if (problem != nullptr) {
        *problem = profile.Problem();  // a file that cannot be read reads as one without keys
    }
    milesPerTile = profile.GetInt("Units", "MILES_PER_MAP_SQUARE", milesPerTile);
    std::vector<std::string> keys;
    for (int type = 0; type < kStoredTerrainTypes; ++type) {
        keys.emplace_back(TerrainKey(type));
    }
    std::vector<std::optional<std::string>> lines = profile.FindAll("TerrainCosts", keys);
    for (int type = 0; type < kStoredTerrainTypes; ++type) {
        CTerrainType record = records[type];
        if (!ParseTerrainLine(lines[type].value_or(""), record)) {
            if (badType != nullptr) {
                *badType = type;
            }
            if (problem != nullptr && problem->empty()) {
                *problem = std::string("the [TerrainCosts] key ") + TerrainKey(type) +
                           " is missing or malformed";
            }
            return kGameDataBadLine;
        }
        record.typeNumber = type;
        records[type] = record;
    }
    if (badType != nullptr) {
        *badType = -1;
    }
    return 0;
}

std::string CTerrainTable::ResourceLetters(int type) const {
    std::string letters;
    const CTerrainType& record = Record(type);
    for (int slot = 0; slot < kResourceSlots; ++slot) {
        char letter = kResourceLetters[slot];
        if (record.resources[slot] == RESOURCE_ALLOWED) {
            letters += letter;
        } else if (record.resources[slot] == RESOURCE_PREFERRED) {
            letters += static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
        }
    }
    return letters.empty() ? "x" : letters;
}
