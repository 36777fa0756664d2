#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/path_probe.h"
#include "platform/registry.h"

namespace fakes {

// An in-memory registry: keys keep their subkeys and values in the order they were added, which is the
// enumeration order the scan must follow.
struct FakeKey {
    std::string name;
    std::vector<std::unique_ptr<FakeKey>> subkeys;
    std::vector<std::pair<std::string, platform::RegistryData>> values;
    uint64_t lastWriteTime = 0;
    bool denied = false;  // cannot be opened with full access
    FakeKey* parent = nullptr;

    FakeKey& Key(const std::string& path);  // made on the way, like the test's own set-up
    FakeKey* Find(const std::string& childName);
    void SetString(const std::string& valueName, const std::string& text, uint32_t type = 1);
    void SetRaw(const std::string& valueName, uint32_t type, std::string bytes);
};

class FakeRegistry final : public platform::Registry {
  public:
    FakeKey& Root(platform::RegistryRoot root) { return roots_[root]; }
    std::unique_ptr<platform::RegistryKey> Open(platform::RegistryRoot root, std::string_view path) override;
    std::unique_ptr<platform::RegistryKey> Open(const platform::RegistryKey& base, std::string_view path) override;
    platform::RegistryDeletion DeleteTree(platform::RegistryRoot root, std::string_view path) override;

    int opens = 0;
    // After this many successful opens every further open fails (a hive unloaded under the walk).
    int failOpensAfter = -1;

  private:
    std::unique_ptr<platform::RegistryKey> OpenFrom(FakeKey& from, std::string_view path);
    std::map<platform::RegistryRoot, FakeKey> roots_;
};

// Existence tests answered from a table; anything not listed is missing. Paths compare ignoring case.
class FakeProbe final : public platform::PathProbe {
  public:
    std::map<std::string, platform::ProbeOutcome> attributes;  // upper-cased path -> outcome
    std::set<std::string> listed;                              // upper-cased paths that a listing finds
    std::map<char, platform::ProbeDriveType> drives;
    mutable std::vector<std::string> asked;

    void AddFolder(const std::string& path);  // the folder and each folder above it exist
    void AddFile(const std::string& path);

    platform::ProbeOutcome Attributes(std::string_view path) const override;
    platform::ProbeOutcome Find(std::string_view path) const override;
    platform::ProbeDriveType DriveType(std::string_view root) const override;
};

std::string Utf16Bytes(const std::u16string& text);

}  // namespace fakes
