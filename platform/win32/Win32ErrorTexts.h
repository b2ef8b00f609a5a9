// The system's error texts through FormatMessageA.
#pragma once

#include "platform/ErrorTexts.h"

namespace setup {

class Win32ErrorTexts : public IErrorTexts {
public:
    std::string ErrorText(uint32_t code) override;
};

} // namespace setup
