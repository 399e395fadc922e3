#include "core/table/CodeMap.h"

#include "core/table/HeldAndLaid.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace glyphwright {

namespace {

std::size_t At(int code) {
    return static_cast<std::size_t>(code);
}

// Up to seven bytes of a text and its length in one number: texts that differ in it differ, and
// numbers compare far faster than strings. Only longer texts sharing the prefix need a second look.
std::uint64_t Key(const std::string& text) {
    std::uint64_t key = std::min<std::uint64_t>(text.size(), 0xFF) << 56;
    for (std::size_t i = 0; i < std::min<std::size_t>(text.size(), 7); ++i) {
        key |= std::uint64_t{static_cast<unsigned char>(text[i])} << (48 - 8 * i);
    }
    return key;
}

// The codes the file would hold, grouped by text; groups of two or more, by their first code.
std::vector<DuplicateText> FindDuplicates(const CodeMap& map) {
    struct Entry {
        std::uint64_t key;
        ByteCode code;
    };
    std::array<Entry, kCodeCount> entries{};
    std::size_t count = 0;
    for (int code = 0; code < kCodeCount; ++code) {
        const std::string& text = map.cells[At(code)].text;
        if (!text.empty() && map.Writes(code)) {
            entries[count++] = {Key(text), static_cast<ByteCode>(code)};
        }
    }
    const auto text = [&map](const Entry& entry) -> const std::string& {
        return map.cells[entry.code].text;
    };
    const auto end = entries.begin() + static_cast<std::ptrdiff_t>(count);
    // By text, then code, so that each group keeps its codes ascending; no buffer to allocate, as
    // a stable sort would.
    std::sort(entries.begin(), end, [&text](const Entry& a, const Entry& b) {
        if (a.key != b.key) return a.key < b.key;
        if (a.key >> 56 > 7) {
            if (const int order = text(a).compare(text(b)); order != 0) return order < 0;
        }
        return a.code < b.code;
    });
    std::vector<DuplicateText> duplicates;
    for (auto begin = entries.begin(); begin != end;) {
        auto group = begin + 1;
        while (group != end && group->key == begin->key && text(*group) == text(*begin)) ++group;
        if (group - begin > 1) {
            DuplicateText& duplicate = duplicates.emplace_back();
            duplicate.text = text(*begin);
            for (auto entry = begin; entry != group; ++entry)
                duplicate.codes.push_back(entry->code);
        }
        begin = group;
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
    const bool lineFails = assembly != nullptr && (assembly->kind == AssemblyError::Kind::PastFF ||
                                                   assembly->kind == AssemblyError::Kind::PastFFFF);
    return lineFails ? assembly->line - 1 : -1;
}

CodeMap ComposeCodeMap(const CodeTable& table, const TableOrder& order, std::string_view startCode,
                       const EntryKinds& kinds, CodeOrder order16) {
    CodeMap map;
    std::optional<Assembly> assembly;
    if (startCode.empty() && WritesEntriesOnly(table, kinds, order)) {
        map.failure = AssemblyError{AssemblyError::Kind::NothingToLay, 0, {}, 0};
    } else if (auto preview = PreviewFromStartCode(order, startCode, order16); !preview) {
        map.failure = preview.error();
    } else {
        assembly = std::move(preview.value());
        map.first = assembly->start;
        map.last = assembly->last;
    }

    // What the table holds now, and on success the assembly's members laid over it.
    for (int code = 0; code < kCodeCount; ++code) {
        MapCell& cell = map.cells[At(code)];
        const std::string& held = table[At(code)];
        const LaidCode* laid = assembly ? &assembly->laid[At(code)] : nullptr;
        if (laid != nullptr && laid->line >= 0) {
            cell.text = laid->member;
            if (held != laid->member) cell.replaces = held;
            cell.source = CellSource::Laid;
            cell.line = laid->line;
            cell.overlaps = laid->overlaps;
        } else if (!held.empty()) {
            cell.text = held;
            cell.source = CellSource::Held;
        }
        cell.inRange = assembly && code >= map.first && code <= map.last;
    }
    if (assembly) {
        map.duplicates = FindDuplicates(map);
        for (const auto& [code, laid] : assembly->twoByte) {
            if (laid.line >= 0) {
                map.twoByte.emplace(code,
                                    LaidMember{std::string(laid.member), laid.line, laid.overlaps});
            }
        }
    }
    return map;
}

}  // namespace glyphwright
