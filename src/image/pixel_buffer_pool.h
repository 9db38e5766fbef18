#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class CDibImage;

// Pixel buffers of pictures that were let go, kept for pictures of the same size made soon
// after. A map load replaces tens of megabytes of art at once, and memory fresh from the system
// costs a page fault per 4 KB, which takes longer than decoding into it. Only large buffers are
// kept, and no more than kLimit bytes in all.
class CPixelBufferPool {
  public:
    static constexpr size_t kSmallest = 64 * 1024;
    static constexpr size_t kLimit = 96 * 1024 * 1024;

    // A buffer of exactly size bytes with undefined content. Throws std::bad_alloc.
    std::unique_ptr<uint8_t[]> Take(size_t size);
    // Takes over the image's pixel buffer, or lets it go when the pool is full; the image is
    // empty afterwards.
    void Keep(CDibImage& image);
    // Lets go of every buffer held.
    void Clear();
    size_t HeldBytes() const;

  private:
    struct Held {
        size_t size;
        std::unique_ptr<uint8_t[]> bytes;
    };
    mutable std::mutex lock;
    std::vector<Held> buffers;
    size_t held = 0;
};

extern CPixelBufferPool thePixelBufferPool;
