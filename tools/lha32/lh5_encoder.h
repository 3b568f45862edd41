#pragma once
#include <cstdint>
#include <vector>

namespace lha32 {

// Compresses data with the "-lh5-" method: LZSS over an 8 KiB window whose
// literals, match lengths and match distances are coded in blocks with static
// Huffman tables sent at the head of each block.
std::vector<uint8_t> encodeLh5(const std::vector<uint8_t>& data);

} // namespace lha32
