// The answer to a question that can fail: its value, or the status saying why it could not be
// asked. "There is none" is a value (an empty optional), never a failure.
#pragma once

#include "base/Status.h"

#include <utility>

namespace setup {

template <typename T> class [[nodiscard]] TResult {
public:
    TResult(T value) : Value(std::move(value)) {}  // NOLINT: a value answers the question
    TResult(TStatus failure) : Outcome(failure) {} // NOLINT: failure is a failed status

    constexpr explicit operator bool() const { return static_cast<bool>(Outcome); } // answered
    // The outcome: success with a value, else the failure and its code.
    constexpr TStatus Status() const { return Outcome; }
    // The value; only meaningful when answered.
    T& operator*() { return Value; }
    const T& operator*() const { return Value; }
    T* operator->() { return &Value; }
    const T* operator->() const { return &Value; }

private:
    T Value{};
    TStatus Outcome;
};

} // namespace setup
