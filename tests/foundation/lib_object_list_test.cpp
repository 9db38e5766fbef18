#include "foundation/lib_object_list.h"

#include <gtest/gtest.h>

#include "support/recording_log.h"

namespace {

// Counts its live instances and its Refresh calls, so that ownership can be checked.
class Counted : public LibObject {
  public:
    explicit Counted(std::string objectName = "item") : LibObject(std::move(objectName)) {
        ++alive;
    }
    ~Counted() override { --alive; }
    void Refresh() override { ++refreshed; }

    static inline int alive = 0;
    int refreshed = 0;
};

TEST(LibObjectListTest, GrowsToTheRequestedSlotLeavingTheGapEmpty) {
    CLibObjectList list(true, true, 4, 2);
    Counted* item = new Counted;
    list.SetAt(10, item);
    EXPECT_EQ(list.GetCapacity(), 11);
    EXPECT_EQ(list.GetCount(), 11);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(list.GetAt(i), nullptr) << i;
    }
    EXPECT_EQ(list.GetAt(10), item);
    EXPECT_EQ(list.GetAt(11), nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);
}

TEST(LibObjectListTest, GrowByZeroGrowsOneSlotAtATime) {
    CLibObjectList list(true, false, 0, 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.Append(new Counted), i);
        EXPECT_EQ(list.GetCapacity(), i + 1);
    }
    EXPECT_EQ(list.GetCount(), 3);
}

TEST(LibObjectListTest, RemovalClosesTheGapAndOwnershipDeletes) {
    Counted::alive = 0;
    {
        CLibObjectList list(true, true, 2, 32);
        Counted* items[4];
        for (Counted*& item : items) {
            item = new Counted;
            list.Append(item);
        }
        list.RemoveAt(-1, true);
        list.RemoveAt(list.GetCount(), true);
        EXPECT_EQ(list.GetCount(), 4);

        list.RemoveAt(1, true);
        EXPECT_EQ(Counted::alive, 3);
        ASSERT_EQ(list.GetCount(), 3);
        EXPECT_EQ(list.GetAt(0), items[0]);
        EXPECT_EQ(list.GetAt(1), items[2]);
        EXPECT_EQ(list.GetAt(2), items[3]);

        list.RemoveAt(0, false);  // taken out, not deleted
        EXPECT_EQ(Counted::alive, 3);
        delete items[0];

        list.SetAt(0, new Counted);  // replaces and deletes items[2]
        EXPECT_EQ(Counted::alive, 2);
    }
    EXPECT_EQ(Counted::alive, 0);  // the owning list deleted the rest
}

TEST(LibObjectListTest, ClearOfANonOwningListKeepsTheObjects) {
    Counted kept;
    CLibObjectList list(false, false, 1, 1);
    list.Append(&kept);
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCapacity(), 0);
    EXPECT_EQ(kept.name, "item");
}

TEST(LibObjectListTest, RefreshAndDumpReachEveryItem) {
    RecordingLog log;
    CLibObjectList list(true, true, 4, 4);
    Counted* first = new Counted("first");
    Counted* last = new Counted("last");
    list.SetAt(0, first);
    list.SetAt(1, new Counted("second"));
    list.SetAt(3, last);
    list.Refresh();
    EXPECT_EQ(first->refreshed, 1);
    EXPECT_EQ(last->refreshed, 1);

    list.Dump();
    ASSERT_EQ(log.lines.size(), 4u);
    EXPECT_EQ(log.lines[0].second, "LibObject(first)");
    EXPECT_EQ(log.lines[1].second, "LibObject(second)");
    EXPECT_EQ(log.lines[2].second, "\tNULL object at 2");
    EXPECT_EQ(log.lines[3].second, "LibObject(last)");
    for (const auto& line : log.lines) {
        EXPECT_EQ(line.first, kLogInfo);
    }
}

TEST(LibObjectTest, UnnamedObjectsDumpTheirAddress) {
    RecordingLog log;
    LibObject object;
    object.Dump();
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_TRUE(log.lines[0].second.starts_with("LibObject(0x")) << log.lines[0].second;
}

}  // namespace
