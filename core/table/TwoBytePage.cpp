#include "core/table/TwoBytePage.h"

namespace glyphwright {

std::array<MapCell, kCodeCount> ComposeTwoBytePage(const TwoByteTable& held,
                                                   const LaidTwoByte* laid, ByteCode first,
                                                   bool written) {
    std::array<MapCell, kCodeCount> cells{};
    const auto low = static_cast<std::uint16_t>(first << 8);
    const auto high = static_cast<std::uint16_t>(low | 0xFF);
    // Both maps are walked over the page's range only: a page is a narrow slice of thousands.
    for (auto entry = held.lower_bound(low); entry != held.end() && entry->first <= high; ++entry) {
        MapCell& cell = cells[entry->first & 0xFF];
        cell.text = entry->second.text;
        cell.source = CellSource::Held;
    }
    if (laid != nullptr) {
        for (auto member = laid->lower_bound(low); member != laid->end() && member->first <= high;
             ++member) {
            MapCell& cell = cells[member->first & 0xFF];
            if (cell.text != member->second.member) cell.replaces = cell.text;
            cell.text = member->second.member;
            cell.source = CellSource::Laid;
            cell.line = member->second.line;
            cell.overlaps = member->second.overlaps;
        }
    }
    if (written) {
        for (MapCell& cell : cells) cell.inRange = true;
    }
    return cells;
}

std::vector<PageInUse> TwoBytePagesInUse(const TwoByteTable& held, const LaidTwoByte* laid) {
    std::array<int, kCodeCount> counts{};
    for (const auto& [code, entry] : held) ++counts[code >> 8];
    if (laid != nullptr) {
        // A member laid over a held code is still one code.
        for (const auto& [code, member] : *laid) {
            if (!held.contains(code)) ++counts[code >> 8];
        }
    }
    std::vector<PageInUse> pages;
    for (int first = 0; first < kCodeCount; ++first) {
        if (counts[static_cast<std::size_t>(first)] > 0) {
            pages.push_back(
                {static_cast<ByteCode>(first), counts[static_cast<std::size_t>(first)]});
        }
    }
    return pages;
}

}  // namespace glyphwright
