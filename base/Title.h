// The program's title, from its file's name: the error display's caption before the program is
// unpacked (stub/Start.cpp) and after (app/Application.cpp). Always inlined, so that the stub's
// copy lies in its own plain section; it calls only what its callers hand it.
#pragma once

namespace setup {

// Writes into title the file name of path up to its first ".", with lower(text, length)
// applied to all of it after the first character (the system's lower-casing of its code page,
// CharLowerBuffA). title holds at least as many characters as path, with the terminating zero.
template <class TLower>
[[gnu::always_inline]] inline void TitleFromExeName(const char* path, char* title, TLower lower) {
    const char* name = path;
    for (const char* at = path; *at; ++at)
        if (*at == '\\')
            name = at + 1;
    unsigned long length = 0;
    for (; name[length] && name[length] != '.'; ++length)
        title[length] = name[length];
    title[length] = '\0';
    if (length > 1)
        lower(title + 1, length - 1);
}

} // namespace setup
