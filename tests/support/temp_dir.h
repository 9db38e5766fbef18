#pragma once

#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path; }
    std::string File(const std::string& name) const { return path + "/" + name; }
    // Writes text to the named file and returns its path.
    std::string Write(const std::string& name, const std::string& text) const;

  private:
    std::string path;
};
