#include "platform/ErrorTexts.h"

#include "base/Exceptions.h"

namespace setup {

std::string AsClause(std::string text) {
    while (!text.empty() && (text.back() == '.' || static_cast<unsigned char>(text.back()) <= ' '))
        text.pop_back();
    return text;
}

std::string ReasonText(IErrorTexts& texts, uint32_t code) {
    const std::string text = AsClause(texts.ErrorText(code));
    return text.empty() ? Format("error %u", static_cast<unsigned>(code)) : text;
}

} // namespace setup
