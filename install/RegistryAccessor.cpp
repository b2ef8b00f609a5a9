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

TResult<std::unique_ptr<IRegKey>> TRegistry::Open(const std::string& path, bool create,
                                                  TKeyAccess access) {
    const bool fromRoot = !path.empty() && path[0] == '\\';
    if (fromRoot || !Current)
        return Api.OpenKey(Root, fromRoot ? path.substr(1) : path, create, access);
    return Current->OpenSubKey(path, create, access);
}

bool TRegistry::OpenKey(const std::string& path, bool createIfMissing, TKeyAccess access) {
    TResult<std::unique_ptr<IRegKey>> key = Open(path, createIfMissing, access);
    if (!key) {
        CloseKey();
        OpenStatus = key.Status();
        return false;
    }
    Current = std::move(*key);
    return true;
}

void TRegistry::CreateKey(const std::string& path) {
    if (const auto key = Open(path, true, TKeyAccess::ReadWrite); !key)
        throw ERegistryException(Format("Failed to create key %s", path.c_str()),
                                 key.Status().ErrorCode());
}

std::string TRegistry::ReadString(const std::string& name) {
    if (!Current)
        return {};
    const TResult<std::optional<TRegValue>> read = Current->QueryValue(name);
    if (!read)
        throw ERegistryException(Format("Failed to get data for '%s'", name.c_str()),
                                 read.Status().ErrorCode());
    const std::optional<TRegValue>& value = *read;
    if (!value || value->Data.empty())
        return {};
    if (value->Type != REG_TYPE_SZ && value->Type != REG_TYPE_EXPAND_SZ)
        throw ERegistryException(Format("Invalid data type for '%s'", name.c_str()));
    return value->Data.substr(0, value->Data.find('\0'));
}

void TRegistry::WriteString(const std::string& name, const std::string& text) {
    const TStatus status = Current ? Current->SetString(name, text) : OpenStatus;
    if (!status || !Current)
        throw ERegistryException(Format("Failed to set data for '%s'", name.c_str()),
                                 status.ErrorCode());
}

} // namespace setup
