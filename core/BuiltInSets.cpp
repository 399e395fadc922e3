#include "BuiltInSets.h"

#include <array>

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

// Catalogue order: the set selector lists them so, and lookup tests them so.
constexpr std::array<CharacterSet, 7> kCatalogue{{
    {"Hiragana", kHiragana},
    {"Katakana", kKatakana},
    {"Dakuten", kDakuten},
    {"Handakuten", kHandakuten},
    {"Uppercase Alphabet", kUppercase},
    {"Lowercase Alphabet", kLowercase},
    {"0-9", kDigits},
}};

}  // namespace

std::span<const CharacterSet> BuiltInSets() { return kCatalogue; }

const CharacterSet* FindBuiltInSet(std::string_view name) {
    for (const CharacterSet& set : kCatalogue) {
        if (set.name == name) {
            return &set;
        }
    }
    return nullptr;
}

}  // namespace glyphwright
