#include "duplicates/checksum.h"

#include <algorithm>

namespace duplicates {

int32_t WordSum(std::span<const unsigned char> head, uint64_t size) {
    const size_t words = static_cast<size_t>(std::min<uint64_t>(size / 4, kChecksumWindow / 4));
    const size_t available = std::min(words, head.size() / 4);
    uint32_t sum = 0;
    for (size_t i = 0; i < available; ++i) {
        const unsigned char* p = head.data() + 4 * i;
        sum += static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
               static_cast<uint32_t>(p[3]) << 24;
    }
    return static_cast<int32_t>(sum & 0x7FFFFFFFu);
}

int32_t DosStamp(const base::DateTime& local) {
    if (local.year < 1980 || local.year > 2107)
        return 0;
    const uint32_t date = static_cast<uint32_t>((local.year - 1980) << 9 | local.month << 5 | local.day);
    const uint32_t time = static_cast<uint32_t>(local.hour << 11 | local.minute << 5 | local.second / 2);
    return static_cast<int32_t>((date << 16 | time) & 0x7FFFFFFFu);
}

}  // namespace duplicates
