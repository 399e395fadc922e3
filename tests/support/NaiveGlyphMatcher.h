#pragma once

// The floor the glyph matcher is measured against: blur the glyph, and correlate it with each
// candidate drawn from the reference font into the same cell, at shifts of up to one pixel. Kept
// only to show, in the same run, how much the real matcher gains.

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/glyphs/GlyphImage.h"
#include "core/glyphs/ReferenceFont.h"

namespace glyphwright::testing {

class NaiveGlyphMatcher {
public:
    NaiveGlyphMatcher(const ReferenceFont& font, const std::vector<char32_t>& candidates, int size)
        : size_(size) {
        for (char32_t c : candidates) {
            if (!font.Has(c)) continue;
            std::vector<float> pixels = Blurred(font.Draw(c, size, size, Rendering::Smooth));
            if (Centre(pixels)) {
                characters_.push_back(c);
                references_.push_back(std::move(pixels));
            }
        }
    }

    // The best-correlated candidate first, `count` of them.
    [[nodiscard]] std::vector<char32_t> Rank(const GlyphImage& glyph, std::size_t count) const {
        std::vector<float> g = Blurred(glyph);
        if (!Centre(g)) return {};
        std::vector<std::pair<float, char32_t>> scored;
        for (std::size_t r = 0; r < references_.size(); ++r) {
            float best = -2;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    float dot = 0, gg = 0, rr = 0;
                    for (int y = 0; y < size_; ++y) {
                        const int sy = y + dy;
                        if (sy < 0 || sy >= size_) continue;
                        for (int x = 0; x < size_; ++x) {
                            const int sx = x + dx;
                            if (sx < 0 || sx >= size_) continue;
                            const float a = g[static_cast<std::size_t>(y * size_ + x)];
                            const float b =
                                references_[r][static_cast<std::size_t>(sy * size_ + sx)];
                            dot += a * b;
                            gg += a * a;
                            rr += b * b;
                        }
                    }
                    if (gg > 0 && rr > 0) best = std::max(best, dot / std::sqrt(gg * rr));
                }
            }
            scored.emplace_back(-best, characters_[r]);
        }
        count = std::min(count, scored.size());
        std::partial_sort(scored.begin(), scored.begin() + static_cast<std::ptrdiff_t>(count),
                          scored.end());
        std::vector<char32_t> out;
        for (std::size_t i = 0; i < count; ++i) out.push_back(scored[i].second);
        return out;
    }

private:
    std::vector<float> Blurred(const GlyphImage& glyph) const {
        std::vector<float> out(static_cast<std::size_t>(size_ * size_), 0.f);
        for (int y = 0; y < size_ && y < glyph.height; ++y) {
            for (int x = 0; x < size_ && x < glyph.width; ++x) {
                float sum = 0, weight = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int sx = x + dx, sy = y + dy;
                        if (sx < 0 || sy < 0 || sx >= glyph.width || sy >= glyph.height) continue;
                        const float w = (dx == 0 ? 2.f : 1.f) * (dy == 0 ? 2.f : 1.f);
                        sum += w * static_cast<float>(glyph.at(sx, sy));
                        weight += w;
                    }
                }
                out[static_cast<std::size_t>(y * size_ + x)] = sum / (weight * 255.f);
            }
        }
        return out;
    }
    // Correlation about the mean; false for a picture without ink.
    static bool Centre(std::vector<float>& pixels) {
        float mean = 0, peak = 0;
        for (float v : pixels) {
            mean += v;
            peak = std::max(peak, v);
        }
        if (peak <= 0) return false;
        mean /= static_cast<float>(pixels.size());
        for (float& v : pixels) v -= mean;
        return true;
    }

    int size_;
    std::vector<char32_t> characters_;
    std::vector<std::vector<float>> references_;
};

}  // namespace glyphwright::testing
