#include "core/glyphs/LetterSizes.h"

#include <string_view>

namespace glyphwright {

namespace {

// Small kana, each above its large form.
constexpr std::u32string_view kSmall = U"ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶｧｨｩｪｫｯｬｭｮ";
constexpr std::u32string_view kLarge = U"あいうえおつやゆよわかけアイウエオツヤユヨワカケｱｲｳｴｵﾂﾔﾕﾖ";
static_assert(kSmall.size() == kLarge.size());

// The Latin letters whose lower case is the capital drawn smaller.
constexpr std::u32string_view kSameShape = U"cosuvwxzCOSUVWXZｃｏｓｕｖｗｘｚＣＯＳＵＶＷＸＺ";

bool SameShape(char32_t c) {
    return kSameShape.find(c) != std::u32string_view::npos;
}

}  // namespace

char32_t LargeForm(char32_t c) {
    if (!SameShape(c)) {
    } else if (c >= U'a' && c <= U'z') {
        return c - U'a' + U'A';
    } else if (c >= U'ａ' && c <= U'ｚ') {
        return c - U'ａ' + U'Ａ';
    }
    if (const auto at = kSmall.find(c); at != std::u32string_view::npos) return kLarge[at];
    return c;
}

char32_t SmallForm(char32_t c) {
    if (!SameShape(c)) {
    } else if (c >= U'A' && c <= U'Z') {
        return c - U'A' + U'a';
    } else if (c >= U'Ａ' && c <= U'Ｚ') {
        return c - U'Ａ' + U'ａ';
    }
    if (const auto at = kLarge.find(c); at != std::u32string_view::npos) return kSmall[at];
    return c;
}

bool HasSizeForms(char32_t c) {
    return LargeForm(c) != c || SmallForm(c) != c;
}

bool SizeFormsOfOneLetter(char32_t a, char32_t b) {
    return a != b && LargeForm(a) == LargeForm(b);
}

}  // namespace glyphwright
