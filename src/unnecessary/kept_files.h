#pragma once

#include <set>
#include <string>
#include <string_view>
#include <tuple>

#include "base/sorted_list.h"
#include "platform/file_system.h"

namespace unnecessary {

// The files a search must leave out: known by their paths, letter case ignored, and by their identities, so a
// file is kept however its path is written (an 8.3 alias, another drive letter, a hard link).
class KeptFiles {
  public:
    explicit KeptFiles(base::TextOrder order = base::CompareIgnoringAsciiCase);

    void Add(const std::string& path, const platform::FileId& id = {});
    bool Keeps(std::string_view path, const platform::FileId& id = {}) const;
    bool Empty() const { return paths_.Count() == 0; }

  private:
    base::SortedStringList paths_;
    std::set<std::tuple<uint64_t, uint64_t, uint64_t>> ids_;
};

}  // namespace unnecessary
