#include "duplicates/content_classes.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace duplicates {
namespace {

// Blocks share this much memory between the files of a class, within the bounds below.
constexpr size_t kBlockBudget = 16u << 20;
constexpr size_t kSmallestBlock = 64u << 10;
constexpr size_t kLargestBlock = 2u << 20;

using Class = std::vector<size_t>;

// Groups the members by equal bytes, keeping their order; bytesOf(i) gives member i's bytes. Different
// contents mostly differ early, so comparing with each part's first member stays cheap.
template <typename BytesOf>
std::vector<Class> SplitByBytes(const Class& members, BytesOf bytesOf) {
    std::vector<Class> parts;
    for (const size_t member : members) {
        const std::span<const unsigned char> bytes = bytesOf(member);
        const auto same = std::find_if(parts.begin(), parts.end(), [&](const Class& part) {
            const std::span<const unsigned char> other = bytesOf(part.front());
            return other.size() == bytes.size() &&
                   (bytes.empty() || std::memcmp(other.data(), bytes.data(), bytes.size()) == 0);
        });
        if (same == parts.end())
            parts.push_back({member});
        else
            same->push_back(member);
    }
    return parts;
}

class Refiner {
  public:
    Refiner(std::span<OpenedFile> files, uint64_t size) : files_(files), size_(size) {}

    void Refine(Class members, uint64_t offset) {
        for (;;) {
            if (members.size() < 2) {
                Close(members);
                return;
            }
            if (offset >= size_) {
                Close(members);
                classes_.push_back(std::move(members));
                return;
            }
            const size_t block = BlockFor(members.size(), size_ - offset);
            members = ReadBlock(members, offset, block);
            std::vector<Class> parts =
                SplitByBytes(members, [&](size_t i) { return std::span<const unsigned char>(blocks_[i]); });
            offset += block;
            if (parts.size() == 1) {
                members = std::move(parts.front());
                continue;
            }
            for (Class& part : parts)
                Refine(std::move(part), offset);
            return;
        }
    }

    std::vector<Class> TakeClasses() {
        std::sort(classes_.begin(), classes_.end());
        return std::move(classes_);
    }

  private:
    static size_t BlockFor(size_t members, uint64_t remaining) {
        const size_t share = std::clamp(kBlockBudget / members, kSmallestBlock, kLargestBlock);
        return static_cast<size_t>(std::min<uint64_t>(share, remaining));
    }

    // The members whose block could be read whole; the others are closed and left out.
    Class ReadBlock(const Class& members, uint64_t offset, size_t block) {
        Class read;
        for (const size_t i : members) {
            std::vector<unsigned char>& buffer = blocks_[i];
            buffer.resize(block);
            const auto got = files_[i].file->Read(offset, buffer);
            if (got && *got == block) {
                read.push_back(i);
            } else {
                files_[i].file.reset();
                buffer = {};
            }
        }
        return read;
    }

    void Close(const Class& members) {
        for (const size_t i : members) {
            files_[i].file.reset();
            blocks_.erase(i);
        }
    }

    std::span<OpenedFile> files_;
    uint64_t size_;
    std::unordered_map<size_t, std::vector<unsigned char>> blocks_;
    std::vector<Class> classes_;
};

}  // namespace

std::vector<std::vector<size_t>> IdenticalClasses(std::span<OpenedFile> files, uint64_t size) {
    Class all;
    for (size_t i = 0; i < files.size(); ++i) {
        if (files[i].file)
            all.push_back(i);
    }
    Refiner refiner(files, size);
    uint64_t headSize = 0;
    if (!all.empty())
        headSize = files[all.front()].head.size();
    for (Class& part : SplitByBytes(all, [&](size_t i) { return std::span<const unsigned char>(files[i].head); }))
        refiner.Refine(std::move(part), headSize);
    return refiner.TakeClasses();
}

}  // namespace duplicates
