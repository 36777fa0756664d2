#include "duplicates/candidates.h"

#include <algorithm>
#include <cstdio>

namespace duplicates {

std::string SizeKey(uint64_t size) {
    // Twenty places hold every 64-bit size, so the text order of keys is their size order.
    char text[32];
    std::snprintf(text, sizeof text, "%20llu ", static_cast<unsigned long long>(size));
    return text;
}

std::string NameKey(std::string_view name) {
    return std::string(name) + '\\';
}

void SortCandidates(std::vector<Candidate>& candidates, bool sizeMode, const base::TextOrder& order) {
    if (sizeMode) {
        // Equal sizes make equal keys, and a run's order is settled later by checksum and path.
        std::stable_sort(candidates.begin(), candidates.end(),
                         [](const Candidate& a, const Candidate& b) { return a.size < b.size; });
        return;
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [&order](const Candidate& a, const Candidate& b) { return order(a.Line(), b.Line()) < 0; });
}

}  // namespace duplicates
