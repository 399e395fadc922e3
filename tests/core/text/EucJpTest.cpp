#include <gtest/gtest.h>

#include <string>

#include "core/sets/BuiltInSets.h"
#include "core/text/EucJp.h"

namespace glyphwright {
namespace {

std::string Joined(const CharacterSet& set) {
    std::string bytes;
    for (std::size_t k = 0; k < set.size(); ++k) bytes += set.member(k);
    return bytes;
}

std::string Encoded(const std::string& utf8) {
    const auto result = EncodeEucJp(utf8);
    EXPECT_TRUE(result.ok()) << "refused " << (result.ok() ? "" : result.error().character);
    return result.ok() ? result.value() : std::string();
}

// Typed kana must come out as the very bytes of the built-in sets, or one file would mix codes.
TEST(EucJpTest, TypedKanaMatchTheBuiltInSets) {
    const auto sets = BuiltInSets();
    EXPECT_EQ(Encoded("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよ"
                      "らりるれろわをんっゃゅょ"),
              Joined(sets[0]));
    EXPECT_EQ(Encoded("アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨ"
                      "ラリルレロワヲンッャュョァィェォ"),
              Joined(sets[1]));
    EXPECT_EQ(
        Encoded("がぎぐげござじずぜぞだぢづでどばびぶべぼガギグゲゴザジズゼゾダヂヅデドバビブベボ"),
        Joined(sets[2]));
    EXPECT_EQ(Encoded("ぱぴぷぺぽパピプペポ"), Joined(sets[3]));
}

TEST(EucJpTest, AsciiAndEmptyTextPassUnchanged) {
    EXPECT_EQ(Encoded(""), "");
    EXPECT_EQ(Encoded("A"), "A");
    EXPECT_EQ(Encoded("Th=e\r\n~ 09"), "Th=e\r\n~ 09");
}

TEST(EucJpTest, KanjiAndMixedText) {
    EXPECT_EQ(Encoded("漢"), "\xB4\xC1");
    EXPECT_EQ(Encoded("Aあ1"),
              "A\xA4\xA2"
              "1");
}

TEST(EucJpTest, NamesTheFirstCharacterItCannotHold) {
    const auto hangul = EncodeEucJp("あ한😀");
    ASSERT_FALSE(hangul.ok());
    EXPECT_EQ(hangul.error().character, "한");

    const auto emoji = EncodeEucJp("AB😀C");
    ASSERT_FALSE(emoji.ok());
    EXPECT_EQ(emoji.error().character, "😀");
}

TEST(EucJpTest, LongTextIsConvertedWhole) {
    std::string typed;
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        typed += "あA";
        expected +=
            "\xA4\xA2"
            "A";
    }
    EXPECT_EQ(Encoded(typed), expected);
}

// The built-in kana and typed text come back as the text they stand for.
TEST(EucJpTest, DecodesStoredBytesToText) {
    const auto kana = DecodeEucJp(Joined(BuiltInSets()[0]));
    ASSERT_TRUE(kana.ok());
    EXPECT_EQ(
        kana.value(),
        "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろ"
        "わをんっゃゅょ");
    for (const std::string typed : {"", "Th=e\r\n~ 09", "Aあ漢ｱ1", "丂"}) {
        const auto back = DecodeEucJp(Encoded(typed));
        ASSERT_TRUE(back.ok()) << typed;
        EXPECT_EQ(back.value(), typed);
    }
}

TEST(EucJpTest, DecodingNamesTheFirstInvalidSequence) {
    const struct {
        std::string bytes;
        std::string invalid;
    } cases[] = {
        {"A\xA4\xA2\xFF\xA4\xA2", "\xFF"},  // a byte EUC-JP never uses
        {"\xA9\xA1", "\xA9\xA1"},           // row 9 holds no characters
        {"\xA4\xA2\x8F\xA1", "\x8F\xA1"},   // a three-byte code cut short
        {"\xA4\x41", "\xA4"},               // a lead without its trail byte
    };
    for (const auto& c : cases) {
        const auto decoded = DecodeEucJp(c.bytes);
        ASSERT_FALSE(decoded.ok()) << c.bytes;
        EXPECT_EQ(decoded.error().bytes, c.invalid);
    }
}

// EUC-JP converters map ¥ and ‾ onto the ASCII backslash and tilde: stored so, the table would say
// another character than the one given. Only a character that reads back as itself is stored.
TEST(EucJpTest, ACharacterThatDoesNotComeBackAsItselfIsRefused) {
    for (const char* text : {"¥", "‾", "ab¥", "あ‾い"}) {
        const auto encoded = EncodeEucJp(text);
        ASSERT_FALSE(encoded.ok()) << text;
        EXPECT_EQ(encoded.error().character,
                  std::string(text).find("¥") != std::string::npos ? "¥" : "‾");
    }
    const auto kept = EncodeEucJp("\\~あ");
    ASSERT_TRUE(kept.ok());
    EXPECT_EQ(kept.value(), "\\~\xA4\xA2");
}

// One encoder for a whole table: each text comes out as EncodeEucJp gives it alone, whatever the
// text before it, a refused one and one cut short included.
TEST(EucJpTest, OneEncoderForManyTextsGivesWhatEachGivesAlone) {
    EucJpEncoder encoder;
    for (const char* text : {"あ", "\xE3\x81", "い", "¥", "\\~", "😀", "ア漢", ""}) {
        const auto once = EncodeEucJp(text);
        const auto reused = encoder.Encode(text);
        ASSERT_EQ(reused.ok(), once.ok()) << text;
        if (once.ok()) {
            EXPECT_EQ(reused.value(), once.value()) << text;
        } else {
            EXPECT_EQ(reused.error().character, once.error().character) << text;
        }
    }
}

}  // namespace
}  // namespace glyphwright
