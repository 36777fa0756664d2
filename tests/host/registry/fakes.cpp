#include "fakes.h"

#include <algorithm>
#include <cctype>

namespace fakes {
namespace {

std::vector<std::string> Split(std::string_view path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        const size_t end = path.find('\\', start);
        const std::string_view part = path.substr(start, end == std::string_view::npos ? end : end - start);
        if (!part.empty())
            parts.emplace_back(part);
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return parts;
}

std::string Upper(std::string_view text) {
    std::string out(text);
    for (auto& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool SameName(const std::string& a, const std::string& b) {
    return Upper(a) == Upper(b);
}

class FakeOpenKey final : public platform::RegistryKey {
  public:
    explicit FakeOpenKey(FakeKey& key) : key_(key) {}
    FakeKey& Key() const { return key_; }

    std::optional<platform::RegistryKeyInfo> Info() const override {
        return platform::RegistryKeyInfo{static_cast<uint32_t>(key_.subkeys.size()),
                                         static_cast<uint32_t>(key_.values.size()), key_.lastWriteTime};
    }
    std::vector<std::string> SubkeyNames() const override {
        std::vector<std::string> names;
        for (const auto& subkey : key_.subkeys)
            names.push_back(subkey->name);
        return names;
    }
    std::vector<platform::RegistryValue> Values() const override {
        std::vector<platform::RegistryValue> values;
        for (const auto& [name, data] : key_.values) {
            const bool text = data.type == 1 || data.type == 2;
            values.push_back({name, data.type, text ? data.bytes : std::string()});
        }
        return values;
    }
    std::optional<uint32_t> TypeOf(std::string_view name) const override {
        const auto data = Read(name);
        return data ? std::optional<uint32_t>(data->type) : std::nullopt;
    }
    std::optional<platform::RegistryData> Read(std::string_view name) const override {
        for (const auto& [valueName, data] : key_.values) {
            if (SameName(valueName, std::string(name)))
                return data;
        }
        return std::nullopt;
    }
    platform::RegistryDeletion DeleteValue(std::string_view name) override {
        auto& values = key_.values;
        const auto it = std::find_if(values.begin(), values.end(),
                                     [&](const auto& value) { return SameName(value.first, std::string(name)); });
        if (it == values.end())
            return platform::RegistryDeletion::NotFound;
        values.erase(it);
        return platform::RegistryDeletion::Deleted;
    }

  private:
    FakeKey& key_;
};

}  // namespace

std::string Utf16Bytes(const std::u16string& text) {
    std::string bytes;
    for (const char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

FakeKey* FakeKey::Find(const std::string& childName) {
    for (auto& subkey : subkeys) {
        if (SameName(subkey->name, childName))
            return subkey.get();
    }
    return nullptr;
}

FakeKey& FakeKey::Key(const std::string& path) {
    FakeKey* key = this;
    for (const auto& part : Split(path)) {
        FakeKey* next = key->Find(part);
        if (!next) {
            key->subkeys.push_back(std::make_unique<FakeKey>());
            next = key->subkeys.back().get();
            next->name = part;
            next->parent = key;
        }
        key = next;
    }
    return *key;
}

void FakeKey::SetString(const std::string& valueName, const std::string& text, uint32_t type) {
    std::u16string units(text.begin(), text.end());  // the tests' texts are ASCII
    units += u'\0';
    SetRaw(valueName, type, Utf16Bytes(units));
}

void FakeKey::SetRaw(const std::string& valueName, uint32_t type, std::string bytes) {
    values.push_back({valueName, platform::RegistryData{type, std::move(bytes)}});
}

std::unique_ptr<platform::RegistryKey> FakeRegistry::OpenFrom(FakeKey& from, std::string_view path) {
    FakeKey* key = &from;
    for (const auto& part : Split(path)) {
        key = key->Find(part);
        if (!key || key->denied)
            return nullptr;
    }
    if (failOpensAfter >= 0 && opens >= failOpensAfter)
        return nullptr;
    ++opens;
    return std::make_unique<FakeOpenKey>(*key);
}

std::unique_ptr<platform::RegistryKey> FakeRegistry::Open(platform::RegistryRoot root, std::string_view path) {
    if (!path.empty() && path.front() == '\\')
        return nullptr;  // as the system does: a key path never starts with a backslash
    return OpenFrom(roots_[root], path);
}

platform::RegistryDeletion FakeRegistry::DeleteTree(platform::RegistryRoot root, std::string_view path) {
    FakeKey* key = &roots_[root];
    for (const auto& part : Split(path)) {
        key = key->Find(part);
        if (!key)
            return platform::RegistryDeletion::NotFound;
    }
    if (key->parent == nullptr || key->denied)
        return platform::RegistryDeletion::Failed;
    std::erase_if(key->parent->subkeys, [key](const std::unique_ptr<FakeKey>& child) { return child.get() == key; });
    return platform::RegistryDeletion::Deleted;
}

std::unique_ptr<platform::RegistryKey> FakeRegistry::Open(const platform::RegistryKey& base, std::string_view path) {
    if (!path.empty() && path.front() == '\\')
        return nullptr;
    return OpenFrom(static_cast<const FakeOpenKey&>(base).Key(), path);
}

void FakeProbe::AddFolder(const std::string& path) {
    std::string folder = Upper(path);
    while (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    while (folder.size() >= 3) {
        attributes[folder] = platform::ProbeOutcome::Exists;
        attributes[folder + "\\"] = platform::ProbeOutcome::Exists;
        listed.insert(folder);
        const size_t slash = folder.find_last_of('\\');
        if (slash == std::string::npos || slash < 2)
            break;
        folder = folder.substr(0, slash == 2 ? 3 : slash);
        if (folder.size() == 3) {
            attributes[folder] = platform::ProbeOutcome::Exists;
            break;
        }
    }
}

void FakeProbe::AddFile(const std::string& path) {
    const std::string file = Upper(path);
    AddFolder(file.substr(0, file.find_last_of('\\') + 1));
    attributes[file] = platform::ProbeOutcome::Exists;
    listed.insert(file);
}

platform::ProbeOutcome FakeProbe::Attributes(std::string_view path) const {
    asked.push_back("attributes " + std::string(path));
    const auto it = attributes.find(Upper(path));
    return it == attributes.end() ? platform::ProbeOutcome::Missing : it->second;
}

platform::ProbeOutcome FakeProbe::Find(std::string_view path) const {
    asked.push_back("find " + std::string(path));
    return listed.count(Upper(path)) ? platform::ProbeOutcome::Exists : platform::ProbeOutcome::Missing;
}

platform::ProbeDriveType FakeProbe::DriveType(std::string_view root) const {
    const auto it = drives.find(static_cast<char>(std::toupper(static_cast<unsigned char>(root[0]))));
    return it == drives.end() ? platform::ProbeDriveType::NoRootDir : it->second;
}

}  // namespace fakes
