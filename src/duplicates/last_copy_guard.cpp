#include "duplicates/last_copy_guard.h"

#include <array>
#include <memory>

#include "base/texts.h"
#include "duplicates/list_files.h"

namespace duplicates {
namespace {

// Compares two open files from their starts; false at the first difference or a failed read.
bool SameBytes(platform::ReadableFile& a, platform::ReadableFile& b) {
    constexpr size_t kChunk = 64 * 1024;
    auto bufferA = std::make_unique<std::array<unsigned char, kChunk>>();
    auto bufferB = std::make_unique<std::array<unsigned char, kChunk>>();
    for (uint64_t offset = 0;;) {
        const auto readA = a.Read(offset, *bufferA);
        const auto readB = b.Read(offset, *bufferB);
        if (!readA || !readB || *readA != *readB)
            return false;
        if (*readA == 0)
            return true;
        if (!std::equal(bufferA->begin(), bufferA->begin() + *readA, bufferB->begin()))
            return false;
        offset += *readA;
    }
}

std::string KeepText(std::string_view english, std::string_view finnish, const std::string& path) {
    return base::Tx(english, finnish) + "\n\n" + path;
}

}  // namespace

std::vector<std::string> GroupPathsAround(const std::vector<std::string>& captions, size_t index) {
    if (index >= captions.size() || !IsFilePathCaption(captions[index]))
        return {};
    size_t first = index;
    while (first > 0 && IsFilePathCaption(captions[first - 1]))
        --first;
    size_t end = index + 1;
    while (end < captions.size() && IsFilePathCaption(captions[end]))
        ++end;
    return {captions.begin() + static_cast<std::ptrdiff_t>(first), captions.begin() + static_cast<std::ptrdiff_t>(end)};
}

std::optional<std::string> ReasonToKeep(const platform::FileReader& reader,
                                        const std::string& path,
                                        const std::vector<std::string>& groupPaths) {
    const auto file = reader.Open(path);
    // A file already gone loses nothing; the deletion finds it gone and its row goes.
    if (!file && !reader.Describe(path))
        return std::nullopt;
    if (!file)
        return KeepText(
            "The file was not deleted: it cannot be read, so it cannot be checked against its "
            "duplicates:",
            "Tiedostoa ei poistettu: sitä ei voi lukea, joten sitä ei voi verrata duplikaatteihinsa:", path);
    bool otherExists = false;
    for (const std::string& other : groupPaths) {
        if (other == path)
            continue;
        const auto copy = reader.Open(other);
        if (!copy)
            continue;
        // The same file under another name is no copy of it.
        if (copy->Facts().id == file->Facts().id)
            continue;
        otherExists = true;
        if (copy->Facts().size == file->Facts().size && SameBytes(*file, *copy))
            return std::nullopt;
    }
    if (!otherExists)
        return KeepText("The file was not deleted: it is the last copy of its group left on the disk:",
                        "Tiedostoa ei poistettu: se on ryhmänsä viimeinen kopio levyllä:", path);
    return KeepText("The file was not deleted: no other file of its group holds the same contents any more:",
                    "Tiedostoa ei poistettu: millään muulla ryhmän tiedostolla ei ole enää samaa sisältöä:", path);
}

}  // namespace duplicates
