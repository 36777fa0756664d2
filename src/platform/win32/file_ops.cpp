#include "platform/file_ops.h"

#include <windows.h>

#include <shellapi.h>

#include <optional>

#include "platform/exact_path.h"
#include "platform/win32/extended_path.h"
#include "platform/win32/unicode.h"

namespace platform {
namespace {

bool MeansMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME ||
           error == ERROR_BAD_PATHNAME || error == ERROR_INVALID_DRIVE;
}

std::string SystemText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? std::wstring_view(buffer, length) : std::wstring_view());
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    if (text.empty())
        return "Error " + std::to_string(code);
    return win32::Narrow(text);
}

SystemReason ReasonOf(DWORD code) {
    return {code, SystemText(code)};
}

// The shell's delete answers with codes of its own from its old days, beside the system's error codes.
std::string ShellResultText(int result) {
    switch (result) {
        case 0x71:
            return "The source and destination are the same file.";
        case 0x72:
            return "Several source paths were given with one destination.";
        case 0x74:
            return "The source is a folder and the destination is not.";
        case 0x75:
            return "The operation was cancelled.";
        case 0x78:
            return "Access denied.";
        case 0x79:
            return "The path is too long.";
        case 0x7C:
            return "A path in the source list is not valid.";
        case 0x7D:
            return "The source and destination are the same folder.";
        case 0x7E:
            return "A destination file is a folder.";
        case 0x80:
            return "The name is too long.";
        case 0x81:
            return "A destination file is read-only.";
        case 0x82:
            return "A destination folder is read-only.";
        case 0x83:
            return "The name holds characters that are not allowed.";
        case 0x84:
            return "The operation was cancelled.";
        case 0x85:
            return "The destination is a removable disk that is full.";
        case 0x86:
            return "The destination is read-only.";
        case 0x87:
            return "The destination is a device.";
        case 0x88:
            return "The destination is not a folder.";
        case 0x402:
            return "An unknown error occurred (perhaps the path does not exist).";
        case 0x10000:
            return "An unspecified error occurred at the destination.";
        default:
            return SystemText(static_cast<DWORD>(result));
    }
}

// The root of the volume that holds the file at exact (a drive, a share or a mount folder), in the plain form
// the drive functions take; from the path's own drive or share when the system does not say.
std::wstring VolumeRootOf(std::string_view path, const std::wstring& exact) {
    std::wstring root(exact.size() + 2, L'\0');
    if (!exact.empty() && GetVolumePathNameW(exact.c_str(), root.data(), static_cast<DWORD>(root.size()))) {
        root.resize(wcslen(root.c_str()));
        return win32::Widen(PlainPath(win32::Narrow(root)));
    }
    const std::string plain = PlainPath(path);
    if (plain.size() >= 3 && plain[1] == ':')
        return win32::Widen(plain.substr(0, 3));
    const size_t share = plain.rfind("\\\\", 0) == 0 ? plain.find('\\', plain.find('\\', 2) + 1) : std::string::npos;
    return share == std::string::npos ? std::wstring() : win32::Widen(plain.substr(0, share + 1));
}

std::optional<DWORD> UserValue(const std::wstring& key, const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

// The user's recycle bin settings for the volume at root, kept under the volume's name.
struct BinSettings {
    bool deletesAtOnce = false;
    std::optional<uint64_t> maxBytes;
};

BinSettings BinSettingsOf(const std::wstring& root) {
    BinSettings settings;
    if (UserValue(L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", L"NoRecycleFiles").value_or(0) !=
        0)
        settings.deletesAtOnce = true;
    std::wstring withSlash = root;
    if (withSlash.empty() || withSlash.back() != L'\\')
        withSlash += L'\\';
    wchar_t volume[64] = {};
    if (!GetVolumeNameForVolumeMountPointW(withSlash.c_str(), volume, 64))
        return settings;
    const std::wstring_view name(volume);
    const size_t open = name.find(L'{');
    const size_t close = name.find(L'}');
    if (open == std::wstring_view::npos || close == std::wstring_view::npos || close < open)
        return settings;
    const std::wstring key = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket\\Volume\\" +
                             std::wstring(name.substr(open, close - open + 1));
    if (UserValue(key, L"NukeOnDelete").value_or(0) != 0)
        settings.deletesAtOnce = true;
    if (const auto megabytes = UserValue(key, L"MaxCapacity"))
        settings.maxBytes = static_cast<uint64_t>(*megabytes) * 1024 * 1024;
    return settings;
}

std::optional<uint64_t> SizeOf(const std::wstring& exact) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(exact.c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

class Win32FileOps final : public FileOps {
  public:
    RecycleReport Recycle(const std::vector<std::string>& paths) const override {
        RecycleReport report;
        if (paths.empty())
            return report;
        // One list of NUL-ended paths closed by one more NUL. The shell takes no \\?\ form.
        std::wstring list;
        for (const std::string& path : paths) {
            list += win32::Widen(path);
            list += L'\0';
        }
        list += L'\0';
        SHFILEOPSTRUCTW operation = {};
        operation.wFunc = FO_DELETE;
        operation.pFrom = list.c_str();
        // Never a question nor an error box of the shell's (the caller reports each file), and never the
        // folder of files belonging to a web page beside it. Files the recycle bin would not take are left
        // out beforehand (RecycleBinFor), as the shell would delete them for good without a word; its warning
        // before doing so is not asked for, since it would stop an unattended run at a question (and some
        // shells ask it for a file that is merely held open).
        operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_NO_CONNECTED_ELEMENTS;
        const int result = SHFileOperationW(&operation);
        report.ran = true;
        report.result = static_cast<uint32_t>(result);
        report.aborted = operation.fAnyOperationsAborted != FALSE;
        if (result != 0)
            report.resultText = ShellResultText(result);
        return report;
    }

    SystemReason DeleteForGood(std::string_view path) const override {
        if (DeleteFileW(win32::ExactPath(path).c_str()))
            return {};
        return ReasonOf(GetLastError());
    }

    PathState StateOf(std::string_view path) const override {
        const DWORD attributes = GetFileAttributesW(win32::ExactPath(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES)
            return {(attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File, {}};
        const DWORD error = GetLastError();
        if (MeansMissing(error))
            return {PathKind::Missing, {}};
        return {PathKind::Unknown, ReasonOf(error)};
    }

    size_t MaxRecyclePath() const override { return MAX_PATH - 1; }

    // Only fixed drives have recycle bins; the user's settings may turn one off or bound its size.
    RecycleBinAnswer RecycleBinFor(std::string_view path) const override {
        const std::wstring exact = win32::ExactPath(path);
        const std::wstring root = VolumeRootOf(path, exact);
        if (root.empty() || GetDriveTypeW(root.c_str()) != DRIVE_FIXED)
            return RecycleBinAnswer::NoBin;
        const BinSettings bin = BinSettingsOf(root);
        if (bin.deletesAtOnce)
            return RecycleBinAnswer::TurnedOff;
        const std::optional<uint64_t> size = SizeOf(exact);
        if (bin.maxBytes && size && *size > *bin.maxBytes)
            return RecycleBinAnswer::TooLarge;
        return RecycleBinAnswer::Takes;
    }
};

}  // namespace

const FileOps& SystemFileOps() {
    static const Win32FileOps instance;
    return instance;
}

}  // namespace platform
