#include "core/script/ScriptTable.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <utility>

namespace glyphwright {

namespace {
constexpr std::size_t kTopLength = 63;
}

ScriptTable::ScriptTable(std::vector<ScriptEntry> entries, std::vector<ScriptSection> further,
                         std::string home, Inserter inserter)
    : inserter_(inserter) {
    const auto remember = [this](std::string text, std::string bytes) {
        if (text.empty()) return;
        const auto first = static_cast<unsigned char>(text.front());
        lengths_[first] |= std::uint64_t{1} << std::min(text.size(), kTopLength);
        longest_[first] = std::max(longest_[first], text.size());
        longestText_ = std::max(longestText_, text.size());
        toBytes_.emplace(std::move(text), std::move(bytes));
    };
    // Raw bytes come before the table's lines: a line that spells "<$41>" never takes their place.
    for (int byte = 0; byte < kCodeCount; ++byte) {
        char text[8];
        const std::string value(1, static_cast<char>(byte));
        std::snprintf(text, sizeof text, "<$%02X>", byte);
        remember(text, value);
        std::snprintf(text, sizeof text, "($%02X)", byte);
        remember(text, value);
        std::snprintf(text, sizeof text, "<$%02x>", byte);
        remember(text, value);
    }
    // Atlas's table reader passes over the lines of linked entries, as it does switches: their
    // labels insert nothing there, and the dump writes such a code raw.
    const auto inserted = [](const ScriptEntry& entry) {
        return entry.kind != EntryKind::Linked && entry.kind != EntryKind::TableSwitch;
    };
    // abcde reads a labelled line break's text without its "\n"; a bare "\n" it cannot insert at
    // all, and the dump writes it as Atlas reads it.
    // (The further tables are made with the same inserter and strip their own.)
    if (inserter == Inserter::Abcde) {
        for (ScriptEntry& entry : entries) {
            if (entry.kind == EntryKind::LineBreak && entry.text.size() > 2 &&
                entry.text.ends_with("\\n")) {
                entry.text.resize(entry.text.size() - 2);
            }
        }
    }
    for (const ScriptEntry& entry : entries) {
        if (inserted(entry)) remember(entry.text, entry.code.Bytes());
    }
    for (ScriptEntry& entry : entries) {
        const auto held = toBytes_.find(std::string_view(entry.text));
        const bool alone = inserted(entry) && !entry.text.empty() && held != toBytes_.end() &&
                           held->second == entry.code.Bytes() &&
                           longest_[static_cast<unsigned char>(entry.text.front())] == entry.text.size();
        if (entry.code.IsTwoByte()) {
            aloneTwoByte_[entry.code.Stored()] = alone;
        } else {
            aloneOneByte_[entry.code.FirstByte()] = alone;
        }
        TableEntry stored{std::move(entry.text), entry.kind};
        stored.parameters = entry.parameters;
        stored.table = std::move(entry.table);
        stored.count = entry.count;
        entries_.Put(entry.code, std::move(stored));
    }
    // The reader indexes the two-byte entries when it is made: made once they are all in.
    reader_ = std::make_unique<CodeReader>(entries_.Texts(), entries_.Kinds(), entries_.TwoByte());
    for (ScriptSection& section : further) {
        further_.push_back(
            {std::move(section.id), std::make_unique<ScriptTable>(std::move(section.entries),
                                                                  std::vector<ScriptSection>{},
                                                                  std::string{}, inserter)});
    }
    // The further tables stay where they are as long as this one: the reader may point into them.
    reader_->ReadKinds(
        &entries_,
        [this](std::string_view id) -> const TableEntries* {
            for (const Further& table : further_) {
                if (table.id == id) return &table.table->entries_;
            }
            return nullptr;
        },
        std::move(home));
}

const ScriptTable& ScriptTable::TableOf(std::string_view id) const {
    if (id.empty()) return *this;
    for (const Further& table : further_) {
        if (table.id == id) return *table.table;
    }
    return *this;
}

ScriptTable::Match ScriptTable::LongestMatch(std::string_view line, std::size_t at) const {
    const auto first = static_cast<unsigned char>(line[at]);
    const std::size_t room = line.size() - at;
    std::uint64_t lengths = lengths_[first];
    // Longer texts than the top bit tells apart are tried one by one.
    for (std::size_t length = std::min(longest_[first], room); length >= kTopLength; --length) {
        if (const auto found = toBytes_.find(line.substr(at, length));
            found != toBytes_.end()) {
            return {length, found->second};
        }
    }
    lengths &= (std::uint64_t{1} << kTopLength) - 1;
    while (lengths != 0) {
        const auto length = static_cast<std::size_t>(63 - std::countl_zero(lengths));
        lengths &= ~(std::uint64_t{1} << length);
        if (length > room) continue;
        if (const auto found = toBytes_.find(line.substr(at, length));
            found != toBytes_.end()) {
            return {length, found->second};
        }
    }
    return {};
}

}  // namespace glyphwright
