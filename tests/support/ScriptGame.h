#pragma once

// A stand-in game with a script: an 8 x 8 font drawn from Misaki Gothic (not the matcher's
// reference face) holding JIS row 1's punctuation up to 】, the full-width digits, then the
// hiragana and katakana rows, in JIS order from code 10; and a script written in it, Japanese
// sentences of speech and narration with 「」。、！？ and digits, each string ended by 00, lines
// broken by 01.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/glyphs/GlyphImage.h"
#include "core/glyphs/GlyphMatcher.h"
#include "core/glyphs/ReferenceFont.h"
#include "core/glyphs/ScriptContext.h"

namespace glyphwright::testing {

struct ScriptGame {
    std::vector<char32_t> characters;  // the font's, from kFirstCode on
    std::vector<GlyphImage> glyphs;
    std::vector<std::uint8_t> text;

    static constexpr unsigned kFirstCode = 0x10;
    static constexpr std::uint8_t kEnd = 0x00;
    static constexpr std::uint8_t kLine = 0x01;
};

inline const std::u32string& ScriptGameSentences() {
    // One string a line; a slash breaks the line within the string.
    static const std::u32string sentences =
        U"「おはよう！きょうは、いいてんきだね。」\n"
        U"「うん。でも、あしたは　あめが　ふるらしいよ。」\n"
        U"ゆうしゃは　まおうの　しろへ　むかった。\n"
        U"「まってくれ！おれも　いっしょに　いくぞ！」\n"
        U"「ほんとうに？ありがとう。」\n"
        U"むらの　いりぐちに　ちいさな　おんなのこが　たっている。\n"
        U"「ようこそ、ここは　はじまりの　むらです。」\n"
        U"「この　さきは　きけんだよ。きを　つけてね。」\n"
        U"ゴールドを　１２０　てにいれた！\n"
        U"「やくそうは　ひとつ　８ゴールドです。」/「いくつ　かいますか？」\n"
        U"「３つ　ください。」\n"
        U"「まいど　ありがとうございます！」\n"
        U"スライムが　あらわれた！\n"
        U"スライムを　やっつけた！/けいけんちを　１５　かくとく。\n"
        U"レベルが　あがった！/ちからが　２　あがった。\n"
        U"「ねえ、ちょっと　まって。」\n"
        U"「どうしたの？なにか　あったの？」\n"
        U"「あそこに　だれか　いるみたい。」\n"
        U"「きっと　きのせいだよ。さあ、いこう。」\n"
        U"とびらには　かぎが　かかっている。\n"
        U"「カギを　もっていないのか？」\n"
        U"「じゃあ、きたの　どうくつへ　いってみよう。」\n"
        U"どうくつの　なかは　まっくらだ。\n"
        U"たいまつに　ひを　つけた。\n"
        U"「ぎゃあ！おばけだ！」\n"
        U"「おちついて！ただの　コウモリよ。」\n"
        U"ドラゴンは　ほのおを　はいた！/ゆうしゃは　４０の　ダメージを　うけた。\n"
        U"「まだ　まけるわけには　いかない！」\n"
        U"「みんな、ちからを　あわせて！」\n"
        U"ドラゴンを　たおした！\n"
        U"「やった！ついに　やったぞ！」\n"
        U"おうさまは　とても　よろこんだ。\n"
        U"「よくぞ　もどった。そなたこそ　しんの　ゆうしゃじゃ。」\n"
        U"「ほうびとして　１０００ゴールドを　さずけよう。」\n"
        U"「ありがたき　しあわせ。」\n"
        U"こうして　せかいに　へいわが　もどった。\n"
        U"「また　いつか　あおうね。」\n"
        U"「うん、ぜったいに！」\n"
        U"セーブしますか？/はい　いいえ\n"
        U"ぼうけんの　しょを　きろくしました。\n"
        U"「ぼくの　なまえは　タロウ。きみは？」\n"
        U"「わたしは　ハナコ。よろしくね。」\n"
        U"「ピザと　ジュースを　ください。」\n"
        U"「はい、ぜんぶで　９５０えんです。」\n"
        U"「べんきょうは　たいへんだけど、がんばるよ。」\n"
        U"「ヂェット？　そんな　なまえ、きいたことが　ないな。」\n"
        U"ガイコツが　６ひき　あらわれた！\n"
        U"「ぜんいん　そろったね。しゅっぱつだ！」\n"
        U"「ヴァンパイアの　しろは　みなみに　あるらしい。」\n"
        U"「ぷよぷよした　まものが　７ひき　いたよ。」\n";
    return sentences;
}

inline std::optional<ScriptGame> MakeScriptGame() {
    const auto face = ReferenceFont::Open("MisakiGothic");
    if (!face.ok()) return std::nullopt;
    ScriptGame game;
    // JIS row 1 from the ideographic space to 】, then the rows of digits and kana.
    const std::u32string rowOne =
        U"　、。，．・：；？！゛゜´｀¨＾￣＿ヽヾゝゞ〃仝々〆〇ー―‐／＼～∥｜…‥‘’“”（）〔〕［］｛｝〈〉《》「」『』【】";
    std::u32string all = rowOne;
    for (char32_t c = U'０'; c <= U'９'; ++c) all += c;
    for (char32_t c = U'ぁ'; c <= U'ん'; ++c) all += c;
    for (char32_t c = U'ァ'; c <= U'ヶ'; ++c) all += c;
    std::uint8_t codeOf[0x10000] = {};
    for (const char32_t c : all) {
        if (game.characters.size() + ScriptGame::kFirstCode > 0xFF) break;
        codeOf[c] = static_cast<std::uint8_t>(ScriptGame::kFirstCode + game.characters.size());
        game.characters.push_back(c);
        game.glyphs.push_back(face.value().Draw(c, 8, 8, Rendering::Pixels));
    }
    for (const char32_t c : ScriptGameSentences()) {
        if (c == U'\n') {
            game.text.push_back(ScriptGame::kEnd);
        } else if (c == U'/') {
            game.text.push_back(ScriptGame::kLine);
        } else if (c < 0x10000 && codeOf[c] != 0) {
            game.text.push_back(codeOf[c]);
        }
    }
    return game;
}

// How many of the game's glyphs read right, with the script as context or without; and of
// those, the punctuation and digits.
struct ScriptGameScore {
    std::size_t right = 0;
    std::size_t glyphs = 0;
    std::size_t punctuationRight = 0;
    std::size_t punctuation = 0;
    std::vector<std::pair<char32_t, char32_t>> misses;  // truth, read
};

// The punctuation and digits the script uses.
inline bool ScriptGamePunctuation(char32_t c) {
    return std::u32string_view(U"、。！？「」ー０１２３４５６７８９").find(c) !=
           std::u32string_view::npos;
}

inline ScriptGameScore ScoreScriptGame(GlyphMatcher& matcher, const ScriptGame& game,
                                       bool withScript) {
    std::vector<GlyphSuggestion> readings = matcher.SuggestAll(game.glyphs);
    if (withScript) DecideByScript(readings, ScriptGame::kFirstCode, game.text);
    ScriptGameScore score;
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const char32_t truth = game.characters[i];
        if (readings[i].ranked.empty()) continue;  // the ideographic space
        const bool right = readings[i].Best() == truth;
        ++score.glyphs;
        score.right += right ? 1 : 0;
        if (ScriptGamePunctuation(truth)) {
            ++score.punctuation;
            score.punctuationRight += right ? 1 : 0;
        }
        if (!right) score.misses.emplace_back(truth, readings[i].Best());
    }
    return score;
}

}  // namespace glyphwright::testing
