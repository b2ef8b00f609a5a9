// The system's error texts for the unit tests: those set, as the system words them.
#pragma once

#include "platform/ErrorTexts.h"

#include <map>

namespace setup {

class FakeErrorTexts : public IErrorTexts {
public:
    std::string ErrorText(uint32_t code) override {
        const auto found = Texts.find(code);
        return found == Texts.end() ? std::string() : found->second;
    }
    std::map<uint32_t, std::string> Texts{{32, "Sharing violation."}, {112, "Disk full."}};
};

} // namespace setup
