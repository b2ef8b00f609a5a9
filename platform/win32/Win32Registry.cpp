#include "platform/win32/Win32Registry.h"

#include "platform/win32/Handles.h"

#include <windows.h>

#include <vector>

namespace setup {
namespace {

// Owns one open key.
class Win32RegKey : public IRegKey {
public:
    explicit Win32RegKey(HKEY key) : Key(key) {}

    std::unique_ptr<IRegKey> OpenSubKey(const std::string& path, bool create) override {
        return OpenBelow(Key.Get(), path, create);
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
        if (RegQueryValueExA(Key.Get(), name.c_str(), nullptr, &type, data.data(), &size) !=
            ERROR_SUCCESS) {
            value.State = TRegValue::TState::ReadFailed;
            return value;
        }
        value.Data.assign(reinterpret_cast<const char*>(data.data()), size);
        return value;
    }

    bool SetString(const std::string& name, const std::string& text) override {
        return RegSetValueExA(Key.Get(), name.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
    }

    static std::unique_ptr<IRegKey> OpenBelow(HKEY parent, const std::string& path, bool create) {
        HKEY key = nullptr;
        LONG status;
        if (create) {
            DWORD disposition = 0;
            status = RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_ALL_ACCESS, nullptr, &key, &disposition);
        } else {
            status = RegOpenKeyExA(parent, path.c_str(), 0, KEY_ALL_ACCESS, &key);
        }
        if (status != ERROR_SUCCESS)
            return nullptr;
        return std::make_unique<Win32RegKey>(key);
    }

private:
    TRegKey Key;
};

} // namespace

std::unique_ptr<IRegKey> Win32Registry::OpenKey(TRootKey root, const std::string& path,
                                                bool create) {
    HKEY rootKey = root == TRootKey::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    return Win32RegKey::OpenBelow(rootKey, path, create);
}

} // namespace setup
