#include "base/Exceptions.h"

namespace setup {

namespace {

// Digits of a value in base 10 or 16, at least `precision` of them.
void AppendNumber(std::string& text, unsigned long long value, bool negative, unsigned base,
                  int precision) {
    char digits[24];
    int count = 0;
    do {
        digits[count++] = "0123456789abcdef"[value % base];
        value /= base;
    } while (value != 0);
    while (count < precision && count < static_cast<int>(sizeof digits))
        digits[count++] = '0';
    if (negative)
        text += '-';
    while (count > 0)
        text += digits[--count];
}

} // namespace

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = FormatList(format, args);
    va_end(args);
    return text;
}

std::string FormatList(const char* format, va_list args) {
    std::string text;
    for (const char* at = format; *at; ++at) {
        if (*at != '%') {
            text += *at;
            continue;
        }
        int precision = 1;
        if (at[1] == '.') {
            precision = 0;
            for (at += 2; *at >= '0' && *at <= '9'; ++at)
                precision = precision * 10 + (*at - '0');
            --at;
        }
        // size_t is as wide as long on the program's and the tests' platforms.
        int longs = 0;
        while (at[1] == 'l' || at[1] == 'z') {
            ++longs;
            ++at;
        }
        switch (*++at) {
        case 's':
            text += va_arg(args, const char*);
            break;
        case 'c':
            text += static_cast<char>(va_arg(args, int));
            break;
        case 'd': {
            const long long value = longs >= 2 ? va_arg(args, long long)
                                    : longs    ? va_arg(args, long)
                                               : va_arg(args, int);
            // Negated in unsigned arithmetic, so that the smallest value does not overflow.
            const unsigned long long magnitude = value < 0
                                                     ? 0ULL - static_cast<unsigned long long>(value)
                                                     : static_cast<unsigned long long>(value);
            AppendNumber(text, magnitude, value < 0, 10, precision);
            break;
        }
        case 'u':
        case 'x': {
            const unsigned long long value = longs >= 2 ? va_arg(args, unsigned long long)
                                             : longs    ? va_arg(args, unsigned long)
                                                        : va_arg(args, unsigned);
            AppendNumber(text, value, false, *at == 'x' ? 16 : 10, precision);
            break;
        }
        case '%':
            text += '%';
            break;
        case '\0':
            --at; // a lone % at the end stays as it is
            text += '%';
            break;
        default:
            text += '%';
            text += *at;
            break;
        }
    }
    return text;
}

std::string EInOutError::MessageFor(int code) {
    switch (code) {
    case 2:
        return "File not found";
    case 3:
        return "Invalid filename";
    case 4:
        return "Too many open files";
    case 5:
        return "File access denied";
    case 100:
        return "Read beyond end of file";
    case 101:
        return "Disk full";
    case 106:
        return "Invalid numeric input";
    default:
        return Format("I/O error %d", code);
    }
}

EInOutError::EInOutError(int code) : Exception(MessageFor(code), static_cast<uint32_t>(code)) {}

} // namespace setup
