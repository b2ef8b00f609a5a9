#include "platform/fake/FakeRegistry.h"

#include <algorithm>
#include <cctype>

namespace setup {

class FakeRegKey : public IRegKey {
public:
    FakeRegKey(FakeRegistry& owner, TRootKey root, std::string path, TKeyAccess access)
        : Owner(owner), Root(root), Path(std::move(path)), Access(access) {}

    TResult<std::unique_ptr<IRegKey>> OpenSubKey(const std::string& path, bool create,
                                                 TKeyAccess access) override {
        return Owner.OpenKey(Root, Path.empty() ? path : Path + "\\" + path, create, access);
    }

    TResult<std::optional<TRegValue>> QueryValue(const std::string& name) override {
        Owner.Log.push_back("query " + Full() + " " + name);
        const FakeRegistry::Value* value = Owner.Find(Root, Path, name);
        if (!value)
            return std::optional<TRegValue>();
        if (Owner.UnreadableValues.count(name))
            return TStatus::Failure(ErrorAccessDenied);
        return std::optional<TRegValue>(TRegValue{value->Type, value->Data});
    }

    TStatus SetString(const std::string& name, const std::string& text) override {
        Owner.Log.push_back("set " + Full() + " " + name + "=" + text);
        if (Access == TKeyAccess::Read || Owner.UnwritableValues.count(name))
            return TStatus::Failure(ErrorAccessDenied);
        Owner.SetString(Root, Path, name, text);
        return {};
    }

private:
    std::string Full() const { return FakeRegistry::RootName(Root) + "\\" + Path; }
    FakeRegistry& Owner;
    TRootKey Root;
    std::string Path;
    TKeyAccess Access;
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

TResult<std::unique_ptr<IRegKey>> FakeRegistry::OpenKey(TRootKey root, const std::string& path,
                                                        bool create, TKeyAccess access) {
    const std::string name = Normalize(path);
    const std::string full = RootName(root) + "\\" + name;
    Log.push_back("open " + full + (create ? " (create)" : "") +
                  (access == TKeyAccess::Read ? " (read)" : ""));
    if (UnopenableKeys.count(full))
        return TStatus::Failure(ErrorAccessDenied);
    if (!Keys.count(full)) {
        if (!create)
            return TStatus::Failure(ErrorFileNotFound);
        if (UncreatableKeys.count(full))
            return TStatus::Failure(ErrorAccessDenied);
        Keys[full];
    }
    return std::unique_ptr<IRegKey>(std::make_unique<FakeRegKey>(*this, root, name, access));
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
