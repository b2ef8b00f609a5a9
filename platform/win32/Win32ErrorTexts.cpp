#include "platform/win32/Win32ErrorTexts.h"

#include "platform/win32/Win32CodePage.h"

#include <windows.h>

namespace setup {

namespace {

// The code page's own full stop (U+3002) when it has one: Japanese and Chinese Windows end
// their texts with it, and the reason is written into a line of ours that ends with '.'.
std::string IdeographicFullStop() {
    const wchar_t stop = 0x3002;
    char bytes[4];
    BOOL lacking = FALSE;
    const int length =
        WideCharToMultiByte(CP_ACP, 0, &stop, 1, bytes, sizeof bytes, nullptr, &lacking);
    return length > 0 && !lacking ? std::string(bytes, static_cast<size_t>(length)) : "";
}

} // namespace

std::string Win32ErrorTexts::ErrorText(uint32_t code) {
    char text[1024];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, text, sizeof text, nullptr);
    while (length > 0 && static_cast<unsigned char>(text[length - 1]) <= ' ')
        --length; // the system ends its texts with a line break
    std::string result(text, length);
    const std::string stop = IdeographicFullStop();
    if (!stop.empty() && result.ends_with(stop) &&
        AnsiLeadBytes().CharStart(result, result.size() - stop.size()) ==
            result.size() - stop.size())
        result.replace(result.size() - stop.size(), stop.size(), ".");
    return result;
}

} // namespace setup
