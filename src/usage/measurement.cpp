#include "usage/measurement.h"

#include "base/text_case.h"
#include "base/texts.h"
#include "platform/exact_path.h"
#include "settings/keys.h"

namespace usage {

MeasurementSetup PrepareMeasurement(std::string_view folderPath,
                                    std::string_view folderBoxFolder,
                                    const platform::FileSystem& files,
                                    const platform::VolumeInfo& volumes) {
    MeasurementSetup setup;
    setup.Folder = std::string(folderPath);
    if (setup.Folder.empty())
        setup.Folder = files.CurrentDirectory();
    if (setup.Folder.empty())
        setup.Folder = std::string(folderBoxFolder);
    // A folder without its drive ("\\Temp", "Temp") is measured where the current directory puts it; its
    // volume is known by the root of the full path, a drive or a share.
    setup.Folder = platform::AbsolutePlainPath(setup.Folder, files.CurrentDirectory());
    if (setup.Folder.empty() || setup.Folder.back() != '\\')
        setup.Folder += '\\';
    setup.Root = platform::PlainRoot(setup.Folder);
    if (setup.Root.empty())
        return setup;

    if (const auto geometry = volumes.Geometry(setup.Root)) {
        // A volume that reports no sizes at all is measured unrounded rather than divided by zero.
        const uint64_t clusterSize = geometry->bytesPerSector * geometry->sectorsPerCluster;
        setup.ClusterSize = clusterSize == 0 ? 1 : clusterSize;
        uint64_t totalFree = 0;
        QueryDriveSpace(volumes, setup.Root, totalFree, setup.ClusterSize);
    }
    setup.VolumeCompresses = volumes.CompressesFiles(setup.Root);
    return setup;
}

bool QueryDriveSpace(const platform::VolumeInfo& volumes,
                     std::string_view root,
                     uint64_t& totalFreeBytes,
                     uint64_t& clusterSize) {
    const auto space = volumes.FreeBytes(root);
    if (!space)
        return false;
    totalFreeBytes = space->totalFree;
    if (!volumes.IsWindows9xFamily())
        return true;
    if (const auto size = volumes.ParameterBlockClusterSize(root); size && *size != 0)
        clusterSize = *size;
    return true;
}

void RereadCompressionKeys(const settings::SettingsFile& file, CompressionChoice& choice) {
    choice.UnCompressed = file.ReadFlag(settings::keys::kUnCompressed, choice.UnCompressed);
    choice.Disabled = file.ReadFlag(settings::keys::kChart, settings::keys::kDisabledName, choice.Disabled);
    choice.Compressed = file.ReadFlag(settings::keys::kChart, settings::keys::kCompressedName, choice.Compressed);
}

std::string FreeSpaceEntryName(std::string_view path) {
    return std::string("(").append(path.substr(0, 2)).append(base::Tx(" free space)", " vapaata tilaa)"));
}

std::optional<uint64_t> AddFreeSpaceEntry(TFolderList& top,
                                          const MeasurementSetup& setup,
                                          bool displayFreeDiskSpace,
                                          const platform::VolumeInfo& volumes,
                                          const settings::SettingsFile* file,
                                          CompressionChoice& choice) {
    if (setup.Folder.size() != 3 || !displayFreeDiskSpace)
        return std::nullopt;
    std::optional<uint64_t> shown;
    if (const auto space = volumes.FreeBytes(setup.Root)) {
        top.AddEntry(FreeSpaceEntryName(setup.Folder), space->availableToUser, space->availableToUser);
        shown = space->availableToUser;
    }
    if (!choice.Disabled && file)
        RereadCompressionKeys(*file, choice);
    return shown;
}

std::string ScanProgress(std::string_view text) {
    constexpr std::string_view kScanning = "scanning";
    if (!base::FinnishUI() || text.size() < kScanning.size() ||
        base::LowerCase(text.substr(0, kScanning.size())) != kScanning)
        return std::string(text);
    return "Tutkitaan" + base::LowerCase(text.substr(kScanning.size()));
}

}  // namespace usage
