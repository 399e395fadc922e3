#include "GlyphMatcher.h"

#include <algorithm>
#include <limits>
#include <numeric>

#include "LookAlikes.h"
#include "VoicingMarks.h"

namespace glyphwright {

namespace {

// An alternative this close to the best guess (relative to the second's distance) is a near-tie.
constexpr float kTieMargin = 0.06f;
// A known look-alike still counts as a near-tie further out than that: fonts draw the pair the
// same, but a reference may carry a small difference the game's font does not.
constexpr float kLookAlikeMargin = 0.30f;
// The margin at which the best guess is called certain.
constexpr float kClearMargin = 0.35f;
// References are drawn this many times the glyph's size.
constexpr int kLarge = 4;
// How many of the closest candidates on the coarse grid are compared again on the fine one, and
// how much the fine comparison adds.
constexpr std::size_t kShortlist = 24;
constexpr float kFineWeight = 1.0f;

// Eight sums side by side, so the compiler can keep them in one vector register: a single sum
// would make every addition wait for the one before.
float SquaredDistance(const float* a, const float* b, std::size_t n) {
    float lanes[8] = {};
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        for (std::size_t k = 0; k < 8; ++k) {
            const float d = a[i + k] - b[i + k];
            lanes[k] += d * d;
        }
    }
    float sum = 0;
    for (; i < n; ++i) sum += (a[i] - b[i]) * (a[i] - b[i]);
    for (float lane : lanes) sum += lane;
    return sum;
}

}  // namespace

GlyphMatcher::GlyphMatcher(ReferenceFont font, const std::vector<char32_t>& candidates,
                           std::optional<ReferenceFont> fixedWidth)
    : font_(std::move(font)), fixedWidth_(std::move(fixedWidth)) {
    for (char32_t c : candidates) {
        if (font_.Has(c)) candidates_.push_back(c);
    }
}

void GlyphMatcher::Prepare(int width, int height) {
    (void)ReferencesFor(width, height);
}

const GlyphMatcher::References& GlyphMatcher::ReferencesFor(int width, int height) {
    const auto key = std::make_pair(width, height);
    if (const auto found = cache_.find(key); found != cache_.end()) return found->second;
    References refs;
    refs.features.reserve(candidates_.size() * GlyphFeatures::kSize);
    refs.fine.reserve(candidates_.size() * GlyphFeatures::kFineSize);
    for (std::size_t i = 0; i < candidates_.size(); ++i) {
        auto add = [&](const GlyphImage& image, float dotSize) {
            const GlyphFeatures f = ExtractFeatures(image, dotSize);
            if (f.blank) return;
            refs.features.insert(refs.features.end(), f.values.begin(), f.values.end());
            refs.fine.insert(refs.fine.end(), f.fine.begin(), f.fine.end());
            refs.owner.push_back(static_cast<std::uint32_t>(i));
        };
        // The outline drawn large, read as if it had the game's pixels: the shape the game's
        // artist drew from, softened as much as the game's glyph is. (The outline fitted to the
        // game's few pixels read worse: hinting at 8 pixels moves strokes a bitmap font keeps.)
        add(font_.Draw(candidates_[i], width * kLarge, height * kLarge, Rendering::Smooth), kLarge);
        if (fixedWidth_ && candidates_[i] < 0x80 && fixedWidth_->Has(candidates_[i])) {
            add(fixedWidth_->Draw(candidates_[i], width * kLarge, height * kLarge,
                                  Rendering::Smooth),
                kLarge);
        }
    }
    return cache_.emplace(key, std::move(refs)).first->second;
}

GlyphSuggestion GlyphMatcher::Suggest(const GlyphImage& glyph) {
    GlyphSuggestion suggestion;
    const GlyphFeatures features = ExtractFeatures(glyph);
    if (features.blank || candidates_.empty()) return suggestion;
    const References& refs = ReferencesFor(glyph.width, glyph.height);

    best_.assign(candidates_.size(), std::numeric_limits<float>::max());
    bestDrawing_.assign(candidates_.size(), 0);
    const float* f = features.values.data();
    for (std::size_t r = 0; r < refs.owner.size(); ++r) {
        const float sum = SquaredDistance(f, refs.features.data() + r * GlyphFeatures::kSize,
                                          GlyphFeatures::kSize);
        const std::uint32_t owner = refs.owner[r];
        if (sum < best_[owner]) {
            best_[owner] = sum;
            bestDrawing_[owner] = static_cast<std::uint32_t>(r);
        }
    }

    // The closest few on the coarse grid are compared again on the fine one.
    std::vector<std::uint32_t> order(candidates_.size());
    std::iota(order.begin(), order.end(), 0u);
    const std::size_t shortlist = std::min(kShortlist, order.size());
    std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(shortlist),
                      order.end(),
                      [&](std::uint32_t a, std::uint32_t b) { return best_[a] < best_[b]; });
    order.resize(shortlist);
    for (std::uint32_t c : order) {
        const float* g = refs.fine.data() + std::size_t{bestDrawing_[c]} * GlyphFeatures::kFineSize;
        best_[c] +=
            kFineWeight * SquaredDistance(features.fine.data(), g, GlyphFeatures::kFineSize);
    }
    std::sort(order.begin(), order.end(),
              [&](std::uint32_t a, std::uint32_t b) { return best_[a] < best_[b]; });
    const std::size_t n = std::min(kRanked, order.size());
    for (std::size_t i = 0; i < n; ++i) {
        suggestion.ranked.push_back(Guess{candidates_[order[i]], best_[order[i]]});
    }

    const Guess& first = suggestion.ranked.front();
    for (std::size_t i = 1; i < suggestion.ranked.size(); ++i) {
        const Guess& other = suggestion.ranked[i];
        const float margin = (other.distance - first.distance) / std::max(other.distance, 1e-6f);
        const bool alike = LookAlike(first.character, other.character);
        if (margin <= kTieMargin || (alike && margin <= kLookAlikeMargin)) {
            suggestion.nearTies.push_back(other.character);
            if (alike) suggestion.lookAlike = true;
        }
    }
    if (suggestion.ranked.size() > 1) {
        const float second = suggestion.ranked[1].distance;
        const float margin = (second - first.distance) / std::max(second, 1e-6f);
        suggestion.confidence = std::clamp(margin / kClearMargin, 0.f, 1.f);
    } else {
        suggestion.confidence = 1;
    }
    return suggestion;
}

std::vector<GlyphSuggestion> GlyphMatcher::SuggestAll(const std::vector<GlyphImage>& glyphs) {
    std::vector<GlyphSuggestion> readings;
    readings.reserve(glyphs.size());
    for (const GlyphImage& glyph : glyphs) readings.push_back(Suggest(glyph));
    SettleVoicingMarks(glyphs, readings);
    return readings;
}

}  // namespace glyphwright
