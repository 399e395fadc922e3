#pragma once

// What the matcher's reading of single glyphs and its settling of a font's sizes share.

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "core/glyphs/GlyphFeatures.h"
#include "core/glyphs/GlyphImage.h"

namespace glyphwright::matcher {

// A reading at or above this confidence says how large this font draws its script.
constexpr float kSureEnough = 0.5f;
// How many such readings a script needs before its size is trusted.
constexpr std::size_t kSizeSamples = 5;

// The width and height of the glyph's ink, in its pixels; 0 by 0 without ink.
inline std::pair<int, int> InkExtent(const GlyphImage& glyph) {
    const InkBox box = InkBoxOf(glyph);
    return {box.Width(), box.Height()};
}

// The groups of characters a font sizes alike: ASCII, full-width Latin, kana, half-width kana,
// the kanji and the rest, and the punctuation and symbols below the kana. A game font fills
// its cell with a kanji but sets 。 and 「 as small as the reference does, each in its corner:
// learnt apart, the kanji's larger size does not move the punctuation's box.
inline int SizeGroup(char32_t c) {
    if (c < 0x80) return 0;
    if (c >= 0xFF01 && c <= 0xFF5E) return 1;
    if (c >= 0x3040 && c <= 0x30FF) return 2;
    if (c >= 0xFF61 && c <= 0xFF9F) return 3;
    if (c < 0x3040) return 5;
    return 4;
}
constexpr int kSizeGroups = 6;

inline float Median(std::vector<float> values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

}  // namespace glyphwright::matcher
