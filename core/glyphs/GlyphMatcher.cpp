#include "core/glyphs/GlyphMatcher.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <numeric>

#include "core/glyphs/FontBlocks.h"
#include "core/glyphs/LetterSizes.h"
#include "core/glyphs/LookAlikes.h"
#include "core/glyphs/MatcherParts.h"
#include "core/glyphs/OneEach.h"
#include "core/glyphs/VoicingMarks.h"

namespace glyphwright {

using namespace matcher;

namespace {

// An alternative this close to the best guess (relative to the second's distance) is a near-tie.
constexpr float kTieMargin = 0.06f;
// A known look-alike still counts as a near-tie further out than that: fonts draw the pair the
// same, but a reference may carry a small difference the game's font does not.
constexpr float kLookAlikeMargin = 0.30f;
// The margin at which the best guess is called certain.
constexpr float kClearMargin = 0.35f;
// Glyphs this many pixels high or fewer are also compared with ASCII drawn in whole pixels.
constexpr int kPixelFacesUpTo = 10;
// References are drawn this many times the glyph's size.
constexpr int kLarge = 4;
// A page with fewer sure readings than this is too small to tell that it holds no glyph of a
// script: its glyphs are not read again in its scripts.
constexpr int kPageToReadAgain = 32;
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

// Each pixel of the image drawn scale x scale.
GlyphImage Enlarged(const GlyphImage& image, int scale) {
    GlyphImage large{image.width * scale, image.height * scale,
                     std::vector<std::uint8_t>(image.ink.size() * static_cast<std::size_t>(scale) *
                                               static_cast<std::size_t>(scale))};
    for (int y = 0; y < large.height; ++y) {
        for (int x = 0; x < large.width; ++x) {
            large.ink[static_cast<std::size_t>(y) * static_cast<std::size_t>(large.width) +
                      static_cast<std::size_t>(x)] = image.at(x / scale, y / scale);
        }
    }
    return large;
}

// The image with `row` drawn twice, the rows below it moved one down (the last falls off).
GlyphImage RowDrawnTwice(const GlyphImage& image, int row) {
    GlyphImage taller{image.width, image.height, std::vector<std::uint8_t>(image.ink.size())};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            taller.ink[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                       static_cast<std::size_t>(x)] = image.at(x, y <= row ? y : y - 1);
        }
    }
    return taller;
}

// The shapes fonts draw an ASCII character in: its own, and for the quotes the curly ones. Older
// fonts (X's own, for a long time) draw ' as ’ and ` as ‘, as the first ASCII had it, so that
// `quoted' text pairs up; some small bitmap fonts still do.
std::vector<char32_t> ShapesOf(char32_t c) {
    if (c == U'\'') return {c, U'\u2019'};
    if (c == U'`') return {c, U'\u2018'};
    return {c};
}

}  // namespace

GlyphMatcher::GlyphMatcher(ReferenceFont font, const std::vector<char32_t>& candidates,
                           std::optional<ReferenceFont> fixedWidth,
                           std::vector<ReferenceFont> pixelFaces)
    : font_(std::move(font)),
      fixedWidth_(std::move(fixedWidth)),
      pixelFaces_(std::move(pixelFaces)),
      order_({}) {
    for (char32_t c : candidates) {
        if (font_.Has(c) && !index_.contains(c)) {
            index_.emplace(c, static_cast<std::uint32_t>(candidates_.size()));
            candidates_.push_back(c);
        }
    }
    order_ = FontOrder(candidates_);
}

Result<GlyphMatcher, FontUnavailable> GlyphMatcher::Open(std::string_view family,
                                                         const std::vector<char32_t>& candidates) {
    auto font = ReferenceFont::Open(family);
    if (!font) return font.error();
    auto fixedWidth = ReferenceFont::Open(kDefaultFixedWidthFamily);
    std::vector<ReferenceFont> pixelFaces;
    if (auto pixelFace = ReferenceFont::OpenFile(kDefaultPixelFace))
        pixelFaces.push_back(std::move(pixelFace).value());
    return GlyphMatcher(
        std::move(font).value(), candidates,
        fixedWidth ? std::optional<ReferenceFont>(std::move(fixedWidth).value()) : std::nullopt,
        std::move(pixelFaces));
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
    refs.boxWidth.assign(candidates_.size(), 0);
    refs.boxHeight.assign(candidates_.size(), 0);
    for (std::size_t i = 0; i < candidates_.size(); ++i) {
        // A drawing's kind is that of the character whose shape it has: a ' drawn as ’ sits where
        // a font puts ’.
        auto add = [&](const GlyphImage& image, float dotSize, std::size_t source, char32_t shape) {
            if (refs.boxHeight[i] == 0) {
                const auto [w, h] = InkExtent(image);
                refs.boxWidth[i] = static_cast<float>(w) / static_cast<float>(kLarge);
                refs.boxHeight[i] = static_cast<float>(h) / static_cast<float>(kLarge);
            }
            const GlyphFeatures f = ExtractFeatures(image, dotSize);
            if (f.blank) return;
            refs.features.insert(refs.features.end(), f.values.begin(), f.values.end());
            refs.fine.insert(refs.fine.end(), f.fine.begin(), f.fine.end());
            refs.owner.push_back(static_cast<std::uint32_t>(i));
            refs.kind.push_back(static_cast<std::uint8_t>(
                static_cast<std::size_t>(SizeGroup(shape)) * kSources + source));
        };
        // The outline drawn large, read as if it had the game's pixels: the shape the game's
        // artist drew from, softened as much as the game's glyph is. (The outline fitted to the
        // game's few pixels read worse: hinting at 8 pixels moves strokes a bitmap font keeps.)
        add(font_.Draw(candidates_[i], width * kLarge, height * kLarge, Rendering::Smooth), kLarge,
            0, candidates_[i]);
        if (candidates_[i] >= 0x80) continue;
        // ASCII also as the fixed-width face draws it, and older fonts' shapes of it. (Not from
        // the main face: there the curly quotes are candidates of their own, drawn alike.)
        for (const char32_t shape : ShapesOf(candidates_[i])) {
            if (fixedWidth_ && fixedWidth_->Has(shape)) {
                add(fixedWidth_->Draw(shape, width * kLarge, height * kLarge, Rendering::Smooth),
                    kLarge, 1, shape);
            }
            // Small ASCII in pixels as drawn for screens that small: the pixel faces' letters, and
            // the fixed-width outline fitted to the glyph's own grid.
            if (height > kPixelFacesUpTo) continue;
            for (const ReferenceFont& face : pixelFaces_) {
                if (!face.Has(shape)) continue;
                const GlyphImage own = face.DrawOwnPixels(shape, width, height);
                add(Enlarged(own, kLarge), kLarge, kPixelSource, shape);
                // A font with a taller line draws the same letters a row taller, one of their
                // inner rows twice: the 4x6 font's 5-row capitals as an 8-pixel font's 6-row ones.
                const InkBox box = InkBoxOf(own);
                for (int row = box.top + 1; row < box.bottom; ++row)
                    add(Enlarged(RowDrawnTwice(own, row), kLarge), kLarge, kPixelSource, shape);
            }
            if (fixedWidth_ && fixedWidth_->Has(shape)) {
                add(Enlarged(fixedWidth_->Draw(shape, width, height, Rendering::Pixels), kLarge),
                    kLarge, kPixelSource, shape);
            }
        }
    }
    refs.firstDrawing.assign(candidates_.size() + 1, static_cast<std::uint32_t>(refs.owner.size()));
    for (std::size_t r = refs.owner.size(); r-- > 0;)
        refs.firstDrawing[refs.owner[r]] = static_cast<std::uint32_t>(r);
    for (std::size_t c = candidates_.size(); c-- > 0;)
        refs.firstDrawing[c] = std::min(refs.firstDrawing[c], refs.firstDrawing[c + 1]);
    return cache_.emplace(key, std::move(refs)).first->second;
}

GlyphSuggestion GlyphMatcher::Suggest(const GlyphImage& glyph) {
    return Read(glyph, nullptr);
}

GlyphSuggestion GlyphMatcher::Read(const GlyphImage& glyph, const Placement* placement,
                                   const std::vector<std::uint8_t>* allowed, bool pixelDrawings) {
    GlyphSuggestion suggestion;
    const GlyphFeatures features = ExtractFeatures(glyph);
    if (features.blank || candidates_.empty()) return suggestion;
    const References& refs = ReferencesFor(glyph.width, glyph.height);

    best_.assign(candidates_.size(), std::numeric_limits<float>::max());
    bestDrawing_.assign(candidates_.size(), 0);
    const float* f = features.values.data();
    // The glyph's box as each kind of drawing would have it.
    constexpr std::size_t kShape = GlyphFeatures::kSize - GlyphFeatures::kPlaceSize;
    std::array<std::array<float, GlyphFeatures::kPlaceSize>, kKinds> place{};
    for (std::size_t k = 0; k < kKinds; ++k) {
        for (std::size_t j = 0; j < GlyphFeatures::kPlaceSize; ++j)
            place[k][j] = f[kShape + j] - (placement != nullptr ? (*placement)[k][j] : 0.f);
    }
    for (std::size_t r = 0; r < refs.owner.size(); ++r) {
        if (!pixelDrawings && refs.kind[r] % kSources == kPixelSource) continue;
        const float* g = refs.features.data() + r * GlyphFeatures::kSize;
        const float sum =
            SquaredDistance(f, g, kShape) +
            SquaredDistance(place[refs.kind[r]].data(), g + kShape, GlyphFeatures::kPlaceSize);
        const std::uint32_t owner = refs.owner[r];
        if (sum < best_[owner] && (allowed == nullptr || (*allowed)[owner] != 0)) {
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
        if (best_[order[i]] == std::numeric_limits<float>::max()) break;  // not allowed
        suggestion.ranked.push_back(Guess{candidates_[order[i]], best_[order[i]]});
    }
    if (suggestion.ranked.empty()) return suggestion;

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

float GlyphMatcher::DistanceTo(const GlyphFeatures& features, std::uint32_t c,
                               const Placement* placement, bool pixelDrawings,
                               const References& refs) const {
    constexpr std::size_t kShape = GlyphFeatures::kSize - GlyphFeatures::kPlaceSize;
    const float* f = features.values.data();
    float best = std::numeric_limits<float>::infinity();
    std::uint32_t closest = 0;
    for (std::uint32_t r = refs.firstDrawing[c]; r < refs.firstDrawing[c + 1]; ++r) {
        if (!pixelDrawings && refs.kind[r] % kSources == kPixelSource) continue;
        std::array<float, GlyphFeatures::kPlaceSize> place{};
        for (std::size_t j = 0; j < GlyphFeatures::kPlaceSize; ++j)
            place[j] = f[kShape + j] - (placement != nullptr ? (*placement)[refs.kind[r]][j] : 0.f);
        const float* g = refs.features.data() + std::size_t{r} * GlyphFeatures::kSize;
        const float sum = SquaredDistance(f, g, kShape) +
                          SquaredDistance(place.data(), g + kShape, GlyphFeatures::kPlaceSize);
        if (sum < best) {
            best = sum;
            closest = r;
        }
    }
    if (!std::isfinite(best)) return best;
    return best + kFineWeight * SquaredDistance(features.fine.data(),
                                                refs.fine.data() +
                                                    std::size_t{closest} * GlyphFeatures::kFineSize,
                                                GlyphFeatures::kFineSize);
}

void GlyphMatcher::SettleOrder(const std::vector<GlyphImage>& glyphs,
                               std::vector<GlyphSuggestion>& readings, const Placement* placement,
                               bool pixelDrawings) {
    // The glyph last measured, kept: the passes measure a glyph's candidates one after another.
    std::size_t measured = glyphs.size();
    GlyphFeatures features;
    const MeasureCandidate measure = [&](std::size_t i, char32_t c) {
        const auto found = index_.find(c);
        if (found == index_.end()) return std::numeric_limits<float>::infinity();
        if (i != measured) {
            features = ExtractFeatures(glyphs[i]);
            measured = i;
        }
        const References& refs = ReferencesFor(glyphs[i].width, glyphs[i].height);
        // Glyphs of another size than the first were read without the placing and the
        // drawings in whole pixels learnt for the first size's.
        const bool likeTheFirst =
            glyphs[i].width == glyphs.front().width && glyphs[i].height == glyphs.front().height;
        return DistanceTo(features, found->second, likeTheFirst ? placement : nullptr,
                          likeTheFirst && pixelDrawings, refs);
    };
    SettleFontOrder(order_, readings, measure);
}

std::vector<GlyphSuggestion> GlyphMatcher::SuggestAll(const std::vector<GlyphImage>& glyphs) {
    std::vector<GlyphSuggestion> readings;
    readings.reserve(glyphs.size());
    for (const GlyphImage& glyph : glyphs) readings.push_back(Suggest(glyph));
    Settle(glyphs, readings);
    return readings;
}

bool GlyphMatcher::ReadAmongPixelDrawings(const std::vector<GlyphImage>& glyphs,
                                          std::vector<GlyphSuggestion>& readings) {
    if ((pixelFaces_.empty() && !fixedWidth_) || glyphs.empty() ||
        glyphs.front().height > kPixelFacesUpTo) {
        return false;
    }
    const auto page = ScriptsOfThePage(readings);
    if (!page || std::max_element(page->sure.begin(), page->sure.end()) - page->sure.begin() !=
                     static_cast<std::ptrdiff_t>(ScriptOf(U'A'))) {
        return false;
    }
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        if (glyphs[i].width == glyphs.front().width && glyphs[i].height == glyphs.front().height)
            readings[i] = Read(glyphs[i], nullptr, nullptr, true);
    }
    return true;
}

std::optional<GlyphMatcher::Placement> GlyphMatcher::SettlePlacement(
    const std::vector<GlyphImage>& glyphs, std::vector<GlyphSuggestion>& readings,
    bool pixelDrawings) {
    if (glyphs.empty()) return std::nullopt;
    const int width = glyphs.front().width;
    const int height = glyphs.front().height;
    const References& refs = ReferencesFor(width, height);
    constexpr std::size_t kShape = GlyphFeatures::kSize - GlyphFeatures::kPlaceSize;
    std::array<std::array<std::vector<float>, GlyphFeatures::kPlaceSize>, kKinds> shifts;
    std::array<std::vector<float>, GlyphFeatures::kPlaceSize> pooled;
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const GlyphSuggestion& r = readings[i];
        if (r.ranked.empty() || r.confidence < kSureEnough || glyphs[i].width != width ||
            glyphs[i].height != height) {
            continue;
        }
        const auto found = index_.find(r.Best());
        if (found == index_.end()) continue;
        const GlyphFeatures features = ExtractFeatures(glyphs[i]);
        // The drawing of the best guess that came closest.
        std::size_t closest = refs.owner.size();
        float closestDistance = std::numeric_limits<float>::max();
        for (std::size_t d = 0; d < refs.owner.size(); ++d) {
            if (refs.owner[d] != found->second) continue;
            const float distance = SquaredDistance(features.values.data(),
                                                   refs.features.data() + d * GlyphFeatures::kSize,
                                                   GlyphFeatures::kSize);
            if (distance < closestDistance) {
                closestDistance = distance;
                closest = d;
            }
        }
        if (closest == refs.owner.size()) continue;
        const float* g = refs.features.data() + closest * GlyphFeatures::kSize + kShape;
        for (std::size_t j = 0; j < GlyphFeatures::kPlaceSize; ++j) {
            const float shift = features.values[kShape + j] - g[j];
            shifts[refs.kind[closest]][j].push_back(shift);
            pooled[j].push_back(shift);
        }
    }
    if (pooled.front().size() < kSizeSamples) return std::nullopt;
    Placement placement{};
    for (std::size_t k = 0; k < kKinds; ++k) {
        const bool own = shifts[k].front().size() >= kSizeSamples;
        for (std::size_t j = 0; j < GlyphFeatures::kPlaceSize; ++j)
            placement[k][j] = own ? Median(shifts[k][j]) : 0.f;
    }
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        if (glyphs[i].width == width && glyphs[i].height == height)
            readings[i] = Read(glyphs[i], &placement, nullptr, pixelDrawings);
    }
    return placement;
}

std::vector<std::size_t> GlyphMatcher::SettleInThePagesScripts(
    const std::vector<GlyphImage>& glyphs, std::vector<GlyphSuggestion>& readings,
    const Placement* placement, bool pixelDrawings) {
    std::vector<std::size_t> again;
    const auto page = ScriptsOfThePage(readings);
    if (!page || glyphs.empty() ||
        std::accumulate(page->sure.begin(), page->sure.end(), 0) < kPageToReadAgain) {
        return again;
    }
    std::vector<std::uint8_t> allowed(candidates_.size());
    for (std::size_t c = 0; c < candidates_.size(); ++c)
        allowed[c] = page->held[ScriptOf(candidates_[c])] ? 1 : 0;
    if (std::none_of(allowed.begin(), allowed.end(), [](std::uint8_t a) { return a != 0; }))
        return again;
    for (std::size_t i = 0; i < glyphs.size() && i < readings.size(); ++i) {
        GlyphSuggestion& r = readings[i];
        if (r.ranked.empty() || glyphs[i].width != glyphs.front().width ||
            glyphs[i].height != glyphs.front().height) {
            continue;
        }
        const std::size_t script = ScriptOf(r.Best());
        // Two sure readings in one script may be two symbols the page truly holds. And where
        // the page holds the script of a look-alike of the reading (its width twin, ‐ for -),
        // which of the two the glyph is is for its neighbours and the text to say, not for a
        // second reading.
        const std::vector<char32_t> alike = LookAlikesOf(r.Best());
        if (page->held[script] || (r.confidence >= kSureOfScript && page->sure[script] > 1) ||
            std::any_of(alike.begin(), alike.end(),
                        [&](char32_t c) { return page->held[ScriptOf(c)]; })) {
            continue;
        }
        GlyphSuggestion reading = Read(glyphs[i], placement, &allowed, pixelDrawings);
        if (reading.ranked.empty()) continue;
        reading.confidence = std::min(reading.confidence, r.confidence);
        // What the glyph was read as stays among the alternatives, a key away: a font may hold a
        // lone symbol among its kana.
        if (reading.ranked.size() == kRanked) reading.ranked.pop_back();
        reading.ranked.push_back(r.ranked.front());
        r = std::move(reading);
        again.push_back(i);
    }
    if (again.empty()) return again;

    // A glyph read again does not take a character a sure glyph of the page holds: it takes its
    // closest guess in the page's scripts that none holds, if one came close. (The width twin
    // of a closer guess is no way out, as the two are one shape.)
    std::vector<char32_t> holds;
    for (std::size_t i = 0; i < readings.size(); ++i) {
        if (!readings[i].ranked.empty() && readings[i].confidence >= kSureEnough &&
            std::find(again.begin(), again.end(), i) == again.end()) {
            holds.push_back(readings[i].Best());
        }
    }
    std::sort(holds.begin(), holds.end());
    auto held = [&](char32_t c) { return std::binary_search(holds.begin(), holds.end(), c); };
    for (std::size_t i : again) {
        GlyphSuggestion& r = readings[i];
        if (!held(r.Best())) continue;
        r.TakeCloseAlternative([&](char32_t c) {
            return !held(c) && page->held[ScriptOf(c)] && !TwinOfACloserGuess(r.ranked, c);
        });
    }
    return again;
}

void GlyphMatcher::Settle(const std::vector<GlyphImage>& glyphs,
                          std::vector<GlyphSuggestion>& readings) {
    const bool pixelDrawings = ReadAmongPixelDrawings(glyphs, readings);
    const std::optional<Placement> placement = SettlePlacement(glyphs, readings, pixelDrawings);
    SettleOneEach(glyphs, readings);
    SettleVoicingMarks(glyphs, readings);
    SettleSizes(glyphs, readings);
    SettleFontBlocks(readings);
    // The glyphs read again are settled by their neighbours again; the others stay as they are.
    const std::vector<std::size_t> again =
        SettleInThePagesScripts(glyphs, readings, placement ? &*placement : nullptr, pixelDrawings);
    if (!again.empty()) {
        std::vector<GlyphSuggestion> settled = readings;
        SettleFontBlocks(settled);
        for (std::size_t i : again) readings[i] = std::move(settled[i]);
    }
    if (readInOrder_)
        SettleOrder(glyphs, readings, placement ? &*placement : nullptr, pixelDrawings);
}

}  // namespace glyphwright
