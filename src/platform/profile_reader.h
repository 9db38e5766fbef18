#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads a Windows-style ini file the way the Windows private-profile functions do: section and
// key names compare case-insensitively, blanks around names and values are trimmed, a value in
// one pair of matching quotes loses them, the first matching section and key win, lines starting
// with ';' are comments. An absent file reads as a file without sections.
class CProfileReader {
  public:
    explicit CProfileReader(const std::string& path);

    // The value of a present key, or nothing for an absent file, section or key.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    // The value, or defaultValue when absent.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;
    // Optional sign and leading decimal digits of the value (0 when there are none);
    // defaultValue when the key is absent or its value is empty.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;

  private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };

    void ParseLine(std::string_view line);

    std::vector<Section> sections;
};

// Optional blanks, optional sign, then the leading decimal digits of text; 0 when there are no
// digits. Values beyond the 32-bit range wrap as the Windows reader's do.
int ParseLeadingInt(std::string_view text);
