#include "CodeMap.h"

#include <algorithm>
#include <cstddef>

namespace glyphwright {

namespace {

std::size_t At(int code) {
    return static_cast<std::size_t>(code);
}

// The codes the file would hold, grouped by text; groups of two or more, by their first code.
std::vector<DuplicateText> FindDuplicates(const CodeMap& map) {
    std::array<ByteCode, kCodeCount> codes{};
    std::size_t count = 0;
    for (int code = 0; code < kCodeCount; ++code) {
        if (map.Writes(code) && !map.cells[At(code)].text.empty()) {
            codes[count++] = static_cast<ByteCode>(code);
        }
    }
    const auto text = [&map](ByteCode code) -> const std::string& { return map.cells[code].text; };
    // Stable, so each group keeps its codes ascending.
    std::stable_sort(codes.begin(), codes.begin() + static_cast<std::ptrdiff_t>(count),
                     [&text](ByteCode a, ByteCode b) { return text(a) < text(b); });
    std::vector<DuplicateText> duplicates;
    for (std::size_t begin = 0; begin < count;) {
        std::size_t end = begin + 1;
        while (end < count && text(codes[end]) == text(codes[begin])) ++end;
        if (end - begin > 1) {
            duplicates.push_back({text(codes[begin]),
                                  {codes.begin() + static_cast<std::ptrdiff_t>(begin),
                                   codes.begin() + static_cast<std::ptrdiff_t>(end)}});
        }
        begin = end;
    }
    std::sort(
        duplicates.begin(), duplicates.end(),
        [](const DuplicateText& a, const DuplicateText& b) { return a.codes[0] < b.codes[0]; });
    return duplicates;
}

}  // namespace

bool CodeMap::Writes(int code) const {
    if (!HasRange() || code < first || code > last) return false;
    return code <= 0x0F || !cells[At(code)].text.empty();
}

int CodeMap::FaultyLine() const {
    if (!failure) return -1;
    const auto* assembly = std::get_if<AssemblyError>(&*failure);
    return assembly != nullptr && assembly->kind == AssemblyError::Kind::PastFF ? assembly->line - 1
                                                                                : -1;
}

CodeMap ComposeCodeMap(const CodeTable& table, const TableOrder& order,
                       std::string_view startCode) {
    CodeMap map;
    // What the table holds now; on success the assembly then lays its members over it.
    for (int code = 0; code < kCodeCount; ++code) {
        MapCell& cell = map.cells[At(code)];
        cell.text = table[At(code)];
        if (!cell.text.empty()) cell.source = CellSource::Held;
    }

    const auto start = ReadHexByte(startCode);
    if (!start) {
        map.failure = start.error();
        return map;
    }
    const auto assembly = PreviewAssembly(order, start.value());
    if (!assembly) {
        map.failure = assembly.error();
        return map;
    }

    map.first = assembly.value().start;
    map.last = assembly.value().last;
    for (int code = 0; code < kCodeCount; ++code) {
        const LaidCode& laid = assembly.value().laid[At(code)];
        MapCell& cell = map.cells[At(code)];
        if (laid.line >= 0) {
            if (cell.text != laid.member) cell.replaces = std::move(cell.text);
            cell.text = laid.member;
            cell.source = CellSource::Laid;
            cell.line = laid.line;
            cell.overlaps = laid.overlaps;
        }
        cell.inRange = code >= map.first && code <= map.last;
    }
    map.duplicates = FindDuplicates(map);
    return map;
}

}  // namespace glyphwright
