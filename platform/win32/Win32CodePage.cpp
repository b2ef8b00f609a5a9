#include "platform/win32/Win32CodePage.h"

#include <windows.h>

namespace setup {

TLeadBytes AnsiLeadBytes() {
    CPINFO info{};
    if (!GetCPInfo(CP_ACP, &info))
        return {};
    return TLeadBytes(info.LeadByte);
}

} // namespace setup
