#include "core/text/CodeReader.h"

#include <algorithm>
#include <utility>

namespace glyphwright {

namespace {

// How many switched tables deep a reading may go: ids already open are gone back to, so only a
// chain of that many different tables could reach it.
constexpr std::size_t kDeepest = 16;

}  // namespace

// A table switched into: its entries, its id, and how many codes are still to be read through
// it (0: until one it lacks).
struct CodeReader::Switched {
    const TableEntries* entries = nullptr;
    std::string_view id;
    int left = 0;
};

CodeReader::CodeReader(const CodeTable& oneByte, const EntryKinds& kinds,
                       const TwoByteTable& twoByte, ByteCode first, ByteCode last)
    : oneByte_(oneByte), kinds_(kinds), first_(first), last_(last) {
    // A page only for the first bytes that begin a two-byte entry: a table of a few thousand
    // kanji fills a few dozen, and a byte whose page is missing is decided at once.
    for (const auto& [stored, entry] : twoByte) {
        std::unique_ptr<Page>& page = pages_[stored >> 8];
        if (!page) page = std::make_unique<Page>();
        (*page)[stored & 0xFF] = &entry;
    }
}

void CodeReader::ReadKinds(const TableEntries* entries, TableLookup tables, std::string home) {
    entries_ = entries;
    tables_ = std::move(tables);
    home_ = std::move(home);
}

std::vector<CodeToken> CodeReader::Read(std::span<const std::uint8_t> bytes) const {
    std::vector<CodeToken> tokens;
    Read(bytes, tokens);
    return tokens;
}

const TableEntry* CodeReader::Details(const CodeToken& token) const {
    if (entries_ == nullptr) return nullptr;
    const TableEntry& entry = entries_->At(token.code);
    return entry.kind == token.kind ? &entry : nullptr;
}

void CodeReader::TakeKind(const TableEntry& entry, std::span<const std::uint8_t> bytes,
                          CodeToken& token, std::vector<Switched>& switched) const {
    if (entry.kind == EntryKind::Linked) {
        const std::size_t after = token.offset + static_cast<std::size_t>(token.code.Width());
        const auto wanted = static_cast<std::size_t>(std::max(0, entry.parameters));
        const std::size_t room = bytes.size() - after;
        token.parameters = static_cast<int>(std::min(wanted, room));
        token.cut = room < wanted;
        return;
    }
    if (entry.kind != EntryKind::TableSwitch) return;
    token.target = entry.table;
    if (entry.table == home_) {
        switched.clear();
        return;
    }
    for (std::size_t open = switched.size(); open-- > 0;) {
        if (switched[open].id == entry.table) {
            switched.resize(open + 1);
            return;
        }
    }
    const TableEntries* target = tables_ ? tables_(entry.table) : nullptr;
    if (target == nullptr || switched.size() >= kDeepest) {
        token.unfollowed = true;
        return;
    }
    switched.push_back({target, entry.table, std::max(0, entry.count)});
}

void CodeReader::Read(std::span<const std::uint8_t> bytes, std::vector<CodeToken>& tokens) const {
    tokens.clear();
    tokens.reserve(bytes.size());
    std::vector<Switched> switched;
    const std::size_t size = bytes.size();
    for (std::size_t at = 0; at < size;) {
        const std::uint8_t byte = bytes[at];
        if (!switched.empty()) {
            // Through the table switched into: the longest code it holds, else back.
            const TableEntries& table = *switched.back().entries;
            const TableEntry* entry = nullptr;
            TableCode code = TableCode::OneByte(byte);
            if (at + 1 < size && !table.TwoByte().empty()) {
                const auto stored = static_cast<std::uint16_t>(byte << 8 | bytes[at + 1]);
                if (const auto held = table.TwoByte().find(stored); held != table.TwoByte().end()) {
                    entry = &held->second;
                    code = TableCode::TwoByte(stored);
                }
            }
            if (entry == nullptr && table.At(code).Holds()) entry = &table.At(code);
            if (entry == nullptr) {
                switched.pop_back();
                continue;
            }
            CodeToken token{at, code, entry->text, entry->kind, true, false};
            token.table = switched.back().id;
            if (int& left = switched.back().left; left > 0 && --left == 0) switched.pop_back();
            if (token.kind >= EntryKind::Linked) TakeKind(*entry, bytes, token, switched);
            if (token.kind == EntryKind::EndCode) switched.clear();
            tokens.push_back(token);
            at += static_cast<std::size_t>(token.Length());
            continue;
        }
        if (const Page* page = pages_[byte].get(); page != nullptr && at + 1 < size) {
            if (const TableEntry* entry = (*page)[bytes[at + 1]]; entry != nullptr) {
                const auto stored = static_cast<std::uint16_t>(byte << 8 | bytes[at + 1]);
                CodeToken token{at, TableCode::TwoByte(stored), entry->text, entry->kind, true, false};
                if (token.kind >= EntryKind::Linked) TakeKind(*entry, bytes, token, switched);
                tokens.push_back(token);
                at += static_cast<std::size_t>(token.Length());
                continue;
            }
        }
        CodeToken token{at, TableCode::OneByte(byte), {}, EntryKind::Ordinary, false, false};
        token.outside = byte < first_ || byte > last_;
        if (!token.outside) {
            token.text = oneByte_[byte];
            token.kind = kinds_[byte];
            token.known = !token.text.empty() || token.kind != EntryKind::Ordinary;
            if (token.kind >= EntryKind::Linked) {
                if (const TableEntry* entry = Details(token)) {
                    TakeKind(*entry, bytes, token, switched);
                } else if (token.kind == EntryKind::TableSwitch) {
                    token.unfollowed = true;
                }
            }
        }
        tokens.push_back(token);
        at += static_cast<std::size_t>(token.Length());
    }
}

}  // namespace glyphwright
