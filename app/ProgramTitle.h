// The program's title from its file's name, written on the stack: the error display's caption,
// also when the heap has run out and the program must end (app/Termination.cpp).
#pragma once

#include "base/Title.h"

#include <windows.h>

namespace setup {

inline void WriteProgramTitle(char (&title)[MAX_PATH]) {
    char path[MAX_PATH] = {};
    // A path cut short may come without its terminating zero.
    GetModuleFileNameA(nullptr, path, MAX_PATH - 1);
    TitleFromExeName(path, title, IsDBCSLeadByte, CharLowerBuffA);
}

} // namespace setup
