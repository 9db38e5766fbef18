#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads a Windows-style ini file the way the Windows private-profile functions do: section and
// key names compare case-insensitively, blanks around names and values are trimmed, a value in
// one pair of matching quotes loses them, the first matching section and key win, lines starting
// with ';' are comments. An absent file, or one that is not a regular file, reads as a file
// without sections.
//
// Nothing of the file is kept: every lookup reads it anew, line by line, and keeps only what it
// looks for, so that memory does not grow with the file. A line counts with its first
// kMaxLineBytes bytes.
class CProfileReader {
  public:
    static constexpr size_t kMaxLineBytes = 65536;

    explicit CProfileReader(const std::string& path);
    ~CProfileReader();
    CProfileReader(const CProfileReader&) = delete;
    CProfileReader& operator=(const CProfileReader&) = delete;

    // Why the file reads as empty: what the system said, or "not a regular file"; empty when
    // the file could be opened.
    const std::string& Problem() const { return problem; }

    // The value of a present key, or nothing for an absent file, section or key.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    // The values of several keys of one section, read in one pass over the file.
    std::vector<std::optional<std::string>> FindAll(std::string_view section,
                                                    const std::vector<std::string>& keys) const;
    // The value, or defaultValue when absent.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;
    // Optional sign and leading decimal digits of the value (0 when there are none);
    // defaultValue when the key is absent or its value is empty.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;

  private:
    int handle = -1;
    std::string problem;
};

// Optional blanks, optional sign, then the leading decimal digits of text; 0 when there are no
// digits. Values beyond the 32-bit range wrap as the Windows reader's do.
int ParseLeadingInt(std::string_view text);
