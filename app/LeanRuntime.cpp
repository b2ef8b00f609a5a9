// Replacements for parts of the static C++ runtime that Setup.exe never needs and every
// download would pay for. Linked into Setup.exe only; the linker takes these definitions
// before the runtime library's own.
#include "base/Exceptions.h"

#include <cstdarg>
#include <new>

// The containers' error paths. The runtime's versions throw the standard logic errors, whose
// copy-on-write message strings bring a second string implementation along; the program
// catches these only as exceptions in general, so its own exception with the same message
// serves.
namespace std {
void __throw_bad_alloc() {
    throw std::bad_alloc();
}
void __throw_bad_array_new_length() {
    throw std::bad_alloc(); // what it derives from: callers catch no more than that
}
void __throw_length_error(const char* message) {
    throw setup::Exception(message);
}
void __throw_logic_error(const char* message) {
    throw setup::Exception(message);
}
void __throw_out_of_range_fmt(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string message = setup::FormatList(format, args);
    va_end(args);
    throw setup::Exception(std::move(message));
}
} // namespace std
