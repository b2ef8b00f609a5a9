#include "install/RegistryAccessor.h"

#include "base/Exceptions.h"

namespace setup {

void TRegistry::SetRootKey(TRootKey root) {
    if (root == Root)
        return;
    CloseKey();
    Root = root;
}

void TRegistry::CloseKey() {
    Current.reset();
    OpenStatus = {};
}

TStatus TRegistry::Open(const std::string& path, bool create, TKeyAccess access,
                        std::unique_ptr<IRegKey>& key) {
    const bool fromRoot = !path.empty() && path[0] == '\\';
    if (fromRoot || !Current)
        return Api.OpenKey(Root, fromRoot ? path.substr(1) : path, create, access, key);
    return Current->OpenSubKey(path, create, access, key);
}

bool TRegistry::OpenKey(const std::string& path, bool createIfMissing, TKeyAccess access) {
    std::unique_ptr<IRegKey> key;
    const TStatus status = Open(path, createIfMissing, access, key);
    if (!status) {
        CloseKey();
        OpenStatus = status;
        return false;
    }
    Current = std::move(key);
    return true;
}

void TRegistry::CreateKey(const std::string& path) {
    std::unique_ptr<IRegKey> key;
    if (const TStatus status = Open(path, true, TKeyAccess::ReadWrite, key); !status)
        throw ERegistryException(Format("Failed to create key %s", path.c_str()),
                                 status.ErrorCode());
}

std::string TRegistry::ReadString(const std::string& name) {
    if (!Current)
        return {};
    const TRegValue value = Current->QueryValue(name);
    if (value.State == TRegValue::TState::Missing)
        return {};
    if (value.State == TRegValue::TState::ReadFailed)
        throw ERegistryException(Format("Failed to get data for '%s'", name.c_str()),
                                 value.ErrorCode);
    if (value.Data.empty())
        return {};
    if (value.Type != REG_TYPE_SZ && value.Type != REG_TYPE_EXPAND_SZ)
        throw ERegistryException(Format("Invalid data type for '%s'", name.c_str()));
    return value.Data.substr(0, value.Data.find('\0'));
}

void TRegistry::WriteString(const std::string& name, const std::string& text) {
    const TStatus status = Current ? Current->SetString(name, text) : OpenStatus;
    if (!status || !Current)
        throw ERegistryException(Format("Failed to set data for '%s'", name.c_str()),
                                 status.ErrorCode());
}

} // namespace setup
