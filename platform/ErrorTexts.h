// The system's own words for its error codes.
#pragma once

#include <cstdint>
#include <string>

namespace setup {

class IErrorTexts {
public:
    virtual ~IErrorTexts() = default;
    // The system's text for code as it gives it, without the line breaks at its end and with a
    // closing full stop of the code page's own (the ideographic one) given as '.'; empty when
    // it has none.
    virtual std::string ErrorText(uint32_t code) = 0;
};

// text as one clause: without the line breaks and full stops it ends with.
std::string AsClause(std::string text);

// The reason for a failure as one clause: the system's text without its closing full stop,
// or "error N" when the system has no text for the code.
std::string ReasonText(IErrorTexts& texts, uint32_t code);

} // namespace setup
