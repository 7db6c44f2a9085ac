#include "reliability/HeapCounter.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace quorvel::test {

namespace {

std::atomic<std::int64_t> allocations{0};
std::atomic<std::int64_t> bytesAllocated{0};
std::atomic<std::int64_t> liveBytes{0};
std::atomic<std::int64_t> peakLiveBytes{0};

void* allocate(std::size_t size, std::size_t alignment) {
    void* p = nullptr;
    if (alignment > alignof(std::max_align_t)) {
        if (::posix_memalign(&p, alignment, size == 0 ? 1 : size) != 0) {
            p = nullptr;
        }
    } else {
        p = std::malloc(size == 0 ? 1 : size);
    }
    if (p == nullptr) {
        return nullptr;
    }
    const auto usable = static_cast<std::int64_t>(::malloc_usable_size(p));
    ++allocations;
    bytesAllocated += usable;
    const auto live = liveBytes += usable;
    auto peak = peakLiveBytes.load();
    while (live > peak && !peakLiveBytes.compare_exchange_weak(peak, live)) {
    }
    return p;
}

void release(void* p) {
    if (p != nullptr) {
        liveBytes -= static_cast<std::int64_t>(::malloc_usable_size(p));
        std::free(p);
    }
}

void* allocateOrThrow(std::size_t size, std::size_t alignment) {
    void* p = allocate(size, alignment);
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    return p;
}

} // namespace

HeapCounts heapCounts() {
    return {allocations.load(), bytesAllocated.load(), liveBytes.load(), peakLiveBytes.load()};
}

void resetHeapPeak() {
    peakLiveBytes = liveBytes.load();
}

} // namespace quorvel::test

using quorvel::test::allocate;
using quorvel::test::allocateOrThrow;
using quorvel::test::release;

void* operator new(std::size_t size) {
    return allocateOrThrow(size, 0);
}
void* operator new[](std::size_t size) {
    return allocateOrThrow(size, 0);
}
void* operator new(std::size_t size, std::align_val_t a) {
    return allocateOrThrow(size, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t size, std::align_val_t a) {
    return allocateOrThrow(size, static_cast<std::size_t>(a));
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size, 0);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size, 0);
}
void* operator new(std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
    return allocate(size, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
    return allocate(size, static_cast<std::size_t>(a));
}
void operator delete(void* p) noexcept {
    release(p);
}
void operator delete[](void* p) noexcept {
    release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    release(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
    release(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
    release(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
    release(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
    release(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    release(p);
}
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept {
    release(p);
}
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept {
    release(p);
}
