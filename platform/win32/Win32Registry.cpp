#include "platform/win32/Win32Registry.h"

#include "win32/Handles.h"
#include "win32/SystemStatus.h"

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

    TResult<std::unique_ptr<IRegKey>> OpenSubKey(const std::string& path, bool create,
                                                 TKeyAccess access) override {
        return OpenBelow(Key.Get(), path, create, access);
    }

    // Only data that cannot be read fails; a value the first query cannot size reads as none.
    TResult<std::optional<TRegValue>> QueryValue(const std::string& name) override {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(Key.Get(), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS)
            return std::optional<TRegValue>();
        TRegValue value{type, {}};
        if (size == 0)
            return std::optional<TRegValue>(std::move(value));
        std::vector<BYTE> data(size);
        if (const TStatus read = RegistryStatus(
                RegQueryValueExA(Key.Get(), name.c_str(), nullptr, &type, data.data(), &size));
            !read)
            return read;
        value.Data.assign(reinterpret_cast<const char*>(data.data()), size);
        return std::optional<TRegValue>(std::move(value));
    }

    TStatus SetString(const std::string& name, const std::string& text) override {
        return RegistryStatus(RegSetValueExA(Key.Get(), name.c_str(), 0, REG_SZ,
                                             reinterpret_cast<const BYTE*>(text.c_str()),
                                             static_cast<DWORD>(text.size() + 1)));
    }

    static TResult<std::unique_ptr<IRegKey>> OpenBelow(HKEY parent, const std::string& path,
                                                       bool create, TKeyAccess access) {
        HKEY opened = nullptr;
        LONG status;
        if (create) {
            DWORD disposition = 0;
            status = RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     AccessRights(access), nullptr, &opened, &disposition);
        } else {
            status = RegOpenKeyExA(parent, path.c_str(), 0, AccessRights(access), &opened);
        }
        if (status != ERROR_SUCCESS)
            return RegistryStatus(status);
        return std::unique_ptr<IRegKey>(std::make_unique<Win32RegKey>(opened));
    }

private:
    TRegKey Key;
};

} // namespace

TResult<std::unique_ptr<IRegKey>> Win32Registry::OpenKey(TRootKey root, const std::string& path,
                                                         bool create, TKeyAccess access) {
    HKEY rootKey = root == TRootKey::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    return Win32RegKey::OpenBelow(rootKey, path, create, access);
}

} // namespace setup
