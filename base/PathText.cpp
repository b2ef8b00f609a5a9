#include "base/PathText.h"

#include <cctype>

namespace setup {

namespace {

// Position of the last of chars outside double-byte characters, npos when there is none.
size_t LastOf(std::string_view text, std::string_view chars, TLeadBytes lead) {
    size_t last = std::string_view::npos;
    for (size_t i = 0; i < text.size(); i += lead.CharLength(text, i))
        if (chars.find(text[i]) != std::string_view::npos)
            last = i;
    return last;
}

// Index just past the last separator or colon, 0 when there is none.
size_t FileNameStart(std::string_view path, TLeadBytes lead) {
    const size_t last = LastOf(path, "\\/:", lead);
    return last == std::string_view::npos ? 0 : last + 1;
}

} // namespace

TLeadBytes::TLeadBytes(std::span<const uint8_t> ranges) {
    for (size_t i = 0; i + 1 < ranges.size() && (ranges[i] || ranges[i + 1]); i += 2)
        for (unsigned byte = ranges[i]; byte <= ranges[i + 1]; ++byte)
            Bits[byte / 32] |= 1u << (byte % 32);
}

size_t TLeadBytes::CharStart(std::string_view text, size_t at) const {
    size_t start = 0;
    while (start < at && start + CharLength(text, start) <= at)
        start += CharLength(text, start);
    return start;
}

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

bool SameLetter(char a, char b) {
    return std::toupper(static_cast<unsigned char>(a)) ==
           std::toupper(static_cast<unsigned char>(b));
}

std::string AsciiUpperCase(std::string_view text, TLeadBytes lead) {
    std::string result(text);
    for (size_t i = 0; i < result.size(); i += lead.CharLength(result, i))
        if (result[i] >= 'a' && result[i] <= 'z')
            result[i] = static_cast<char>(result[i] - 'a' + 'A');
    return result;
}

size_t LastSeparator(std::string_view text, TLeadBytes lead) {
    return LastOf(text, "\\/", lead);
}

std::string WithoutClosingSeparators(std::string_view text, TLeadBytes lead) {
    size_t end = 0; // just past the last character that is not a separator
    for (size_t i = 0; i < text.size();) {
        const size_t length = lead.CharLength(text, i);
        i += length;
        if (length == 2 || !IsPathSeparator(text[i - 1]))
            end = i;
    }
    return std::string(text.substr(0, end == 0 && !text.empty() ? 1 : end));
}

std::string ExtractFilePath(std::string_view path, TLeadBytes lead) {
    return std::string(path.substr(0, FileNameStart(path, lead)));
}

std::string ExtractFileName(std::string_view path, TLeadBytes lead) {
    return std::string(path.substr(FileNameStart(path, lead)));
}

} // namespace setup
