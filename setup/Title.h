// The program's title, from its file's name: the error display's caption before the program is
// unpacked (setup/Start.cpp) and after. Always inlined, so that the entry stub's copy lies in
// its plain section (codec/Plain.h).
#pragma once

#include <windows.h>

namespace setup {

// Writes into title the file name of path up to its first ".", lower case after the first
// character. title holds at least as many characters as path, with the terminating zero.
[[gnu::always_inline]] inline void TitleFromExeName(const char* path, char* title) {
    const char* name = path;
    for (const char* at = path; *at; ++at)
        if (*at == '\\')
            name = at + 1;
    DWORD length = 0;
    for (; name[length] && name[length] != '.'; ++length)
        title[length] = name[length];
    title[length] = '\0';
    if (length > 1)
        CharLowerBuffA(title + 1, length - 1);
}

} // namespace setup
