// Memory of a thrown exception. The C++ library's own allocator keeps a pool of some 70 KB,
// taken from the heap at start-up, for the exceptions of many threads while the heap is out;
// one thread needs room only for the failures it can have alive at once while the heap is out.
#include <unwind-cxx.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iterator>

namespace {

// The runtime's bookkeeping in front of every thrown object.
constexpr size_t HeaderSize = sizeof(__cxxabiv1::__cxa_refcounted_exception);
// Room for a small exception object: the out-of-memory error, or the program's own failure
// with a text short enough to need no heap.
constexpr size_t ObjectRoom = 64;

struct alignas(__cxxabiv1::__cxa_refcounted_exception) TReserveBlock {
    unsigned char Bytes[HeaderSize + ObjectRoom];
};

// For when the heap has nothing left, a block for each failure alive at once. The most the
// program has: a failure whose error box is open (the box's loop keeps the progress page's timer
// ticking), a tick's failure being handled under it, and a third raised while that one's
// handler builds the text that tells of it. No further box opens with the heap out.
TReserveBlock reserve[3];
bool reserveInUse[std::size(reserve)];

} // namespace

extern "C" {

void* __cxa_allocate_exception(size_t size) noexcept {
    void* block = std::malloc(HeaderSize + size);
    for (size_t i = 0; !block && size <= ObjectRoom && i < std::size(reserve); ++i) {
        if (!reserveInUse[i]) {
            reserveInUse[i] = true;
            block = &reserve[i];
        }
    }
    if (!block)
        std::terminate();
    std::memset(block, 0, HeaderSize);
    return static_cast<unsigned char*>(block) + HeaderSize;
}

void __cxa_free_exception(void* thrown) noexcept {
    void* block = static_cast<unsigned char*>(thrown) - HeaderSize;
    const uintptr_t offset =
        reinterpret_cast<uintptr_t>(block) - reinterpret_cast<uintptr_t>(reserve);
    if (offset < sizeof reserve)
        reserveInUse[offset / sizeof(TReserveBlock)] = false;
    else
        std::free(block);
}

} // extern "C"
