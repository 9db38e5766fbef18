#include "image/pixel_buffer_pool.h"

#include "image/dib_image.h"

CPixelBufferPool thePixelBufferPool;

std::unique_ptr<uint8_t[]> CPixelBufferPool::Take(size_t size) {
    if (size >= kSmallest) {
        std::lock_guard<std::mutex> guard(lock);
        for (auto it = buffers.rbegin(); it != buffers.rend(); ++it) {
            if (it->size == size) {
                std::unique_ptr<uint8_t[]> bytes = std::move(it->bytes);
                buffers.erase(std::next(it).base());
                held -= size;
                return bytes;
            }
        }
    }
    return std::make_unique_for_overwrite<uint8_t[]>(size);
}

void CPixelBufferPool::Keep(CDibImage& image) {
    size_t size = image.GetBufferSize();
    std::unique_ptr<uint8_t[]> bytes = std::move(image.bits);
    image.Release();
    if (size < kSmallest) {
        return;
    }
    std::lock_guard<std::mutex> guard(lock);
    if (held + size > kLimit) {
        return;
    }
    try {
        buffers.push_back({size, std::move(bytes)});
        held += size;
    } catch (const std::bad_alloc&) {
        // the buffer is let go instead
    }
}

void CPixelBufferPool::Clear() {
    std::lock_guard<std::mutex> guard(lock);
    buffers.clear();
    held = 0;
}

size_t CPixelBufferPool::HeldBytes() const {
    std::lock_guard<std::mutex> guard(lock);
    return held;
}
