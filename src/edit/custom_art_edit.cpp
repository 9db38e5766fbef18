#include "edit/custom_art_edit.h"

#include <algorithm>

#include "art/overview_picture.h"

namespace {

size_t PictureBytes(const CTerrainArt& art) {
    return art.full.GetBufferSize() + art.half.GetBufferSize() + art.quarter.GetBufferSize() +
           art.tenth.GetBufferSize();
}

}  // namespace

CCustomArtEdit::CCustomArtEdit(std::string name, int type, CCustomTerrainArt&& art,
                               std::unique_ptr<CTileEdit> tiles)
    : CMapEdit(std::move(name)), type(type), tiles(std::move(tiles)) {
    other.SwapArt(art);
    pictureBytes = PictureBytes(other);
}

void CCustomArtEdit::Apply(MapTarget& target) {
    if (tiles) {
        tiles->Apply(target);
    }
    Exchange(target);
}

void CCustomArtEdit::Revert(MapTarget& target) {
    if (tiles) {
        tiles->Revert(target);
    }
    Exchange(target);
}

void CCustomArtEdit::Exchange(MapTarget& target) {
    target.art.CustomArtFor(type)->SwapArt(other);
    pictureBytes = std::max(pictureBytes, PictureBytes(other));
    // Every tile of the type takes the sheet's colour.
    RebuildOverview(target.art, target.overview);
}

MapChange CCustomArtEdit::Change() const {
    MapChange change;
    change.customArt = true;
    return change;
}

size_t CCustomArtEdit::MemoryBytes() const {
    return sizeof(*this) + pictureBytes + (tiles ? tiles->MemoryBytes() : 0);
}
