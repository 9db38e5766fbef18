#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

// Files in a folder of this process's own under the temporary folder, for readers that take a
// path. Each file stays open, so handing over an input costs a write and a truncate. The folder
// is removed at exit; a crash leaves it behind with the input that caused it.
class CScratchFiles {
  public:
    CScratchFiles();
    ~CScratchFiles();
    CScratchFiles(const CScratchFiles&) = delete;
    CScratchFiles& operator=(const CScratchFiles&) = delete;

    // Makes the named file hold exactly size bytes of data; returns its path.
    std::string Write(const std::string& name, const uint8_t* data, size_t size);
    std::string PathOf(const std::string& name) const { return folder + "/" + name; }

  private:
    std::string folder;
    std::map<std::string, int> handles;
};
