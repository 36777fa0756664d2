#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_reader.h"

namespace duplicates {

// The full paths of the file rows of the group that holds row index, the row itself included, in list order.
// A group is the run of file rows around the row, between its header and the blank row after it.
std::vector<std::string> GroupPathsAround(const std::vector<std::string>& captions, size_t index);

// Why path must stay, in the interface language, or nothing when another file of its group still exists,
// is another file (not the same file reached by another path) and has the same bytes now, or when there is
// no file at path any more.
std::optional<std::string> ReasonToKeep(const platform::FileReader& reader,
                                        const std::string& path,
                                        const std::vector<std::string>& groupPaths);

}  // namespace duplicates
