#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_ops.h"

namespace fs_test {

// A disk of paths that the operations change as a real one would, with faults to order.
class FakeOps : public platform::FileOps {
  public:
    mutable std::map<std::string, platform::PathKind> disk;
    std::map<std::string, platform::SystemReason> refuseDelete;  // permanent delete fails with this
    std::set<std::string> trashRefuses;                          // the shell leaves these in place
    std::set<std::string> keepAfterDelete;                       // deleted, but still there (delete pending)
    std::set<std::string> vanishOnDelete;                        // refused, but gone meanwhile
    std::set<std::string> unknownAfterRecycle;                   // no answer about these afterwards
    std::map<std::string, platform::RecycleBinAnswer> noBin;     // the recycle bin would not take these
    platform::RecycleReport shellAnswer{true, 0, false, ""};
    mutable std::vector<std::string> log;
    mutable std::vector<std::vector<std::string>> recycled;

    platform::RecycleReport Recycle(const std::vector<std::string>& paths) const override {
        recycled.push_back(paths);
        log.push_back("recycle");
        for (const auto& path : paths) {
            if (unknownAfterRecycle.count(path))
                disk[path] = platform::PathKind::Unknown;
            else if (!trashRefuses.count(path))
                disk.erase(path);
        }
        return shellAnswer;
    }
    platform::SystemReason DeleteForGood(std::string_view path) const override {
        const std::string p(path);
        log.push_back("delete " + p);
        if (vanishOnDelete.count(p)) {
            disk.erase(p);
            return {32, "in use"};
        }
        if (refuseDelete.count(p))
            return refuseDelete.at(p);
        if (disk.count(p) && disk[p] == platform::PathKind::File && !keepAfterDelete.count(p))
            disk.erase(p);
        return {};
    }
    platform::PathState StateOf(std::string_view path) const override {
        const auto it = disk.find(std::string(path));
        if (it == disk.end())
            return {platform::PathKind::Missing, {}};
        if (it->second == platform::PathKind::Unknown)
            return {platform::PathKind::Unknown, {5, "Access is denied."}};
        return {it->second, {}};
    }
    size_t MaxRecyclePath() const override { return 259; }
    platform::RecycleBinAnswer RecycleBinFor(std::string_view path) const override {
        const auto it = noBin.find(std::string(path));
        return it == noBin.end() ? platform::RecycleBinAnswer::Takes : it->second;
    }
};

}  // namespace fs_test
