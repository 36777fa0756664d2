#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/sorted_list.h"

namespace platform {

// A text order that can also give each text a sort key: a byte string whose plain byte order is the
// order's own. A sort of many names then asks the system once per name instead of once per comparison.
// Two texts with equal keys are still put in order by the comparison itself, so a key that cannot tell
// two texts apart never changes the order.
struct KeyedTextOrder {
    base::TextOrder compare;
    // Writes text's key into key (its old contents reused); false when the system cannot give one.
    std::function<bool(std::string_view text, std::string& key)> makeKey;

    int operator()(std::string_view a, std::string_view b) const { return compare(a, b); }
};

// A TextOrder that compares as compare does and carries the keys along for the sorts that want them.
base::TextOrder WithSortKeys(KeyedTextOrder order);

// The keyed form of order, or nullptr when order was not made by WithSortKeys.
const KeyedTextOrder* SortKeysOf(const base::TextOrder& order);

// Texts ordered by keys made once per text (a key, then the comparison itself for equal keys). What to
// sort is given as indexes into texts; stable, as a sort by the plain comparison would be.
class KeyedSort {
  public:
    explicit KeyedSort(const KeyedTextOrder& order) : order_(order) {}

    // Puts the indexes 0..texts.size()-1 into order; false (nothing changed) when a key could not be made.
    bool Order(const std::vector<std::string_view>& texts, std::vector<size_t>& indexes);

  private:
    KeyedTextOrder order_;
    std::vector<std::string> keys_;  // kept between sorts, so their buffers are reused
};

}  // namespace platform
