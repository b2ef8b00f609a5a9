// Owns one reference to a COM interface.
#pragma once

#include <unknwn.h>

#include <utility>

namespace setup {

template <typename T> class TComPtr {
public:
    TComPtr() = default;
    // Takes over the one reference a call handed out.
    explicit TComPtr(T* adopted) : Pointer(adopted) {}
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
    T* Get() const { return Pointer; }
    explicit operator bool() const { return Pointer != nullptr; }

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

} // namespace setup
