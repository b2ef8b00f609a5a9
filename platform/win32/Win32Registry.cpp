#include "platform/win32/Win32Registry.h"

#include "platform/win32/Win32Status.h"
#include "win32/Handles.h"

#include <windows.h>

#include <vector>

namespace setup {
namespace {

// Reads read-only; writes ask for what writing values and sub-keys needs, never more.
REGSAM AccessRights(TKeyAccess access) {
    return access == TKeyAccess::Read ? KEY_READ : KEY_READ | KEY_WRITE;
}

// Owns one open key.
class Win32RegKey : public IRegKey {
public:
    explicit Win32RegKey(HKEY key) : Key(key) {}

    TStatus OpenSubKey(const std::string& path, bool create, TKeyAccess access,
                       std::unique_ptr<IRegKey>& key) override {
        return OpenBelow(Key.Get(), path, create, access, key);
    }

    TRegValue QueryValue(const std::string& name) override {
        TRegValue value;
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(Key.Get(), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS)
            return value;
        value.Type = type;
        value.State = TRegValue::TState::Present;
        if (size == 0)
            return value;
        std::vector<BYTE> data(size);
        const LONG status =
            RegQueryValueExA(Key.Get(), name.c_str(), nullptr, &type, data.data(), &size);
        if (status != ERROR_SUCCESS) {
            value.State = TRegValue::TState::ReadFailed;
            value.ErrorCode = static_cast<uint32_t>(status);
            return value;
        }
        value.Data.assign(reinterpret_cast<const char*>(data.data()), size);
        return value;
    }

    TStatus SetString(const std::string& name, const std::string& text) override {
        return RegistryStatus(RegSetValueExA(Key.Get(), name.c_str(), 0, REG_SZ,
                                             reinterpret_cast<const BYTE*>(text.c_str()),
                                             static_cast<DWORD>(text.size() + 1)));
    }

    static TStatus OpenBelow(HKEY parent, const std::string& path, bool create, TKeyAccess access,
                             std::unique_ptr<IRegKey>& key) {
        HKEY opened = nullptr;
        LONG status;
        if (create) {
            DWORD disposition = 0;
            status = RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     AccessRights(access), nullptr, &opened, &disposition);
        } else {
            status = RegOpenKeyExA(parent, path.c_str(), 0, AccessRights(access), &opened);
        }
        if (status == ERROR_SUCCESS)
            key = std::make_unique<Win32RegKey>(opened);
        return RegistryStatus(status);
    }

private:
    TRegKey Key;
};

} // namespace

TStatus Win32Registry::OpenKey(TRootKey root, const std::string& path, bool create,
                               TKeyAccess access, std::unique_ptr<IRegKey>& key) {
    HKEY rootKey = root == TRootKey::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    return Win32RegKey::OpenBelow(rootKey, path, create, access, key);
}

} // namespace setup
