// Memory of a thrown exception. The C++ library's own allocator keeps a pool of some 70 KB,
// taken from the heap at start-up, for the exceptions of many threads while the heap is out;
// one thread needs room for one such failure (the out-of-memory error itself) while it is
// handled.
#include <cstdlib>
#include <cstring>
#include <exception>

namespace {

// The runtime's bookkeeping in front of every thrown object (the ABI's reference-counted
// exception header on this target).
constexpr size_t HeaderSize = 0x60;

// Room for the header and a small exception object, for when the heap has nothing left.
alignas(16) unsigned char reserve[HeaderSize + 64];
bool reserveInUse = false;

} // namespace

extern "C" {

void* __cxa_allocate_exception(size_t size) noexcept {
    void* block = std::malloc(HeaderSize + size);
    if (!block && !reserveInUse && size <= sizeof reserve - HeaderSize) {
        reserveInUse = true;
        block = reserve;
    }
    if (!block)
        std::terminate();
    std::memset(block, 0, HeaderSize);
    return static_cast<unsigned char*>(block) + HeaderSize;
}

void __cxa_free_exception(void* thrown) noexcept {
    void* block = static_cast<unsigned char*>(thrown) - HeaderSize;
    if (block == reserve)
        reserveInUse = false;
    else
        std::free(block);
}

} // extern "C"
