#include "core/text/CodeReader.h"

namespace glyphwright {

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

std::vector<CodeToken> CodeReader::Read(std::span<const std::uint8_t> bytes) const {
    std::vector<CodeToken> tokens;
    Read(bytes, tokens);
    return tokens;
}

void CodeReader::Read(std::span<const std::uint8_t> bytes, std::vector<CodeToken>& tokens) const {
    tokens.clear();
    tokens.reserve(bytes.size());
    const std::size_t size = bytes.size();
    for (std::size_t at = 0; at < size;) {
        const std::uint8_t byte = bytes[at];
        if (const Page* page = pages_[byte].get(); page != nullptr && at + 1 < size) {
            if (const TableEntry* entry = (*page)[bytes[at + 1]]; entry != nullptr) {
                const auto stored = static_cast<std::uint16_t>(byte << 8 | bytes[at + 1]);
                tokens.push_back(
                    {at, TableCode::TwoByte(stored), entry->text, entry->kind, true, false});
                at += 2;
                continue;
            }
        }
        CodeToken token{at, TableCode::OneByte(byte), {}, EntryKind::Ordinary, false, false};
        token.outside = byte < first_ || byte > last_;
        if (!token.outside) {
            token.text = oneByte_[byte];
            token.kind = kinds_[byte];
            token.known = !token.text.empty() || token.kind != EntryKind::Ordinary;
        }
        tokens.push_back(token);
        ++at;
    }
}

}  // namespace glyphwright
