#include <gtest/gtest.h>
#include <iconv.h>

#include <string>
#include <vector>

#include "core/sets/BuiltInSets.h"

namespace glyphwright {
namespace {

// Converts UTF-8 text to EUC-JP with the C library, independently of the set tables.
std::string ToEucJp(const std::string& utf8) {
    iconv_t cd = iconv_open("EUC-JP", "UTF-8");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::string in = utf8;
    std::string out(in.size() * 2 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    EXPECT_NE(iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft), static_cast<std::size_t>(-1));
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

// Splits UTF-8 text into its characters.
std::vector<std::string> Characters(const std::string& utf8) {
    std::vector<std::string> result;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        result.push_back(utf8.substr(i, length));
        i += length;
    }
    return result;
}

struct Expected {
    const char* name;
    const char* characters;  // every member in order, as the characters they stand for
    std::size_t bytesPerMember;
};

const Expected kExpected[] = {
    {"Hiragana",
     "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよ"
     "らりるれろわをんっゃゅょ",
     2},
    {"Katakana",
     "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨ"
     "ラリルレロワヲンッャュョァィェォ",
     2},
    {"Dakuten", "がぎぐげござじずぜぞだぢづでどばびぶべぼガギグゲゴザジズゼゾダヂヅデドバビブベボ",
     2},
    {"Handakuten", "ぱぴぷぺぽパピプペポ", 2},
    {"Uppercase Alphabet", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", 1},
    {"Lowercase Alphabet", "abcdefghijklmnopqrstuvwxyz", 1},
    {"0-9", "0123456789", 1},
};

TEST(BuiltInSets, CatalogueHoldsTheSevenSetsInOrder) {
    const auto sets = BuiltInSets();
    ASSERT_EQ(kClassicSetCount, std::size(kExpected));
    ASSERT_GE(sets.size(), kClassicSetCount);
    std::size_t total = 0;
    for (std::size_t i = 0; i < kClassicSetCount; ++i) {
        EXPECT_EQ(sets[i].name, kExpected[i].name);
        total += sets[i].size();
    }
    EXPECT_EQ(total, 216u);
}

TEST(BuiltInSets, EveryMemberIsTheEncodingOfItsCharacter) {
    const std::size_t counts[] = {50, 54, 40, 10, 26, 26, 10};
    const auto sets = BuiltInSets();
    for (std::size_t i = 0; i < kClassicSetCount; ++i) {
        const auto characters = Characters(kExpected[i].characters);
        ASSERT_EQ(characters.size(), counts[i]) << kExpected[i].name;
        ASSERT_EQ(sets[i].size(), counts[i]) << kExpected[i].name;
        for (std::size_t k = 0; k < characters.size(); ++k) {
            const std::string_view member = sets[i].member(k);
            EXPECT_EQ(member.size(), kExpected[i].bytesPerMember);
            EXPECT_EQ(member, ToEucJp(characters[k]))
                << kExpected[i].name << " member " << k << " (" << characters[k] << ")";
            EXPECT_EQ(member.find_first_of("\r\n"), std::string_view::npos);
        }
    }
}

TEST(BuiltInSets, MembersKnownByTheirBytes) {
    const CharacterSet* hiragana = FindBuiltInSet("Hiragana");
    ASSERT_NE(hiragana, nullptr);
    EXPECT_EQ(hiragana->member(0), "\xA4\xA2");
    EXPECT_EQ(hiragana->member(0x2E), "\xA4\xC3");  // っ, at 2E when laid from 00
    EXPECT_EQ(hiragana->member(49), "\xA4\xE7");
    const CharacterSet* katakana = FindBuiltInSet("Katakana");
    ASSERT_NE(katakana, nullptr);
    EXPECT_EQ(katakana->member(0x33), "\xA5\xA3");  // ィ is followed directly by ェ
    EXPECT_EQ(katakana->member(0x34), "\xA5\xA7");
    const CharacterSet* dakuten = FindBuiltInSet("Dakuten");
    ASSERT_NE(dakuten, nullptr);
    EXPECT_EQ(dakuten->member(20), "\xA5\xAC");
}

// The further orders, each built here from the code ranges that define it, not from a list.
struct RangeOrder {
    const char* name;
    std::vector<std::string> members;
};

std::vector<RangeOrder> OrdersFromCodeRanges() {
    auto range = [](std::string prefix, int first, int last) {
        std::vector<std::string> members;
        for (int code = first; code <= last; ++code) {
            members.push_back(prefix + static_cast<char>(code));
        }
        return members;
    };
    return {
        {"Hiragana (JIS order)", range("\xA4", 0xA1, 0xF3)},  // row 4: ぁ .. ん
        {"Katakana (JIS order)", range("\xA5", 0xA1, 0xF6)},  // row 5: ァ .. ヶ
        {"Half-width Katakana", range("\x8E", 0xA1, 0xDF)},   // JIS X 0201 ｡ .. ﾟ
        {"ASCII", range("", 0x20, 0x7E)},
    };
}

TEST(BuiltInSets, FurtherOrdersFollowTheClassicSevenMemberByMember) {
    const auto sets = BuiltInSets();
    const auto expected = OrdersFromCodeRanges();
    ASSERT_EQ(sets.size(), kClassicSetCount + expected.size());
    const std::size_t sizes[] = {83, 86, 63, 95};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const CharacterSet& set = sets[kClassicSetCount + i];
        EXPECT_EQ(set.name, expected[i].name);
        ASSERT_EQ(set.size(), sizes[i]) << expected[i].name;
        ASSERT_EQ(expected[i].members.size(), sizes[i]) << expected[i].name;
        for (std::size_t k = 0; k < set.size(); ++k) {
            EXPECT_EQ(set.member(k), expected[i].members[k]) << expected[i].name << " member " << k;
        }
    }
    // The ends as characters, through the C library: the ranges above are the ones meant.
    EXPECT_EQ(FindBuiltInSet("Hiragana (JIS order)")->member(0), ToEucJp("ぁ"));
    EXPECT_EQ(FindBuiltInSet("Hiragana (JIS order)")->member(82), ToEucJp("ん"));
    EXPECT_EQ(FindBuiltInSet("Katakana (JIS order)")->member(85), ToEucJp("ヶ"));
    EXPECT_EQ(FindBuiltInSet("Half-width Katakana")->member(0), ToEucJp("｡"));
    EXPECT_EQ(FindBuiltInSet("Half-width Katakana")->member(16), ToEucJp("ｱ"));
    EXPECT_EQ(FindBuiltInSet("Half-width Katakana")->member(62), ToEucJp("ﾟ"));
    EXPECT_EQ(FindBuiltInSet("ASCII")->member(0), " ");
    EXPECT_EQ(FindBuiltInSet("ASCII")->member(94), "~");
}

TEST(BuiltInSets, LookupIsExactAndCaseSensitive) {
    for (const CharacterSet& set : BuiltInSets()) {
        const CharacterSet* found = FindBuiltInSet(set.name);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found, &set);
    }
    for (const char* name : {"hiragana", "HIRAGANA", " Hiragana", "Hiragana ", "0 - 9", "0–9",
                             "0−9", "Uppercase  Alphabet", "", "Kana"}) {
        EXPECT_EQ(FindBuiltInSet(name), nullptr) << '"' << name << '"';
    }
}

}  // namespace
}  // namespace glyphwright
