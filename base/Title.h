// The program's title, from its file's name: the error display's caption before the program is
// unpacked (stub/Start.cpp) and after (app/Application.cpp). Always inlined, so that the stub's
// copy lies in its own start section; it calls only what its callers hand it, the system's own
// functions, since the stub runs before the program's lead-byte rule is unpacked.
#pragma once

namespace setup {

// Writes into title the file name of path up to its first ".", with lower(text, length) (the
// system's CharLowerBuffA) applied to all of it after the first character. Walks by character
// of the code page: isLeadByte (IsDBCSLeadByte) tells the first byte of a double-byte
// character, whose second byte may look like a backslash. title holds at least as many bytes
// as path, with the terminating zero.
template <class TIsLeadByte, class TLower>
[[gnu::always_inline]] inline void TitleFromExeName(const char* path, char* title,
                                                    TIsLeadByte isLeadByte, TLower lower) {
    const char* name = path;
    for (const char* at = path; *at; ++at) {
        if (isLeadByte(static_cast<unsigned char>(*at)) && at[1])
            ++at; // a second byte that looks like a backslash is none
        else if (*at == '\\')
            name = at + 1;
    }
    unsigned long length = 0;
    for (; name[length] && name[length] != '.'; ++length)
        title[length] = name[length];
    title[length] = '\0';
    const unsigned long first =
        length > 1 && isLeadByte(static_cast<unsigned char>(title[0])) ? 2 : 1;
    if (length > first)
        lower(title + first, length - first);
}

} // namespace setup
