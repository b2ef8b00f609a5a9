// A program on Setup.exe's own runtime (no C runtime DLL): it prints, one a line, what the
// runtime made happen, and CTest compares the lines with the order they must come in. Static
// objects are built in the order of their definition before WinMain and destroyed in reverse
// after it, a function's static object on first use and before them; an exception crosses
// frames, unwinding them, to its handler, and one thrown while another is handled leaves that
// one to be rethrown; a handler finds the values its frame kept in registers, a failed
// allocation throws, and so does a failure raised with the heap used up to its last byte.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <vector>

namespace {

void Say(const std::string& line) {
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()),
              &written, nullptr);
}

struct TNoisy {
    explicit TNoisy(const char* name) : Name(name) { Say("construct " + Name); }
    ~TNoisy() { Say("destroy " + Name); }
    std::string Name;
};

TNoisy first("first");
TNoisy second("second");

class TFailure : public std::exception {
public:
    explicit TFailure(std::string text) : Text(std::move(text)) {}
    const char* what() const noexcept override { return Text.c_str(); }

private:
    std::string Text;
};

void ThrowFrom(int depth) {
    const TNoisy frame(("frame " + std::to_string(depth)).c_str());
    if (depth == 0)
        throw TFailure("thrown three frames down");
    ThrowFrom(depth - 1);
}

// Counts the exceptions in flight when it is unwound: the runtime's state of its one thread.
struct TUnwindWitness {
    ~TUnwindWitness() {
        Say("in flight while unwinding: " + std::to_string(std::uncaught_exceptions()));
    }
};

// An exception thrown and caught while another is being handled, then the first rethrown.
void RethrowAfterInner() {
    try {
        throw TFailure("outer");
    } catch (const TFailure&) {
        try {
            const TUnwindWitness witness;
            throw TFailure("inner");
        } catch (const TFailure& inner) {
            Say(std::string("caught: ") + inner.what());
        }
        throw;
    }
}

__attribute__((noinline)) void FailFrom(int value) {
    if (value >= 0)
        throw TFailure("failed");
}

// A frame that neither catches nor cleans up, between the thrower and the handler.
__attribute__((noinline)) void Relay(int value) {
    FailFrom(value);
    Say("not reached");
}

// Values the compiler keeps in the registers a call preserves come back at the handler as they
// were: 30 + 3 * 10 + 35.
__attribute__((noinline)) int KeptAcrossThrows() {
    int sum = 0;
    for (int i = 0; i < 5; ++i) {
        const int square = i * i;
        const int thrice = 3 * i;
        try {
            Relay(i);
        } catch (const std::exception&) {
            sum += square + thrice + 7;
        }
    }
    return sum;
}

// Out of memory: the runtime's own error, thrown by the allocation.
std::string AllocationFailure() {
    static volatile size_t huge = 0xFFF00000; // more than the address space
    static char* volatile block = nullptr;    // kept, or the compiler drops the pair
    try {
        block = new char[huge];
        delete[] block;
    } catch (const std::exception& failure) {
        return failure.what();
    }
    return "allocated";
}

// Failures thrown one after the other with nothing left on the heap: each one's memory comes
// from the runtime's reserve, given back when it is caught. Only texts that need no memory.
const char* ThrownWithTheHeapUsedUp() {
    static void* blocks[4096];
    size_t count = 0;
    // Everything the heap gives, the largest blocks first.
    for (size_t size = size_t{1} << 30; size > 0 && count < std::size(blocks);) {
        if (void* block = std::malloc(size))
            blocks[count++] = block;
        else
            size /= 2;
    }
    const char* result = std::malloc(1) ? "the heap was not used up" : "nothing caught";
    for (int round = 0; round < 2; ++round) {
        try {
            throw std::bad_alloc();
        } catch (const std::exception& failure) {
            result = round == 1 ? failure.what() : result;
        }
    }
    for (size_t i = 0; i < count; ++i)
        std::free(blocks[i]);
    return result;
}

// The heap and memory functions against what the C library promises.
bool HeapAndMemoryWork() {
    auto* block = static_cast<char*>(calloc(64, 1));
    bool ok = block && std::all_of(block, block + 64, [](char c) { return c == 0; });
    std::memcpy(block, "0123456789", 11);
    std::memmove(block + 2, block, 8); // overlapping, forwards
    ok = ok && std::strcmp(block, "0101234567") == 0;
    std::memmove(block, block + 2, 8); // overlapping, backwards
    ok = ok && std::memcmp(block, "01234567", 8) == 0;
    block = static_cast<char*>(realloc(block, 4096));
    ok = ok && block && std::memcmp(block, "01234567", 8) == 0;
    free(block);
    std::vector<std::string> grown;
    for (int i = 0; i < 1000; ++i)
        grown.push_back(std::string(40, static_cast<char>('a' + i % 26)));
    return ok && grown[999] == std::string(40, 'l') && std::strlen(grown[5].c_str()) == 40;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Say("WinMain");
    static TNoisy local("local");
    try {
        ThrowFrom(2);
    } catch (const std::exception& failure) {
        Say(std::string("caught: ") + failure.what());
    }
    try {
        RethrowAfterInner();
    } catch (const std::exception& failure) {
        Say(std::string("rethrown: ") + failure.what());
    }
    Say("kept across throws: " + std::to_string(KeptAcrossThrows()));
    Say("out of memory: " + AllocationFailure());
    const std::string usedUp = ThrownWithTheHeapUsedUp();
    Say("thrown with the heap used up: " + usedUp);
    Say(HeapAndMemoryWork() ? "heap and memory work" : "heap and memory FAIL");
    return 7;
}
