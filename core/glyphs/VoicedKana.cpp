#include "core/glyphs/VoicedKana.h"

namespace glyphwright {

namespace {

constexpr char32_t kKatakanaOffset = 0x60;  // from a hiragana to its katakana

// The plain hiragana of a voicing group in the hiragana block, or 0.
char32_t PlainHiragana(char32_t c) {
    if (c >= 0x304B && c <= 0x3062) return c - (c - 0x304B) % 2;  // か..ぢ
    if (c == 0x3064 || c == 0x3065) return 0x3064;                // つ づ
    if (c >= 0x3066 && c <= 0x3069) return c - (c - 0x3066) % 2;  // て..ど
    if (c >= 0x306F && c <= 0x307D) return c - (c - 0x306F) % 3;  // は..ぽ
    if (c == 0x3046 || c == 0x3094) return 0x3046;                // う ゔ
    if (c == 0x309D || c == 0x309E) return 0x309D;                // ゝ ゞ
    return 0;
}

}  // namespace

std::vector<char32_t> VoicingForms(char32_t c) {
    if (c >= 0x30F7 && c <= 0x30FA) c -= 8;  // ヷヸヹヺ are ワヰヱヲ voiced
    if (c >= 0x30EF && c <= 0x30F2) return {c, c + 8};
    if (c == 0x30A6 || c == 0x30F4) return {0x30A6, 0x30F4};  // ウ ヴ
    if (c == 0x30FD || c == 0x30FE) return {0x30FD, 0x30FE};  // ヽ ヾ
    const bool katakana = c >= 0x30A1 && c <= 0x30F6;
    const char32_t plain = PlainHiragana(katakana ? c - kKatakanaOffset : c);
    if (plain == 0) return {};
    std::vector<char32_t> forms;
    if (plain == 0x3046) {
        forms = {0x3046, 0x3094};
    } else if (plain == 0x309D) {
        forms = {0x309D, 0x309E};
    } else if (plain >= 0x306F && plain <= 0x307D) {
        forms = {plain, plain + 1, plain + 2};
    } else {
        forms = {plain, plain + 1};
    }
    if (katakana) {
        for (char32_t& f : forms) f += kKatakanaOffset;
    }
    return forms;
}

}  // namespace glyphwright
