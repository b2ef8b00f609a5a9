// The registry through RegCreateKeyExA / RegOpenKeyExA and friends.
#pragma once

#include "platform/Registry.h"

namespace setup {

class Win32Registry : public IRegistry {
public:
    TResult<std::unique_ptr<IRegKey>> OpenKey(TRootKey root, const std::string& path, bool create,
                                              TKeyAccess access) override;
};

} // namespace setup
