#include "core/glyphs/LookAlikes.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace glyphwright {

namespace {

// Groups of characters that share one shape; a character may stand in several groups.
constexpr std::array<std::u32string_view, 20> kGroups = {
    U"へヘ", U"べベ",       U"ぺペ", U"りリ",     U"ロ口",  U"カ力",    U"エ工",
    U"ニ二", U"ー一－―—‐-", U"タ夕", U"ト卜",     U"0O〇○", U"０Ｏ〇○", U"ハ八",
    U"オ才", U"ヒ匕",       U"1lI|", U"１ｌＩ｜", U"ㇿ口",  U"・･",
};

// The full-width forms of the half-width katakana U+FF61 to U+FF9F, in their order.
constexpr std::u32string_view kFullOfHalfWidthKana =
    U"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘ"
    U"ホマミムメモヤユヨラリルレロワン゛゜";

}  // namespace

char32_t WidthTwin(char32_t c) {
    if (c >= 0x21 && c <= 0x7E) return c + 0xFEE0;
    if (c >= 0xFF01 && c <= 0xFF5E) return c - 0xFEE0;
    if (c >= 0xFF61 && c <= 0xFF9F) return kFullOfHalfWidthKana[c - 0xFF61];
    if (const auto at = kFullOfHalfWidthKana.find(c); at != std::u32string_view::npos)
        return static_cast<char32_t>(0xFF61 + at);
    return 0;
}

bool TwinOfACloserGuess(const std::vector<Guess>& ranked, char32_t c) {
    const char32_t twin = WidthTwin(c);
    if (twin == 0) return false;
    for (const Guess& g : ranked) {
        if (g.character == c) return false;
        if (g.character == twin) return true;
    }
    return false;
}

std::vector<char32_t> LookAlikesOf(char32_t c) {
    std::vector<char32_t> out;
    if (const char32_t twin = WidthTwin(c); twin != 0) out.push_back(twin);
    for (std::u32string_view group : kGroups) {
        if (group.find(c) == std::u32string_view::npos) continue;
        for (char32_t other : group) {
            if (other != c && std::find(out.begin(), out.end(), other) == out.end())
                out.push_back(other);
        }
    }
    return out;
}

bool LookAlike(char32_t a, char32_t b) {
    const std::vector<char32_t> alike = LookAlikesOf(a);
    return std::find(alike.begin(), alike.end(), b) != alike.end();
}

}  // namespace glyphwright
