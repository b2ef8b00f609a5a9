// The system's ANSI code page, as the program needs it.
#pragma once

#include "base/PathText.h"

namespace setup {

// The lead bytes of the system's ANSI code page (GetCPInfo); none when it cannot be read.
TLeadBytes AnsiLeadBytes();

} // namespace setup
