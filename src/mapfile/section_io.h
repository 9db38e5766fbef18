#pragma once

#include <cstdint>
#include <string>

#include "foundation/little_endian.h"
#include "mapfile/map_archive.h"

// Small pieces shared by the section readers and writers.

// Text of a fixed-size name field: up to the first zero byte, or the whole field.
std::string FieldText(const uint8_t* field, size_t size);
// Puts text into a fixed-size field, zero-padded; text that does not fit is cut (UTF-8 text
// between two characters), and a field that must keep its terminator (keepTerminator) holds at
// most size - 1 bytes.
void PutFieldText(uint8_t* field, size_t size, const std::string& text, bool keepTerminator);

// Writes zeros through the archive: the placeholder of a directory filled in later.
void WritePlaceholder(CMapArchive& archive, size_t count);
