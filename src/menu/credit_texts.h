// The words of the credits: one text per block, a heading ending in a colon,
// an empty line, then one name per line.
#pragma once
#include <string>
#include <vector>

namespace tw {

constexpr int k_credit_text_blocks = 23;

// The 23 text blocks in the order they scroll by. The first block names its two
// creators in one order or, for first_variant false, in the other.
std::vector<std::string> credit_block_texts(bool first_variant);

}  // namespace tw
