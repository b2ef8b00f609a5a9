// Registry operations: keys opened or created below a root, text values read and written.
#pragma once

#include "base/Result.h"
#include "base/Status.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace setup {

enum class TRootKey { CurrentUser, LocalMachine };

// What a key is opened for: reading its values, or also writing values and sub-keys.
enum class TKeyAccess { Read, ReadWrite };

// REG_* value types, with the platform's numbers.
enum : uint32_t {
    REG_TYPE_SZ = 1,
    REG_TYPE_EXPAND_SZ = 2,
    REG_TYPE_BINARY = 3,
    REG_TYPE_DWORD = 4
};

struct TRegValue {
    uint32_t Type = 0;
    std::string Data; // raw bytes, a text's terminating NUL included
};

// One open key; closing is the destructor's job.
class IRegKey {
public:
    virtual ~IRegKey() = default;
    // Opens (or, with create, creates with any missing ancestors) a key below this one.
    virtual TResult<std::unique_ptr<IRegKey>> OpenSubKey(const std::string& path, bool create,
                                                         TKeyAccess access) = 0;
    // None when the key has no such value; fails when its data cannot be read.
    virtual TResult<std::optional<TRegValue>> QueryValue(const std::string& name) = 0;
    // Stores text and its terminating NUL as REG_SZ.
    virtual TStatus SetString(const std::string& name, const std::string& text) = 0;
};

class IRegistry {
public:
    virtual ~IRegistry() = default;
    // Opens (or creates) path below root; path "" opens the root itself.
    virtual TResult<std::unique_ptr<IRegKey>> OpenKey(TRootKey root, const std::string& path,
                                                      bool create, TKeyAccess access) = 0;
};

} // namespace setup
