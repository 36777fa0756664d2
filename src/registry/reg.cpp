#include "registry/reg.h"

#include "registry/utf16.h"

namespace registry {

using platform::RegistryData;
using platform::RegistryDeletion;
using platform::RegistryKeyInfo;
using platform::RegistryValue;

bool CanBeReopened(std::string_view name) {
    return name.find('\0') == std::string_view::npos;
}

bool IsTextType(uint32_t type) {
    return type == platform::registry_type::kString || type == platform::registry_type::kExpandString;
}

Reg::Reg(platform::Registry& registry) : registry_(registry) {}

void Reg::SetRootKey(platform::RegistryRoot root) {
    CloseKey();
    root_ = root;
}

bool Reg::OpenKey(std::string_view path) {
    if (!CanBeReopened(path))
        return false;
    const bool relative = path.empty() || path.front() != '\\';
    const std::string_view name = relative ? path : path.substr(1);
    std::unique_ptr<platform::RegistryKey> opened =
        relative && current_ ? registry_.Open(*current_, name) : registry_.Open(root_, name);
    if (!opened)
        return false;
    std::string newPath;
    if (!relative || !current_ || currentPath_.empty())
        newPath = std::string(name);
    else if (name.empty())
        newPath = currentPath_;
    else
        newPath = currentPath_ + "\\" + std::string(name);
    current_ = std::move(opened);
    currentPath_ = std::move(newPath);
    return true;
}

void Reg::CloseKey() {
    current_.reset();
    currentPath_.clear();
}

std::vector<std::string> Reg::GetKeyNames() const {
    return current_ ? current_->SubkeyNames() : std::vector<std::string>{};
}

std::vector<RegistryValue> Reg::GetValues() const {
    return current_ ? current_->Values() : std::vector<RegistryValue>{};
}

std::vector<std::string> Reg::GetValueNames() const {
    std::vector<std::string> names;
    for (auto& value : GetValues())
        names.push_back(std::move(value.name));
    return names;
}

std::optional<uint32_t> Reg::GetDataType(std::string_view name) const {
    return current_ && CanBeReopened(name) ? current_->TypeOf(name) : std::nullopt;
}

std::optional<std::string> Reg::ReadString(std::string_view name) const {
    const auto data = ReadData(name);
    if (!data || !IsTextType(data->type))
        return std::nullopt;
    return RegistryText(data->bytes);
}

std::optional<RegistryData> Reg::ReadData(std::string_view name) const {
    return current_ && CanBeReopened(name) ? current_->Read(name) : std::nullopt;
}

bool Reg::HasSubKeys() const {
    const auto info = GetKeyInfo();
    return info && info->subkeyCount > 0;
}

std::optional<RegistryKeyInfo> Reg::GetKeyInfo() const {
    return current_ ? current_->Info() : std::nullopt;
}

RegistryDeletion Reg::DeleteValue(std::string_view name) {
    return current_ && CanBeReopened(name) ? current_->DeleteValue(name) : RegistryDeletion::Failed;
}

}  // namespace registry
