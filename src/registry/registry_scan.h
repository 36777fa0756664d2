#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/format.h"
#include "platform/path_probe.h"
#include "platform/registry.h"
#include "registry/reg.h"

namespace registry {

// A part of the registry to walk: its root, the name shown in the key cells, and the key the walk starts
// from ("\" for the root itself). The values held directly by the start key are never examined.
struct ScanRoot {
    platform::RegistryRoot root;
    std::string name;
    std::string startPath;
};

// HKEY_CURRENT_USER and HKEY_USERS from their roots, HKEY_LOCAL_MACHINE from Software, in that order.
const std::vector<ScanRoot>& ProgramScanRoots();

// One dead reference, as the four cells of a result row.
struct ResultRow {
    std::string key;               // RootName + ": " + the path of the key holding the value
    std::string lastModification;  // the key's last-write time, UTC
    std::string valueName;
    std::string text;
};

struct ScanHooks {
    std::function<void(const std::string& text)> status;  // "Analyzing: " + key name
    std::function<void()> yield;                          // let pending window messages be handled
    // Each result as it is found; firstHit is true for the first result of the scan.
    std::function<void(const ResultRow& row, bool firstHit)> addRow;
};

// The walk for dead file and folder references. StopScan is the window's flag, which its Stop and Close
// buttons set during a yield; the walk polls it.
class RegistryScan {
  public:
    RegistryScan(Reg& reg,
                 const platform::PathProbe& probe,
                 const base::FormatSettings& settings,
                 ScanHooks hooks,
                 bool& stopScan);

    // Walks the roots in order and returns the number of results. Throws base::Error when a parent key
    // cannot be opened again; the rows delivered so far stand.
    size_t ScanRegistry(const std::vector<ScanRoot>& roots);
    // All subkeys of the current key, depth first, pre-order, in enumeration order.
    void ScanKeys();
    // The text values of the current key; keyName is only for the status text.
    void ScanValues(const std::string& keyName);

    const std::string& RootName() const { return rootName_; }

  private:
    void AddRow(const std::string& name, const std::string& text);

    // The drive type of each letter asked once per scan: it is the one slow question for most texts.
    class DriveCache final : public platform::PathProbe {
      public:
        explicit DriveCache(const platform::PathProbe& probe) : probe_(probe) {}
        void Forget() { known_.fill(false); }
        platform::ProbeOutcome Attributes(std::string_view path) const override;
        platform::ProbeOutcome Find(std::string_view path) const override;
        platform::ProbeDriveType DriveType(std::string_view root) const override;

      private:
        const platform::PathProbe& probe_;
        mutable std::array<bool, 256> known_{};
        mutable std::array<platform::ProbeDriveType, 256> types_{};
    };

    Reg& reg_;
    DriveCache drives_;
    const base::FormatSettings& settings_;
    ScanHooks hooks_;
    bool& StopScan;
    bool FirstHit = true;
    std::string rootName_;
    size_t results_ = 0;
};

// False only when the text is judged to name a missing file or folder on a local fixed drive.
bool IsLiveReference(std::string_view text, const platform::PathProbe& probe);

// Puts "\" in front of a key path that is empty or does not start with one.
std::string AddLeadingBackslash(std::string_view path);

// A key's last-write time (100 ns ticks since 1601, UTC) as calendar fields, not converted to local time.
base::DateTime DateTimeOfFileTime(uint64_t fileTime);
// "mm/dd/yyyy hh:mmAM/PM" with the system's separators.
std::string LastModificationText(uint64_t fileTime, const base::FormatSettings& settings);

}  // namespace registry
