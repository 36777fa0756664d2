#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "registry/registry_scan.h"

namespace registry_test {

// A key of the test's own below HKEY_CURRENT_USER\Software, deleted with everything in it when the object goes.
class TestKey {
  public:
    TestKey();
    ~TestKey();
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;

    // "Software\VireoRegistryTest-<pid>-<n>"
    const std::string& Path() const { return path_; }
    // The scan root that walks only this key's subtree.
    registry::ScanRoot Root() const;

    // Writes a value, making the keys on the way (relative is below the test key; empty for the key itself).
    void Set(const std::string& relative, const std::string& name, DWORD type, const std::string& bytes) const;
    void SetText(const std::string& relative,
                 const std::string& name,
                 const std::string& text,
                 DWORD type = REG_SZ) const;
    bool HasValue(const std::string& relative, const std::string& name) const;
    // Type and bytes as stored; false when the value is not there.
    bool Get(const std::string& relative, const std::string& name, DWORD& type, std::string& bytes) const;

  private:
    std::string path_;
};

// Stores a value's data byte for byte, making the keys on the way.
void SetExactly(HKEY root, const std::string& path, const std::string& name, DWORD type, const std::string& bytes);

// Stored string data: UTF-16 LE of the UTF-8 text with its terminating NUL.
std::string StringBytes(const std::string& text);

// Runs a Linux program through Wine (for set-ups Win32 cannot make, such as a link loop); its exit code.
int RunUnix(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace registry_test
