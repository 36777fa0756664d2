#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/volume_info.h"

namespace usage_test {

// A volume whose answers the test sets; it notes which questions were asked.
class FakeVolumes : public platform::VolumeInfo {
  public:
    std::optional<platform::ClusterGeometry> geometry = platform::ClusterGeometry{512, 8};
    std::optional<platform::FreeSpace> freeSpace = platform::FreeSpace{1000000, 2000000};
    bool compresses = false;
    std::map<std::string, uint64_t> compressedSizes;
    bool windows9x = false;
    std::optional<uint64_t> parameterBlockClusterSize;
    mutable std::vector<std::string> asked;

    std::optional<platform::ClusterGeometry> Geometry(std::string_view root) const override {
        asked.push_back("geometry " + std::string(root));
        return geometry;
    }
    std::optional<platform::FreeSpace> FreeBytes(std::string_view root) const override {
        asked.push_back("free " + std::string(root));
        return freeSpace;
    }
    bool CompressesFiles(std::string_view root) const override {
        asked.push_back("compresses " + std::string(root));
        return compresses;
    }
    std::optional<uint64_t> CompressedSize(std::string_view path) const override {
        asked.push_back("compressed " + std::string(path));
        const auto it = compressedSizes.find(std::string(path));
        return it == compressedSizes.end() ? std::nullopt : std::optional<uint64_t>(it->second);
    }
    bool IsWindows9xFamily() const override { return windows9x; }
    std::optional<uint64_t> ParameterBlockClusterSize(std::string_view root) const override {
        asked.push_back("parameter block " + std::string(root));
        return parameterBlockClusterSize;
    }
};

}  // namespace usage_test
