// Helpers for single-byte path and caption text.
#pragma once

#include <string>
#include <string_view>

namespace setup {

// True for text that is empty or nothing but spaces.
bool IsBlank(std::string_view text);

// Letters compared ignoring case (drive letters, accelerator characters); 0 stands for
// "no letter".
bool SameLetter(char a, char b);

// Upper-cases the ASCII letters a to z only; every other byte is kept as it is.
std::string AsciiUpperCase(std::string_view text);

// The text up to and including its last backslash or colon; empty when it has neither.
std::string ExtractFilePath(std::string_view path);

// The text after its last backslash or colon; the whole text when it has neither.
std::string ExtractFileName(std::string_view path);

} // namespace setup
