#include "edit/edit_history.h"

#include <gtest/gtest.h>

namespace {

// A step of fake size, to fill the history.
class SizedEdit : public CMapEdit {
  public:
    explicit SizedEdit(size_t bytes) : CMapEdit("Sized"), bytes(bytes) {}
    void Apply(MapTarget&) override {}
    void Revert(MapTarget&) override {}
    MapChange Change() const override { return {}; }
    size_t MemoryBytes() const override { return bytes; }
    size_t bytes;
};

TEST(EditHistoryTest, BoundedByMemoryNotByCount) {
    constexpr size_t kMegabyte = size_t{1} << 20;
    CEditHistory history;
    history.Clear(true);
    for (int i = 0; i < 1000; ++i) {
        history.Add(std::make_unique<SizedEdit>(1000));
    }
    EXPECT_EQ(history.StepCount(), 1000u);
    for (size_t size : {100 * kMegabyte, 100 * kMegabyte, 100 * kMegabyte}) {
        history.Add(std::make_unique<SizedEdit>(size));
    }
    // The oldest go until the rest fit: the 1000 small steps and the first large one.
    EXPECT_EQ(history.StepCount(), 2u);
    EXPECT_LE(history.MemoryBytes(), CEditHistory::kMemoryLimit);
    EXPECT_FALSE(history.IsClean());

    history.StepBack();
    history.Add(std::make_unique<SizedEdit>(300 * kMegabyte));  // done, but not kept
    EXPECT_EQ(history.StepCount(), 0u);
    EXPECT_EQ(history.NextToUndo(), nullptr);
    EXPECT_EQ(history.NextToRedo(), nullptr);
    EXPECT_FALSE(history.IsClean());
}

}  // namespace
