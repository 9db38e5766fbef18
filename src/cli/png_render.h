#pragma once

#include <cstdio>
#include <string>

#include "art/map_art.h"

// Draws the whole map at tileSize pixels per tile (50, 25 or 10) into an 8-bit RGB PNG file, a
// band of tile rows at a time, so that memory does not grow with the map's size. Bands are drawn
// and compressed side by side on the machine's cores, each as its own piece of the image's zlib
// stream (as parallel compressors join theirs), and written in order. Compression favours speed:
// igzip (ISA-L) level 1, every row filtered Up but a band's first, which is unfiltered. False,
// with reason set, when the file cannot be written.
bool RenderPng(const CMapArt& art, int tileSize, std::FILE* out, std::string& reason);
