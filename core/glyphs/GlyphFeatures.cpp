#include "core/glyphs/GlyphFeatures.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace glyphwright {

namespace {

constexpr int kCanvas = 32;  // the enlarged shape: kGrid cells of 4 x 4
constexpr int kMargin = 2;
// How strongly each part counts. Found by measuring on bitmap faces against Noto Sans CJK.
constexpr float kInkWeight = 0.6f;
constexpr float kPlaceWeight = 2.2f;
// The blur, in the game's pixels: less in small fonts, whose strokes stand a pixel apart.
constexpr float kSmallBlur = 0.4f;  // at 8 pixels high and less
constexpr float kLargeBlur = 0.55f;  // at 16 and more
float BlurFor(float cellHeight) {
    const float t = std::clamp((cellHeight - 8.f) / 8.f, 0.f, 1.f);
    return kSmallBlur + t * (kLargeBlur - kSmallBlur);
}

float Sample(const GlyphImage& g, float x, float y) {
    // Bilinear between pixel centres; outside the glyph is ground.
    const float fx = x - 0.5f;
    const float fy = y - 0.5f;
    const int x0 = static_cast<int>(std::floor(fx));
    const int y0 = static_cast<int>(std::floor(fy));
    const float ax = fx - static_cast<float>(x0);
    const float ay = fy - static_cast<float>(y0);
    auto at = [&](int px, int py) -> float {
        if (px < 0 || py < 0 || px >= g.width || py >= g.height) return 0.f;
        return static_cast<float>(g.at(px, py)) / 255.f;
    };
    return (1 - ay) * ((1 - ax) * at(x0, y0) + ax * at(x0 + 1, y0)) +
           ay * ((1 - ax) * at(x0, y0 + 1) + ax * at(x0 + 1, y0 + 1));
}

void Blur(std::vector<float>& img, float sigma) {
    const int radius = static_cast<int>(std::ceil(sigma * 2.5f));
    std::vector<float> kernel(static_cast<std::size_t>(2 * radius + 1));
    float sum = 0;
    for (int i = -radius; i <= radius; ++i) {
        const float v = std::exp(-static_cast<float>(i * i) / (2 * sigma * sigma));
        kernel[static_cast<std::size_t>(i + radius)] = v;
        sum += v;
    }
    for (float& v : kernel) v /= sum;
    std::vector<float> tmp(img.size(), 0.f);
    auto idx = [](int x, int y) { return static_cast<std::size_t>(y * kCanvas + x); };
    for (int y = 0; y < kCanvas; ++y) {
        for (int x = 0; x < kCanvas; ++x) {
            float acc = 0;
            for (int k = -radius; k <= radius; ++k) {
                const int sx = x + k;
                if (sx >= 0 && sx < kCanvas)
                    acc += kernel[static_cast<std::size_t>(k + radius)] * img[idx(sx, y)];
            }
            tmp[idx(x, y)] = acc;
        }
    }
    for (int y = 0; y < kCanvas; ++y) {
        for (int x = 0; x < kCanvas; ++x) {
            float acc = 0;
            for (int k = -radius; k <= radius; ++k) {
                const int sy = y + k;
                if (sy >= 0 && sy < kCanvas)
                    acc += kernel[static_cast<std::size_t>(k + radius)] * tmp[idx(x, sy)];
            }
            img[idx(x, y)] = acc;
        }
    }
}

void Normalize(float* begin, std::size_t n, float weight) {
    float sum = 0;
    for (std::size_t i = 0; i < n; ++i) sum += begin[i] * begin[i];
    if (sum <= 0) return;
    const float scale = weight / std::sqrt(sum);
    for (std::size_t i = 0; i < n; ++i) begin[i] *= scale;
}

// Stroke directions and ink summed over a grid x grid division of the canvas, each normalized.
void Accumulate(const std::vector<float>& canvas, int grid, float* directions, float* ink) {
    const int cell = kCanvas / grid;
    const int dirs = GlyphFeatures::kDirections;
    auto at = [&](int x, int y) {
        x = std::clamp(x, 0, kCanvas - 1);
        y = std::clamp(y, 0, kCanvas - 1);
        return canvas[static_cast<std::size_t>(y * kCanvas + x)];
    };
    for (int y = 0; y < kCanvas; ++y) {
        for (int x = 0; x < kCanvas; ++x) {
            const float gx = (at(x + 1, y - 1) + 2 * at(x + 1, y) + at(x + 1, y + 1)) -
                             (at(x - 1, y - 1) + 2 * at(x - 1, y) + at(x - 1, y + 1));
            const float gy = (at(x - 1, y + 1) + 2 * at(x, y + 1) + at(x + 1, y + 1)) -
                             (at(x - 1, y - 1) + 2 * at(x, y - 1) + at(x + 1, y - 1));
            const float magnitude = std::sqrt(gx * gx + gy * gy);
            // Spread over the neighbouring grid cells, so a stroke one pixel off does not jump.
            const float fx = (static_cast<float>(x) + 0.5f) / static_cast<float>(cell) - 0.5f;
            const float fy = (static_cast<float>(y) + 0.5f) / static_cast<float>(cell) - 0.5f;
            const int cx0 = static_cast<int>(std::floor(fx));
            const int cy0 = static_cast<int>(std::floor(fy));
            const float wx = fx - static_cast<float>(cx0);
            const float wy = fy - static_cast<float>(cy0);
            const float value = at(x, y);
            int d0 = 0, d1 = 0;
            float wd = 0;
            if (magnitude > 1e-4f) {
                // The stroke runs across the gradient; its direction without sign, in four bins.
                float angle = std::atan2(gy, gx);
                if (angle < 0) angle += std::numbers::pi_v<float>;
                const float bin = angle / std::numbers::pi_v<float> * static_cast<float>(dirs);
                d0 = static_cast<int>(std::floor(bin)) % dirs;
                d1 = (d0 + 1) % dirs;
                wd = bin - std::floor(bin);
            }
            for (int j = 0; j < 2; ++j) {
                const int cy = cy0 + j;
                if (cy < 0 || cy >= grid) continue;
                const float wyj = j == 0 ? 1 - wy : wy;
                for (int i = 0; i < 2; ++i) {
                    const int cx = cx0 + i;
                    if (cx < 0 || cx >= grid) continue;
                    const float w = wyj * (i == 0 ? 1 - wx : wx);
                    const auto base = static_cast<std::size_t>((cy * grid + cx) * dirs);
                    if (magnitude > 1e-4f) {
                        directions[base + static_cast<std::size_t>(d0)] += w * magnitude * (1 - wd);
                        directions[base + static_cast<std::size_t>(d1)] += w * magnitude * wd;
                    }
                    ink[static_cast<std::size_t>(cy * grid + cx)] += w * value;
                }
            }
        }
    }
    const auto cells = static_cast<std::size_t>(grid * grid);
    Normalize(directions, cells * static_cast<std::size_t>(dirs), 1.f);
    Normalize(ink, cells, kInkWeight);
}

}  // namespace

InkBox InkBoxOf(const GlyphImage& glyph) {
    int left = glyph.width, top = glyph.height, right = -1, bottom = -1;
    for (int y = 0; y < glyph.height; ++y) {
        for (int x = 0; x < glyph.width; ++x) {
            if (glyph.at(x, y) >= InkBox::kInkLevel) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? InkBox{} : InkBox{left, top, right, bottom};
}

GlyphFeatures ExtractFeatures(const GlyphImage& glyph, float dotSize) {
    GlyphFeatures features;
    const InkBox box = InkBoxOf(glyph);
    if (box.Empty()) return features;
    const int left = box.left, top = box.top, right = box.right, bottom = box.bottom;
    features.blank = false;
    const float boxWidth = static_cast<float>(right - left + 1);
    const float boxHeight = static_cast<float>(bottom - top + 1);

    // The ink's box enlarged to the canvas, its proportions kept and centred.
    const float inner = static_cast<float>(kCanvas - 2 * kMargin);
    const float scale = inner / std::max(boxWidth, boxHeight);
    const float offsetX = (static_cast<float>(kCanvas) - boxWidth * scale) / 2;
    const float offsetY = (static_cast<float>(kCanvas) - boxHeight * scale) / 2;
    std::vector<float> canvas(static_cast<std::size_t>(kCanvas * kCanvas));
    for (int y = 0; y < kCanvas; ++y) {
        for (int x = 0; x < kCanvas; ++x) {
            const float sx =
                static_cast<float>(left) + (static_cast<float>(x) + 0.5f - offsetX) / scale;
            const float sy =
                static_cast<float>(top) + (static_cast<float>(y) + 0.5f - offsetY) / scale;
            canvas[static_cast<std::size_t>(y * kCanvas + x)] = Sample(glyph, sx, sy);
        }
    }
    // Blur in proportion to the source pixel, so that a glyph of few pixels and one of many
    // come out equally soft.
    const float blur = BlurFor(static_cast<float>(glyph.height) / dotSize);
    Blur(canvas, std::clamp(blur * scale * dotSize, 1.0f, 3.0f));

    float* directions = features.values.data();
    float* ink = directions + GlyphFeatures::kDirectionSize;
    Accumulate(canvas, GlyphFeatures::kGrid, directions, ink);
    float* fineDirections = features.fine.data();
    float* fineInk = fineDirections + GlyphFeatures::kFineDirectionSize;
    Accumulate(canvas, GlyphFeatures::kFineGrid, fineDirections, fineInk);

    float* place = ink + GlyphFeatures::kInkSize;
    const float w = static_cast<float>(glyph.width);
    const float h = static_cast<float>(glyph.height);
    place[0] = kPlaceWeight * boxWidth / w;
    place[1] = kPlaceWeight * boxHeight / h;
    place[2] = kPlaceWeight * static_cast<float>(top) / h;
    place[3] = kPlaceWeight * static_cast<float>(bottom + 1) / h;
    place[4] = kPlaceWeight * static_cast<float>(left + right + 1) / (2 * w);
    return features;
}

}  // namespace glyphwright
