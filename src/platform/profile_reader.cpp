#include "platform/profile_reader.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/regular_file.h"

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

// Hands each line of the file, without its end and cut to kMaxLineBytes, to onLine until it
// returns false. A read error ends the file early.
template <typename OnLine>
void ForEachLine(int handle, OnLine onLine) {
    constexpr size_t kBlockBytes = 65536;
    std::vector<char> block(kBlockBytes);
    std::string line;
    uint64_t offset = 0;
    bool first = true;
    auto hand = [&]() {
        std::string_view view = line;
        if (first && view.starts_with("\xEF\xBB\xBF")) {
            view.remove_prefix(3);
        }
        first = false;
        bool more = onLine(view);
        line.clear();
        return more;
    };
    for (;;) {
        ssize_t got = ::pread(handle, block.data(), kBlockBytes, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        offset += static_cast<uint64_t>(got);
        const char* next = block.data();
        const char* end = next + got;
        while (next < end) {
            const char* newline = static_cast<const char*>(std::memchr(next, '\n', end - next));
            const char* stop = newline != nullptr ? newline : end;
            size_t room = CProfileReader::kMaxLineBytes - line.size();
            line.append(next, std::min(room, static_cast<size_t>(stop - next)));
            if (newline == nullptr) {
                break;
            }
            if (!hand()) {
                return;
            }
            next = newline + 1;
        }
    }
    if (!line.empty()) {
        hand();
    }
}

}  // namespace

CProfileReader::CProfileReader(const std::string& path) {
    handle = OpenRegularFile(path, problem);
}

CProfileReader::~CProfileReader() {
    if (handle >= 0) {
        ::close(handle);
    }
}

std::vector<std::optional<std::string>> CProfileReader::FindAll(
    std::string_view section, const std::vector<std::string>& keys) const {
    std::vector<std::optional<std::string>> values(keys.size());
    if (handle < 0) {
        return values;
    }
    bool inside = false;
    size_t found = 0;
    ForEachLine(handle, [&](std::string_view line) {
        line = Trim(line);
        if (line.empty() || line.front() == ';') {
            return true;
        }
        if (line.front() == '[') {
            if (inside) {
                return false;  // only the first section of a name counts
            }
            size_t close = line.find(']');
            std::string_view name =
                line.substr(1, close == std::string_view::npos ? line.npos : close - 1);
            inside = SameName(Trim(name), section);
            return true;
        }
        if (!inside) {
            return true;  // also keys before the first section, which belong to no section
        }
        size_t equals = line.find('=');
        std::string_view key = Trim(line.substr(0, equals));
        for (size_t i = 0; i < keys.size(); ++i) {
            if (!values[i] && SameName(key, keys[i])) {
                std::string_view value = equals == std::string_view::npos
                                             ? std::string_view()
                                             : Trim(line.substr(equals + 1));
                values[i] = std::string(Unquote(value));
                ++found;
            }
        }
        return found < keys.size();
    });
    return values;
}

std::optional<std::string> CProfileReader::Find(std::string_view section,
                                                std::string_view key) const {
    return FindAll(section, {std::string(key)})[0];
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
