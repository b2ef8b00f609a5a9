// The memory and string functions the program and the C++ library call. Compiled so that the
// compiler cannot turn these loops back into calls to themselves (see CMakeLists.txt).
#include <cstddef>

extern "C" {

void* memcpy(void* target, const void* source, size_t count) {
    auto* to = static_cast<unsigned char*>(target);
    const auto* from = static_cast<const unsigned char*>(source);
    while (count--)
        *to++ = *from++;
    return target;
}

void* memmove(void* target, const void* source, size_t count) {
    auto* to = static_cast<unsigned char*>(target);
    const auto* from = static_cast<const unsigned char*>(source);
    if (to <= from || to >= from + count)
        return memcpy(target, source, count);
    while (count--)
        to[count] = from[count];
    return target;
}

void* memset(void* target, int value, size_t count) {
    auto* to = static_cast<unsigned char*>(target);
    while (count--)
        *to++ = static_cast<unsigned char>(value);
    return target;
}

int memcmp(const void* left, const void* right, size_t count) {
    const auto* a = static_cast<const unsigned char*>(left);
    const auto* b = static_cast<const unsigned char*>(right);
    for (; count--; ++a, ++b)
        if (*a != *b)
            return *a - *b;
    return 0;
}

void* memchr(const void* block, int value, size_t count) {
    const auto* at = static_cast<const unsigned char*>(block);
    for (; count--; ++at)
        if (*at == static_cast<unsigned char>(value))
            return const_cast<unsigned char*>(at);
    return nullptr;
}

size_t strlen(const char* text) {
    const char* end = text;
    while (*end)
        ++end;
    return static_cast<size_t>(end - text);
}

size_t strnlen(const char* text, size_t limit) {
    size_t length = 0;
    while (length < limit && text[length])
        ++length;
    return length;
}

int strncmp(const char* left, const char* right, size_t count) {
    for (; count--; ++left, ++right)
        if (*left != *right || !*left)
            return static_cast<unsigned char>(*left) - static_cast<unsigned char>(*right);
    return 0;
}

int strcmp(const char* left, const char* right) {
    return strncmp(left, right, static_cast<size_t>(-1));
}

// Copies at most count characters and pads with NULs to count, terminating only when the text
// is shorter.
char* strncpy(char* target, const char* source, size_t count) {
    size_t at = 0;
    for (; at < count && source[at]; ++at)
        target[at] = source[at];
    for (; at < count; ++at)
        target[at] = '\0';
    return target;
}

// The "C" locale's case mapping: ASCII letters only.
int toupper(int c) {
    return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
}

int tolower(int c) {
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

} // extern "C"
