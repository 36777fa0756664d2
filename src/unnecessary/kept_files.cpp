#include "unnecessary/kept_files.h"

#include <utility>

namespace unnecessary {
namespace {

std::tuple<uint64_t, uint64_t, uint64_t> KeyOf(const platform::FileId& id) {
    return {id.volumeSerial, id.low, id.high};
}

}  // namespace

KeptFiles::KeptFiles(base::TextOrder order) : paths_(std::move(order), base::Repeats::Drop) {}

void KeptFiles::Add(const std::string& path, const platform::FileId& id) {
    paths_.Add(path);
    if (id.known)
        ids_.insert(KeyOf(id));
}

bool KeptFiles::Keeps(std::string_view path, const platform::FileId& id) const {
    return (id.known && ids_.count(KeyOf(id)) != 0) || paths_.IndexOf(path) >= 0;
}

}  // namespace unnecessary
