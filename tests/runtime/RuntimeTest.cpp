// A program on Setup.exe's own runtime (no C runtime DLL): it prints, one a line, what the
// runtime made happen, and CTest compares the lines with the order they must come in. Static
// objects are built in the order of their definition before WinMain and destroyed in reverse
// after it, a function's static object on first use and before them; an exception crosses
// frames, unwinding them, to its handler, and one thrown while another is handled leaves that
// one to be rethrown; a handler finds the values its frame kept in registers, a failed
// allocation throws, catch (...) takes what no typed handler names, and failures raised inside
// each other's handlers with the heap used up to its last byte are all caught, as many as the
// runtime's reserve holds. Where the program must end, a copy of it runs the case (its number
// on the command line): this one reads the copy's stop box, closes it and says how it ended.
#include "win32/Handles.h"

#include <windows.h>

#include <unwind.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <vector>

namespace {

using setup::TKernelHandle;

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

__attribute__((noinline)) void FailWithNumber(int value) {
    throw value;
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

// What no typed handler names, rethrown from catch (...) to one that does.
std::string CaughtByEllipsis() {
    const char* handler = "passed by catch (...)";
    try {
        try {
            FailWithNumber(42);
        } catch (const std::exception&) {
            return "a standard exception";
        } catch (...) {
            handler = "caught by catch (...)";
            throw;
        }
    } catch (int value) {
        return handler + (", rethrown as " + std::to_string(value));
    }
    return "nothing caught";
}

// Everything the heap gives, the largest blocks first, until GiveBackTheHeap.
void* heapBlocks[4096];
size_t heapBlockCount = 0;

void UseUpTheHeap() {
    for (size_t size = size_t{1} << 30; size > 0 && heapBlockCount < std::size(heapBlocks);) {
        if (void* block = std::malloc(size))
            heapBlocks[heapBlockCount++] = block;
        else
            size /= 2;
    }
}

void GiveBackTheHeap() {
    while (heapBlockCount > 0)
        std::free(heapBlocks[--heapBlockCount]);
}

// The failures the runtime's reserve holds at once (runtime/ExceptionMemory.cpp).
constexpr int ReserveBlocks = 3;

// Raises count failures, each inside the handler of the one before, so that all of them are
// alive at once; the last escapes every handler to the caller's.
void RaiseInsideHandlers(int count) {
    if (count == 1)
        throw std::bad_alloc();
    try {
        throw std::bad_alloc();
    } catch (const std::exception&) {
        RaiseInsideHandlers(count - 1);
    }
}

// As many failures alive at once as the reserve holds, with nothing left on the heap, twice:
// each takes its memory from the reserve and gives it back when its handler is left. Only
// texts that need no memory.
const char* ThrownWithTheHeapUsedUp() {
    UseUpTheHeap();
    void* const spare = std::malloc(1);
    int caught = 0;
    const char* what = "";
    for (int round = 0; round < 2; ++round) {
        try {
            RaiseInsideHandlers(ReserveBlocks);
        } catch (const std::exception& failure) {
            ++caught;
            what = failure.what();
        }
    }
    std::free(spare);
    GiveBackTheHeap();
    return spare ? "the heap was not used up" : caught == 2 ? what : "not caught";
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

// Where the program must end: each case runs in a copy of the program, which shows its stop box
// and ends with 3 once this one closes the box.
void ViolateNoexcept() noexcept {
    FailFrom(0);
}

struct TRaisingDestructor {
    ~TRaisingDestructor() noexcept(false) { FailFrom(0); }
};

void RaiseFromADestructorWhileUnwinding() {
    const TRaisingDestructor raising;
    FailFrom(0);
}

void RethrowWithNothingActive() {
    throw;
}

LRESULT CALLBACK RaisingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP)
        FailFrom(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

// Out of a window procedure into the system's frames that called it.
void RaiseIntoTheSystem() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RaisingProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "RuntimeTestRaising";
    RegisterClassA(&windowClass);
    SendMessageA(CreateWindowA(windowClass.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                               nullptr, windowClass.hInstance, nullptr),
                 WM_APP, 0, 0);
}

// A landing pad's resumption of an exception whose handler the second pass never meets: it
// walks out of the program's frames to the entry point's, whose rules the unwinder cannot read.
void UnwindWithoutAHandler() {
    static _Unwind_Exception lost{}; // foreign to C++, its handler's frame none
    _Unwind_Resume(&lost);
}

// One failure more than the reserve holds with the heap used up; the heap is given back before
// abort, so that its box can show.
void RaisePastTheReserve() {
    std::set_terminate([] {
        GiveBackTheHeap();
        std::abort();
    });
    UseUpTheHeap();
    try {
        RaiseInsideHandlers(ReserveBlocks + 1);
    } catch (...) {
    }
    GiveBackTheHeap();
}

// Set by this program once it has read the copy's box.
HANDLE boxRead = nullptr;

// A timer tick under the box that fails again, out of its procedure into the system's frames,
// once this program has read the box.
void CALLBACK FailingTick(HWND, UINT, UINT_PTR, DWORD) {
    if (WaitForSingleObject(boxRead, 0) == WAIT_OBJECT_0)
        FailFrom(0);
}

void AbortTwice() {
    SetTimer(nullptr, 0, 10, FailingTick);
    std::abort();
}

struct TTerminationCase {
    const char* Name;
    void (*Run)();
    // Ends by its second abort with its box open, not by this program's closing the box.
    bool EndsUnderItsBox;
};

const TTerminationCase terminationCases[] = {
    {"noexcept violated", ViolateNoexcept, false},
    {"a destructor raising while unwinding", RaiseFromADestructorWhileUnwinding, false},
    {"rethrow with nothing active", RethrowWithNothingActive, false},
    {"raised into the system's frames", RaiseIntoTheSystem, false},
    {"the unwinder cannot go on", UnwindWithoutAHandler, false},
    {"one failure past the reserve with the heap used up", RaisePastTheReserve, false},
    {"a second abort under the box", AbortTwice, true},
};

// For the copy's box to show, and then for the copy to end: long enough for a slow start,
// short enough that a box that never shows or a copy that never ends is told within the tests'
// time limit (300 s for all the cases).
constexpr DWORD TimeLimit = 20000;

unsigned long Number(const char*& at) {
    unsigned long value = 0;
    for (; *at >= '0' && *at <= '9'; ++at)
        value = value * 10 + (*at - '0');
    while (*at == ' ')
        ++at;
    return value;
}

// The copy's side: "<case> <event>" on the command line, the event set once the box is read.
int RunTerminationCase(const char* commandLine) {
    const unsigned long index = Number(commandLine);
    boxRead = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(Number(commandLine)));
    if (index < std::size(terminationCases))
        terminationCases[index].Run();
    return 0; // not terminated
}

struct TBoxSearch {
    DWORD ProcessId;
    HWND Box;
};

// A shown dialog (a message box's class) of the process searched for.
BOOL CALLBACK FindBox(HWND window, LPARAM searchAddress) {
    auto& search = *reinterpret_cast<TBoxSearch*>(searchAddress);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (processId == search.ProcessId && std::strcmp(className, "#32770") == 0 &&
        IsWindowVisible(window))
        search.Box = window;
    return !search.Box;
}

// The box of the running process, or null once the process has ended or the time is up.
HWND WaitForBox(const PROCESS_INFORMATION& process) {
    const DWORD start = GetTickCount();
    TBoxSearch search{process.dwProcessId, nullptr};
    for (;;) {
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.Box || WaitForSingleObject(process.hProcess, 20) != WAIT_TIMEOUT ||
            GetTickCount() - start > TimeLimit)
            return search.Box;
    }
}

std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Runs the case in a copy of this program: "terminated (<case>): <caption>: <text>" as the box
// says, whether it was left open for the copy to end by itself, and the copy's exit code.
std::string TerminationLine(size_t index) {
    const TTerminationCase& terminationCase = terminationCases[index];
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const TKernelHandle boxReadEvent(CreateEventA(&inherited, TRUE, FALSE, nullptr));
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH - 1);
    std::string commandLine = std::string("\"") + path + "\" " + std::to_string(index) + " " +
                              std::to_string(reinterpret_cast<uintptr_t>(boxReadEvent.Get()));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES; // none: the copy says nothing of its own
    PROCESS_INFORMATION process{};
    std::string line = std::string("terminated (") + terminationCase.Name + "): ";
    if (!CreateProcessA(path, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process))
        return line + "not started";
    const TKernelHandle child(process.hProcess);
    const TKernelHandle thread(process.hThread);
    if (const HWND box = WaitForBox(process)) {
        char text[256] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        line += WindowText(box) + ": " + text;
        if (terminationCase.EndsUnderItsBox) {
            SetEvent(boxReadEvent.Get());
            line += " left open,";
        } else {
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    } else {
        line += "no box,";
    }
    if (WaitForSingleObject(child.Get(), TimeLimit) != WAIT_OBJECT_0) {
        TerminateProcess(child.Get(), 99);
        WaitForSingleObject(child.Get(), INFINITE);
        line += " still running,";
    }
    DWORD code = 0;
    GetExitCodeProcess(child.Get(), &code);
    return line + " exit code " + std::to_string(code);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    if (*commandLine)
        return RunTerminationCase(commandLine);
    // A fault here ends the run with a line, not with a box that nobody closes.
    std::set_terminate([] {
        GiveBackTheHeap();
        Say("terminated");
        ExitProcess(3);
    });
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
    Say(CaughtByEllipsis());
    const std::string usedUp = ThrownWithTheHeapUsedUp();
    Say("thrown with the heap used up, " + std::to_string(ReserveBlocks) +
        " inside each other's handlers, twice: " + usedUp);
    Say(HeapAndMemoryWork() ? "heap and memory work" : "heap and memory FAIL");
    for (size_t i = 0; i < std::size(terminationCases); ++i)
        Say(TerminationLine(i));
    return 7;
}
