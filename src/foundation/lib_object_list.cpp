#include "foundation/lib_object_list.h"

#include <algorithm>

#include "foundation/diagnostic_log.h"

CLibObjectList::CLibObjectList(bool ownsObjects, bool threadSafe, int initialCapacity, int growBy)
    : capacity(std::max(initialCapacity, 0)),
      items(capacity > 0 ? std::make_unique<LibObject*[]>(capacity) : nullptr),
      ownsObjects(ownsObjects),
      threadSafe(threadSafe),
      growBy(std::max(growBy, 1)) {}

CLibObjectList::~CLibObjectList() {
    Clear();
}

std::unique_lock<std::recursive_mutex> CLibObjectList::Lock() const {
    return threadSafe ? std::unique_lock(mutex) : std::unique_lock<std::recursive_mutex>();
}

int CLibObjectList::GetCount() const {
    auto guard = Lock();
    return count;
}

int CLibObjectList::GetCapacity() const {
    auto guard = Lock();
    return capacity;
}

LibObject* CLibObjectList::GetAt(int i) const {
    auto guard = Lock();
    return i >= 0 && i < count ? items[i] : nullptr;
}

void CLibObjectList::Grow(int minimumCapacity) {
    int newCapacity = std::max(capacity + growBy, minimumCapacity);
    auto newItems = std::make_unique<LibObject*[]>(newCapacity);
    std::copy(items.get(), items.get() + count, newItems.get());
    items = std::move(newItems);
    capacity = newCapacity;
}

void CLibObjectList::SetAt(int i, LibObject* object) {
    auto guard = Lock();
    if (i < 0) {
        return;
    }
    if (i >= capacity) {
        Grow(i + 1);
    }
    if (ownsObjects && i < count && items[i] != object) {
        delete items[i];
    }
    items[i] = object;
    count = std::max(count, i + 1);
}

int CLibObjectList::Append(LibObject* object) {
    auto guard = Lock();
    int index = count;
    SetAt(index, object);
    return index;
}

void CLibObjectList::InsertAt(int i, LibObject* object) {
    auto guard = Lock();
    if (i < 0 || i > count) {
        return;
    }
    if (count == capacity) {
        Grow(count + 1);
    }
    std::copy_backward(items.get() + i, items.get() + count, items.get() + count + 1);
    items[i] = object;
    ++count;
}

void CLibObjectList::RemoveAt(int i, bool deleteObject) {
    auto guard = Lock();
    if (i < 0 || i >= count) {
        return;
    }
    if (deleteObject) {
        delete items[i];
    }
    std::copy(items.get() + i + 1, items.get() + count, items.get() + i);
    --count;
    items[count] = nullptr;
}

void CLibObjectList::RemoveAll() {
    auto guard = Lock();
    for (int i = 0; i < count; ++i) {
        delete items[i];
        items[i] = nullptr;
    }
    count = 0;
}

void CLibObjectList::Clear() {
    auto guard = Lock();
    if (ownsObjects) {
        RemoveAll();
    }
    items.reset();
    capacity = 0;
    count = 0;
}

void CLibObjectList::Swap(CLibObjectList& other) {
    std::scoped_lock guard(mutex, other.mutex);
    std::swap(capacity, other.capacity);
    std::swap(count, other.count);
    std::swap(items, other.items);
}

void CLibObjectList::Refresh() {
    auto guard = Lock();
    for (int i = 0; i < count; ++i) {
        if (items[i] != nullptr) {
            items[i]->Refresh();
        }
    }
}

void CLibObjectList::Dump() const {
    auto guard = Lock();
    for (int i = 0; i < count; ++i) {
        if (items[i] == nullptr) {
            LogMessage(theDiagnosticLog, kLogInfo, "\tNULL object at %d", i);
        } else {
            items[i]->Dump();
        }
    }
}
