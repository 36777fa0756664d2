#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "base/format.h"

namespace duplicates {

// The cheap checksum reads at most this many bytes from the start of a file.
constexpr size_t kChecksumWindow = 512;

// The sum, modulo 2^32, of the first min(size div 4, 128) little-endian 32-bit words of a file of that
// size, from its first bytes (head holds min(size, 512) of them), with bit 31 cleared.
int32_t WordSum(std::span<const unsigned char> head, uint64_t size);

// A local date and time packed as DOS packs it (date in the upper 16 bits, two-second time in the lower),
// with bit 31 cleared; 0 before 1980.
int32_t DosStamp(const base::DateTime& local);

}  // namespace duplicates
