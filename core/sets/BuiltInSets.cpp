#include "core/sets/BuiltInSets.h"

#include <array>
#include <string>
#include <vector>

#include "core/text/EucJp.h"

namespace glyphwright {

namespace {

// Kana members are their two-byte EUC-JP codes: row A4 holds the hiragana, row A5 the katakana.
// Each table row below is one row of the kana chart.

constexpr std::string_view kHiragana[] = {
    "\xA4\xA2", "\xA4\xA4", "\xA4\xA6", "\xA4\xA8", "\xA4\xAA",  // あ い う え お
    "\xA4\xAB", "\xA4\xAD", "\xA4\xAF", "\xA4\xB1", "\xA4\xB3",  // か き く け こ
    "\xA4\xB5", "\xA4\xB7", "\xA4\xB9", "\xA4\xBB", "\xA4\xBD",  // さ し す せ そ
    "\xA4\xBF", "\xA4\xC1", "\xA4\xC4", "\xA4\xC6", "\xA4\xC8",  // た ち つ て と
    "\xA4\xCA", "\xA4\xCB", "\xA4\xCC", "\xA4\xCD", "\xA4\xCE",  // な に ぬ ね の
    "\xA4\xCF", "\xA4\xD2", "\xA4\xD5", "\xA4\xD8", "\xA4\xDB",  // は ひ ふ へ ほ
    "\xA4\xDE", "\xA4\xDF", "\xA4\xE0", "\xA4\xE1", "\xA4\xE2",  // ま み む め も
    "\xA4\xE4", "\xA4\xE6", "\xA4\xE8",                          // や ゆ よ
    "\xA4\xE9", "\xA4\xEA", "\xA4\xEB", "\xA4\xEC", "\xA4\xED",  // ら り る れ ろ
    "\xA4\xEF", "\xA4\xF2", "\xA4\xF3",                          // わ を ん
    "\xA4\xC3", "\xA4\xE3", "\xA4\xE5", "\xA4\xE7",              // っ ゃ ゅ ょ
};

constexpr std::string_view kKatakana[] = {
    "\xA5\xA2", "\xA5\xA4", "\xA5\xA6", "\xA5\xA8", "\xA5\xAA",  // ア イ ウ エ オ
    "\xA5\xAB", "\xA5\xAD", "\xA5\xAF", "\xA5\xB1", "\xA5\xB3",  // カ キ ク ケ コ
    "\xA5\xB5", "\xA5\xB7", "\xA5\xB9", "\xA5\xBB", "\xA5\xBD",  // サ シ ス セ ソ
    "\xA5\xBF", "\xA5\xC1", "\xA5\xC4", "\xA5\xC6", "\xA5\xC8",  // タ チ ツ テ ト
    "\xA5\xCA", "\xA5\xCB", "\xA5\xCC", "\xA5\xCD", "\xA5\xCE",  // ナ ニ ヌ ネ ノ
    "\xA5\xCF", "\xA5\xD2", "\xA5\xD5", "\xA5\xD8", "\xA5\xDB",  // ハ ヒ フ ヘ ホ
    "\xA5\xDE", "\xA5\xDF", "\xA5\xE0", "\xA5\xE1", "\xA5\xE2",  // マ ミ ム メ モ
    "\xA5\xE4", "\xA5\xE6", "\xA5\xE8",                          // ヤ ユ ヨ
    "\xA5\xE9", "\xA5\xEA", "\xA5\xEB", "\xA5\xEC", "\xA5\xED",  // ラ リ ル レ ロ
    "\xA5\xEF", "\xA5\xF2", "\xA5\xF3",                          // ワ ヲ ン
    "\xA5\xC3", "\xA5\xE3", "\xA5\xE5", "\xA5\xE7",              // ッ ャ ュ ョ
    "\xA5\xA1", "\xA5\xA3", "\xA5\xA7", "\xA5\xA9",              // ァ ィ ェ ォ (no small ゥ)
};

constexpr std::string_view kDakuten[] = {
    "\xA4\xAC", "\xA4\xAE", "\xA4\xB0", "\xA4\xB2", "\xA4\xB4",  // が ぎ ぐ げ ご
    "\xA4\xB6", "\xA4\xB8", "\xA4\xBA", "\xA4\xBC", "\xA4\xBE",  // ざ じ ず ぜ ぞ
    "\xA4\xC0", "\xA4\xC2", "\xA4\xC5", "\xA4\xC7", "\xA4\xC9",  // だ ぢ づ で ど
    "\xA4\xD0", "\xA4\xD3", "\xA4\xD6", "\xA4\xD9", "\xA4\xDC",  // ば び ぶ べ ぼ
    "\xA5\xAC", "\xA5\xAE", "\xA5\xB0", "\xA5\xB2", "\xA5\xB4",  // ガ ギ グ ゲ ゴ
    "\xA5\xB6", "\xA5\xB8", "\xA5\xBA", "\xA5\xBC", "\xA5\xBE",  // ザ ジ ズ ゼ ゾ
    "\xA5\xC0", "\xA5\xC2", "\xA5\xC5", "\xA5\xC7", "\xA5\xC9",  // ダ ヂ ヅ デ ド
    "\xA5\xD0", "\xA5\xD3", "\xA5\xD6", "\xA5\xD9", "\xA5\xDC",  // バ ビ ブ ベ ボ
};

constexpr std::string_view kHandakuten[] = {
    "\xA4\xD1", "\xA4\xD4", "\xA4\xD7", "\xA4\xDA", "\xA4\xDD",  // ぱ ぴ ぷ ぺ ぽ
    "\xA5\xD1", "\xA5\xD4", "\xA5\xD7", "\xA5\xDA", "\xA5\xDD",  // パ ピ プ ペ ポ
};

constexpr std::string_view kUppercase[] = {
    "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
    "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z",
};

constexpr std::string_view kLowercase[] = {
    "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m",
    "n", "o", "p", "q", "r", "s", "t", "u", "v", "w", "x", "y", "z",
};

constexpr std::string_view kDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};

// Row 4 of JIS X 0208 as it stands, small and voiced kana between the others.
constexpr std::string_view kHiraganaJis[] = {
    "\xA4\xA1", "\xA4\xA2", "\xA4\xA3", "\xA4\xA4", "\xA4\xA5",  // ぁ あ ぃ い ぅ
    "\xA4\xA6", "\xA4\xA7", "\xA4\xA8", "\xA4\xA9", "\xA4\xAA",  // う ぇ え ぉ お
    "\xA4\xAB", "\xA4\xAC", "\xA4\xAD", "\xA4\xAE", "\xA4\xAF",  // か が き ぎ く
    "\xA4\xB0", "\xA4\xB1", "\xA4\xB2", "\xA4\xB3", "\xA4\xB4",  // ぐ け げ こ ご
    "\xA4\xB5", "\xA4\xB6", "\xA4\xB7", "\xA4\xB8", "\xA4\xB9",  // さ ざ し じ す
    "\xA4\xBA", "\xA4\xBB", "\xA4\xBC", "\xA4\xBD", "\xA4\xBE",  // ず せ ぜ そ ぞ
    "\xA4\xBF", "\xA4\xC0", "\xA4\xC1", "\xA4\xC2", "\xA4\xC3",  // た だ ち ぢ っ
    "\xA4\xC4", "\xA4\xC5", "\xA4\xC6", "\xA4\xC7", "\xA4\xC8",  // つ づ て で と
    "\xA4\xC9", "\xA4\xCA", "\xA4\xCB", "\xA4\xCC", "\xA4\xCD",  // ど な に ぬ ね
    "\xA4\xCE", "\xA4\xCF", "\xA4\xD0", "\xA4\xD1", "\xA4\xD2",  // の は ば ぱ ひ
    "\xA4\xD3", "\xA4\xD4", "\xA4\xD5", "\xA4\xD6", "\xA4\xD7",  // び ぴ ふ ぶ ぷ
    "\xA4\xD8", "\xA4\xD9", "\xA4\xDA", "\xA4\xDB", "\xA4\xDC",  // へ べ ぺ ほ ぼ
    "\xA4\xDD", "\xA4\xDE", "\xA4\xDF", "\xA4\xE0", "\xA4\xE1",  // ぽ ま み む め
    "\xA4\xE2", "\xA4\xE3", "\xA4\xE4", "\xA4\xE5", "\xA4\xE6",  // も ゃ や ゅ ゆ
    "\xA4\xE7", "\xA4\xE8", "\xA4\xE9", "\xA4\xEA", "\xA4\xEB",  // ょ よ ら り る
    "\xA4\xEC", "\xA4\xED", "\xA4\xEE", "\xA4\xEF", "\xA4\xF0",  // れ ろ ゎ わ ゐ
    "\xA4\xF1", "\xA4\xF2", "\xA4\xF3",                          // ゑ を ん
};

// Row 5 of JIS X 0208, ァ to ヶ.
constexpr std::string_view kKatakanaJis[] = {
    "\xA5\xA1", "\xA5\xA2", "\xA5\xA3", "\xA5\xA4", "\xA5\xA5",  // ァ ア ィ イ ゥ
    "\xA5\xA6", "\xA5\xA7", "\xA5\xA8", "\xA5\xA9", "\xA5\xAA",  // ウ ェ エ ォ オ
    "\xA5\xAB", "\xA5\xAC", "\xA5\xAD", "\xA5\xAE", "\xA5\xAF",  // カ ガ キ ギ ク
    "\xA5\xB0", "\xA5\xB1", "\xA5\xB2", "\xA5\xB3", "\xA5\xB4",  // グ ケ ゲ コ ゴ
    "\xA5\xB5", "\xA5\xB6", "\xA5\xB7", "\xA5\xB8", "\xA5\xB9",  // サ ザ シ ジ ス
    "\xA5\xBA", "\xA5\xBB", "\xA5\xBC", "\xA5\xBD", "\xA5\xBE",  // ズ セ ゼ ソ ゾ
    "\xA5\xBF", "\xA5\xC0", "\xA5\xC1", "\xA5\xC2", "\xA5\xC3",  // タ ダ チ ヂ ッ
    "\xA5\xC4", "\xA5\xC5", "\xA5\xC6", "\xA5\xC7", "\xA5\xC8",  // ツ ヅ テ デ ト
    "\xA5\xC9", "\xA5\xCA", "\xA5\xCB", "\xA5\xCC", "\xA5\xCD",  // ド ナ ニ ヌ ネ
    "\xA5\xCE", "\xA5\xCF", "\xA5\xD0", "\xA5\xD1", "\xA5\xD2",  // ノ ハ バ パ ヒ
    "\xA5\xD3", "\xA5\xD4", "\xA5\xD5", "\xA5\xD6", "\xA5\xD7",  // ビ ピ フ ブ プ
    "\xA5\xD8", "\xA5\xD9", "\xA5\xDA", "\xA5\xDB", "\xA5\xDC",  // ヘ ベ ペ ホ ボ
    "\xA5\xDD", "\xA5\xDE", "\xA5\xDF", "\xA5\xE0", "\xA5\xE1",  // ポ マ ミ ム メ
    "\xA5\xE2", "\xA5\xE3", "\xA5\xE4", "\xA5\xE5", "\xA5\xE6",  // モ ャ ヤ ュ ユ
    "\xA5\xE7", "\xA5\xE8", "\xA5\xE9", "\xA5\xEA", "\xA5\xEB",  // ョ ヨ ラ リ ル
    "\xA5\xEC", "\xA5\xED", "\xA5\xEE", "\xA5\xEF", "\xA5\xF0",  // レ ロ ヮ ワ ヰ
    "\xA5\xF1", "\xA5\xF2", "\xA5\xF3", "\xA5\xF4", "\xA5\xF5",  // ヱ ヲ ン ヴ ヵ
    "\xA5\xF6",                                                  // ヶ
};

// JIS X 0201 A1-DF; EUC-JP stores each behind the single shift 8E.
constexpr std::string_view kHalfWidthKatakana[] = {
    "\x8E\xA1", "\x8E\xA2", "\x8E\xA3", "\x8E\xA4", "\x8E\xA5",  // ｡ ｢ ｣ ､ ･
    "\x8E\xA6", "\x8E\xA7", "\x8E\xA8", "\x8E\xA9", "\x8E\xAA",  // ｦ ｧ ｨ ｩ ｪ
    "\x8E\xAB", "\x8E\xAC", "\x8E\xAD", "\x8E\xAE", "\x8E\xAF",  // ｫ ｬ ｭ ｮ ｯ
    "\x8E\xB0", "\x8E\xB1", "\x8E\xB2", "\x8E\xB3", "\x8E\xB4",  // ｰ ｱ ｲ ｳ ｴ
    "\x8E\xB5", "\x8E\xB6", "\x8E\xB7", "\x8E\xB8", "\x8E\xB9",  // ｵ ｶ ｷ ｸ ｹ
    "\x8E\xBA", "\x8E\xBB", "\x8E\xBC", "\x8E\xBD", "\x8E\xBE",  // ｺ ｻ ｼ ｽ ｾ
    "\x8E\xBF", "\x8E\xC0", "\x8E\xC1", "\x8E\xC2", "\x8E\xC3",  // ｿ ﾀ ﾁ ﾂ ﾃ
    "\x8E\xC4", "\x8E\xC5", "\x8E\xC6", "\x8E\xC7", "\x8E\xC8",  // ﾄ ﾅ ﾆ ﾇ ﾈ
    "\x8E\xC9", "\x8E\xCA", "\x8E\xCB", "\x8E\xCC", "\x8E\xCD",  // ﾉ ﾊ ﾋ ﾌ ﾍ
    "\x8E\xCE", "\x8E\xCF", "\x8E\xD0", "\x8E\xD1", "\x8E\xD2",  // ﾎ ﾏ ﾐ ﾑ ﾒ
    "\x8E\xD3", "\x8E\xD4", "\x8E\xD5", "\x8E\xD6", "\x8E\xD7",  // ﾓ ﾔ ﾕ ﾖ ﾗ
    "\x8E\xD8", "\x8E\xD9", "\x8E\xDA", "\x8E\xDB", "\x8E\xDC",  // ﾘ ﾙ ﾚ ﾛ ﾜ
    "\x8E\xDD", "\x8E\xDE", "\x8E\xDF",                          // ﾝ ﾞ ﾟ
};

// The printable ASCII characters 20-7E, the blank first.
constexpr std::string_view kAscii[] = {
    " ", "!", "\"", "#",  "$", "%", "&", "'", "(", ")", "*", "+", ",", "-", ".", "/", "0", "1", "2",
    "3", "4", "5",  "6",  "7", "8", "9", ":", ";", "<", "=", ">", "?", "@", "A", "B", "C", "D", "E",
    "F", "G", "H",  "I",  "J", "K", "L", "M", "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X",
    "Y", "Z", "[",  "\\", "]", "^", "_", "`", "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k",
    "l", "m", "n",  "o",  "p", "q", "r", "s", "t", "u", "v", "w", "x", "y", "z", "{", "|", "}", "~",
};

// Catalogue order: the classic seven first, as the set selector has always listed them, then the
// orders games use besides.
constexpr std::array<CharacterSet, 11> kCatalogue{{
    {"Hiragana", kHiragana},
    {"Katakana", kKatakana},
    {"Dakuten", kDakuten},
    {"Handakuten", kHandakuten},
    {"Uppercase Alphabet", kUppercase},
    {"Lowercase Alphabet", kLowercase},
    {"0-9", kDigits},
    {"Hiragana (JIS order)", kHiraganaJis},
    {"Katakana (JIS order)", kKatakanaJis},
    {"Half-width Katakana", kHalfWidthKatakana},
    {"ASCII", kAscii},
}};

// The catalogue with each set's members decoded to the Unicode text that laying puts in the
// table; made once, on first use.
class DecodedCatalogue {
public:
    DecodedCatalogue() {
        EucJpDecoder decoder;
        for (std::size_t i = 0; i < kCatalogue.size(); ++i) {
            for (const std::string_view member : kCatalogue[i].members) {
                texts_[i].push_back(decoder.Decode(member).value());
            }
            views_[i].assign(texts_[i].begin(), texts_[i].end());
            sets_[i] = kCatalogue[i];
            sets_[i].texts = views_[i];
        }
    }

    [[nodiscard]] std::span<const CharacterSet> Sets() const { return sets_; }

private:
    std::array<std::vector<std::string>, kCatalogue.size()> texts_;
    std::array<std::vector<std::string_view>, kCatalogue.size()> views_;
    std::array<CharacterSet, kCatalogue.size()> sets_;
};

}  // namespace

std::span<const CharacterSet> BuiltInSets() {
    static const DecodedCatalogue catalogue;
    return catalogue.Sets();
}

const CharacterSet* FindBuiltInSet(std::string_view name) {
    for (const CharacterSet& set : BuiltInSets()) {
        if (set.name == name) {
            return &set;
        }
    }
    return nullptr;
}

}  // namespace glyphwright
