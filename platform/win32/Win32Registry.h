// The registry through RegCreateKeyExA / RegOpenKeyExA and friends.
#pragma once

#include "platform/Registry.h"

namespace setup {

class Win32Registry : public IRegistry {
public:
    TStatus OpenKey(TRootKey root, const std::string& path, bool create, TKeyAccess access,
                    std::unique_ptr<IRegKey>& key) override;
};

} // namespace setup
