#include "mapfile/map_file.h"
#include "mapfile/map_sections.h"

int WriteOverview(CMapArchive& archive, const CDibImage& overview) {
    archive.WriteInt32(overview.GetWidth());
    archive.WriteInt32(overview.GetHeight());
    archive.Write(overview.bits.get(), overview.GetBufferSize());
    return 0;
}

int ReadOverview(CMapArchive& archive, CDibImage& overview, std::string& reason) {
    int32_t width;
    int32_t height;
    try {
        width = archive.ReadInt32();
        height = archive.ReadInt32();
    } catch (const CArchiveEndOfFile&) {
        reason = "the overview picture's size is missing";
        return kMapBadOverview;
    }
    if (width < 1 || height < 1 || width > kMaxMapSide || height > kMaxMapSide) {
        reason = "the overview picture is " + std::to_string(width) + " x " +
                 std::to_string(height) + " pixels";
        return kMapBadOverview;
    }
    uint64_t bytes = static_cast<uint64_t>((3 * width + 3) & ~3) * static_cast<uint64_t>(height);
    if (bytes > archive.BytesLeft()) {
        reason = "the overview picture runs past the end of the file";
        return kMapDamaged;
    }
    overview.CreateForOverwrite(width, height, 3);
    if (overview.IsEmpty()) {
        reason = "no memory for the overview picture";
        return kMapBadOverview;
    }
    // The buffer may be a recycled one: a short read must not leave old pixels behind.
    if (archive.Read(overview.bits.get(), overview.GetBufferSize()) != overview.GetBufferSize()) {
        reason = "the overview picture runs past the end of the file";
        return kMapDamaged;
    }
    return 0;
}
