// An in-memory registry for the unit tests: a tree of keys per root, calls recorded,
// failures on demand.
#pragma once

#include "platform/Registry.h"
#include "platform/fake/FakeErrors.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace setup {

class FakeRegistry : public IRegistry {
public:
    struct Value {
        uint32_t Type = REG_TYPE_SZ;
        std::string Data;
    };
    // Key paths are stored lower-cased ("software\palvorne"), as the registry ignores case.
    using Key = std::map<std::string, Value>;

    TResult<std::unique_ptr<IRegKey>> OpenKey(TRootKey root, const std::string& path, bool create,
                                              TKeyAccess access) override;

    // Test set-up and inspection.
    void SetString(TRootKey root, const std::string& key, const std::string& name,
                   const std::string& text);
    void SetValue(TRootKey root, const std::string& key, const std::string& name, uint32_t type,
                  const std::string& data);
    bool HasKey(TRootKey root, const std::string& key) const;
    // The text of a REG_SZ value without its NUL; "<missing>" when absent.
    std::string GetString(TRootKey root, const std::string& key, const std::string& name) const;
    const Value* Find(TRootKey root, const std::string& key, const std::string& name) const;

    // Failures on demand; a key opened for reading also refuses writes (access denied).
    std::set<std::string> UncreatableKeys;  // "HKLM\software\palvorne": cannot be created
    std::set<std::string> UnopenableKeys;   // exists but cannot be opened
    std::set<std::string> UnwritableValues; // value names whose writes fail
    std::set<std::string> UnreadableValues; // value names whose data cannot be read
    std::vector<std::string> Log;           // "open HKLM\software (create)", "set ...", ...

    static std::string RootName(TRootKey root);
    static std::string Normalize(const std::string& path);

private:
    friend class FakeRegKey;
    std::map<std::string, Key> Keys; // "HKLM\path" -> values
};

} // namespace setup
