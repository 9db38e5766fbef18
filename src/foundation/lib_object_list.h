#pragma once

#include <memory>
#include <mutex>

#include "foundation/lib_object.h"

// A growable list of LibObject pointers that optionally owns them and optionally serialises
// every operation (re-entrantly) on its own lock.
class CLibObjectList : public LibObject {
  public:
    CLibObjectList(bool ownsObjects, bool threadSafe, int initialCapacity, int growBy);
    ~CLibObjectList() override;
    CLibObjectList(const CLibObjectList&) = delete;
    CLibObjectList& operator=(const CLibObjectList&) = delete;

    int GetCount() const;
    int GetCapacity() const;
    // Null for an index outside 0..count-1.
    LibObject* GetAt(int i) const;
    // Grows to max(capacity + growBy, i + 1) slots when i is beyond the capacity. An owned
    // object that the new one replaces is deleted. Negative indexes are ignored.
    void SetAt(int i, LibObject* object);
    int Append(LibObject* object);
    // Puts the object at index i (0 to count), moving later items up.
    void InsertAt(int i, LibObject* object);
    // Out-of-range indexes are ignored; later items move down to close the gap.
    void RemoveAt(int i, bool deleteObject);
    // Deletes every object.
    void RemoveAll();
    // Deletes the objects when the list owns them, then frees the slots.
    void Clear();
    // Exchanges the items of two lists; their ownership and locking settings stay.
    void Swap(CLibObjectList& other);

    void Refresh() override;
    void Dump() const override;

  private:
    std::unique_lock<std::recursive_mutex> Lock() const;
    void Grow(int minimumCapacity);

    int capacity = 0;
    int count = 0;
    std::unique_ptr<LibObject*[]> items;
    bool ownsObjects;
    bool threadSafe;
    int growBy;
    mutable std::recursive_mutex mutex;
};
