#pragma once

#include <cstdio>

#include "document/map_document.h"

// A map as lines of text for version control's diff (git's textconv): the version, size and
// miles per tile, one line per terrain record, one per tile row ("type:request" for each tile,
// the cells it asks for rather than the ones it drew), one per river piece in file order, one
// per custom art slot and city picture with a hash of its pixels.
void WriteMapText(const CMapDocument& map, std::FILE* out);
