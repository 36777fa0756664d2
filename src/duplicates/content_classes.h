#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/file_reader.h"

namespace duplicates {

// A file being compared: open for reading, with its first head.size() bytes already read.
struct OpenedFile {
    std::unique_ptr<platform::ReadableFile> file;
    std::vector<unsigned char> head;
};

// Splits files of one size into classes of identical content. Every file must be open and hold the same
// number of head bytes. Each file is read on from its head in large blocks, and only while it still equals
// another file of its class; a file that cannot be read to its full size joins no class. Returns the
// classes of two or more files, as indexes into files in ascending order, ordered by their first index.
// Files are closed as soon as they are settled.
std::vector<std::vector<size_t>> IdenticalClasses(std::span<OpenedFile> files, uint64_t size);

}  // namespace duplicates
