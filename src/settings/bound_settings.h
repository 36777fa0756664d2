#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "settings/keys.h"
#include "settings/settings_file.h"

namespace settings {

// A window's settings as a table: each row ties a key to a field of the window (or to a getter and a
// setter, for a value that lives in a control). Read all at the window's creation and written all at its
// destruction, both in the table's order.
class BoundSettings {
  public:
    void Bind(const FlagKey& key, bool& field);
    void Bind(const TextKey& key, std::string& field);
    void Bind(const FlagKey& key, std::function<bool()> get, std::function<void(bool)> set);
    void Bind(const TextKey& key, std::function<std::string()> get, std::function<void(std::string)> set);
    // Read only: the program never writes these (mask lists, integers of other windows).
    void BindReadOnly(const TextKey& key, std::string& field);
    void BindReadOnly(const IntegerKey& key, int32_t& field);

    void ReadAll(const SettingsFile& file) const;
    // Every key is tried: a write that fails is handed to failed, called from inside the catch block (the
    // error hook's way), and the keys after it are still written. Never throws.
    void WriteAll(SettingsFile& file, const std::function<void()>& failed) const noexcept;

  private:
    struct Row {
        std::function<void(const SettingsFile&)> read;
        std::function<void(SettingsFile&)> write;  // empty for a key that is only read
    };
    std::vector<Row> rows_;
};

}  // namespace settings
