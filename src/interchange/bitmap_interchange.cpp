#include "interchange/bitmap_interchange.h"

#include <unistd.h>

#include <chrono>
#include <iterator>

#include "art/terrain_art.h"
#include "model/terrain_table.h"
#include "platform/file.h"
#include "platform/file_lock.h"
#include "platform/output_file.h"

namespace {

constexpr COLORREF Rgb(int red, int green, int blue) {
    return red | green << 8 | blue << 16;
}

// Interchange colours of types 0 to 25.
constexpr COLORREF kTerrainColors[] = {
    kNoTerrainColor,  kNoTerrainColor,    Rgb(244, 127, 115), Rgb(212, 197, 146),
    Rgb(72, 122, 10), Rgb(107, 122, 10),  Rgb(30, 85, 0),     Rgb(51, 42, 41),
    Rgb(82, 68, 60),  Rgb(118, 100, 85),  Rgb(158, 139, 117), Rgb(203, 185, 156),
    Rgb(0, 85, 38),   Rgb(4, 85, 120),    Rgb(3, 67, 94),     Rgb(142, 160, 78),
    Rgb(51, 104, 65), Rgb(117, 141, 130), kNoTerrainColor,    kNoTerrainColor,
    kNoTerrainColor,  kNoTerrainColor,    Rgb(41, 114, 71),   Rgb(52, 105, 66),
    Rgb(53, 106, 67), Rgb(148, 129, 107),
};
constexpr int kColoredTypes = static_cast<int>(std::size(kTerrainColors));

COLORREF PixelColor(const CDibImage& picture, int x, int y) {
    const uint8_t* pixel = picture.PixelPtr(x, y);
    return Rgb(pixel[2], pixel[1], pixel[0]);
}

// The first type whose colour matches, or -1.
int TypeOfColor(COLORREF color) {
    for (int type = 0; type < kColoredTypes; ++type) {
        if (kTerrainColors[type] != kNoTerrainColor && kTerrainColors[type] == color) {
            return type;
        }
    }
    return -1;
}

bool IsSizeOfAMap(int width, int height) {
    return width >= kMinMapSide && width <= kMaxMapWidth && height >= kMinMapSide &&
           height <= kMaxMapHeight;
}

}  // namespace

COLORREF TerrainColor(int type) {
    return type >= 0 && type < kColoredTypes ? kTerrainColors[type] : kNoTerrainColor;
}

std::string SubtypeFileName(const std::string& path) {
    size_t extension = path.find(".bmp");
    if (extension == std::string::npos) {
        return "_s" + path;
    }
    return path.substr(0, extension) + "_s" + path.substr(extension);
}

int ImportBitmap(CMapArt& art, const std::string& path) {
    // The size is checked before a pixel is read: a huge picture is refused without its memory.
    int width = 0;
    int height = 0;
    int bytesPerPixel = 0;
    if (CDibImage::PeekBmp(path, width, height, bytesPerPixel) != 0) {
        return kImportCannotOpen;
    }
    if (!IsSizeOfAMap(width, height)) {
        return kImportBadSize;
    }
    CDibImage colors;
    if (colors.LoadBmp(path) != 0) {
        return kImportCannotOpen;
    }
    CDibImage subtypes;
    bool haveSubtypes = subtypes.LoadBmp(SubtypeFileName(path)) == 0;
    if (colors.bytesPerPixel != 3 || (haveSubtypes && subtypes.bytesPerPixel != 1)) {
        return kImportBadDepth;
    }
    CTileGrid& grid = art.Grid();
    grid.Clear();
    art.Reset();
    if (!grid.Allocate(colors.GetWidth(), colors.GetHeight())) {
        return kImportOutOfMemory;
    }
    int result = 0;
    for (int y = 0; y < grid.GetHeight(); ++y) {
        for (int x = 0; x < grid.GetWidth(); ++x) {
            int type = TypeOfColor(PixelColor(colors, x, y));
            if (type < 0) {
                type = TERRAIN_TYPE_GRASS;
                result = kImportUnknownColor;
            }
            int request;
            if (haveSubtypes) {
                const uint8_t* pixel = subtypes.PixelPtr(x, y);
                request = pixel != nullptr ? *pixel : 0;
                if (request < 1 || request > kLastExactRequest) {
                    result = result == 0 ? kImportBadSubtype : result;
                    request = 1;
                }
            } else {
                bool secondSet = theTerrainTable.Record(type).setCount > 1;
                request = secondSet ? kRandomSecondSet : kRandomFirstSet;
            }
            grid.SetTile(type, request, x, y);
        }
    }
    return result;
}

namespace {

void SetReason(std::string* reason, const std::string& text) {
    if (reason != nullptr) {
        *reason = text;
    }
}

constexpr std::chrono::seconds kExportLockWait{10};

// The lock file of a pair, hidden beside the colour file: ".north.bmp.lock".
std::string LockFileName(const std::string& colorPath) {
    const std::string name = FileNamePart(colorPath);
    return colorPath.substr(0, colorPath.size() - name.size()) + "." + name + ".lock";
}

// Writes the picture as a BMP file into what output made aside.
bool WriteAside(CDibImage& picture, const COutputFile& output, const std::string& path) {
    int descriptor = dup(output.Descriptor());
    if (descriptor < 0) {
        return false;
    }
    CFile file;
    file.Adopt(descriptor, path);
    return picture.SaveBmp(file, path) == 0;
}

}  // namespace

int ExportBitmap(const CTileGrid& grid, const std::string& path, std::string* reason) {
    size_t extension = path.find(".bmp");
    if (extension == std::string::npos || extension < path.size() - FileNamePart(path).size()) {
        SetReason(reason,
                  "the file name must hold .bmp, before which the subtype bitmap's name puts _s");
        return kExportFailed;
    }
    CDibImage colors;
    CDibImage subtypes;
    colors.Create(grid.GetWidth(), grid.GetHeight(), 3);
    subtypes.Create(grid.GetWidth(), grid.GetHeight(), 1);
    if (colors.IsEmpty() || subtypes.IsEmpty()) {
        SetReason(reason, "out of memory for the bitmaps");
        return kExportFailed;
    }
    for (int i = 0; i < CDibImage::kPaletteSize; ++i) {
        uint8_t gray = static_cast<uint8_t>(i);
        subtypes.palette[i] = {gray, gray, gray, 0};
    }
    for (int y = 0; y < grid.GetHeight(); ++y) {
        for (int x = 0; x < grid.GetWidth(); ++x) {
            const CTile* tile = grid.GetTileAt(x, y);
            colors.SetPixel(x, y, TerrainColor(tile->type));
            *subtypes.PixelPtr(x, y) = static_cast<uint8_t>(tile->subtype + 1);
        }
    }
    // Both files are made aside and put in place together, and under a lock, so that a pair
    // never mixes two maps, not even when two exports to one name run at once.
    const std::string subtypePath = SubtypeFileName(path);
    COutputFile colorFile;
    COutputFile subtypeFile;
    CFileLock lock;
    std::string problem;
    if (!colorFile.Begin(path)) {
        problem = colorFile.Problem();
    } else if (!lock.Acquire(LockFileName(colorFile.Target()), kExportLockWait, problem)) {
        problem = "the bitmaps cannot be locked: " + problem;
    } else if (!subtypeFile.Begin(subtypePath)) {
        problem = subtypePath + ": " + subtypeFile.Problem();
    } else if (!WriteAside(colors, colorFile, path) ||
               !WriteAside(subtypes, subtypeFile, subtypePath)) {
        problem = "the bitmaps could not be written";
    } else if (!COutputFile::CommitBoth(colorFile, subtypeFile, problem)) {
        problem = "the bitmaps could not be put in place: " + problem;
    }
    SetReason(reason, problem);
    return problem.empty() ? 0 : kExportFailed;
}

std::string ImportMessage(int code) {
    switch (code) {
        case kImportOutOfMemory:
            return "Out of Memory";
        case kImportCannotOpen:
            return "Failed to open file";
        case kImportBadSize:
            return "The map bitmap must be at least 20 x 20 pixels and at most 192 x 112 pixels, "
                   "one pixel per tile.";
        case kImportBadSubtype:
            return "The grayscale subtype bitmap specifies an invalid subtype.  All values must be "
                   "in the range 1 to 81.  The subtype has been set to 1";
        case kImportUnknownColor:
            return "The import bitmap contains an unknown color, which has been mapped to grass.";
        case kImportBadDepth:
            return "Bitmap must be a 24 bit windows bitmap and subtype bitmap must be an 8 bit "
                   "windows bitmap";
        default:
            return "Unknown Error";
    }
}
