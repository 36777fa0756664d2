#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/volume_info.h"
#include "settings/settings_file.h"
#include "usage/folder_list.h"

namespace usage {

// What a run measures and how: the folder (ending in "\"), its drive root, the cluster size and whether
// the volume compresses files.
struct MeasurementSetup {
    std::string Folder;
    std::string Root;
    uint64_t ClusterSize = 1;
    bool VolumeCompresses = false;
};

// The folder from the window's FolderPath, else the current directory, else the folder box's folder;
// then the root, the cluster size and the compression support of its volume.
MeasurementSetup PrepareMeasurement(std::string_view folderPath,
                                    std::string_view folderBoxFolder,
                                    const platform::FileSystem& files,
                                    const platform::VolumeInfo& volumes);

// The cluster-size probe: false when the free space cannot be read. On the 95/98 family the disk's
// parameter block gives the cluster size. totalFreeBytes gets the drive's free bytes.
bool QueryDriveSpace(const platform::VolumeInfo& volumes,
                     std::string_view root,
                     uint64_t& totalFreeBytes,
                     uint64_t& clusterSize);

// The compression choice of section "Chart".
struct CompressionChoice {
    bool UnCompressed = false;
    bool Disabled = false;
    bool Compressed = false;
};

// The three keys read again, each with its current value as default.
void RereadCompressionKeys(const settings::SettingsFile& file, CompressionChoice& choice);

// "(C: free space)" in the interface language, with the first two characters of the path.
std::string FreeSpaceEntryName(std::string_view path);

// At a drive root with the free space shown, puts the free-space entry into the top list (just reset)
// and returns the free bytes it shows; nothing otherwise, also when the free space cannot be read (an
// entry of a made-up size would mislead). Then, unless disabled, reads the compression keys again.
std::optional<uint64_t> AddFreeSpaceEntry(TFolderList& top,
                                          const MeasurementSetup& setup,
                                          bool displayFreeDiskSpace,
                                          const platform::VolumeInfo& volumes,
                                          const settings::SettingsFile* file,
                                          CompressionChoice& choice);

// The progress text as the window shows it: in Finnish "Scanning" becomes "Tutkitaan" and the path
// comes out in lower case.
std::string ScanProgress(std::string_view text);

}  // namespace usage
