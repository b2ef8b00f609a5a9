#include "platform/win32/Win32ErrorTexts.h"

#include <windows.h>

namespace setup {

std::string Win32ErrorTexts::ErrorText(uint32_t code) {
    char text[1024];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, text, sizeof text, nullptr);
    while (length > 0 && static_cast<unsigned char>(text[length - 1]) <= ' ')
        --length; // the system ends its texts with a line break
    return std::string(text, length);
}

} // namespace setup
