#pragma once

#include <optional>
#include <string>

// Base of the editor's library objects: an optional name and a diagnostic dump.
class LibObject {
  public:
    LibObject() = default;
    explicit LibObject(std::string objectName) : name(std::move(objectName)) {}
    virtual ~LibObject() = default;
    LibObject(const LibObject&) = default;
    LibObject(LibObject&&) = default;
    LibObject& operator=(const LibObject&) = default;
    LibObject& operator=(LibObject&&) = default;

    // Hook that lists forward to every item; nothing by default.
    virtual void Refresh() {}
    // Logs "LibObject(name)" at the information level, or the address for an unnamed object.
    virtual void Dump() const;

    std::optional<std::string> name;
};
