#pragma once

#include <cstdint>
#include <string>

#include "mapfile/stored_map.h"

// Writes the records to path as a COutputFile, so that a failed write leaves nothing behind:
// sections 0 to 2 behind the section table, sections 3 and 4, the blobs and the uncovered bytes
// at their offsets when they are given and after what comes before them when not, the directories
// and a table that is not given filled in with where things went. 0, or kMapCannotOpen or
// kMapWriteFailed, or kMapDamaged when the offsets would make a file larger than its records
// fill: no map file has holes.
int WriteStoredMap(const StoredMap& map, const std::string& path, std::string& reason);

// The bytes of all records together: the longest file they can make.
uint64_t StoredMapContentBytes(const StoredMap& map);
