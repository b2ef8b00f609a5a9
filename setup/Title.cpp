#include "setup/Title.h"

#include <windows.h>

namespace setup {

void TitleFromExeName(const char* path, char* title) {
    const char* name = path;
    for (const char* at = path; *at; ++at) {
        if (IsDBCSLeadByte(static_cast<BYTE>(*at)) && at[1])
            ++at; // a second byte that looks like a backslash is none
        else if (*at == '\\')
            name = at + 1;
    }
    DWORD length = 0;
    for (; name[length] && name[length] != '.'; ++length)
        title[length] = name[length];
    title[length] = '\0';
    const DWORD first = length > 1 && IsDBCSLeadByte(static_cast<BYTE>(title[0])) ? 2 : 1;
    if (length > first)
        CharLowerBuffA(title + first, length - first);
}

} // namespace setup
