#include "base/sorted_list.h"

#include <utility>

namespace base {

int CompareIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : static_cast<unsigned char>(c); };
        const int d = lower(a[i]) - lower(b[i]);
        if (d != 0)
            return d < 0 ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

SortedStringList::SortedStringList(TextOrder order, Repeats repeats) : order_(std::move(order)), repeats_(repeats) {}

bool SortedStringList::Find(std::string_view text, int& index) const {
    int low = 0;
    int high = Count() - 1;
    bool found = false;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int c = order_(entries_[static_cast<size_t>(middle)].text, text);
        if (c < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (c == 0)
                found = true;
        }
    }
    index = low;
    return found;
}

int SortedStringList::IndexOf(std::string_view text) const {
    int index = 0;
    return Find(text, index) ? index : -1;
}

int SortedStringList::Add(std::string text, int64_t number, std::any object) {
    int index = 0;
    if (Find(text, index) && repeats_ == Repeats::Drop)
        return -1;
    entries_.insert(entries_.begin() + index, SortedEntry{std::move(text), number, std::move(object)});
    return index;
}

void SortedStringList::AddAll(const std::vector<std::string>& texts) {
    for (const auto& text : texts)
        Add(text);
}

void SortedStringList::Delete(int index) {
    entries_.erase(entries_.begin() + index);
}

std::vector<std::string> SortedStringList::Texts() const {
    std::vector<std::string> texts;
    texts.reserve(entries_.size());
    for (const auto& entry : entries_)
        texts.push_back(entry.text);
    return texts;
}

}  // namespace base
