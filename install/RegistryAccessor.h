// The registry accessor: one selected root and at most one open (current) key.
#pragma once

#include "platform/Registry.h"

#include <memory>
#include <string>

namespace setup {

class TRegistry {
public:
    explicit TRegistry(IRegistry& registry) : Api(registry) {}

    // Selecting the root already selected keeps the current key open.
    void SetRootKey(TRootKey root);

    // "\..." is taken from the root, anything else from the current key. On success the key
    // becomes current; on failure no key is current, so a later write cannot land elsewhere.
    // A key that is only read is opened for reading.
    bool OpenKey(const std::string& path, bool createIfMissing,
                 TKeyAccess access = TKeyAccess::ReadWrite);
    // Creates the key and closes it again; raises "Failed to create key %s".
    void CreateKey(const std::string& path);
    void CloseKey();

    // Empty for a missing or empty value or without a current key; raises
    // "Failed to get data for '%s'" or "Invalid data type for '%s'".
    std::string ReadString(const std::string& name);
    // Raises "Failed to set data for '%s'" on failure, a missing current key included (with
    // the reason the key could not be opened).
    void WriteString(const std::string& name, const std::string& text);

private:
    TResult<std::unique_ptr<IRegKey>> Open(const std::string& path, bool create, TKeyAccess access);

    IRegistry& Api;
    TRootKey Root = TRootKey::CurrentUser;
    std::unique_ptr<IRegKey> Current;
    TStatus OpenStatus; // why no key is current, after a failed open
};

} // namespace setup
