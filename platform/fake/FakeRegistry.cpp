#include "platform/fake/FakeRegistry.h"

#include <algorithm>
#include <cctype>

namespace setup {

class FakeRegKey : public IRegKey {
public:
    FakeRegKey(FakeRegistry& owner, TRootKey root, std::string path)
        : Owner(owner), Root(root), Path(std::move(path)) {}

    std::unique_ptr<IRegKey> OpenSubKey(const std::string& path, bool create) override {
        return Owner.Open(Root, Path.empty() ? path : Path + "\\" + path, create);
    }

    TRegValue QueryValue(const std::string& name) override {
        Owner.Log.push_back("query " + Full() + " " + name);
        TRegValue result;
        const FakeRegistry::Value* value = Owner.Find(Root, Path, name);
        if (!value)
            return result;
        result.Type = value->Type;
        if (Owner.UnreadableValues.count(name)) {
            result.State = TRegValue::TState::ReadFailed;
            return result;
        }
        result.State = TRegValue::TState::Present;
        result.Data = value->Data;
        return result;
    }

    bool SetString(const std::string& name, const std::string& text) override {
        Owner.Log.push_back("set " + Full() + " " + name + "=" + text);
        if (Owner.UnwritableValues.count(name))
            return false;
        Owner.SetString(Root, Path, name, text);
        return true;
    }

private:
    std::string Full() const { return FakeRegistry::RootName(Root) + "\\" + Path; }
    FakeRegistry& Owner;
    TRootKey Root;
    std::string Path;
};

std::string FakeRegistry::RootName(TRootKey root) {
    return root == TRootKey::LocalMachine ? "HKLM" : "HKCU";
}

std::string FakeRegistry::Normalize(const std::string& path) {
    std::string key = path;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    while (!key.empty() && key.back() == '\\')
        key.pop_back();
    return key;
}

std::unique_ptr<IRegKey> FakeRegistry::OpenKey(TRootKey root, const std::string& path,
                                               bool create) {
    return Open(root, path, create);
}

std::unique_ptr<IRegKey> FakeRegistry::Open(TRootKey root, const std::string& path, bool create) {
    const std::string key = Normalize(path);
    const std::string full = RootName(root) + "\\" + key;
    Log.push_back("open " + full + (create ? " (create)" : ""));
    if (UnopenableKeys.count(full))
        return nullptr;
    if (!Keys.count(full)) {
        if (!create || UncreatableKeys.count(full))
            return nullptr;
        Keys[full];
    }
    return std::make_unique<FakeRegKey>(*this, root, key);
}

void FakeRegistry::SetString(TRootKey root, const std::string& key, const std::string& name,
                             const std::string& text) {
    SetValue(root, key, name, REG_TYPE_SZ, text + '\0');
}

void FakeRegistry::SetValue(TRootKey root, const std::string& key, const std::string& name,
                            uint32_t type, const std::string& data) {
    Keys[RootName(root) + "\\" + Normalize(key)][name] = Value{type, data};
}

bool FakeRegistry::HasKey(TRootKey root, const std::string& key) const {
    return Keys.count(RootName(root) + "\\" + Normalize(key)) != 0;
}

const FakeRegistry::Value* FakeRegistry::Find(TRootKey root, const std::string& key,
                                              const std::string& name) const {
    auto k = Keys.find(RootName(root) + "\\" + Normalize(key));
    if (k == Keys.end())
        return nullptr;
    auto v = k->second.find(name);
    return v == k->second.end() ? nullptr : &v->second;
}

std::string FakeRegistry::GetString(TRootKey root, const std::string& key,
                                    const std::string& name) const {
    const Value* value = Find(root, key, name);
    if (!value)
        return "<missing>";
    return value->Data.substr(0, value->Data.find('\0'));
}

} // namespace setup
