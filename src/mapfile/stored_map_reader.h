#pragma once

#include <string>

#include "mapfile/stored_map.h"

// Splits the map file at path into its stored records and the bytes no record covers, for any
// file whose structure the loader follows. 0, or kMapCannotOpen, kMapNotAMap, kMapHeaderShort or
// kMapDamaged with reason saying why.
int ReadStoredMap(const std::string& path, StoredMap& map, std::string& reason);
