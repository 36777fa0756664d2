#include "platform/keyed_order.h"

#include <algorithm>
#include <numeric>

namespace platform {

base::TextOrder WithSortKeys(KeyedTextOrder order) {
    return base::TextOrder(std::move(order));
}

const KeyedTextOrder* SortKeysOf(const base::TextOrder& order) {
    return order.target<KeyedTextOrder>();
}

bool KeyedSort::Order(const std::vector<std::string_view>& texts, std::vector<size_t>& indexes) {
    if (keys_.size() < texts.size())
        keys_.resize(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        if (!order_.makeKey(texts[i], keys_[i]))
            return false;
    }
    indexes.resize(texts.size());
    std::iota(indexes.begin(), indexes.end(), size_t{0});
    std::stable_sort(indexes.begin(), indexes.end(), [&](size_t a, size_t b) {
        const int byKey = keys_[a].compare(keys_[b]);
        if (byKey != 0)
            return byKey < 0;
        return order_.compare(texts[a], texts[b]) < 0;
    });
    return true;
}

}  // namespace platform
