// The program's title, from its file's name: the error display's caption before the program is
// unpacked (setup/Start.cpp) and after.
#pragma once

#include "codec/Plain.h"

namespace setup {

// Writes into title the file name of path up to its first ".", lower case after the first
// character. title holds at least as many bytes as path, with the terminating zero. Walks by
// character of the system's code page, asking the system itself (IsDBCSLeadByte): the stub runs
// before the program's lead-byte rule is unpacked.
SETUP_PLAIN_CODE void TitleFromExeName(const char* path, char* title);

} // namespace setup
