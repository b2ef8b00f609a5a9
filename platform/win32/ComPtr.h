// Owns one reference to a COM interface; and the COM library for a scope.
#pragma once

#include <objbase.h>
#include <unknwn.h>

#include <utility>

namespace setup {

template <typename T> class TComPtr {
public:
    TComPtr() = default;
    ~TComPtr() { Reset(); }
    TComPtr(TComPtr&& other) noexcept : Pointer(std::exchange(other.Pointer, nullptr)) {}
    TComPtr& operator=(TComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            Pointer = std::exchange(other.Pointer, nullptr);
        }
        return *this;
    }
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;

    T* operator->() const { return Pointer; }

    // For calls that hand out a new reference (CoCreateInstance, QueryInterface).
    void** Receive() {
        Reset();
        return reinterpret_cast<void**>(&Pointer);
    }

    void Reset() {
        if (Pointer)
            std::exchange(Pointer, nullptr)->Release();
    }

private:
    T* Pointer = nullptr;
};

// The COM library, initialised for the length of a scope on this thread.
class TComLibrary {
public:
    TComLibrary() { CoInitialize(nullptr); }
    ~TComLibrary() { CoUninitialize(); }
    TComLibrary(const TComLibrary&) = delete;
    TComLibrary& operator=(const TComLibrary&) = delete;
};

} // namespace setup
