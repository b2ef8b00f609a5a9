// Helpers for path and caption text in the system's ANSI code page, walked by character: in the
// double-byte pages of Japanese, Chinese and Korean Windows (932, 936, 949, 950) the second byte
// of a character can be a backslash or an ASCII letter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace setup {

// Which bytes open a double-byte character in an ANSI code page; none in a single-byte one.
class TLeadBytes {
public:
    constexpr TLeadBytes() = default;
    // From pairs of first and last lead byte, ended by a zero pair or the end, as GetCPInfo
    // gives them.
    explicit TLeadBytes(std::span<const uint8_t> ranges);

    bool IsLeadByte(char c) const {
        const auto byte = static_cast<uint8_t>(c);
        return (Bits[byte / 32] >> (byte % 32)) & 1u;
    }
    // Bytes of the character at text[at]: 2 for a lead byte with a byte after it, otherwise 1
    // (a lone lead byte at the end is a character of its own, never read past).
    size_t CharLength(std::string_view text, size_t at) const {
        return at + 1 < text.size() && IsLeadByte(text[at]) ? 2 : 1;
    }
    // Where the character holding text[at] starts; the text's size for at at its end.
    size_t CharStart(std::string_view text, size_t at) const;

private:
    uint32_t Bits[8] = {};
};

// True for text that is empty or nothing but spaces.
bool IsBlank(std::string_view text);

// Letters compared ignoring case (drive letters, accelerator characters); 0 stands for
// "no letter".
bool SameLetter(char a, char b);

// Upper-cases the ASCII letters a to z outside double-byte characters; every other byte is kept.
std::string AsciiUpperCase(std::string_view text, TLeadBytes lead);

// Windows' file functions take a slash between names as they take a backslash; a path keeps
// the ones it was typed with. Neither is ever a second byte when walked by character.
constexpr bool IsPathSeparator(char c) {
    return c == '\\' || c == '/';
}

// Position of the last backslash or slash (not a second byte), npos when there is none.
size_t LastSeparator(std::string_view text, TLeadBytes lead);

// The text without the separators that close it; a text of separators only keeps its first.
std::string WithoutClosingSeparators(std::string_view text, TLeadBytes lead);

// The text up to and including its last separator or colon; empty when it has neither.
std::string ExtractFilePath(std::string_view path, TLeadBytes lead);

// The text after its last separator or colon; the whole text when it has neither.
std::string ExtractFileName(std::string_view path, TLeadBytes lead);

} // namespace setup
