// Owning wrappers for kernel, registry and module handles: each handle is closed exactly once, by
// its owner.
#pragma once

#include <windows.h>

#include <utility>

namespace setup {

// The one owner of a handle; Traits say what "no handle" is and how to close one.
template <typename Traits> class TUniqueHandle {
public:
    using Handle = typename Traits::Handle;

    TUniqueHandle() = default;
    explicit TUniqueHandle(Handle handle) : Value(handle) {}
    ~TUniqueHandle() { Reset(); }
    TUniqueHandle(TUniqueHandle&& other) noexcept : Value(other.Release()) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;

    Handle Get() const { return Value; }
    explicit operator bool() const { return Value != Traits::Invalid(); }

    // Gives up ownership without closing.
    Handle Release() { return std::exchange(Value, Traits::Invalid()); }
    void Reset(Handle handle = Traits::Invalid()) {
        if (*this)
            Traits::Close(Value);
        Value = handle;
    }

private:
    Handle Value = Traits::Invalid();
};

// Processes and threads: null when there is none.
struct TKernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { CloseHandle(handle); }
};

// Files and Toolhelp snapshots: INVALID_HANDLE_VALUE when there is none.
struct TFileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { CloseHandle(handle); }
};

// Folder searches from FindFirstFileA.
struct TFindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { FindClose(handle); }
};

// Registry keys opened or created below a root.
struct TRegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { RegCloseKey(handle); }
};

// Modules from LoadLibraryExA, for example a program loaded to read its resources.
struct TModuleTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { FreeLibrary(handle); }
};

using TKernelHandle = TUniqueHandle<TKernelHandleTraits>;
using TFileHandle = TUniqueHandle<TFileHandleTraits>;
using TFindHandle = TUniqueHandle<TFindHandleTraits>;
using TRegKey = TUniqueHandle<TRegKeyTraits>;
using TModule = TUniqueHandle<TModuleTraits>;

} // namespace setup
