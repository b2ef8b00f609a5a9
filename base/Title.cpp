#include "base/Title.h"

#include <windows.h>

namespace setup {

void TitleFromExeName(const char* path, char* title) {
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
