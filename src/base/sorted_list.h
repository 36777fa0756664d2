#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace base {

// Negative, zero or positive, as strcmp. On Windows this is the locale's comparison ignoring case.
using TextOrder = std::function<int(std::string_view, std::string_view)>;

// A plain comparison that ignores ASCII letter case; for tests and for texts known to be ASCII.
int CompareIgnoringAsciiCase(std::string_view a, std::string_view b);

enum class Repeats { Drop, Keep };

struct SortedEntry {
    std::string text;
    int64_t number = 0;
    std::any object;
};

// A list kept in order by a text comparison. A repeat (equal by the order) is dropped or kept as the list
// says; a kept repeat goes before the equal entries already present, as the system's sorted lists do.
class SortedStringList {
public:
    SortedStringList(TextOrder order, Repeats repeats);

    // Returns the index of the new entry, or -1 when it was a repeat and dropped.
    int Add(std::string text, int64_t number = 0, std::any object = {});
    void AddAll(const std::vector<std::string>& texts);

    // Binary search: true when an equal entry exists; index is then the first equal entry, otherwise
    // the place where the text would go.
    bool Find(std::string_view text, int& index) const;
    int IndexOf(std::string_view text) const;

    void Delete(int index);
    void Clear() { entries_.clear(); }

    int Count() const { return static_cast<int>(entries_.size()); }
    bool Empty() const { return entries_.empty(); }
    const SortedEntry& operator[](int index) const { return entries_.at(static_cast<size_t>(index)); }
    SortedEntry& operator[](int index) { return entries_.at(static_cast<size_t>(index)); }
    const std::string& Text(int index) const { return (*this)[index].text; }
    std::vector<std::string> Texts() const;

    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

private:
    TextOrder order_;
    Repeats repeats_;
    std::vector<SortedEntry> entries_;
};

}  // namespace base
