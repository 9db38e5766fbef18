#include "platform/profile_reader.h"

#include <cctype>
#include <cstdint>
#include <fstream>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

CProfileReader::CProfileReader(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string line;
    bool first = true;
    while (std::getline(file, line)) {
        std::string_view view = line;
        if (first && view.starts_with("\xEF\xBB\xBF")) {
            view.remove_prefix(3);
        }
        first = false;
        ParseLine(view);
    }
}

void CProfileReader::ParseLine(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() == ';') {
        return;
    }
    if (line.front() == '[') {
        size_t close = line.find(']');
        std::string_view name =
            line.substr(1, close == std::string_view::npos ? line.npos : close - 1);
        sections.push_back({std::string(Trim(name)), {}});
        return;
    }
    if (sections.empty()) {
        return;  // keys before the first section belong to no section
    }
    size_t equals = line.find('=');
    std::string_view key = Trim(line.substr(0, equals));
    std::string_view value =
        equals == std::string_view::npos ? std::string_view() : Trim(line.substr(equals + 1));
    sections.back().entries.push_back({std::string(key), std::string(Unquote(value))});
}

std::optional<std::string> CProfileReader::Find(std::string_view section,
                                                std::string_view key) const {
    for (const Section& s : sections) {
        if (!SameName(s.name, section)) {
            continue;
        }
        for (const Entry& e : s.entries) {
            if (SameName(e.key, key)) {
                return e.value;
            }
        }
        return std::nullopt;  // only the first section of a name counts
    }
    return std::nullopt;
}

std::string CProfileReader::GetString(std::string_view section, std::string_view key,
                                      std::string_view defaultValue) const {
    auto value = Find(section, key);
    return value ? *value : std::string(defaultValue);
}

int CProfileReader::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
    auto value = Find(section, key);
    if (!value || value->empty()) {
        return defaultValue;
    }
    return ParseLeadingInt(*value);
}

int ParseLeadingInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    uint32_t value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    }
    return static_cast<int>(negative ? 0u - value : value);
}
