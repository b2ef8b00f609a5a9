// The installer's failure hierarchy: every message built from its own format string.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <exception>
#include <string>
#include <utility>

namespace setup {

// printf-style formatting into a std::string, for the conversions the program's messages
// use: %s, %c, %d, %u and %x with an optional precision and l, ll or z size, and %%. Its
// own, so that no printf engine is linked into the image.
std::string Format(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));
std::string FormatList(const char* format, va_list args);

// The message is the program's own text; the code, when there is one, is the system's reason
// behind the failure (a last-error code, a registry status, an HRESULT), 0 when none.
class Exception : public std::exception {
public:
    explicit Exception(std::string message, uint32_t code = 0)
        : FMessage(std::move(message)), Code(code) {}
    const char* what() const noexcept override { return FMessage.c_str(); }
    const std::string& Message() const { return FMessage; }
    uint32_t ErrorCode() const { return Code; }

private:
    std::string FMessage;
    uint32_t Code;
};

// A failed file-system operation, carrying the platform's error code.
class EInOutError : public Exception {
public:
    explicit EInOutError(int code);
    // The text shown for an I/O error code ("File not found", "I/O error 21", ...).
    static std::string MessageFor(int code);
};

class EInvalidOperation : public Exception {
    using Exception::Exception;
};

class EListError : public Exception {
    using Exception::Exception;
};

// "Cannot create file %s"
class EFCreateError : public Exception {
    using Exception::Exception;
};

// "Stream write error"
class EWriteError : public Exception {
    using Exception::Exception;
};

// "Resource %s not found"
class EResNotFound : public Exception {
    using Exception::Exception;
};

// "Failed to set data for '%s'", "Failed to create key %s", "Invalid data type for '%s'" ...
class ERegistryException : public Exception {
    using Exception::Exception;
};

// A COM failure with its HRESULT; the message is the system's text or "OLE error %.8x".
class EOleSysError : public Exception {
    using Exception::Exception;
};

// "Interface not supported"
class EIntfCastError : public Exception {
    using Exception::Exception;
};

} // namespace setup
