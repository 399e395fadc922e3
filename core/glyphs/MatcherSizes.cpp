#include "core/glyphs/GlyphMatcher.h"

#include <cmath>
#include <map>

#include "core/glyphs/LetterSizes.h"
#include "core/glyphs/MatcherParts.h"

namespace glyphwright {

namespace {

// How much better (in log size) the other form must fit to take the best guess's place.
constexpr float kSizeMargin = 0.1f;

// A glyph less tall than this share of its letter's tallest glyph, or covering less than that
// share of the largest's box, is the small form: a lower case c stands about four fifths as tall
// as the capital, a small kana is smaller across and down.
constexpr float kClearlyShorter = 0.85f;
constexpr float kClearlySmaller = 0.8f;

}  // namespace

using namespace matcher;

void GlyphMatcher::SettleSizes(const std::vector<GlyphImage>& glyphs,
                               std::vector<GlyphSuggestion>& readings) {
    if (glyphs.empty()) return;
    // How large this font draws each group against the reference: the middle of the sure
    // readings' ratios, across and down apart (a game's font may be narrower).
    const References& refs = ReferencesFor(glyphs.front().width, glyphs.front().height);
    std::vector<std::pair<int, int>> extents(glyphs.size());
    std::array<std::vector<float>, kSizeGroups> across, down;
    auto referenceOf = [&](char32_t c) -> std::pair<float, float> {
        const auto found = index_.find(c);
        if (found == index_.end()) return {0.f, 0.f};
        return {refs.boxWidth[found->second], refs.boxHeight[found->second]};
    };
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        extents[i] = InkExtent(glyphs[i]);
        const GlyphSuggestion& r = readings[i];
        if (r.ranked.empty() || r.confidence < kSureEnough ||
            glyphs[i].width != glyphs.front().width || glyphs[i].height != glyphs.front().height) {
            continue;
        }
        const auto [w, h] = referenceOf(r.Best());
        if (w <= 0 || h <= 0) continue;
        const int group = SizeGroup(r.Best());
        across[static_cast<std::size_t>(group)].push_back(static_cast<float>(extents[i].first) / w);
        down[static_cast<std::size_t>(group)].push_back(static_cast<float>(extents[i].second) / h);
    }
    std::array<float, kSizeGroups> scaleX{}, scaleY{};
    for (std::size_t g = 0; g < kSizeGroups; ++g) {
        if (across[g].size() < kSizeSamples) continue;
        scaleX[g] = Median(across[g]);
        scaleY[g] = Median(down[g]);
    }
    // Where the font holds several glyphs read as one letter in either size, its own sizes
    // tell: the largest is the large form, one clearly smaller the small form. (Fonts differ
    // in how much smaller they draw small kana: Noto Sans CJK by a sixth, some bitmap fonts by
    // a third.)
    std::map<std::pair<int, char32_t>, std::vector<std::size_t>> byLetter;
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const GlyphSuggestion& r = readings[i];
        if (r.ranked.empty() || glyphs[i].width != glyphs.front().width ||
            glyphs[i].height != glyphs.front().height || !HasSizeForms(r.Best())) {
            continue;
        }
        byLetter[{SizeGroup(r.Best()), LargeForm(r.Best())}].push_back(i);
    }
    std::vector<bool> settled(glyphs.size(), false);
    for (const auto& [letter, its] : byLetter) {
        if (its.size() < 2) continue;
        int tallest = 0, largest = 0;
        for (std::size_t i : its) {
            tallest = std::max(tallest, extents[i].second);
            largest = std::max(largest, extents[i].first * extents[i].second);
        }
        auto small = [&](std::size_t i) {
            return static_cast<float>(extents[i].second) <
                       kClearlyShorter * static_cast<float>(tallest) ||
                   static_cast<float>(extents[i].first * extents[i].second) <
                       kClearlySmaller * static_cast<float>(largest);
        };
        // All of one size: they say nothing of which size that is.
        if (std::none_of(its.begin(), its.end(), small)) continue;
        for (std::size_t i : its) {
            readings[i].MakeBest(small(i) ? SmallForm(letter.second) : letter.second);
            settled[i] = true;
        }
    }

    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        GlyphSuggestion& r = readings[i];
        if (r.ranked.empty() || settled[i] || glyphs[i].width != glyphs.front().width ||
            glyphs[i].height != glyphs.front().height) {
            continue;
        }
        const char32_t best = r.Best();
        const auto group = static_cast<std::size_t>(SizeGroup(best));
        if (scaleX[group] <= 0) continue;
        // How far the glyph's size lies from the size this font would draw the character at.
        auto misfit = [&](char32_t c) {
            const auto [w, h] = referenceOf(c);
            if (w <= 0 || h <= 0) return std::numeric_limits<float>::max();
            return std::abs(std::log(static_cast<float>(extents[i].first) / (scaleX[group] * w))) +
                   std::abs(std::log(static_cast<float>(extents[i].second) / (scaleY[group] * h)));
        };
        const float bestMisfit = misfit(best);
        char32_t better = best;
        float betterMisfit = bestMisfit - kSizeMargin;
        for (const Guess& g : r.ranked) {
            if (!SizeFormsOfOneLetter(best, g.character) ||
                static_cast<std::size_t>(SizeGroup(g.character)) != group) {
                continue;
            }
            if (const float m = misfit(g.character); m < betterMisfit) {
                better = g.character;
                betterMisfit = m;
            }
        }
        r.MakeBest(better);
    }
}

}  // namespace glyphwright
