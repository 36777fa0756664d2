#include "settings/bound_settings.h"

namespace settings {

void BoundSettings::Bind(const FlagKey& key, bool& field) {
    Bind(
        key, [&field] { return field; }, [&field](bool value) { field = value; });
}

void BoundSettings::Bind(const TextKey& key, std::string& field) {
    Bind(
        key, [&field] { return field; }, [&field](std::string value) { field = std::move(value); });
}

void BoundSettings::Bind(const FlagKey& key, std::function<bool()> get, std::function<void(bool)> set) {
    rows_.push_back({[key, set](const SettingsFile& file) { set(file.ReadFlag(key)); },
                     [key, get](SettingsFile& file) { file.WriteFlag(key, get()); }});
}

void BoundSettings::Bind(const TextKey& key, std::function<std::string()> get, std::function<void(std::string)> set) {
    rows_.push_back({[key, set](const SettingsFile& file) { set(file.ReadText(key)); },
                     [key, get](SettingsFile& file) { file.WriteText(key, get()); }});
}

void BoundSettings::BindReadOnly(const TextKey& key, std::string& field) {
    rows_.push_back({[key, &field](const SettingsFile& file) { field = file.ReadText(key); }, {}});
}

void BoundSettings::BindReadOnly(const IntegerKey& key, int32_t& field) {
    rows_.push_back({[key, &field](const SettingsFile& file) { field = file.ReadInteger(key); }, {}});
}

void BoundSettings::ReadAll(const SettingsFile& file) const {
    for (const auto& row : rows_)
        row.read(file);
}

void BoundSettings::WriteAll(SettingsFile& file, const std::function<void()>& failed) const noexcept {
    for (const auto& row : rows_) {
        if (!row.write)
            continue;
        try {
            row.write(file);
        } catch (...) {
            if (failed) {
                try {
                    failed();
                } catch (...) {
                    // The handler of a failure must not stop the other keys either.
                }
            }
        }
    }
}

}  // namespace settings
