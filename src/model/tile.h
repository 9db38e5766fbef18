#pragma once

#include <cstdint>

// Requests of CTile::requestedSubtype: 0 a random cell from the first set, 1 to 81 exactly cell
// request - 1, above 81 a random cell from the second set (the editor writes 100).
inline constexpr uint8_t kRandomFirstSet = 0;
inline constexpr uint8_t kLastExactRequest = 81;
inline constexpr uint8_t kRandomSecondSet = 100;

// Subtypes above this have no art: drawing and the exit lookup treat them as "no art".
inline constexpr uint8_t kLastArtCell = 80;

inline constexpr uint8_t kAllExitsOpen = 0xFF;
inline constexpr uint8_t kNoAuxByte = 0xFF;

// One map tile. Kept small and without virtual functions: a 1000 x 1000 map holds a million.
class CTile {
  public:
    // Stores the request and the low 8 bits of type, resolves the art cell (drawing from
    // theRandom for random requests) and derives the exit mask. Does not touch `modified`.
    void Set(int newType, int newRequestedSubtype);

    uint16_t type = 0;
    uint8_t subtype = 0;
    uint8_t requestedSubtype = 0;
    uint8_t exits = kAllExitsOpen;
    uint8_t auxByte = kNoAuxByte;  // the optional third byte of a map file's tile record

  private:
    void ResolveSubtype();
    void DeriveExits();
};
