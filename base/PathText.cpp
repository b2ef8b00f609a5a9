#include "base/PathText.h"

#include <algorithm>
#include <cctype>

namespace setup {

namespace {

// Index just past the last backslash or colon, 0 when there is none.
size_t FileNameStart(std::string_view path) {
    const size_t last = path.find_last_of("\\:");
    return last == std::string_view::npos ? 0 : last + 1;
}

} // namespace

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

bool SameLetter(char a, char b) {
    return std::toupper(static_cast<unsigned char>(a)) ==
           std::toupper(static_cast<unsigned char>(b));
}

std::string AsciiUpperCase(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return result;
}

std::string ExtractFilePath(std::string_view path) {
    return std::string(path.substr(0, FileNameStart(path)));
}

std::string ExtractFileName(std::string_view path) {
    return std::string(path.substr(FileNameStart(path)));
}

} // namespace setup
