#include "LookAlikes.h"

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

}  // namespace

bool LookAlike(char32_t a, char32_t b) {
    if (a == b) return false;
    return std::any_of(kGroups.begin(), kGroups.end(), [&](std::u32string_view group) {
        return group.find(a) != std::u32string_view::npos &&
               group.find(b) != std::u32string_view::npos;
    });
}

}  // namespace glyphwright
