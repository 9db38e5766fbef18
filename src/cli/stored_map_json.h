#pragma once

#include "map_json.h"
#include "mapfile/stored_map.h"

// The complete form of a map document ("form": "complete"): the records of a map file as they
// are stored, with the stored bytes of pictures and art as base64, from which build writes the
// same file again byte for byte.
Json StoredMapJson(const StoredMap& map);
// The records of a document in the complete form; a bad value throws CJsonPathError.
StoredMap StoredMapFromJson(const Json& document);
