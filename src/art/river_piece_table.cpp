#include "art/river_piece_table.h"

#include <array>

#include "art/art_catalog.h"

namespace {

constexpr uint8_t kTop = kRiverExitTop;
constexpr uint8_t kRight = kRiverExitRight;
constexpr uint8_t kBottom = kRiverExitBottom;
constexpr uint8_t kLeft = kRiverExitLeft;

using PieceTable = std::array<RiverPieceInfo, kRiverPieceCount>;

struct TableFiller {
    PieceTable table{};
    int next = 0;

    constexpr void Add(uint8_t exits, RiverPieceShape shape, int variant) {
        table[next++] = {exits, shape, static_cast<uint8_t>(variant)};
    }
    // Every exit set of the list, variant by variant, so each drawing comes in every orientation
    // before the next drawing starts.
    template <size_t N>
    constexpr void AddEach(const uint8_t (&exitSets)[N], RiverPieceShape shape, int variants) {
        for (int v = 0; v < variants; ++v) {
            for (uint8_t exits : exitSets) {
                Add(exits, shape, v);
            }
        }
    }
};

constexpr TableFiller FillTable() {
    using enum RiverPieceShape;
    constexpr uint8_t runs[] = {kTop | kBottom,   kLeft | kRight,  kTop | kRight,
                                kRight | kBottom, kBottom | kLeft, kLeft | kTop};
    constexpr uint8_t forks[] = {kTop | kRight | kBottom, kRight | kBottom | kLeft,
                                 kBottom | kLeft | kTop, kLeft | kTop | kRight};
    constexpr uint8_t single[] = {kTop, kRight, kBottom, kLeft};
    constexpr uint8_t lakes[] = {
        0,     kTop,           kRight,         kBottom,
        kLeft, kTop | kBottom, kLeft | kRight, kTop | kRight | kBottom | kLeft};
    TableFiller filler;
    filler.AddEach(runs, kRun, 5);                                             // pieces 0-29
    filler.AddEach(forks, kFork, 4);                                           // 30-45
    filler.AddEach({uint8_t{kTop | kRight | kBottom | kLeft}}, kJunction, 3);  // 46-48
    filler.AddEach(single, kSource, 3);                                        // 49-60
    filler.AddEach(single, kMouth, 3);                                         // 61-72
    filler.AddEach(lakes, kLake, 1);                                           // 73-80
    return filler;
}

constexpr TableFiller kFilled = FillTable();
static_assert(kFilled.next == kRiverPieceCount);

}  // namespace

const RiverPieceInfo& RiverPieceInfoAt(int n) {
    return kFilled.table[n];
}
