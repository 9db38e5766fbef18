#pragma once

#include <array>
#include <cstdint>

#include "model/random.h"

// Requests of CTile::requestedSubtype: 0 a random cell from the first set, 1 to 81 exactly cell
// request - 1, above 81 a random cell from the second set (the editor writes 100).
inline constexpr uint8_t kRandomFirstSet = 0;
inline constexpr uint8_t kLastExactRequest = 81;
inline constexpr uint8_t kRandomSecondSet = 100;

// Subtypes above this have no art: drawing and the exit lookup treat them as "no art".
inline constexpr uint8_t kLastArtCell = 80;

inline constexpr uint8_t kAllExitsOpen = 0xFF;
inline constexpr uint8_t kNoAuxByte = 0xFF;

// What setting a tile needs to know of its type, looked up once for many tiles of it.
struct TileTypeFacts {
    // From theTerrainTable as it is now; types without a record (above 43, possible in damaged
    // map files) count as having no art.
    static TileTypeFacts Of(int type);

    int cellCount = 0;  // cells a random request picks from; never more than a sheet's 81
    bool secondSet = false;
    const std::array<uint8_t, 81>* exits = nullptr;  // the built-in exit table, if any
};

// An exact request (cell + 1) for a cell drawn from random among the cells a random request of
// type picks from: a plain tile whose look is chosen once and kept.
int RandomExactRequest(int type, CRandom& random);

// One map tile. Kept small and without virtual functions: a 1000 x 1000 map holds a million.
class CTile {
  public:
    // Stores the request and the low 8 bits of type, resolves the art cell (drawing from
    // theRandom for random requests) and derives the exit mask.
    void Set(int newType, int newRequestedSubtype);
    // The same with the facts of the type's low 8 bits already at hand, drawing from random (a
    // CRandom or a RandomState).
    template <typename Generator>
    void Set(int newType, int newRequestedSubtype, const TileTypeFacts& facts, Generator& random) {
        requestedSubtype = static_cast<uint8_t>(newRequestedSubtype);
        type = static_cast<uint8_t>(newType);
        int request = requestedSubtype;
        if (facts.cellCount > 0 && (request == kRandomFirstSet || request > kLastExactRequest)) {
            int k = random.Below(static_cast<uint32_t>(facts.cellCount));
            bool secondSet = facts.secondSet && request > kLastExactRequest;
            subtype = static_cast<uint8_t>(secondSet ? kLastArtCell - k : k);
        } else {
            subtype = static_cast<uint8_t>(request == 0 ? 0 : request - 1);
        }
        exits = facts.exits != nullptr && subtype <= kLastArtCell ? (*facts.exits)[subtype]
                                                                  : kAllExitsOpen;
    }

    bool operator==(const CTile&) const = default;

    uint16_t type = 0;
    uint8_t subtype = 0;
    uint8_t requestedSubtype = 0;
    uint8_t exits = kAllExitsOpen;
    uint8_t auxByte = kNoAuxByte;  // the optional third byte of a map file's tile record
};
