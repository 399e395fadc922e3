#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <queue>
#include <stdexcept>
#include <vector>

namespace glyphwright::test {

// Packs bytes the way the GBA and DS tools do, written from the format's description and kept
// apart from the program's reader, so a round trip checks the reader against a second account.
class StreamEncoder {
public:
    using Bytes = std::vector<std::uint8_t>;

    static Bytes Header(std::uint8_t type, std::size_t size) {
        return {type, static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8),
                static_cast<std::uint8_t>(size >> 16)};
    }

    // Greedy LZ77: the longest match within `window` bytes back (at most 4096), as types 10h and
    // 11h write it.
    static Bytes Lz(const Bytes& data, bool lz11, std::size_t window = 4096) {
        Bytes out = Header(lz11 ? 0x11 : 0x10, data.size());
        const std::size_t maxLength = lz11 ? 0x10110 : 18;
        std::size_t at = 0;
        while (at < data.size()) {
            const std::size_t flagsAt = out.size();
            out.push_back(0);
            for (int bit = 7; bit >= 0 && at < data.size(); --bit) {
                std::size_t bestLength = 0;
                std::size_t bestBack = 0;
                const std::size_t limit = std::min(maxLength, data.size() - at);
                for (std::size_t back = 1; back <= std::min<std::size_t>(window, at); ++back) {
                    std::size_t length = 0;
                    while (length < limit && data[at + length] == data[at + length - back]) {
                        ++length;
                    }
                    if (length > bestLength) {
                        bestLength = length;
                        bestBack = back;
                    }
                }
                if (bestLength < 3) {
                    out.push_back(data[at++]);
                    continue;
                }
                out[flagsAt] = static_cast<std::uint8_t>(out[flagsAt] | 1 << bit);
                const std::size_t disp = bestBack - 1;
                if (!lz11) {
                    out.push_back(static_cast<std::uint8_t>((bestLength - 3) << 4 | disp >> 8));
                    out.push_back(static_cast<std::uint8_t>(disp));
                } else if (bestLength <= 0x10) {
                    out.push_back(static_cast<std::uint8_t>((bestLength - 1) << 4 | disp >> 8));
                    out.push_back(static_cast<std::uint8_t>(disp));
                } else if (bestLength <= 0x110) {
                    const std::size_t length = bestLength - 0x11;
                    out.push_back(static_cast<std::uint8_t>(length >> 4));
                    out.push_back(static_cast<std::uint8_t>((length & 0xF) << 4 | disp >> 8));
                    out.push_back(static_cast<std::uint8_t>(disp));
                } else {
                    const std::size_t length = bestLength - 0x111;
                    out.push_back(static_cast<std::uint8_t>(0x10 | length >> 12));
                    out.push_back(static_cast<std::uint8_t>(length >> 4));
                    out.push_back(static_cast<std::uint8_t>((length & 0xF) << 4 | disp >> 8));
                    out.push_back(static_cast<std::uint8_t>(disp));
                }
                at += bestLength;
            }
        }
        return out;
    }

    // Runs of 3 to 130 equal bytes, literal stretches of 1 to 128 between them.
    static Bytes Rle(const Bytes& data) {
        Bytes out = Header(0x30, data.size());
        std::size_t at = 0;
        Bytes literal;
        const auto flush = [&] {
            for (std::size_t i = 0; i < literal.size(); i += 128) {
                const std::size_t n = std::min<std::size_t>(128, literal.size() - i);
                out.push_back(static_cast<std::uint8_t>(n - 1));
                out.insert(out.end(), literal.begin() + static_cast<std::ptrdiff_t>(i),
                           literal.begin() + static_cast<std::ptrdiff_t>(i + n));
            }
            literal.clear();
        };
        while (at < data.size()) {
            std::size_t run = 1;
            while (at + run < data.size() && run < 130 && data[at + run] == data[at]) ++run;
            if (run >= 3) {
                flush();
                out.push_back(static_cast<std::uint8_t>(0x80 | (run - 3)));
                out.push_back(data[at]);
                at += run;
            } else {
                literal.push_back(data[at++]);
            }
        }
        flush();
        return out;
    }

    // Huffman coding of 4- or 8-bit units, the tree laid out breadth first. Throws when a node's
    // children lie too far for the 6-bit offset, which data of few distinct units never meets.
    static Bytes Huffman(const Bytes& data, int bits) {
        struct Node {
            std::size_t count = 0;
            int unit = -1;
            int left = -1;
            int right = -1;
        };
        std::vector<Node> nodes;
        const int units = bits == 4 ? 16 : 256;
        std::vector<std::size_t> counts(static_cast<std::size_t>(units), 0);
        for (const std::uint8_t byte : data) {
            if (bits == 4) {
                ++counts[byte & 0xF];
                ++counts[byte >> 4];
            } else {
                ++counts[byte];
            }
        }
        using Entry = std::pair<std::size_t, int>;
        std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
        for (int u = 0; u < units; ++u) {
            if (counts[static_cast<std::size_t>(u)] == 0) continue;
            nodes.push_back({counts[static_cast<std::size_t>(u)], u, -1, -1});
            queue.push({nodes.back().count, static_cast<int>(nodes.size() - 1)});
        }
        if (nodes.size() == 1) {  // a tree needs two leaves
            nodes.push_back({0, (nodes[0].unit + 1) % units, -1, -1});
            queue.push({0, 1});
        }
        while (queue.size() > 1) {
            const auto [countA, a] = queue.top();
            queue.pop();
            const auto [countB, b] = queue.top();
            queue.pop();
            nodes.push_back({countA + countB, -1, a, b});
            queue.push({countA + countB, static_cast<int>(nodes.size() - 1)});
        }
        const int root = queue.top().second;

        // Breadth first: the root in slot 0, each node's two children side by side.
        std::vector<int> order{root};
        std::vector<std::size_t> slot(nodes.size(), 0);
        for (std::size_t i = 0; i < order.size(); ++i) {
            const Node& node = nodes[static_cast<std::size_t>(order[i])];
            if (node.unit >= 0) continue;
            slot[static_cast<std::size_t>(node.left)] = order.size();
            order.push_back(node.left);
            slot[static_cast<std::size_t>(node.right)] = order.size();
            order.push_back(node.right);
        }
        Bytes out = Header(static_cast<std::uint8_t>(0x20 | bits), data.size());
        const std::size_t treeBytes = (order.size() + 1 + 1) / 2 * 2;  // size byte + nodes, even
        out.push_back(static_cast<std::uint8_t>(treeBytes / 2 - 1));
        for (std::size_t i = 0; i < order.size(); ++i) {
            const Node& node = nodes[static_cast<std::size_t>(order[i])];
            if (node.unit >= 0) {
                out.push_back(static_cast<std::uint8_t>(node.unit));
                continue;
            }
            // Slot i sits at address 5 + i; its children at (address & ~1) + offset * 2 + 2.
            const std::size_t address = 5 + i;
            const std::size_t child = 5 + slot[static_cast<std::size_t>(node.left)];
            const std::size_t offset = (child - (address & ~std::size_t{1}) - 2) / 2;
            if (offset > 0x3F) throw std::length_error("Huffman tree too wide");
            std::uint8_t value = static_cast<std::uint8_t>(offset);
            if (nodes[static_cast<std::size_t>(node.left)].unit >= 0) value |= 0x80;
            if (nodes[static_cast<std::size_t>(node.right)].unit >= 0) value |= 0x40;
            out.push_back(value);
        }
        while (out.size() < 4 + treeBytes) out.push_back(0);

        // Each unit's code, from the root down.
        std::vector<std::vector<int>> codes(static_cast<std::size_t>(units));
        std::vector<std::pair<int, std::vector<int>>> walk{{root, {}}};
        while (!walk.empty()) {
            auto [index, path] = walk.back();
            walk.pop_back();
            const Node& node = nodes[static_cast<std::size_t>(index)];
            if (node.unit >= 0) {
                codes[static_cast<std::size_t>(node.unit)] = path;
                continue;
            }
            auto left = path;
            left.push_back(0);
            path.push_back(1);
            walk.push_back({node.left, left});
            walk.push_back({node.right, path});
        }
        std::uint32_t word = 0;
        int used = 0;
        const auto put = [&](int unit) {
            for (const int bit : codes[static_cast<std::size_t>(unit)]) {
                word |= static_cast<std::uint32_t>(bit) << (31 - used);
                if (++used == 32) {
                    for (int b = 0; b < 4; ++b) out.push_back(static_cast<std::uint8_t>(word >> (8 * b)));
                    word = 0;
                    used = 0;
                }
            }
        };
        for (const std::uint8_t byte : data) {
            if (bits == 4) {
                put(byte & 0xF);
                put(byte >> 4);
            } else {
                put(byte);
            }
        }
        if (used > 0) {
            for (int b = 0; b < 4; ++b) out.push_back(static_cast<std::uint8_t>(word >> (8 * b)));
        }
        return out;
    }
};

}  // namespace glyphwright::test
