#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/text/CodeReader.h"

namespace glyphwright {
namespace {

// Random tables of both widths read random bytes as a dumper with no index would: at each byte,
// look the next two bytes up among the two-byte codes, else the byte among the one-byte codes.
// Bytes come from a small alphabet, so that two-byte codes, first bytes that begin some two-byte
// code but not this one, and a first byte at the very end all happen often.
TEST(CodeReader, ReadsAsANaiveLongestMatchOverRandomTables) {
    std::mt19937 random(20261208);
    const auto pick = [&random](int below) {
        return std::uniform_int_distribution<int>(0, below - 1)(random);
    };
    const auto byteOf = [&pick]() {
        const int k = pick(12);
        return static_cast<std::uint8_t>(k < 6 ? k : 0x80 + k);
    };
    for (int round = 0; round < 200; ++round) {
        CodeTable oneByte{};
        EntryKinds kinds{};
        TwoByteTable twoByte;
        std::map<std::string, TableEntry> byKey;  // the stored bytes of each code held
        for (int i = pick(10); i > 0; --i) {
            const std::uint8_t code = byteOf();
            const TableEntry entry{std::string(1, static_cast<char>('a' + pick(26))),
                                   static_cast<EntryKind>(pick(3))};
            oneByte[code] = entry.text;
            kinds[code] = entry.kind;
            byKey[std::string(1, static_cast<char>(code))] = entry;
        }
        for (int i = pick(30); i > 0; --i) {
            const std::uint8_t high = byteOf();
            const std::uint8_t low = byteOf();
            const TableEntry entry{std::string(1, static_cast<char>('A' + pick(26)))};
            twoByte[static_cast<std::uint16_t>(high << 8 | low)] = entry;
            byKey[std::string{static_cast<char>(high), static_cast<char>(low)}] = entry;
        }
        const int first = pick(2) == 0 ? 0 : 0x80;
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(pick(60)));
        for (std::uint8_t& byte : bytes) byte = byteOf();

        std::vector<CodeToken> expected;
        const std::string text(bytes.begin(), bytes.end());
        for (std::size_t at = 0; at < text.size();) {
            if (const auto two = byKey.find(text.substr(at, 2));
                at + 1 < text.size() && two != byKey.end()) {
                const auto stored = static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
                expected.push_back({at, TableCode::TwoByte(stored), two->second.text,
                                    two->second.kind, true, false});
                at += 2;
                continue;
            }
            CodeToken token{at,    TableCode::OneByte(bytes[at]),
                            {},    EntryKind::Ordinary,
                            false, bytes[at] < first};
            if (const auto one = byKey.find(text.substr(at, 1));
                !token.outside && one != byKey.end()) {
                token.text = one->second.text;
                token.kind = one->second.kind;
                token.known = true;
            }
            expected.push_back(token);
            ++at;
        }

        const CodeReader reader(oneByte, kinds, twoByte, static_cast<ByteCode>(first));
        const std::vector<CodeToken> read = reader.Read(bytes);
        ASSERT_EQ(read.size(), expected.size()) << "round " << round;
        for (std::size_t i = 0; i < read.size(); ++i) {
            EXPECT_EQ(read[i].offset, expected[i].offset) << "round " << round << " token " << i;
            EXPECT_EQ(read[i].code, expected[i].code) << "round " << round << " token " << i;
            EXPECT_EQ(read[i].text, expected[i].text) << "round " << round << " token " << i;
            EXPECT_EQ(read[i].kind, expected[i].kind) << "round " << round << " token " << i;
            EXPECT_EQ(read[i].known, expected[i].known) << "round " << round << " token " << i;
            EXPECT_EQ(read[i].outside, expected[i].outside) << "round " << round << " token " << i;
        }
    }
}

}  // namespace
}  // namespace glyphwright
