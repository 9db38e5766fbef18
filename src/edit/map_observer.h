#pragma once

#include "edit/map_change.h"

// Told of every change that the map editor makes, whether done, undone or redone.
class CMapObserver {
  public:
    virtual void MapChanged(const MapChange& change) = 0;

  protected:
    ~CMapObserver() = default;
};
