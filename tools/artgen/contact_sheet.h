#pragma once

#include "art_image.h"
#include "art_set.h"

// One picture of all built-in art for looking at it without the editor: every sheet, both sets
// of river pieces on a plain background, and a small map that shows how tiles and rivers join,
// at the view's 50 pixels per tile and at the palette's 25.
class CContactSheet {
  public:
    explicit CContactSheet(const CArtSet& art) : art(art) {}

    CArtImage Compose() const;

  private:
    int PlaceSheets(CArtImage& canvas) const;
    void PlacePieces(CArtImage& canvas, int firstId, int x, int y) const;
    CArtImage SampleMap() const;
    const CArtImage& Bitmap(int resourceId) const;

    const CArtSet& art;
};
