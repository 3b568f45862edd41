#include "lh5_encoder.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <queue>

namespace lha32 {
namespace {

// Alphabet sizes and field widths of the method.
constexpr int kWindowBits = 13;
constexpr int kMaxDistance = (1 << kWindowBits) - 1; // stays one short of the ring size
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 256;
constexpr int kCharCodes = 256 + kMaxMatch - kMinMatch + 1; // 510: bytes, then lengths 3..256
constexpr int kPosCodes = kWindowBits + 1;                  // 14
constexpr int kLenCodes = 19;                               // codes that carry the character code lengths
constexpr int kCharCountBits = 9;
constexpr int kPosCountBits = 4;
constexpr int kLenCountBits = 5;
constexpr int kMaxCodeLength = 16;
constexpr int kBlockSymbols = 16384;

class BitWriter {
  public:
    void put(uint32_t value, int bits) {
        for (int i = bits - 1; i >= 0; --i) {
            current_ = static_cast<uint8_t>((current_ << 1) | ((value >> i) & 1u));
            if (++filled_ == 8) {
                out_.push_back(current_);
                current_ = 0;
                filled_ = 0;
            }
        }
    }
    std::vector<uint8_t> finish() {
        if (filled_ > 0) out_.push_back(static_cast<uint8_t>(current_ << (8 - filled_)));
        filled_ = 0;
        current_ = 0;
        return std::move(out_);
    }

  private:
    std::vector<uint8_t> out_;
    uint8_t current_ = 0;
    int filled_ = 0;
};

struct Token {
    uint16_t code;     // byte value, or 256 + length - 3
    uint16_t distance; // distance - 1, for matches only
};

// Huffman code lengths, at most kMaxCodeLength bits. Symbols of frequency 0
// get length 0. Needs at least two used symbols.
std::vector<int> codeLengths(const std::vector<uint32_t>& freq) {
    const int n = static_cast<int>(freq.size());
    std::vector<int> lengths(n, 0);
    struct Node {
        uint64_t weight;
        int left, right;
    };
    std::vector<Node> nodes;
    using Item = std::pair<uint64_t, int>;
    std::priority_queue<Item, std::vector<Item>, std::greater<>> queue;
    for (int s = 0; s < n; ++s) {
        if (freq[s] == 0) continue;
        nodes.push_back({freq[s], -1, s});
        queue.push({freq[s], static_cast<int>(nodes.size()) - 1});
    }
    while (queue.size() > 1) {
        auto [wa, a] = queue.top();
        queue.pop();
        auto [wb, b] = queue.top();
        queue.pop();
        nodes.push_back({wa + wb, a, b});
        queue.push({wa + wb, static_cast<int>(nodes.size()) - 1});
    }
    // Depth of each leaf, walking from the root.
    std::vector<int> depth(nodes.size(), 0);
    std::array<int, 64> count{};
    for (int i = static_cast<int>(nodes.size()) - 1; i >= 0; --i) {
        if (nodes[i].left < 0) {
            count[std::min(depth[i], 63)]++;
            continue;
        }
        depth[nodes[i].left] = depth[i] + 1;
        depth[nodes[i].right] = depth[i] + 1;
    }
    // Fold lengths beyond the limit into the limit, then restore a complete
    // code: each step turns one leaf of length i into two of length i + 1 and
    // drops one leaf of the longest length, lowering the Kraft sum by one unit.
    for (int i = kMaxCodeLength + 1; i < 64; ++i) {
        count[kMaxCodeLength] += count[i];
        count[i] = 0;
    }
    uint32_t total = 0;
    for (int i = 1; i <= kMaxCodeLength; ++i)
        total += static_cast<uint32_t>(count[i]) << (kMaxCodeLength - i);
    while (total > (1u << kMaxCodeLength)) {
        count[kMaxCodeLength]--;
        for (int i = kMaxCodeLength - 1; i > 0; --i) {
            if (count[i] != 0) {
                count[i]--;
                count[i + 1] += 2;
                break;
            }
        }
        total--;
    }
    // Shortest codes to the most frequent symbols.
    std::vector<int> symbols;
    for (int s = 0; s < n; ++s)
        if (freq[s] != 0) symbols.push_back(s);
    std::stable_sort(symbols.begin(), symbols.end(), [&](int a, int b) { return freq[a] > freq[b]; });
    size_t next = 0;
    for (int len = 1; len <= kMaxCodeLength; ++len)
        for (int k = 0; k < count[len]; ++k)
            lengths[symbols[next++]] = len;
    return lengths;
}

// Canonical codes: shorter codes first, equal lengths in symbol order.
std::vector<uint32_t> canonicalCodes(const std::vector<int>& lengths) {
    std::array<uint32_t, kMaxCodeLength + 2> start{};
    std::array<uint32_t, kMaxCodeLength + 1> count{};
    for (int len : lengths)
        if (len > 0) count[len]++;
    for (int len = 1; len <= kMaxCodeLength; ++len)
        start[len + 1] = (start[len] + count[len]) << 1;
    std::vector<uint32_t> codes(lengths.size(), 0);
    for (size_t s = 0; s < lengths.size(); ++s)
        if (lengths[s] > 0) codes[s] = start[lengths[s]]++;
    return codes;
}

// A code table for one alphabet. With a single used symbol the table is sent
// as that symbol alone and the symbol then takes no bits at all.
struct Table {
    std::vector<int> lengths;
    std::vector<uint32_t> codes;
    int single = -1;

    static Table build(const std::vector<uint32_t>& freq) {
        Table t;
        int used = 0;
        for (size_t s = 0; s < freq.size(); ++s)
            if (freq[s] != 0) {
                used++;
                t.single = static_cast<int>(s);
            }
        if (used <= 1) {
            if (used == 0) t.single = 0;
            t.lengths.assign(freq.size(), 0);
            t.codes.assign(freq.size(), 0);
            return t;
        }
        t.single = -1;
        t.lengths = codeLengths(freq);
        t.codes = canonicalCodes(t.lengths);
        return t;
    }
    void put(BitWriter& out, int symbol) const {
        if (single < 0) out.put(codes[symbol], lengths[symbol]);
    }
    int usedCount() const {
        int n = static_cast<int>(lengths.size());
        while (n > 0 && lengths[n - 1] == 0)
            --n;
        return n;
    }
};

int positionCode(int distance) {
    int bits = 0;
    while (distance >> bits)
        ++bits;
    return bits; // 0 for distance 0, else the bit length
}

// Lengths of the length and position tables: 3 bits, or 7 and a unary tail
// for lengths of 7 and more. After the third entry of the length table a
// 2-bit count of zero entries follows.
void putSmallLengths(BitWriter& out, const Table& t, int countBits, int zeroRunAfter) {
    if (t.single >= 0) {
        out.put(0, countBits);
        out.put(static_cast<uint32_t>(t.single), countBits);
        return;
    }
    const int n = t.usedCount();
    out.put(static_cast<uint32_t>(n), countBits);
    int i = 0;
    while (i < n) {
        const int len = t.lengths[i++];
        if (len <= 6) {
            out.put(static_cast<uint32_t>(len), 3);
        } else {
            out.put(7, 3);
            for (int k = 7; k < len; ++k)
                out.put(1, 1);
            out.put(0, 1);
        }
        if (i == zeroRunAfter) {
            int zeros = 0;
            while (zeros < 3 && i + zeros < static_cast<int>(t.lengths.size()) && t.lengths[i + zeros] == 0)
                ++zeros;
            out.put(static_cast<uint32_t>(zeros), 2);
            i += zeros;
        }
    }
}

// The character table's lengths are sent as codes of a length table:
// 0 = one zero, 1 = 3..18 zeros (4 bits), 2 = 20..531 zeros (9 bits),
// k + 2 = length k.
template <typename Emit> void walkCharLengths(const std::vector<int>& lengths, int n, Emit emit) {
    int i = 0;
    while (i < n) {
        if (lengths[i] != 0) {
            emit(lengths[i] + 2, 0, 0);
            ++i;
            continue;
        }
        int run = 0;
        while (i + run < n && lengths[i + run] == 0)
            ++run;
        i += run;
        if (run <= 2) {
            for (int k = 0; k < run; ++k)
                emit(0, 0, 0);
        } else if (run <= 18) {
            emit(1, run - 3, 4);
        } else if (run == 19) {
            emit(0, 0, 0);
            emit(1, 15, 4);
        } else {
            emit(2, run - 20, kCharCountBits);
        }
    }
}

void writeBlock(BitWriter& out, const std::vector<Token>& tokens) {
    std::vector<uint32_t> charFreq(kCharCodes, 0), posFreq(kPosCodes, 0);
    for (const Token& t : tokens) {
        charFreq[t.code]++;
        if (t.code >= 256) posFreq[positionCode(t.distance)]++;
    }
    const Table chars = Table::build(charFreq);
    const Table positions = Table::build(posFreq);

    out.put(static_cast<uint32_t>(tokens.size()), 16);
    if (chars.single >= 0) {
        out.put(0, kLenCountBits);
        out.put(0, kLenCountBits);
        out.put(0, kCharCountBits);
        out.put(static_cast<uint32_t>(chars.single), kCharCountBits);
    } else {
        const int n = chars.usedCount();
        std::vector<uint32_t> lenFreq(kLenCodes, 0);
        walkCharLengths(chars.lengths, n, [&](int code, int, int) { lenFreq[code]++; });
        const Table lens = Table::build(lenFreq);
        putSmallLengths(out, lens, kLenCountBits, 3);
        out.put(static_cast<uint32_t>(n), kCharCountBits);
        walkCharLengths(chars.lengths, n, [&](int code, int extra, int extraBits) {
            lens.put(out, code);
            if (extraBits > 0) out.put(static_cast<uint32_t>(extra), extraBits);
        });
    }
    putSmallLengths(out, positions, kPosCountBits, -1);

    for (const Token& t : tokens) {
        chars.put(out, t.code);
        if (t.code < 256) continue;
        const int p = positionCode(t.distance);
        positions.put(out, p);
        if (p > 1) out.put(static_cast<uint32_t>(t.distance) & ((1u << (p - 1)) - 1), p - 1);
    }
}

// Finds matches through hash chains of 3-byte prefixes.
class MatchFinder {
  public:
    explicit MatchFinder(const std::vector<uint8_t>& data) : data_(data), prev_(data.size(), -1) {
        head_.fill(-1);
    }
    void insert(size_t pos) {
        if (pos + kMinMatch > data_.size()) return;
        const uint32_t h = hash(pos);
        prev_[pos] = head_[h];
        head_[h] = static_cast<int32_t>(pos);
    }
    // Longest match for pos among earlier inserted positions.
    std::pair<int, int> longest(size_t pos) const {
        int bestLen = 0, bestDist = 0;
        if (pos + kMinMatch > data_.size()) return {0, 0};
        const int limit = static_cast<int>(std::min<size_t>(kMaxMatch, data_.size() - pos));
        int32_t cand = head_[hash(pos)];
        for (int depth = 0; cand >= 0 && depth < kChainDepth; ++depth, cand = prev_[cand]) {
            const int dist = static_cast<int>(pos) - cand;
            if (dist > kMaxDistance) break;
            if (data_[cand + bestLen] != data_[pos + bestLen]) continue;
            int len = 0;
            while (len < limit && data_[cand + len] == data_[pos + len])
                ++len;
            if (len > bestLen) {
                bestLen = len;
                bestDist = dist;
                if (len == limit) break;
            }
        }
        if (bestLen < kMinMatch) return {0, 0};
        return {bestLen, bestDist};
    }

  private:
    static constexpr int kHashBits = 15;
    static constexpr int kChainDepth = 256;
    uint32_t hash(size_t pos) const {
        const uint32_t v = (uint32_t{data_[pos]} << 16) | (uint32_t{data_[pos + 1]} << 8) | data_[pos + 2];
        return (v * 2654435761u) >> (32 - kHashBits);
    }
    const std::vector<uint8_t>& data_;
    std::vector<int32_t> prev_;
    std::array<int32_t, 1 << kHashBits> head_{};
};

} // namespace

std::vector<uint8_t> encodeLh5(const std::vector<uint8_t>& data) {
    BitWriter out;
    MatchFinder finder(data);
    std::vector<Token> block;
    block.reserve(kBlockSymbols);
    auto emit = [&](Token t) {
        block.push_back(t);
        if (block.size() == kBlockSymbols) {
            writeBlock(out, block);
            block.clear();
        }
    };
    size_t pos = 0;
    size_t inserted = 0; // positions below this are in the hash chains
    auto insertUpTo = [&](size_t end) {
        while (inserted < end)
            finder.insert(inserted++);
    };
    while (pos < data.size()) {
        insertUpTo(pos);
        auto [len, dist] = finder.longest(pos);
        if (len >= kMinMatch && len < kMaxMatch && pos + 1 < data.size()) {
            // One step of lazy matching: a longer match at the next byte wins.
            insertUpTo(pos + 1);
            auto [nextLen, nextDist] = finder.longest(pos + 1);
            if (nextLen > len) {
                emit({data[pos], 0});
                ++pos;
                len = nextLen;
                dist = nextDist;
            }
        }
        if (len >= kMinMatch) {
            emit({static_cast<uint16_t>(256 + len - kMinMatch), static_cast<uint16_t>(dist - 1)});
            pos += static_cast<size_t>(len);
        } else {
            emit({data[pos], 0});
            ++pos;
        }
    }
    if (!block.empty()) writeBlock(out, block);
    return out.finish();
}

} // namespace lha32
